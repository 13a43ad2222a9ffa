#include "platform/codepage.h"

#include <windows.h>

namespace platform {

std::wstring ToWide(std::string_view narrow) {
    if (narrow.empty()) return {};
    int n = ::MultiByteToWideChar(CP_ACP, 0, narrow.data(), static_cast<int>(narrow.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, narrow.data(), static_cast<int>(narrow.size()), wide.data(), n);
    return wide;
}

std::string ToNarrow(std::wstring_view wide) {
    if (wide.empty()) return {};
    int n = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), narrow.data(), n, nullptr, nullptr);
    return narrow;
}

void LowerAnsiInPlace(std::string& text) {
    if (!text.empty()) ::CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
}

std::string LowerAnsi(std::string_view text) {
    std::string lowered(text);
    LowerAnsiInPlace(lowered);
    return lowered;
}

}  // namespace platform
