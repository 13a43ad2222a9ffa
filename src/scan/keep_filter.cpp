#include "scan/keep_filter.h"

#include <algorithm>

#include "platform/path_forms.h"

namespace scan {

std::string KeptFileForm(std::string_view path) {
    // Trailing separators name no other file.
    while (path.size() > 1 && path.back() == '\\') path.remove_suffix(1);
    const size_t cut = path.find_last_of('\\');
    if (cut == std::string_view::npos) return {};
    // "C:\a.tmp": the folder is the root, with its separator.
    std::string folder(path.substr(0, cut == 2 && path[1] == ':' ? cut + 1 : cut));
    std::string form = platform::FinalLongForm(folder);
    return form.empty() ? form : platform::JoinForm(form, path.substr(cut + 1));
}

KeepFilter::KeepFilter(const KeepPaths& kept) {
    for (const std::string& file : kept.files) {
        std::string form = KeptFileForm(file);
        if (!form.empty()) files_.insert(std::move(form));
    }
    for (const std::string& folder : kept.folders) {
        std::string form = platform::FinalLongForm(folder);
        // A whole drive is no folder to keep: the entry would hide every
        // finding of it (and the drive list is the place to leave it out).
        if (!form.empty() && !platform::IsRootForm(form)) folders_.push_back(std::move(form));
    }
}

bool KeepFilter::Keeps(std::string_view folder, std::string_view name) {
    if (Empty()) return false;
    if (!hasLast_ || folder != lastFolder_) {
        hasLast_ = true;
        lastFolder_ = folder;
        std::string path(folder);
        if (path.size() == 2 && path[1] == ':') path += '\\';
        lastForm_ = platform::FinalLongForm(path);
        lastFolderKept_ = std::any_of(folders_.begin(), folders_.end(), [&](const std::string& kept) {
            return platform::IsSameOrBelow(lastForm_, kept);
        });
    }
    if (lastFolderKept_) return true;
    return !files_.empty() && !lastForm_.empty() && files_.count(platform::JoinForm(lastForm_, name)) != 0;
}

}  // namespace scan
