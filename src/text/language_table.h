#pragma once
// Every user-visible text is looked up by key in a language file (INI
// format, section "String"): the English file beside the program, or a
// translation in the Languages folder with the English file behind it.
// Nothing is cached: each lookup reads the file, so a missing file simply
// shows the keys.
#include <windows.h>

#include <string>
#include <string_view>

namespace text {

class LanguageTable {
public:
    // The process-wide table that start-up points at the language file.
    static LanguageTable& Instance();

    // Reads texts from this one file (the English file, or any file a host
    // names), with nothing behind it.
    void SetFilePath(std::string path);
    // Reads texts from a translation, and from the English file where the
    // translation has no text for a key or a template whose placeholders
    // differ from the English one's (so a translated template always takes
    // the arguments the program gives it).
    void SetFiles(std::string translation, std::string english);
    const std::string& FilePath() const { return filePath_; }

    // The key's text with "\r" and "\n" escapes converted; the key itself when
    // the file, the key or its value is missing or empty.
    std::string Lookup(std::string_view key) const;

private:
    std::string filePath_;
    std::string englishPath_;  // empty when filePath_ is English itself
};

// The language file's path for the running program: <dir>\<base>.lng.
std::string LanguageFilePath();

// The text of a key in one given file, escapes converted; empty when the
// file, the key or its value is missing.
std::string LookupTextIn(const std::string& file, std::string_view key);

// Shorthand for LanguageTable::Instance().Lookup(key).
std::string LookupText(std::string_view key);

// Replaces each "\r" by CR, then each "\n" by LF; other backslashes stay.
std::string ConvertEscapes(std::string_view text);

// Replaces the text of the window and of every window below it by the text
// its current text names as a key.
void TranslateWindow(HWND window);

}  // namespace text
