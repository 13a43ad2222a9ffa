#include "rescue/restore.h"

#include <windows.h>

#include "clean/file_ops.h"
#include "paths/path_text.h"
#include "platform/file_query.h"
#include "platform/folder_listing.h"
#include "rescue/file_return.h"
#include "rescue/set_removal.h"

namespace rescue {

namespace {

// Every file below folder, depth first in listing order; links are neither
// entered nor collected, and entries whose names the narrow functions cannot
// reach exactly are counted instead.
void CollectFiles(const std::string& folder, SetContents& contents) {
    platform::FolderListing listing(folder);
    while (listing.Next()) {
        if (!listing.Addressable()) {
            ++contents.unreachable;
            continue;
        }
        if (listing.IsLink()) continue;
        std::string path = folder + "\\" + listing.Name();
        if (listing.IsFolder()) {
            CollectFiles(path, contents);
        } else {
            contents.files.push_back(std::move(path));
        }
    }
}

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// A name the platform writes exactly as it stands.
bool IsPlainName(std::string_view name) {
    if (name.empty() || name.back() == '.' || name.back() == ' ') return false;
    for (unsigned char c : name) {
        if (c < 0x20 || std::string_view("<>:\"/|?*").find(static_cast<char>(c)) != std::string_view::npos) {
            return false;
        }
    }
    return true;
}

bool IsPlainRelativePath(std::string_view rest) {
    while (true) {
        size_t cut = rest.find('\\');
        if (!IsPlainName(rest.substr(0, cut))) return false;
        if (cut == std::string_view::npos) return true;
        rest.remove_prefix(cut + 1);
    }
}

// The platform's own reading of the path must be the path itself: this
// catches device names (CON, NUL, COM1 ...) and anything else it rewrites.
bool PlatformReadsAsWritten(const std::string& path) { return platform::FullPathName(path) == path; }

}  // namespace

SetContents ListSetContents(const std::string& setPath) {
    SetContents contents;
    CollectFiles(paths::WithoutTrailingBackslash(setPath), contents);
    return contents;
}

std::vector<std::string> CollectSetFiles(const std::string& setPath) { return ListSetContents(setPath).files; }

std::optional<std::string> RestoreTargetFor(std::string_view setPath, std::string_view filePath) {
    if (filePath.size() <= setPath.size() || filePath.substr(0, setPath.size()) != setPath) return std::nullopt;
    std::string_view relative = filePath.substr(setPath.size());
    if (!relative.empty() && relative.front() == '\\') relative.remove_prefix(1);
    if (relative.size() < 3 || relative[1] != '\\' || !IsAsciiLetter(relative[0])) return std::nullopt;
    std::string_view rest = relative.substr(2);
    if (!IsPlainRelativePath(rest)) return std::nullopt;
    std::string target;
    target.reserve(rest.size() + 3);
    target.append(1, relative[0]).append(":\\").append(rest);
    if (!PlatformReadsAsWritten(target)) return std::nullopt;
    return target;
}

RestoreOutcome RestoreSet(const std::string& setPath) {
    RestoreOutcome outcome;
    if (!IsGenuineSet(setPath)) return outcome;
    SetContents contents = ListSetContents(setPath);
    // Entries the narrow functions cannot name have no place to go back to,
    // as their names do not spell one out.
    outcome.noTarget = contents.unreachable;
    std::vector<std::string> restored;
    FileReturner returner;
    for (const std::string& file : contents.files) {
        std::optional<std::string> target = RestoreTargetFor(setPath, file);
        if (!target) {
            ++outcome.noTarget;
            continue;
        }
        if (returner.Return(file, *target)) {
            restored.push_back(file);
        } else {
            ++outcome.failed;
        }
    }
    outcome.restored = restored.size();
    outcome.moved = returner.Moved();
    clean::RemoveEmptiedFolders(setPath, restored);
    if (outcome.failed == 0) {
        RemoveSetFolder(setPath, kRestoredSetFlags);
        outcome.setRemoved = !clean::PathTaken(setPath);
    }
    return outcome;
}

void DeleteSet(const std::string& setPath) { RemoveSetFolder(setPath, kDeleteSetFlags); }

}  // namespace rescue
