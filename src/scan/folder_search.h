#pragma once
// Depth-first search of one folder tree for junk files.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "scan/junk_types.h"

namespace scan {

// One folder-listing record, as the platform returns it.
using DirectoryEntry = WIN32_FIND_DATAA;

struct SearchSwitches {
    bool skipReadOnly = false;
    bool skipSystem = false;
    bool skipHidden = false;
    bool findEmptyFiles = false;
    bool findInvalidShortcuts = false;
    bool findNotAccessed = false;
    int32_t months = 0;
};

// One walk: where it starts (a trailing backslash is allowed), what it looks
// for and what it passes over.
struct SearchRequest {
    std::string_view folder;
    const JunkTypeTable& junkTypes;
    const std::vector<std::string>& skipFolders;
    SearchSwitches switches;
    bool subfolders = true;
};

// What the walk tells its caller: a file it found (reason set), or a folder
// it met, entered or not (reason null).
struct SearchHit {
    std::string_view path;    // the entry's full path
    std::string_view folder;  // the part of path before the last backslash
    std::string_view name;    // the part after it
    const char* reason;
    const DirectoryEntry& entry;
};

// Called for every hit; returns false to stop the whole walk.
using SearchVisitor = std::function<bool(const SearchHit& hit)>;

// Walks the request's folder. Returns true when the walk ran to its end and
// false when the visitor asked to stop. Folders that are junctions or
// symbolic links are reported but never entered, so the walk cannot leave
// the tree it was given; files the listing marks as links are never
// reported. Entries whose listed names the program's text cannot spell
// exactly (a character without an exact form in the code page, a trailing
// dot or blank) are passed over. Folders are listed at any depth and paths
// reported at any length. The not-accessed rule judges the access time of
// the listing, taken before the search itself read the file.
bool SearchFolder(const SearchRequest& request, const SearchVisitor& visit);

// Reads the target path stored in a shortcut file, at any length. COM must
// be initialised on the calling thread.
bool ResolveShortcutTarget(const std::string& shortcutPath, std::string& target);

}  // namespace scan
