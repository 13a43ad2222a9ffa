#include "text/language_table.h"

#include <vector>

#include "paths/module_paths.h"
#include "platform/trace.h"
#include "platform/window_text.h"

namespace text {

namespace {

// The INI reader gets a 64 KiB buffer declared one byte short, so a value
// longer than 65,534 characters is cut there.
constexpr DWORD kValueBufferSize = 65536;

void ReplaceAll(std::string& s, std::string_view from, char to) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        if (s.compare(i, from.size(), from) == 0) {
            out += to;
            i += from.size();
        } else {
            out += s[i++];
        }
    }
    s.swap(out);
}

// Statics that show a picture carry the picture's resource name as their
// text; setting it again would make the control load it anew (or fail to).
bool ShowsPicture(HWND window) {
    char className[16] = {};
    if (!::GetClassNameA(window, className, sizeof className) || ::lstrcmpiA(className, "Static") != 0) return false;
    LONG type = ::GetWindowLongA(window, GWL_STYLE) & SS_TYPEMASK;
    return type == SS_ICON || type == SS_BITMAP || type == SS_ENHMETAFILE;
}

void TranslateOne(HWND window) {
    if (ShowsPicture(window)) return;
    std::string translated = ConvertEscapes(LookupText(platform::WindowText(window)));
    if (!translated.empty()) ::SetWindowTextA(window, translated.c_str());
}

// Called by the system: no exception may leave it. A child that fails to
// translate keeps its text; the others still are translated.
BOOL CALLBACK TranslateChild(HWND child, LPARAM) {
    return platform::Fenced("window translation", TRUE, [child] {
        TranslateOne(child);
        return TRUE;
    });
}

}  // namespace

LanguageTable& LanguageTable::Instance() {
    static LanguageTable table;
    return table;
}

void LanguageTable::SetFilePath(std::string path) { filePath_ = std::move(path); }

std::string LanguageTable::Lookup(std::string_view key) const {
    std::string keyText(key);
    if (filePath_.empty() || keyText.empty()) return keyText;
    std::vector<char> buffer(kValueBufferSize, '\0');
    DWORD n = ::GetPrivateProfileStringA("String", keyText.c_str(), "", buffer.data(), kValueBufferSize - 1,
                                         filePath_.c_str());
    if (n == 0) return keyText;
    return ConvertEscapes(std::string_view(buffer.data(), n));
}

std::string LanguageFilePath() { return paths::BesideModule(".lng"); }

std::string LookupText(std::string_view key) { return LanguageTable::Instance().Lookup(key); }

std::string ConvertEscapes(std::string_view text) {
    std::string converted(text);
    ReplaceAll(converted, "\\r", '\r');
    ReplaceAll(converted, "\\n", '\n');
    return converted;
}

void TranslateWindow(HWND window) {
    if (!window) return;
    TranslateOne(window);
    ::EnumChildWindows(window, TranslateChild, 0);
}

}  // namespace text
