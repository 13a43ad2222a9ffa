#pragma once
// Every user-visible text is looked up by key in the language file beside
// the program (INI format, section "String"). Nothing is cached: each lookup
// reads the file, so a missing file simply shows the keys.
#include <windows.h>

#include <string>
#include <string_view>

namespace text {

class LanguageTable {
public:
    // The process-wide table that start-up points at the language file.
    static LanguageTable& Instance();

    void SetFilePath(std::string path);
    const std::string& FilePath() const { return filePath_; }

    // The key's text with "\r" and "\n" escapes converted; the key itself when
    // the file, the key or its value is missing or empty.
    std::string Lookup(std::string_view key) const;

private:
    std::string filePath_;
};

// The language file's path for the running program: <dir>\<base>.lng.
std::string LanguageFilePath();

// Shorthand for LanguageTable::Instance().Lookup(key).
std::string LookupText(std::string_view key);

// Replaces each "\r" by CR, then each "\n" by LF; other backslashes stay.
std::string ConvertEscapes(std::string_view text);

// Replaces the text of the window and of every window below it by the text
// its current text names as a key.
void TranslateWindow(HWND window);

}  // namespace text
