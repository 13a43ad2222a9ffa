#pragma once
// Plain ASCII text operations for the words of files the program reads
// (rule files, language tags, the Task Scheduler's XML): no locale, no
// code page.
#include <string_view>
#include <vector>

namespace text {

// Whether two texts are the same when ASCII letters' case is ignored.
bool SameAsciiIgnoringCase(std::string_view a, std::string_view b);

// The text without the given characters at either end.
std::string_view TrimmedOf(std::string_view text, std::string_view blanks = " \t");

// The parts of the text between separators, empty ones too ("a||b" gives
// a, "", b; "" gives one empty part).
std::vector<std::string_view> SplitAt(std::string_view text, char separator);

// The non-empty parts of the text between any of the separators.
std::vector<std::string_view> NonEmptyParts(std::string_view text, std::string_view separators);

}  // namespace text
