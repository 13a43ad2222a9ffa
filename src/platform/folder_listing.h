#pragma once
// One folder's entries, read through the wide listing functions and handed
// out as the narrow records the rest of the program works with.
//
// The narrow listing functions spell a name they cannot represent with a
// look-alike ("ā.txt" as "a.txt") or with "?", and the narrow path functions
// trim a trailing dot or blank ("keep." reaches "keep"). Either way a path
// built from the listed name reaches another entry, or none. Such an entry
// is listed as not addressable, so that callers can pass it over instead of
// judging, entering or disposing of the wrong one.
//
// A folder is listed at any depth: its path reaches the system in its long
// form (see wide_path.h).
#include <windows.h>

#include <string>
#include <string_view>

#include "platform/handle.h"

namespace platform {

// True when narrow path functions reach exactly the entry of this name:
// no trailing dot or blank, no control character, and not "." or "..".
bool IsPlainEntryName(std::string_view name);

class FolderListing {
public:
    // Lists folder (no trailing backslash; "C:" lists the drive's root),
    // without "." and "..". A folder that cannot be listed has no entries.
    explicit FolderListing(std::string_view folder);

    // False when the folder could not be listed at all.
    bool Opened() const { return find_.Valid(); }

    // Moves to the next entry; false when there is none.
    bool Next();

    // The current entry's attributes, times and size as the narrow listing
    // would give them. Its name field holds the name only when it fits.
    const WIN32_FIND_DATAA& Entry() const { return entry_; }
    // The exact name, of any length; empty when the entry is not addressable.
    const std::string& Name() const { return name_; }
    bool Addressable() const { return addressable_; }
    bool IsFolder() const { return (entry_.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
    // A junction or symbolic link, as far as the listing tells.
    bool IsLink() const { return (entry_.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }

private:
    bool Convert();

    FindHandle find_;
    WIN32_FIND_DATAW wide_{};
    WIN32_FIND_DATAA entry_{};
    std::string name_;
    bool fetched_ = false;  // wide_ holds an entry not yet handed out
    bool addressable_ = false;
};

}  // namespace platform
