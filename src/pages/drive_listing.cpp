#include "pages/drive_listing.h"

#include <windows.h>

#include "paths/path_text.h"
#include "platform/codepage.h"
#include "platform/drives.h"
#include "platform/folder_listing.h"

namespace pages {

namespace {

// Calls visit for the name of every folder in the folder until it returns
// false. Folders the narrow functions cannot name exactly are not shown: a
// tick on one would select another folder.
template <typename Visit>
void ForEachSubfolder(std::string_view folder, Visit visit) {
    platform::FolderListing listing(paths::WithoutTrailingBackslash(folder));
    while (listing.Next()) {
        if (listing.IsFolder() && listing.Addressable() && !visit(listing.Name())) return;
    }
}

}  // namespace

std::vector<std::string> FixedDriveRoots() {
    std::vector<std::string> roots = platform::DriveRoots();
    std::erase_if(roots, [](const std::string& root) { return platform::DriveTypeOf(root) != DRIVE_FIXED; });
    return roots;
}

std::string DriveItemText(std::string_view label, std::string_view drive) {
    return platform::LowerAnsi(label) + " (" + std::string(drive) + ")";
}

bool HasSubfolder(std::string_view folder) {
    bool found = false;
    ForEachSubfolder(folder, [&](const std::string&) {
        found = true;
        return false;
    });
    return found;
}

std::vector<std::string> SubfolderNames(std::string_view folder) {
    std::vector<std::string> names;
    ForEachSubfolder(folder, [&](const std::string& name) {
        names.emplace_back(name);
        return true;
    });
    return names;
}

}  // namespace pages
