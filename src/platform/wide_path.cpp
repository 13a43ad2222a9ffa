#include "platform/wide_path.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/codepage.h"

namespace platform {

namespace {

bool IsLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

// An absolute path taken apart: its root ("C:" or "\\server\share", no
// trailing separator) and its components, "." and ".." already applied.
struct AbsolutePath {
    std::wstring root;
    std::vector<std::wstring_view> parts;
    bool unc = false;
};

std::wstring_view NextComponent(std::wstring_view& rest) {
    const size_t cut = rest.find(L'\\');
    std::wstring_view part = rest.substr(0, cut);
    rest = cut == std::wstring_view::npos ? std::wstring_view() : rest.substr(cut + 1);
    return part;
}

// False for a relative path, and for one already in a device or long form
// ("\\?\...", "\\.\..."), which is taken as written.
bool Parse(std::wstring_view path, AbsolutePath& out) {
    std::wstring_view rest;
    if (path.size() >= 2 && IsLetter(path[0]) && path[1] == L':' && (path.size() == 2 || path[2] == L'\\')) {
        out.root.assign(path.substr(0, 2));
        rest = path.substr(std::min<size_t>(path.size(), 3));
    } else if (path.size() > 2 && path[0] == L'\\' && path[1] == L'\\' && path[2] != L'?' && path[2] != L'.') {
        rest = path.substr(2);
        const std::wstring_view server = NextComponent(rest);
        const std::wstring_view share = NextComponent(rest);
        if (server.empty() || share.empty()) return false;
        out.root.assign(L"\\\\").append(server).append(L"\\").append(share);
        out.unc = true;
    } else {
        return false;
    }
    while (!rest.empty()) {
        const std::wstring_view part = NextComponent(rest);
        if (part.empty() || part == L".") continue;
        if (part == L"..") {
            if (!out.parts.empty()) out.parts.pop_back();
            continue;
        }
        out.parts.push_back(part);
    }
    return true;
}

std::wstring Slashed(std::string_view path) {
    std::wstring wide = ToWide(path);
    for (wchar_t& c : wide) {
        if (c == L'/') c = L'\\';
    }
    return wide;
}

// The normalised path, with prefix in front of a drive path and uncPrefix
// in place of the two backslashes of a share path.
std::wstring Compose(std::string_view path, std::wstring_view prefix, std::wstring_view uncPrefix) {
    std::wstring wide = Slashed(path);
    AbsolutePath parsed;
    if (!Parse(wide, parsed)) return ToWide(path);
    std::wstring result;
    if (parsed.unc) {
        result.assign(uncPrefix).append(std::wstring_view(parsed.root).substr(2));
    } else {
        result.assign(prefix).append(parsed.root);
    }
    // A drive's root keeps its separator: "C:" alone names the drive's
    // current folder, "\\?\C:" the volume itself.
    if (parsed.parts.empty() && !parsed.unc) result += L'\\';
    for (std::wstring_view part : parsed.parts) result.append(L"\\").append(part);
    return result;
}

}  // namespace

std::wstring WidePath(std::string_view path) { return Compose(path, L"\\\\?\\", L"\\\\?\\UNC\\"); }

std::wstring WideName(std::string_view name) { return ToWide(name); }

std::wstring ShellPath(std::string_view path) { return Compose(path, L"", L"\\\\"); }

bool ExceedsShortPathLimit(std::string_view path) { return ShellPath(path).size() >= MAX_PATH; }

}  // namespace platform
