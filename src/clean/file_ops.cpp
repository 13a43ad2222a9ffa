#include "clean/file_ops.h"

#include <windows.h>

namespace clean {

bool ForceDeleteFile(const std::string& path) {
    // Most files delete at once; the attributes are looked at only when the
    // delete is refused, which saves two file-system calls per file.
    if (::DeleteFileA(path.c_str())) return true;
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    constexpr DWORD kBlocking = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & kBlocking)) return false;
    if (!::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL)) return false;
    if (::DeleteFileA(path.c_str())) return true;
    // A locked file stays, and keeps its read-only, hidden and system bits.
    ::SetFileAttributesA(path.c_str(), attributes);
    return false;
}

namespace {

bool EntryExists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

void EnsureFolderPath(std::string_view pathEndingInBackslash) {
    std::string path(pathEndingInBackslash);
    size_t last = path.find_last_of('\\');
    if (last == std::string::npos) return;
    // Usually the whole folder is there already: one question instead of one per level.
    if (last > 0 && EntryExists(path.substr(0, last))) return;
    for (size_t i = 0; i <= last; ++i) {
        if (path[i] != '\\') continue;
        std::string prefix = path.substr(0, i);
        if (prefix.empty() || EntryExists(prefix)) continue;
        ::CreateDirectoryA(prefix.c_str(), nullptr);
    }
}

void FolderEnsurer::Ensure(const std::string& folder) {
    if (!last_.empty() && folder == last_) return;
    EnsureFolderPath(folder + '\\');
    last_ = folder;
}

bool PathTaken(const std::string& path) { return EntryExists(path); }

std::string UniqueTargetPath(std::string_view folder, std::string_view name) {
    std::string target(folder);
    target += '\\';
    target += name;
    if (!PathTaken(target)) return target;
    for (unsigned long long n = 0;; ++n) {
        std::string candidate = target + "_" + std::to_string(n);
        if (!PathTaken(candidate)) return candidate;
    }
}

}  // namespace clean
