#pragma once
// A text file's lines, for tests of files people read and edit.
#include <string>
#include <vector>

namespace testsupport {

// The lines without their line ends ("\n" or "\r\n"); blank lines count, a
// last line without a line end counts too.
std::vector<std::string> LinesOf(const std::string& text);

// The lines, each split at its tabs (an empty last column counts).
std::vector<std::vector<std::string>> TabRowsOf(const std::string& text);

}  // namespace testsupport
