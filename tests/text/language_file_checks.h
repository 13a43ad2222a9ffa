#pragma once
// Checks of a language file as people ship it, read as plain text.
#include <map>
#include <string>

namespace texttest {

// The key=value lines of the file's section [String]; a key written twice
// fails the test.
std::map<std::string, std::string> LanguageFileEntries(const std::string& path);

// Fails the test where the INI reader would not read the value back as it is
// written: an empty value, a blank at either end, or a pair of quotes around
// it.
void ExpectReadAsWritten(const std::string& value);

}  // namespace texttest
