#include "rescue/set_removal.h"

#include "clean/file_ops.h"
#include "paths/module_paths.h"
#include "paths/path_text.h"
#include "platform/codepage.h"
#include "platform/folder_removal.h"
#include "platform/guarded_folder.h"
#include "platform/file_query.h"
#include "platform/folder_listing.h"
#include "platform/shell_file_operation.h"
#include "platform/wide_path.h"

namespace rescue {

namespace {

// Calls visit(path, listing) for every entry of the folder but "." and "..".
// Entries the narrow functions cannot name exactly are left alone (and with
// them the folder that holds them).
template <typename Visit>
void ForEachEntry(const std::string& folder, Visit visit) {
    platform::FolderListing listing(folder);
    while (listing.Next()) {
        if (listing.Addressable()) visit(folder + "\\" + listing.Name(), listing);
    }
}

// True when the set holds a link, which the shell would delete through, or
// a path longer than the shell's functions take, which it would leave (or
// stop at with a message).
bool NeedsOwnRemoval(const std::string& folder, platform::FolderFinalPaths& finalPaths) {
    bool found = false;
    ForEachEntry(folder, [&](const std::string& path, const platform::FolderListing& entry) {
        if (found) return;
        if (entry.IsLink() || platform::ExceedsShortPathLimit(path)) {
            found = true;
        } else if (entry.IsFolder()) {
            found = NeedsOwnRemoval(path, finalPaths);
        } else {
            // Some platforms list a link to a file as a plain file.
            found = clean::IsFileLink(path, finalPaths);
        }
    });
    return found;
}

// Depth first; a link is removed as a link (where the platform can) and
// never entered or deleted through.
void RemoveTreeKeepingLinkTargets(const std::string& folder, platform::FolderFinalPaths& finalPaths) {
    ForEachEntry(folder, [&](const std::string& path, const platform::FolderListing& entry) {
        if (entry.IsFolder() && !entry.IsLink()) {
            RemoveTreeKeepingLinkTargets(path, finalPaths);
        } else if (entry.IsFolder()) {
            platform::RemoveFolderLink(path);
        } else {
            clean::DeleteFileNotThroughLink(path, finalPaths);
        }
    });
    platform::RemoveEmptyFolder(folder, paths::FolderPart(folder));
}

}  // namespace

bool IsGenuineSet(const std::string& setPath) {
    const std::string program = paths::ModuleDirectory();
    const bool belowProgram = setPath.size() > program.size() + 1 &&
                              platform::LowerAnsi(setPath.substr(0, program.size() + 1)) ==
                                  platform::LowerAnsi(program + "\\");
    return platform::GuardedFolder::Open(setPath, belowProgram ? program : paths::FolderPart(setPath)).Valid();
}

void RemoveSetFolder(const std::string& setPath, FILEOP_FLAGS flags) {
    DWORD attributes = platform::AttributesOf(setPath);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        platform::RemoveFolderLink(setPath);
    } else if (!IsGenuineSet(setPath)) {
        return;
    } else if (platform::FolderFinalPaths finalPaths; NeedsOwnRemoval(setPath, finalPaths)) {
        RemoveTreeKeepingLinkTargets(setPath, finalPaths);
    } else {
        platform::ShellDelete(setPath, flags);
    }
}

}  // namespace rescue
