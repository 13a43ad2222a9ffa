#include "pages/drive_listing.h"

#include <windows.h>

#include "paths/path_text.h"
#include "platform/codepage.h"
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
    char buffer[128] = {};
    DWORD length = ::GetLogicalDriveStringsA(sizeof buffer, buffer);
    std::vector<std::string> roots;
    if (length == 0 || length >= sizeof buffer) return roots;
    for (const char* root = buffer; *root; root += std::char_traits<char>::length(root) + 1) {
        if (::GetDriveTypeA(root) == DRIVE_FIXED) roots.emplace_back(root);
    }
    return roots;
}

std::string VolumeLabel(const std::string& root) {
    char label[255] = {};
    if (!::GetVolumeInformationA(root.c_str(), label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0)) return {};
    return label;
}

std::string DriveItemText(std::string_view label, std::string_view drive) {
    return platform::LowerAnsi(label) + " (" + std::string(drive) + ")";
}

bool HasSubfolder(std::string_view folder) {
    bool found = false;
    ForEachSubfolder(folder, [&](const char*) {
        found = true;
        return false;
    });
    return found;
}

std::vector<std::string> SubfolderNames(std::string_view folder) {
    std::vector<std::string> names;
    ForEachSubfolder(folder, [&](const char* name) {
        names.emplace_back(name);
        return true;
    });
    return names;
}

}  // namespace pages
