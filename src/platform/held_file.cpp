#include "platform/held_file.h"

#include "platform/file_identity.h"
#include "platform/file_query.h"
#include "platform/guarded_folder.h"
#include "platform/wide_path.h"

namespace platform {

namespace {

std::string_view FolderOf(std::string_view path) {
    size_t cut = path.find_last_of('\\');
    return cut == std::string_view::npos ? std::string_view() : path.substr(0, cut);
}

// A file is reached by its own name when its final path is its folder's
// final path followed by its name: a link, or a path through one, ends
// elsewhere.
// widePath is the path's long form, as the file was opened by.
bool ReachedByOwnName(HANDLE file, const std::string& path, std::wstring_view widePath, FolderFinalPaths& folders) {
    std::wstring actual = FinalPathOf(file);
    if (actual.empty()) return false;
    // Mostly the final path is the path itself, in its long form: then
    // nothing on the way is a link, and the folder need not be opened to
    // learn its own final path.
    if (SameIgnoringCase(actual, widePath)) return true;
    // Otherwise the path may still be the file's own under another spelling
    // (short names, a drive mapped to a folder).
    const std::wstring& folder = folders.Of(std::string(FolderOf(path)));
    if (folder.empty()) return false;
    std::wstring expected = folder;
    if (expected.back() != L'\\') expected += L'\\';
    expected += WideName(path.substr(path.find_last_of('\\') + 1));
    return SameIgnoringCase(actual, expected);
}

}  // namespace

FileStamp StampOf(const WIN32_FIND_DATAA& entry) {
    return {(static_cast<uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow, TicksOf(entry.ftLastWriteTime)};
}

FileStamp StampOf(const WIN32_FILE_ATTRIBUTE_DATA& data) {
    return {(static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow, TicksOf(data.ftLastWriteTime)};
}

const std::wstring& FolderFinalPaths::Of(const std::string& folder) {
    if (folder == folder_ && !finalPath_.empty()) return finalPath_;
    folder_ = folder;
    finalPath_.clear();
    const UniqueHandle handle = OpenForQuery(OpenableFolder(folder));
    if (handle) finalPath_ = FinalPathOf(handle.Get());
    return finalPath_;
}

std::optional<FileId> IdAt(const std::string& path) {
    HeldFile file(path, FILE_READ_ATTRIBUTES | SYNCHRONIZE);
    return file.OpenState() == HeldState::Plain ? IdOf(file.Get()) : std::nullopt;
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

namespace {

// Opens a file or folder without following a link, sharing it with everybody.
UniqueHandle OpenWithoutFollowing(const std::wstring& path, DWORD access) {
    return UniqueHandle(::CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS,
                                      nullptr));
}

}  // namespace

HeldFile::HeldFile(const std::string& path, DWORD access)
    : path_(path), widePath_(WidePath(path)), file_(OpenWithoutFollowing(widePath_, access)) {
    openState_ = file_ ? HeldState::Plain : StateOfError(::GetLastError());
}

HeldState HeldFile::CheckStamp(const std::optional<FileStamp>& expected) {
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
    if (attributes_ & FILE_ATTRIBUTE_REPARSE_POINT) return HeldState::Link;
    if (attributes_ & FILE_ATTRIBUTE_DIRECTORY) return HeldState::Folder;
    if (expected && !(FileStamp{size_, static_cast<uint64_t>(basic.LastWriteTime.QuadPart)} == *expected)) {
        return HeldState::Changed;
    }
    return HeldState::Plain;
}

HeldState HeldFile::Check(FolderFinalPaths& folders, const std::optional<FileStamp>& expected) {
    // A file reached through a link is a link, whatever its stamp says.
    const HeldState state = CheckStamp(expected);
    if (state != HeldState::Plain && state != HeldState::Changed) return state;
    if (!ReachedByOwnName(file_.Get(), path_, widePath_, folders)) return HeldState::Link;
    return state;
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
    if (had & kBlockingAttributes) {
        // Read-only files refuse deletion; hidden and system ones are made
        // normal as well, as a delete by path would need.
        if (!SetAttributes(FILE_ATTRIBUTE_NORMAL)) return false;
        if (MarkForDeletion(file_.Get())) return true;
        SetAttributes(had);
        return false;
    }
    return refusal == ERROR_ACCESS_DENIED && DeleteByName();
}

bool HeldFile::RemoveName() {
    if (!file_) return false;
    const DWORD attributes = attributes_;
    const bool readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    if (readOnly && !SetAttributes(attributes & ~FILE_ATTRIBUTE_READONLY)) return false;
    const bool removed = MarkForDeletion(file_.Get());
    if (readOnly) SetAttributes(attributes);
    return removed;
}

// Some platforms refuse to mark a file whose contents a program has mapped
// (after closing its handle), yet delete it when asked by name. The name is
// asked for only when it still leads to the very file held and checked here.
bool HeldFile::DeleteByName() {
    BY_HANDLE_FILE_INFORMATION held{};
    if (!::GetFileInformationByHandle(file_.Get(), &held)) return false;
    file_.Reset();
    UniqueHandle again = OpenWithoutFollowing(widePath_, FILE_READ_ATTRIBUTES);
    BY_HANDLE_FILE_INFORMATION now{};
    if (!again || !::GetFileInformationByHandle(again.Get(), &now)) return false;
    const bool same = now.dwVolumeSerialNumber == held.dwVolumeSerialNumber &&
                      now.nFileIndexHigh == held.nFileIndexHigh && now.nFileIndexLow == held.nFileIndexLow &&
                      !(now.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY));
    again.Reset();
    return same && ::DeleteFileW(widePath_.c_str()) != 0;
}

}  // namespace platform
