#include "clean/file_ops.h"

#include <windows.h>

#include <set>

#include "paths/path_text.h"
#include "platform/folder_removal.h"
#include "platform/file_query.h"

namespace clean {

bool DeleteFileNotThroughLink(const std::string& path, platform::FolderFinalPaths& folders) {
    platform::HeldFile file(path);
    platform::HeldState state = file.Check(folders, std::nullopt);
    const bool linkItself = state == platform::HeldState::Link && (file.Attributes() & FILE_ATTRIBUTE_REPARSE_POINT);
    if (state != platform::HeldState::Plain && !linkItself) return false;
    return file.Delete();
}

bool IsFileLink(const std::string& path, platform::FolderFinalPaths& folders) {
    platform::HeldFile file(path, platform::HeldFile::kForAttributes);
    return file.Check(folders, std::nullopt) == platform::HeldState::Link;
}

const platform::GuardedFolder& FolderKeeper::Ensure(const std::string& folder) {
    if (!last_.empty() && folder == last_ && held_.Valid()) return held_;
    held_ = platform::GuardedFolder::Make(folder, anchor_);
    last_ = folder;
    return held_;
}

namespace {

bool IsBelow(const std::string& path, const std::string& folder) {
    return path.size() > folder.size() + 1 && path.compare(0, folder.size(), folder) == 0 && path[folder.size()] == '\\';
}

}  // namespace

void RemoveEmptiedFolders(const std::string& root, const std::vector<std::string>& files) {
    // Deepest folders first, so that a parent is tried after its children.
    auto deeperFirst = [](const std::string& a, const std::string& b) {
        return a.size() != b.size() ? a.size() > b.size() : a < b;
    };
    std::set<std::string, decltype(deeperFirst)> folders(deeperFirst);
    for (const std::string& file : files) {
        for (std::string folder = paths::FolderPart(file); IsBelow(folder, root); folder = paths::FolderPart(folder)) {
            if (!folders.insert(folder).second) break;  // its parents are in already
        }
    }
    for (const std::string& folder : folders) platform::RemoveEmptyFolder(folder, root);
}

bool PathTaken(const std::string& path) {
    return platform::AttributesOf(path) != INVALID_FILE_ATTRIBUTES;
}

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
