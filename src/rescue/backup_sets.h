#pragma once
// The backup sets below the backup root: one folder per clean, named after
// the local time its backup began ("2006-12-07_14-05-09"), holding each
// saved file at <drive letter>\<path below that drive's root>.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rescue {

struct SetTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    bool operator==(const SetTime&) const = default;
};

// Reads a set folder's name as a formatted-input scan reads
// "%04d-%02d-%02d_%02d-%02d-%02d": each number may follow white space and
// carry a sign, and takes at most 4 (year) or 2 characters; the dashes and
// the underscore must stand exactly; text after the sixth number is ignored.
// Empty unless all six numbers are read.
std::optional<SetTime> ParseSetName(std::string_view name);

struct SetFolder {
    std::string name;
    std::string path;  // root without its trailing backslash, "\", name
    std::optional<SetTime> time;  // empty when the name is not a set name
};

// The immediate subfolders of root (one trailing backslash allowed), "."
// and ".." left out, in the order the listing returns them, whatever their
// other attributes. A missing root has none.
std::vector<SetFolder> ListSetFolders(std::string_view root);

}  // namespace rescue
