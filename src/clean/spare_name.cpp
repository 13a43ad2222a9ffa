#include "clean/spare_name.h"

#include <utility>

#include "platform/handle.h"

namespace clean {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// Enough to count the file's names and to remove the spare one. No handle
// stays open while the operation runs: an open handle would hold back a
// delete and hide it.
constexpr DWORD kNameAccess = DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES;
// Names tried beside the file before giving up: "name.~spare0" and on.
constexpr int kSpareNameTries = 8;

platform::UniqueHandle OpenName(const std::string& path, DWORD access) {
    return platform::UniqueHandle(::CreateFileA(path.c_str(), access, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr));
}

DWORD LinkCount(HANDLE file) {
    // The standard information holds the count; the full file information
    // would also ask for the volume's serial number, a slow question.
    FILE_STANDARD_INFO info{};
    return ::GetFileInformationByHandleEx(file, FileStandardInfo, &info, sizeof info) ? info.NumberOfLinks : 0;
}

void SetAttributes(HANDLE file, DWORD attributes) {
    FILE_BASIC_INFO basic{};  // times left at zero: they stay as they are
    basic.FileAttributes = attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
    ::SetFileInformationByHandle(file, FileBasicInfo, &basic, sizeof basic);
}

// Removes the name the file was opened by. A read-only file refuses that, so
// the bit is lifted for the moment and put back: it belongs to the file,
// which lives on under its other name.
void RemoveOpenedName(HANDLE file) {
    FILE_BASIC_INFO basic{};
    if (!::GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic)) return;
    const DWORD attributes = basic.FileAttributes;
    const bool readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    if (readOnly) SetAttributes(file, attributes & ~FILE_ATTRIBUTE_READONLY);
    FILE_DISPOSITION_INFO dispose{TRUE};
    ::SetFileInformationByHandle(file, FileDispositionInfo, &dispose, sizeof dispose);
    if (readOnly) SetAttributes(file, attributes);
}

}  // namespace

SpareName::SpareName(const std::string& path) : path_(path) {
    for (int n = 0; n < kSpareNameTries; ++n) {
        std::string spare = path + ".~spare" + std::to_string(n);
        if (::CreateHardLinkA(spare.c_str(), path.c_str(), nullptr)) {
            spare_ = std::move(spare);
            break;
        }
        if (::GetLastError() != ERROR_ALREADY_EXISTS) return;
    }
    if (!Held()) return;
    platform::UniqueHandle file = OpenName(spare_, kNameAccess);
    linksWithSpare_ = file ? LinkCount(file.Get()) : 0;
    if (linksWithSpare_ < 2) {
        // A name that cannot be examined tells nothing afterwards: of no use.
        if (file) RemoveOpenedName(file.Get());
        spare_.clear();
    }
}

SpareName::~SpareName() { Settle(); }

bool SpareName::Settle() {
    if (!Held()) return false;
    const std::string spare = std::exchange(spare_, {});
    const bool left = ::GetFileAttributesA(path_.c_str()) == INVALID_FILE_ATTRIBUTES;
    platform::UniqueHandle file = OpenName(spare, kNameAccess);
    const DWORD links = file ? LinkCount(file.Get()) : 0;
    if (left && links < linksWithSpare_) {
        // The file lost a name instead of moving: it was deleted. Its spare
        // name takes its place again (a rename keeps attributes and times).
        file.Reset();
        ::MoveFileExA(spare.c_str(), path_.c_str(), 0);
        return false;
    }
    if (file) {
        RemoveOpenedName(file.Get());
    } else {
        ::DeleteFileA(spare.c_str());
    }
    return left;
}

}  // namespace clean
