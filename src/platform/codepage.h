#pragma once
// Conversions between the narrow texts the program works with (the system's
// active ANSI code page) and the wide texts of COM components and of the
// file system.
#include <string>
#include <string_view>

namespace platform {

std::wstring ToWide(std::string_view narrow);
std::string ToNarrow(std::wstring_view wide);
// The wide text in UTF-8, whatever the active code page (files written for
// other readers); empty when it cannot be converted.
std::string ToUtf8(std::wstring_view wide);

// Converts without any approximation: false when a character has no exact
// narrow form in the active code page (where the plain conversion would put
// a look-alike or "?" in its place). narrow is replaced either way.
bool ToNarrowExact(std::wstring_view wide, std::string& narrow);

// Lower-cases with the system's ANSI mapping (CharLowerBuffA).
std::string LowerAnsi(std::string_view text);
void LowerAnsiInPlace(std::string& text);

}  // namespace platform
