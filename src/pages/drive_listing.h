#pragma once
// The fixed drives and the folders below them, as the drive tree and the
// free-space table see them.
#include <string>
#include <string_view>
#include <vector>

namespace pages {

// The root paths ("C:\") of the fixed drives, in the platform's order.
std::vector<std::string> FixedDriveRoots();

// The drive item's text: the label lower-cased, then the drive in brackets,
// as in "system (C:)"; an unlabelled drive shows " (C:)".
std::string DriveItemText(std::string_view label, std::string_view drive);

// True when the folder holds at least one folder (hidden and system folders
// count; files do not). An unreadable folder has none.
bool HasSubfolder(std::string_view folder);

// The names of the folders in the folder, in listing order.
std::vector<std::string> SubfolderNames(std::string_view folder);

}  // namespace pages
