#pragma once
// The skip-folder texts of one walk, lower-cased, and the test whether one
// of them occurs in a lower-cased path.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "scan/lower_case.h"

namespace scan {

// The texts are kept by their first byte: a path is scanned once, and only
// the texts that start with the byte at hand are compared there.
class SkipTexts {
public:
    SkipTexts(const std::vector<std::string>& folders, const AnsiLowerCase& lower);

    // Whether a text occurs anywhere in the lowered path. The first
    // knownClean bytes are known to hold none of the texts (the path of a
    // folder that was itself tested before it was entered), so only
    // occurrences that reach past them are looked for.
    bool Occur(std::string_view path, size_t knownClean) const;

private:
    std::array<std::vector<std::string>, 256> byFirstByte_;
    size_t longest_ = 0;
    bool matchesAll_ = false;  // an empty text occurs in every path
};

}  // namespace scan
