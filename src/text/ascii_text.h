#pragma once
// Plain ASCII text operations for the words of files the program reads
// (rule files, language tags, the Task Scheduler's XML): no locale, no
// code page.
#include <string_view>

namespace text {

// Whether two texts are the same when ASCII letters' case is ignored.
bool SameAsciiIgnoringCase(std::string_view a, std::string_view b);

// The text without the given characters at either end.
std::string_view TrimmedOf(std::string_view text, std::string_view blanks = " \t");

}  // namespace text
