#pragma once
// The files and folders the user always keeps: a finding that is one of the
// kept files, or lies in or below one of the kept folders, is never a
// finding. Entries and findings are compared by their final long forms
// (platform/path_forms.h), so case, short names, trailing separators and a
// link or mapped drive on the way do not matter.
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace scan {

struct KeepPaths {
    std::vector<std::string> files;
    std::vector<std::string> folders;
    bool operator==(const KeepPaths&) const = default;
};

class KeepFilter {
public:
    KeepFilter() = default;
    explicit KeepFilter(const KeepPaths& kept);

    bool Empty() const { return files_.empty() && folders_.empty(); }
    // True for the file name in folder (a path without a trailing
    // separator, as the search gives it). Findings come folder by folder:
    // each folder's form is asked of the file system once in a row.
    bool Keeps(std::string_view folder, std::string_view name);

private:
    std::unordered_set<std::string> files_;
    std::vector<std::string> folders_;
    std::string lastFolder_;
    std::string lastForm_;
    bool lastFolderKept_ = false;
    bool hasLast_ = false;
};

// The form a kept file is compared by: its folder's final long form joined
// with its own name (a file that is a link is kept as the link, not as what
// it points to). Empty when the path has no folder.
std::string KeptFileForm(std::string_view path);

}  // namespace scan
