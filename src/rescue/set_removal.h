#pragma once
// Removing a backup set, or what a restore has emptied of it.
#include <string>
#include <vector>

#include "platform/shell_file_operation.h"

namespace rescue {

// Flags of the shell's delete: Delete may show the shell's progress window,
// the removal after a restore shows nothing.
inline constexpr FILEOP_FLAGS kDeleteSetFlags = FOF_NOCONFIRMATION;
inline constexpr FILEOP_FLAGS kRestoredSetFlags = FOF_NOCONFIRMATION | FOF_SILENT;

// Removes the set folder with everything in it through the shell's delete
// (nothing goes to the recycle bin). A junction or symbolic link is never
// followed: a set that is one loses only the link, and a set that holds one
// is taken apart here, each link removed as a link, because the shell's
// delete would empty the folder the link points to.
// A set reached through a link on the way down from the program's folder
// (or from the folder holding it, for a set elsewhere) is not touched.
void RemoveSetFolder(const std::string& setPath, FILEOP_FLAGS flags);

// True for a set folder that is a folder of its own, reached by its own path
// below the program's folder (or below the folder that holds it, for a set
// elsewhere): neither it nor a folder on the way is a link or junction, so
// a restore or a removal acts on the set and on nothing a link leads to.
bool IsGenuineSet(const std::string& setPath);

}  // namespace rescue
