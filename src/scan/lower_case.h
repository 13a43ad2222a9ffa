#pragma once
// Lower-casing with the system's ANSI mapping, fast enough for every entry of
// a walk.
#include <string>
#include <string_view>

namespace scan {

// In a single-byte code page the mapping takes one byte to one byte, so it
// is asked once per byte value and kept in a table; in a double-byte code
// page every text goes through CharLowerBuffA, which tells lead bytes from
// trail bytes. Either way the result is what CharLowerBuffA gives.
class AnsiLowerCase {
public:
    static const AnsiLowerCase& Instance();

    // Appends the lower-cased text to out.
    void Append(std::string& out, std::string_view text) const;

private:
    AnsiLowerCase();

    bool byTable_ = false;
    char table_[256];
};

}  // namespace scan
