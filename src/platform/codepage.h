#pragma once
// Conversions between the narrow texts the program works with (the system's
// active ANSI code page) and the wide texts of COM components.
#include <string>
#include <string_view>

namespace platform {

std::wstring ToWide(std::string_view narrow);
std::string ToNarrow(std::wstring_view wide);

// Lower-cases with the system's ANSI mapping (CharLowerBuffA).
std::string LowerAnsi(std::string_view text);
void LowerAnsiInPlace(std::string& text);

}  // namespace platform
