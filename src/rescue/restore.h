#pragma once
// Copies the files of a backup set back to the places they came from.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rescue {

// Every file below the set folder, at any depth, depth first in listing
// order. Junctions and symbolic links are neither entered nor listed.
std::vector<std::string> CollectSetFiles(const std::string& setPath);

struct SetContents {
    std::vector<std::string> files;
    size_t unreachable = 0;  // entries whose names the narrow functions cannot reach
};
SetContents ListSetContents(const std::string& setPath);

// The place a file of the set is restored to: its path below the set starts
// with a drive folder (one letter), so <set>\C\Docs\a.txt goes to
// C:\Docs\a.txt. Empty when the file has no such place, and also when the
// rest of the path is not a plain path the platform would write as it
// stands: empty, "." or ".." components, names the platform trims (a
// trailing dot or blank), wildcard, stream or device names. So a restore
// only ever writes the place the set's folder names spell out.
std::optional<std::string> RestoreTargetFor(std::string_view setPath, std::string_view filePath);

struct RestoreOutcome {
    size_t restored = 0;   // back in place and removed from the set
    size_t moved = 0;      // of those, moved back within their volume
    size_t failed = 0;     // could not be put back: still in the set
    size_t noTarget = 0;   // no place to go back to
    bool setRemoved = false;
};

// Restores every file of the set, creating missing folders and replacing
// files already there: moved back where its place is on the set's volume,
// copied elsewhere (see FileReturner). Each file put back leaves the set,
// and so do the folders that this empties; when every file went back, the
// rest of the set (files without a place) is removed with it. A file that
// could not be put back stays in the set, and the set stays while it holds
// one. A set folder that is a junction or symbolic link is not restored at
// all.
RestoreOutcome RestoreSet(const std::string& setPath);

// Removes the set with everything in it.
void DeleteSet(const std::string& setPath);

}  // namespace rescue
