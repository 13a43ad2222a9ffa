#include "platform/guarded_folder.h"

#include <winternl.h>

#include <cstddef>
#include <cstring>
#include <vector>

#include "platform/wide_path.h"

namespace platform {

namespace {

constexpr ULONG kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD kFolderAccess = FILE_LIST_DIRECTORY | FILE_TRAVERSE | FILE_READ_ATTRIBUTES | SYNCHRONIZE;
// Native values the user-mode headers leave out.
constexpr auto kFileRenameInformation = static_cast<FILE_INFORMATION_CLASS>(10);
constexpr ULONG kFileOpened = 1;  // IO_STATUS_BLOCK.Information of an open that found the entry

DWORD ErrorOf(NTSTATUS status) { return ::RtlNtStatusToDosError(status); }

bool SameIgnoringCase(std::wstring_view a, std::wstring_view b) {
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

std::wstring_view WithoutTrailingBackslash(std::wstring_view path) {
    while (!path.empty() && path.back() == L'\\') path.remove_suffix(1);
    return path;
}

// The final path a folder reached by its own path from the drive's root
// has: its long form.
std::wstring RootedFinalPath(std::string_view path) { return WidePath(path); }

// "C:" alone names the current folder of drive C.
std::string OpenablePath(std::string_view folder) {
    std::string path(folder);
    if (path.size() == 2 && path[1] == ':') path += '\\';
    return path;
}

UniqueHandle OpenFolderByPath(std::string_view folder, DWORD& error) {
    UniqueHandle handle(::CreateFileW(WidePath(OpenablePath(folder)).c_str(), kFolderAccess, kShareAll, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    error = handle ? ERROR_SUCCESS : ::GetLastError();
    if (handle) {
        FILE_BASIC_INFO basic{};
        if (::GetFileInformationByHandleEx(handle.Get(), FileBasicInfo, &basic, sizeof basic) &&
            !(basic.FileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            handle.Reset();
            error = ERROR_DIRECTORY;
        }
    }
    return handle;
}

// Opens or makes name below the held folder as a folder; made tells which.
UniqueHandle OpenOrMakeFolder(HANDLE parent, std::wstring_view name, bool& made, DWORD& error,
                              ULONG disposition = FILE_OPEN_IF) {
    UNICODE_STRING text{static_cast<USHORT>(name.size() * sizeof(wchar_t)),
                        static_cast<USHORT>(name.size() * sizeof(wchar_t)), const_cast<wchar_t*>(name.data())};
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, &text, OBJ_CASE_INSENSITIVE, parent, nullptr);
    IO_STATUS_BLOCK io{};
    HANDLE folder = nullptr;
    NTSTATUS status = ::NtCreateFile(&folder, kFolderAccess, &attributes, &io, nullptr, FILE_ATTRIBUTE_NORMAL,
                                     kShareAll, disposition,
                                     FILE_DIRECTORY_FILE | FILE_SYNCHRONOUS_IO_NONALERT | FILE_OPEN_FOR_BACKUP_INTENT,
                                     nullptr, 0);
    if (status < 0) {
        error = ErrorOf(status);
        return UniqueHandle();
    }
    made = io.Information != kFileOpened;
    error = ERROR_SUCCESS;
    return UniqueHandle(folder);
}

std::vector<std::wstring> Components(std::wstring_view rest) {
    std::vector<std::wstring> parts;
    while (!rest.empty()) {
        size_t cut = rest.find(L'\\');
        std::wstring_view part = rest.substr(0, cut);
        if (!part.empty()) parts.emplace_back(part);
        if (cut == std::wstring_view::npos) break;
        rest.remove_prefix(cut + 1);
    }
    return parts;
}

bool IsBelowOrSame(std::string_view path, std::string_view anchor) {
    if (path.size() < anchor.size()) return false;
    std::wstring head = WideName(path.substr(0, anchor.size())), wideAnchor = WideName(anchor);
    if (!SameIgnoringCase(head, wideAnchor)) return false;
    return path.size() == anchor.size() || path[anchor.size()] == '\\' || anchor.back() == '\\';
}

// The root a path is checked from: its anchor, or its drive's root.
std::string RootOf(std::string_view path) {
    if (path.size() >= 2 && path[1] == ':') return std::string(path.substr(0, 2));
    if (path.size() > 2 && path[0] == '\\' && path[1] == '\\') {
        // \\server\share
        size_t server = path.find('\\', 2);
        size_t share = server == std::string_view::npos ? server : path.find('\\', server + 1);
        return std::string(path.substr(0, share));
    }
    return {};
}

}  // namespace

namespace {

// The native name of the open file or folder, asked of the system directly.
// Some platforms answer the final-path query only up to MAX_PATH, however
// large the buffer. Their native name of a local file is its long form with
// "\??\" in place of "\\?\": given back as the long form. Any other native
// name (a device path) tells nothing here: empty.
std::wstring NativeFinalPath(HANDLE handle) {
    std::vector<std::byte> buffer(sizeof(OBJECT_NAME_INFORMATION) + 1024);
    for (int tries = 0; tries < 3; ++tries) {
        ULONG needed = 0;
        const NTSTATUS status = ::NtQueryObject(handle, ObjectNameInformation, buffer.data(),
                                                static_cast<ULONG>(buffer.size()), &needed);
        if (status >= 0) {
            const auto* info = reinterpret_cast<const OBJECT_NAME_INFORMATION*>(buffer.data());
            std::wstring name(info->Name.Buffer, info->Name.Length / sizeof(wchar_t));
            if (name.rfind(L"\\??\\", 0) != 0) return {};
            return L"\\\\?\\" + name.substr(4);
        }
        if (needed <= buffer.size()) return {};
        buffer.resize(needed + sizeof(wchar_t));
    }
    return {};
}

}  // namespace

std::wstring FinalPathOf(HANDLE handle) {
    // Most paths fit the first buffer; a longer one is asked for again with
    // the size the system says it needs.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = ::GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()), 0);
        if (n == 0) return NativeFinalPath(handle);
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(n + 1);
    }
}

namespace {

// The final path a folder must have: the anchor's final path followed by
// the rest of the folder's path. Empty when the anchor cannot be opened.
std::wstring ExpectedFinalPath(std::string_view path, std::string_view anchor, DWORD& error) {
    error = ERROR_SUCCESS;
    if (anchor.empty()) return RootedFinalPath(path);
    UniqueHandle held = OpenFolderByPath(anchor, error);
    if (!held) return {};
    std::wstring expected(WithoutTrailingBackslash(FinalPathOf(held.Get())));
    if (expected.empty()) {
        error = ERROR_PATH_NOT_FOUND;
        return {};
    }
    std::string_view rest = path.substr(std::min(path.size(), anchor.size()));
    if (!rest.empty() && rest.front() != '\\') expected += L'\\';
    expected += WideName(rest);
    return expected;
}

}  // namespace

GuardedFolder GuardedFolder::Open(std::string_view path, std::string_view anchor) {
    GuardedFolder folder;
    folder.path_ = std::string(path);
    if (!anchor.empty() && !IsBelowOrSame(path, anchor)) {
        folder.error_ = ERROR_BAD_PATHNAME;
        return folder;
    }
    UniqueHandle held = OpenFolderByPath(path, folder.error_);
    if (!held) return folder;
    std::wstring expected = ExpectedFinalPath(path, anchor, folder.error_);
    if (expected.empty()) return folder;
    std::wstring actual = FinalPathOf(held.Get());
    if (!SameIgnoringCase(WithoutTrailingBackslash(actual), WithoutTrailingBackslash(expected))) {
        folder.error_ = kErrorReachedThroughLink;
        return folder;
    }
    folder.finalPath_ = std::wstring(WithoutTrailingBackslash(actual));
    folder.handle_ = std::move(held);
    folder.error_ = ERROR_SUCCESS;
    return folder;
}

GuardedFolder GuardedFolder::Make(std::string_view path, std::string_view anchor) {
    GuardedFolder folder = Open(path, anchor);
    if (folder.Valid() || (folder.error_ != ERROR_FILE_NOT_FOUND && folder.error_ != ERROR_PATH_NOT_FOUND)) {
        return folder;
    }
    // Down from the root, each level checked before anything is made in it.
    std::string root = anchor.empty() ? RootOf(path) : std::string(anchor);
    while (root.size() > 3 && root.back() == '\\') root.pop_back();
    GuardedFolder level = Open(root, anchor.empty() ? std::string_view() : std::string_view(root));
    if (!level.Valid()) return level;
    std::string_view restView = std::string_view(path).substr(std::min(path.size(), root.size()));
    for (const std::wstring& name : Components(WideName(restView))) {
        bool made = false;
        DWORD error = ERROR_SUCCESS;
        UniqueHandle next = OpenOrMakeFolder(level.Get(), name, made, error);
        if (!next) {
            level.handle_.Reset();
            level.error_ = error;
            return level;
        }
        if (!made && !level.Holds(next.Get(), name, false)) {
            level.handle_.Reset();
            level.error_ = kErrorReachedThroughLink;
            return level;
        }
        level.finalPath_ += L'\\';
        level.finalPath_ += name;
        level.handle_ = std::move(next);
    }
    level.path_ = std::string(path);
    return level;
}

UniqueHandle GuardedFolder::MakeFile(std::wstring_view name, DWORD access, DWORD attributes, DWORD& error,
                                     bool openExisting) const {
    UNICODE_STRING text{static_cast<USHORT>(name.size() * sizeof(wchar_t)),
                        static_cast<USHORT>(name.size() * sizeof(wchar_t)), const_cast<wchar_t*>(name.data())};
    OBJECT_ATTRIBUTES objectAttributes;
    InitializeObjectAttributes(&objectAttributes, &text, OBJ_CASE_INSENSITIVE, handle_.Get(), nullptr);
    IO_STATUS_BLOCK io{};
    HANDLE file = nullptr;
    NTSTATUS status = ::NtCreateFile(&file, access | SYNCHRONIZE, &objectAttributes, &io, nullptr, attributes,
                                     kShareAll, openExisting ? FILE_OPEN_IF : FILE_CREATE,
                                     FILE_NON_DIRECTORY_FILE | FILE_SYNCHRONOUS_IO_NONALERT, nullptr, 0);
    error = status < 0 ? ErrorOf(status) : ERROR_SUCCESS;
    return UniqueHandle(status < 0 ? nullptr : file);
}

DWORD GuardedFolder::MakeFolder(std::wstring_view name) const {
    bool made = false;
    DWORD error = ERROR_SUCCESS;
    UniqueHandle folder = OpenOrMakeFolder(handle_.Get(), name, made, error, FILE_CREATE);
    if (!folder) return error == ERROR_FILE_EXISTS ? ERROR_ALREADY_EXISTS : error;
    return ERROR_SUCCESS;
}

UniqueHandle GuardedFolder::OpenEntry(std::wstring_view name, DWORD access, DWORD& error) const {
    UNICODE_STRING text{static_cast<USHORT>(name.size() * sizeof(wchar_t)),
                        static_cast<USHORT>(name.size() * sizeof(wchar_t)), const_cast<wchar_t*>(name.data())};
    OBJECT_ATTRIBUTES objectAttributes;
    InitializeObjectAttributes(&objectAttributes, &text, OBJ_CASE_INSENSITIVE, handle_.Get(), nullptr);
    IO_STATUS_BLOCK io{};
    HANDLE entry = nullptr;
    NTSTATUS status = ::NtCreateFile(&entry, access | SYNCHRONIZE, &objectAttributes, &io, nullptr, 0, kShareAll,
                                     FILE_OPEN,
                                     FILE_OPEN_REPARSE_POINT | FILE_SYNCHRONOUS_IO_NONALERT |
                                         FILE_OPEN_FOR_BACKUP_INTENT,
                                     nullptr, 0);
    error = status < 0 ? ErrorOf(status) : ERROR_SUCCESS;
    return UniqueHandle(status < 0 ? nullptr : entry);
}

bool GuardedFolder::Holds(HANDLE entry, std::wstring_view name, bool exactCase) const {
    FILE_BASIC_INFO basic{};
    if (::GetFileInformationByHandleEx(entry, FileBasicInfo, &basic, sizeof basic) &&
        (basic.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        return false;
    }
    const std::wstring actual = FinalPathOf(entry);
    const size_t cut = actual.find_last_of(L'\\');
    if (cut == std::wstring::npos) return false;
    const std::wstring_view folder = std::wstring_view(actual).substr(0, cut);
    const std::wstring_view leaf = std::wstring_view(actual).substr(cut + 1);
    if (!SameIgnoringCase(folder, finalPath_)) return false;
    return exactCase ? leaf == name : SameIgnoringCase(leaf, name);
}

bool GuardedFolder::CaseSensitive() const {
    // The folder's case-sensitivity flag (systems from 2018 on).
    constexpr auto kFileCaseSensitiveInformation = static_cast<FILE_INFORMATION_CLASS>(71);
    constexpr ULONG kCaseSensitiveDirectory = 1;
    ULONG flags = 0;
    IO_STATUS_BLOCK io{};
    if (::NtQueryInformationFile(handle_.Get(), &io, &flags, sizeof flags, kFileCaseSensitiveInformation) < 0) {
        return true;
    }
    return (flags & kCaseSensitiveDirectory) != 0;
}

DWORD GuardedFolder::Rename(HANDLE file, std::wstring_view name, bool replace) const {
    const size_t nameBytes = name.size() * sizeof(wchar_t);
    std::vector<std::byte> buffer(offsetof(FILE_RENAME_INFO, FileName) + nameBytes + sizeof(wchar_t));
    auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    info->ReplaceIfExists = replace ? TRUE : FALSE;
    info->RootDirectory = handle_.Get();
    info->FileNameLength = static_cast<DWORD>(nameBytes);
    std::memcpy(info->FileName, name.data(), nameBytes);
    IO_STATUS_BLOCK io{};
    // The native call: the system's own wrapper would take a name relative
    // to the held folder for one relative to the current folder.
    NTSTATUS status =
        ::NtSetInformationFile(file, &io, info, static_cast<ULONG>(buffer.size()), kFileRenameInformation);
    return status < 0 ? ErrorOf(status) : ERROR_SUCCESS;
}

}  // namespace platform
