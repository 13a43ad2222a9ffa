#pragma once
// A text file's lines, for tests of files people read and edit.
#include <map>
#include <string>
#include <vector>

namespace testsupport {

// The lines without their line ends ("\n" or "\r\n"); blank lines count, a
// last line without a line end counts too.
std::vector<std::string> LinesOf(const std::string& text);

// The lines, each split at its tabs (an empty last column counts).
std::vector<std::vector<std::string>> TabRowsOf(const std::string& text);

// The key=value lines of a language file's section [String], read as plain
// text (not through the INI reader), so that a key written twice or a value
// the reader would change shows. Keys written again go to duplicates.
std::map<std::string, std::string> LanguageEntries(const std::string& text, std::vector<std::string>& duplicates);

}  // namespace testsupport
