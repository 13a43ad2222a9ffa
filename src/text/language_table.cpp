#include "text/language_table.h"

#include <vector>

#include "paths/module_paths.h"
#include "text/format_template.h"
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

// The raw value of a key in a file: empty when the file, the key or its
// value is missing.
std::string ReadValue(const std::string& file, const std::string& key) {
    if (file.empty() || key.empty()) return {};
    std::vector<char> buffer(kValueBufferSize, '\0');
    DWORD n = ::GetPrivateProfileStringA("String", key.c_str(), "", buffer.data(), kValueBufferSize - 1, file.c_str());
    return std::string(buffer.data(), n);
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

void LanguageTable::SetFilePath(std::string path) {
    filePath_ = std::move(path);
    englishPath_.clear();
}

void LanguageTable::SetFiles(std::string translation, std::string english) {
    filePath_ = std::move(translation);
    englishPath_ = english == filePath_ ? std::string() : std::move(english);
}

std::string LanguageTable::Lookup(std::string_view key) const {
    std::string keyText(key);
    std::string value = ReadValue(filePath_, keyText);
    if (!englishPath_.empty()) {
        // A key the English file lacks has no placeholders to compare with:
        // the translation's text stands (FormatTemplate never fills a
        // conversion with an argument of the wrong kind anyway).
        std::string english = ReadValue(englishPath_, keyText);
        if (!english.empty() && (value.empty() || PlaceholderKinds(value) != PlaceholderKinds(english))) {
            value = std::move(english);
        }
    }
    if (value.empty()) return keyText;
    return ConvertEscapes(value);
}

std::string LanguageFilePath() { return paths::BesideModule(".lng"); }

std::string LookupTextIn(const std::string& file, std::string_view key) {
    return ConvertEscapes(ReadValue(file, std::string(key)));
}

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
