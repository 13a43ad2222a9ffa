#include "platform/path_forms.h"

#include <windows.h>

#include "platform/codepage.h"
#include "platform/file_query.h"
#include "platform/guarded_folder.h"
#include "platform/handle.h"
#include "platform/wide_path.h"

namespace platform {

namespace {

// The path the file system gives an existing file or folder, links and
// mapped drives resolved; empty when it cannot be opened or the narrow code
// page cannot spell the answer exactly.
std::string FinalPathOfExisting(const std::string& path) {
    const UniqueHandle handle = OpenForQuery(path);
    if (!handle) return {};
    const std::wstring resolved = WithoutLongPrefix(FinalPathOf(handle.Get()));
    std::string narrow;
    if (resolved.empty() || !ToNarrowExact(resolved, narrow)) return {};
    return narrow;
}

std::string_view TrimComponent(std::string_view component) {
    size_t keep = component.find_last_not_of(". ");
    return keep == std::string_view::npos ? std::string_view() : component.substr(0, keep + 1);
}

// Drops the trailing dots and blanks of every component and the trailing
// separators.
std::string TrimComponents(const std::string& path, size_t root) {
    std::string trimmed = path.substr(0, root);
    size_t start = root;
    while (start < path.size()) {
        size_t end = path.find('\\', start);
        if (end == std::string::npos) end = path.size();
        std::string_view component = TrimComponent(std::string_view(path).substr(start, end - start));
        if (!component.empty()) {
            if (trimmed.size() > root) trimmed += '\\';
            trimmed += component;
        }
        start = end + 1;
    }
    while (trimmed.size() > 2 && trimmed.back() == '\\') trimmed.pop_back();
    return trimmed;
}

std::string FormOf(const std::string& path) { return LowerAnsi(TrimComponents(path, RootLength(path))); }

// Expands the longest head of full that expand() can give, keeping the rest
// as written; empty when no head could be expanded.
template <typename Expand>
std::string ExpandLongestHead(const std::string& full, Expand expand) {
    const size_t root = RootLength(full);
    std::string head = full, tail;
    while (head.size() > root) {
        std::string expanded = expand(head);
        if (!expanded.empty()) return expanded + tail;
        size_t cut = head.find_last_of('\\');
        if (cut == std::string::npos || cut + 1 <= root) {
            // The last component below the root: only the root is left to try.
            tail = "\\" + head.substr(root) + tail;
            head.resize(root);
            break;
        }
        tail = head.substr(cut) + tail;
        head.resize(cut);
    }
    if (root > 0) {
        // The root itself, with its separator ("C:" alone names the current
        // folder of the drive).
        std::string rootPath = full.substr(0, root);
        if (rootPath.back() != '\\') rootPath += '\\';
        std::string expanded = expand(rootPath);
        if (!expanded.empty()) {
            if (expanded.back() != '\\' && !tail.empty() && tail.front() != '\\') expanded += '\\';
            if (expanded.back() == '\\' && !tail.empty() && tail.front() == '\\') expanded.pop_back();
            return expanded + tail;
        }
    }
    return {};
}

// The long form of a full path.
std::string LongFormOfFull(const std::string& full) {
    // Only existing folders have long names.
    std::string expanded = ExpandLongestHead(full, LongPathName);
    return FormOf(expanded.empty() ? full : expanded);
}

}  // namespace

size_t RootLength(std::string_view full) {
    if (full.size() >= 2 && full[1] == ':') return full.size() > 2 && full[2] == '\\' ? 3 : 2;
    if (!full.starts_with("\\\\")) return 0;
    size_t server = full.find('\\', 2);
    if (server == std::string_view::npos) return full.size();
    size_t share = full.find('\\', server + 1);
    return share == std::string_view::npos ? full.size() : share + 1;
}

bool IsRootForm(const std::string& longForm) {
    std::string withSeparator = longForm + '\\';
    return RootLength(withSeparator) >= withSeparator.size();
}

std::string LongForm(const std::string& path) {
    const std::string full = FullPathName(path);
    return full.empty() ? std::string() : LongFormOfFull(full);
}

std::string FinalLongForm(const std::string& path) {
    const std::string full = FullPathName(path);
    if (full.empty()) return {};
    // Nothing of it exists to be opened: the long form, from the same full path.
    std::string expanded = ExpandLongestHead(full, FinalPathOfExisting);
    return expanded.empty() ? LongFormOfFull(full) : FormOf(expanded);
}

std::string FinalFormOfExisting(const std::string& path) {
    const std::string resolved = FinalPathOfExisting(path);
    return resolved.empty() ? std::string() : FormOf(resolved);
}

std::string JoinForm(std::string_view form, std::string_view name) {
    std::string joined(form);
    std::string_view trimmed = TrimComponent(name);
    if (trimmed.empty()) return joined;
    if (joined.empty() || joined.back() != '\\') joined += '\\';
    joined += LowerAnsi(trimmed);
    return joined;
}

bool IsSameOrBelow(std::string_view form, std::string_view folderForm) {
    if (folderForm.empty() || !form.starts_with(folderForm)) return false;
    return form.size() == folderForm.size() || form[folderForm.size()] == '\\' || folderForm.back() == '\\';
}

}  // namespace platform
