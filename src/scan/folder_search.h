#pragma once
// Depth-first search of one folder tree for junk files.
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/held_file.h"
#include "scan/junk_types.h"

namespace scan {

// One folder-listing record, as the platform returns it.
using DirectoryEntry = WIN32_FIND_DATAA;

// One finding: full path, reason text and what it keeps of its listing
// record: what the report shows (size, attributes) and what the clean checks
// the file against (size and last-write time). Its name is the path's last
// component. Kept small: a scan may hold hundreds of thousands.
struct FoundFile {
    std::string path;
    std::string reason;
    platform::FileStamp listed;
    uint32_t attributes = 0;

    std::string_view Name() const {
        std::string_view whole(path);
        return whole.substr(whole.find_last_of('\\') + 1);
    }
};

// Called for every finding (reason set) and, as progress, for every folder
// the walk meets, entered or not (reason null; "." and ".." are not shown).
// Returns non-zero to go on, 0 to stop the whole walk.
using SearchCallback = int (*)(const char* path, const char* reason, DirectoryEntry entry, void* context);

struct SearchSwitches {
    bool skipReadOnly = false;
    bool skipSystem = false;
    bool skipHidden = false;
    bool findEmptyFiles = false;
    bool findInvalidShortcuts = false;
    bool findNotAccessed = false;
    int32_t months = 0;
};

// Walks the folder (a trailing backslash is allowed). Returns 1 when the
// walk ran to its end and 0 when a callback asked to stop. Folders that are
// junctions or symbolic links are reported to the progress callback but
// never entered, so the walk cannot leave the tree it was given; files the
// listing marks as links are never reported. Entries whose listed names the
// narrow file functions cannot reach exactly (a character without an exact
// form in the code page, a trailing dot or blank) are passed over. A folder
// whose listing pattern would exceed MAX_PATH - 1 characters counts as
// empty. The not-accessed rule judges the access time of the listing, taken
// before the search itself read the file.
int SearchFolder(std::string_view folder, const JunkTypeTable& junkTypes, SearchCallback onFound,
                 void* foundContext, const std::vector<std::string>& skipFolders, bool subfolders,
                 const SearchSwitches& switches, SearchCallback onProgress, void* progressContext);

// Reads the target path stored in a shortcut file into a 260-byte buffer.
// COM must be initialised on the calling thread.
bool ResolveShortcutTarget(const char* shortcutPath, char (&target)[MAX_PATH]);

}  // namespace scan
