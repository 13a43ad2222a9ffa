#include "platform/fresh_file.h"

#include <algorithm>
#include <atomic>
#include <vector>

#include "platform/wide_path.h"

namespace platform {

namespace {

constexpr DWORD kFreshAccess = GENERIC_WRITE | DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES;
constexpr DWORD kCopiedAttributes =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
constexpr int kNameTries = 16;
constexpr DWORD kCopyBlock = 256 * 1024;

std::atomic<unsigned> g_freshCount{0};

bool MarkForDeletion(HANDLE file, bool remove) {
    FILE_DISPOSITION_INFO disposition{static_cast<BOOLEAN>(remove ? TRUE : FALSE)};
    return ::SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition) != 0;
}

bool IsTaken(DWORD error) { return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS; }

}  // namespace

FreshFile::FreshFile(const GuardedFolder& folder) : folder_(folder) {
    if (!folder.Valid()) {
        error_ = folder.Error();
        return;
    }
    for (int attempt = 0; attempt < kNameTries; ++attempt) {
        const std::wstring name = L"~JunkSweep-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                                  std::to_wstring(g_freshCount++) + L".new";
        file_ = folder.MakeFile(name, kFreshAccess, FILE_ATTRIBUTE_NORMAL, error_);
        if (file_) break;
        if (!IsTaken(error_)) return;
    }
    if (!file_) return;
    // From here on, whatever happens to the program, the file goes unless
    // it is put in place.
    if (!MarkForDeletion(file_.Get(), true)) Fail(::GetLastError());
}

bool FreshFile::Fail(DWORD error) {
    error_ = error;
    if (file_) {
        MarkForDeletion(file_.Get(), true);
        file_.Reset();
    }
    return false;
}

bool FreshFile::Write(std::string_view bytes) {
    if (!file_) return false;
    while (!bytes.empty()) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(file_.Get(), bytes.data(), chunk, &written, nullptr)) return Fail(::GetLastError());
        if (written == 0) return Fail(ERROR_DISK_FULL);
        bytes.remove_prefix(written);
    }
    return true;
}

bool FreshFile::CopyFrom(HANDLE source, uint64_t size) {
    if (!file_) return false;
    FILE_BASIC_INFO basic{};
    if (!::GetFileInformationByHandleEx(source, FileBasicInfo, &basic, sizeof basic)) return Fail(::GetLastError());
    static thread_local std::vector<char> block(kCopyBlock);
    uint64_t copied = 0;
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(source, block.data(), kCopyBlock, &read, nullptr)) return Fail(::GetLastError());
        if (read == 0) break;
        if (!Write(std::string_view(block.data(), read))) return false;
        copied += read;
    }
    // A file that grew or shrank while it was copied is not the one checked.
    if (copied != size) return Fail(ERROR_FILE_INVALID);
    attributes_ = basic.FileAttributes & kCopiedAttributes;
    lastWrite_ = basic.LastWriteTime;
    return true;
}

DWORD FreshFile::PutInPlace(std::wstring_view name, const std::optional<FileId>& replacing, bool durable) {
    if (!file_) return error_ ? error_ : ERROR_INVALID_HANDLE;
    if (lastWrite_) {
        FILE_BASIC_INFO times{};  // zero leaves a time or the attributes as they are
        times.LastWriteTime = *lastWrite_;
        if (!::SetFileInformationByHandle(file_.Get(), FileBasicInfo, &times, sizeof times)) {
            Fail(::GetLastError());
            return error_;
        }
    }
    if (durable && !::FlushFileBuffers(file_.Get())) {
        Fail(::GetLastError());
        return error_;
    }
    if (replacing) {
        DWORD error = ERROR_SUCCESS;
        std::optional<CheckedEntry> present = CheckEntry(folder_, name, error);
        if (!present || !(present->id == *replacing)) {
            Fail(present ? ERROR_FILE_INVALID : error);
            return error_;
        }
    }
    if (!MarkForDeletion(file_.Get(), false)) {
        Fail(::GetLastError());
        return error_;
    }
    const DWORD renamed = folder_.Rename(file_.Get(), name, replacing.has_value());
    if (renamed != ERROR_SUCCESS) {
        Fail(IsTaken(renamed) ? ERROR_ALREADY_EXISTS : renamed);
        return error_;
    }
    if (attributes_ != 0) {
        FILE_BASIC_INFO basic{};
        basic.FileAttributes = attributes_;
        ::SetFileInformationByHandle(file_.Get(), FileBasicInfo, &basic, sizeof basic);
    }
    file_.Reset();
    return ERROR_SUCCESS;
}

std::optional<CheckedEntry> CheckEntry(const GuardedFolder& folder, std::wstring_view name, DWORD& error) {
    UniqueHandle entry = folder.OpenEntry(name, FILE_READ_ATTRIBUTES, error);
    if (!entry) return std::nullopt;
    FILE_BASIC_INFO basic{};
    if (!::GetFileInformationByHandleEx(entry.Get(), FileBasicInfo, &basic, sizeof basic)) {
        error = ::GetLastError();
        return std::nullopt;
    }
    if (basic.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        error = ERROR_DIRECTORY;
        return std::nullopt;
    }
    if (!folder.Holds(entry.Get(), name, folder.CaseSensitive())) {
        error = kErrorReachedThroughLink;
        return std::nullopt;
    }
    std::optional<FileId> id = IdOf(entry.Get());
    if (!id) {
        error = ::GetLastError();
        return std::nullopt;
    }
    error = ERROR_SUCCESS;
    return CheckedEntry{*id, basic.FileAttributes};
}

DWORD WriteNewFile(const GuardedFolder& folder, std::wstring_view name, std::string_view bytes) {
    FreshFile fresh(folder);
    if (!fresh.Write(bytes)) return fresh.Error();
    return fresh.PutInPlace(name);
}

DWORD ReplaceWholeFile(const GuardedFolder& folder, std::wstring_view name, std::string_view bytes,
                       const FileId& checked) {
    DWORD error = ERROR_SUCCESS;
    std::optional<CheckedEntry> present = CheckEntry(folder, name, error);
    if (!present) return error;
    if (!(present->id == checked)) return ERROR_FILE_INVALID;
    FreshFile fresh(folder);
    if (!fresh.Write(bytes)) return fresh.Error();
    const DWORD put = fresh.PutInPlace(name, checked, true);
    if (put != ERROR_SUCCESS) return put;
    // The new file takes the old one's attributes (hidden, say).
    DWORD reopened = ERROR_SUCCESS;
    UniqueHandle placed = folder.OpenEntry(name, FILE_WRITE_ATTRIBUTES, reopened);
    if (placed) {
        FILE_BASIC_INFO basic{};
        basic.FileAttributes = present->attributes ? present->attributes : FILE_ATTRIBUTE_NORMAL;
        ::SetFileInformationByHandle(placed.Get(), FileBasicInfo, &basic, sizeof basic);
    }
    return ERROR_SUCCESS;
}

std::wstring EntryName(std::string_view path) {
    size_t cut = path.find_last_of('\\');
    return WideName(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

}  // namespace platform
