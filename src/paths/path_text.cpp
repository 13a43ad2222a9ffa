#include "paths/path_text.h"

namespace paths {

namespace {
size_t LastSeparator(std::string_view path) { return path.find_last_of("\\:"); }
}  // namespace

std::string LastComponent(std::string_view path) {
    size_t cut = LastSeparator(path);
    return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

std::string FolderPart(std::string_view path) {
    size_t cut = LastSeparator(path);
    return cut == std::string_view::npos ? std::string() : std::string(path.substr(0, cut));
}

std::string WithoutTrailingBackslash(std::string_view path) {
    if (!path.empty() && path.back() == '\\') path.remove_suffix(1);
    return std::string(path);
}


bool IsDrivePath(std::string_view path) {
    if (path.size() < 2 || path[1] != ':') return false;
    const char letter = path[0];
    if (!((letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z'))) return false;
    return path.size() == 2 || path[2] == '\\';
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string joined = WithoutTrailingBackslash(folder);
    joined += '\\';
    joined += name;
    return joined;
}

}  // namespace paths
