#include "platform/held_file.h"

#include "platform/file_identity.h"
#include "platform/guarded_folder.h"
#include "platform/wide_path.h"

namespace platform {

namespace {

uint64_t Ticks(const FILETIME& t) { return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

bool SameIgnoringCase(std::wstring_view a, std::wstring_view b) {
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

std::string_view FolderOf(std::string_view path) {
    size_t cut = path.find_last_of('\\');
    return cut == std::string_view::npos ? std::string_view() : path.substr(0, cut);
}

// A file is reached by its own name when its final path is its folder's
// final path followed by its name: a link, or a path through one, ends
// elsewhere.
bool ReachedByOwnName(HANDLE file, const std::string& path, FolderFinalPaths& folders) {
    std::wstring actual = FinalPathOf(file);
    if (actual.empty()) return false;
    // Mostly the final path is the path itself, in its long form: then
    // nothing on the way is a link, and the folder need not be opened to
    // learn its own final path.
    if (SameIgnoringCase(actual, WidePath(path))) return true;
    // Otherwise the path may still be the file's own under another spelling
    // (short names, a drive mapped to a folder).
    const std::wstring& folder = folders.Of(std::string(FolderOf(path)));
    if (folder.empty()) return false;
    std::wstring expected = folder;
    if (expected.back() != L'\\') expected += L'\\';
    expected += WideName(path.substr(path.find_last_of('\\') + 1));
    return SameIgnoringCase(actual, expected);
}

constexpr DWORD kBlocking = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

bool SetAttributesOf(HANDLE file, DWORD attributes) {
    FILE_BASIC_INFO info{};  // zero times leave the times as they are
    info.FileAttributes = attributes;
    return ::SetFileInformationByHandle(file, FileBasicInfo, &info, sizeof info) != 0;
}

bool MarkForDeletion(HANDLE file) {
    FILE_DISPOSITION_INFO disposition{TRUE};
    return ::SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition) != 0;
}

}  // namespace

FileStamp StampOf(const WIN32_FIND_DATAA& entry) {
    return {(static_cast<uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow, Ticks(entry.ftLastWriteTime)};
}

FileStamp StampOf(const WIN32_FILE_ATTRIBUTE_DATA& data) {
    return {(static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow, Ticks(data.ftLastWriteTime)};
}

const std::wstring& FolderFinalPaths::Of(const std::string& folder) {
    if (folder == folder_ && !finalPath_.empty()) return finalPath_;
    folder_ = folder;
    finalPath_.clear();
    // "C:" alone would name the current folder of drive C.
    std::string open = folder.size() == 2 && folder[1] == ':' ? folder + "\\" : folder;
    UniqueHandle handle(::CreateFileW(WidePath(open).c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (handle) finalPath_ = FinalPathOf(handle.Get());
    return finalPath_;
}

HeldState StateOfError(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return HeldState::Missing;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return HeldState::InUse;
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT:
            return HeldState::Denied;
        default:
            return HeldState::Failed;
    }
}

HeldFile::HeldFile(const std::string& path, DWORD access) : path_(path) {
    file_.Reset(::CreateFileW(WidePath(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS,
                              nullptr));
    openState_ = file_ ? HeldState::Plain : StateOfError(::GetLastError());
}

HeldState HeldFile::ReadInfo(LONGLONG& lastWrite) {
    if (!file_) return openState_;
    // Asked for one by one: the all-in-one query also reads the volume's
    // serial number, which costs Wine a round trip to another process, more
    // than a delete, on every file.
    FILE_BASIC_INFO basic{};
    FILE_STANDARD_INFO standard{};
    if (!::GetFileInformationByHandleEx(file_.Get(), FileBasicInfo, &basic, sizeof basic) ||
        !::GetFileInformationByHandleEx(file_.Get(), FileStandardInfo, &standard, sizeof standard)) {
        return StateOfError(::GetLastError());
    }
    attributes_ = basic.FileAttributes;
    size_ = static_cast<uint64_t>(standard.EndOfFile.QuadPart);
    lastWrite = basic.LastWriteTime.QuadPart;
    if (attributes_ & FILE_ATTRIBUTE_REPARSE_POINT) return HeldState::Link;
    if (attributes_ & FILE_ATTRIBUTE_DIRECTORY) return HeldState::Folder;
    return HeldState::Plain;
}

HeldState HeldFile::CheckStamp(const std::optional<FileStamp>& expected) {
    LONGLONG lastWrite = 0;
    const HeldState state = ReadInfo(lastWrite);
    if (state != HeldState::Plain) return state;
    if (expected && !(FileStamp{size_, static_cast<uint64_t>(lastWrite)} == *expected)) return HeldState::Changed;
    return HeldState::Plain;
}

HeldState HeldFile::Check(FolderFinalPaths& folders, const std::optional<FileStamp>& expected) {
    LONGLONG lastWrite = 0;
    const HeldState state = ReadInfo(lastWrite);
    if (state != HeldState::Plain) return state;
    if (!ReachedByOwnName(file_.Get(), path_, folders)) return HeldState::Link;
    if (expected && !(FileStamp{size_, static_cast<uint64_t>(lastWrite)} == *expected)) return HeldState::Changed;
    return HeldState::Plain;
}

bool HeldFile::SetAttributes(DWORD attributes) {
    if (!file_ || !SetAttributesOf(file_.Get(), attributes)) return false;
    attributes_ = attributes;
    return true;
}

bool HeldFile::Delete() {
    if (!file_) return false;
    if (MarkForDeletion(file_.Get())) return true;
    const DWORD refusal = ::GetLastError();
    const DWORD had = attributes_;
    if (had & kBlocking) {
        // Read-only files refuse deletion; hidden and system ones are made
        // normal as well, as a delete by path would need.
        if (!SetAttributes(FILE_ATTRIBUTE_NORMAL)) return false;
        if (MarkForDeletion(file_.Get())) return true;
        SetAttributes(had);
        return false;
    }
    return refusal == ERROR_ACCESS_DENIED && DeleteByName();
}

// Some platforms refuse to mark a file whose contents a program has mapped
// (after closing its handle), yet delete it when asked by name. The name is
// asked for only when it still leads to the very file held and checked here.
bool HeldFile::DeleteByName() {
    BY_HANDLE_FILE_INFORMATION held{};
    if (!::GetFileInformationByHandle(file_.Get(), &held)) return false;
    file_.Reset();
    const std::wstring path = WidePath(path_);
    UniqueHandle again(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION now{};
    if (!again || !::GetFileInformationByHandle(again.Get(), &now)) return false;
    const bool same = now.dwVolumeSerialNumber == held.dwVolumeSerialNumber &&
                      now.nFileIndexHigh == held.nFileIndexHigh && now.nFileIndexLow == held.nFileIndexLow &&
                      !(now.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY));
    again.Reset();
    return same && ::DeleteFileW(path.c_str()) != 0;
}

}  // namespace platform
