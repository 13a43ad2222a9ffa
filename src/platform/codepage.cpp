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

namespace {

std::string Encode(UINT codePage, std::wstring_view wide) {
    if (wide.empty()) return {};
    const int length = static_cast<int>(wide.size());
    const int n = ::WideCharToMultiByte(codePage, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return {};
    std::string text(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(codePage, 0, wide.data(), length, text.data(), n, nullptr, nullptr);
    return text;
}

}  // namespace

std::string ToNarrow(std::wstring_view wide) { return Encode(CP_ACP, wide); }

std::string ToUtf8(std::wstring_view wide) { return Encode(CP_UTF8, wide); }

bool ToNarrowExact(std::wstring_view wide, std::string& narrow) {
    narrow.clear();
    // Most names are plain ASCII, which every code page spells alike.
    bool ascii = true;
    for (wchar_t c : wide) ascii &= c < 0x80;
    if (ascii) {
        narrow.assign(wide.begin(), wide.end());
        return true;
    }
    const int length = static_cast<int>(wide.size());
    // UTF-8 takes no best-fit flag and no default character: it can only
    // fail on a broken surrogate pair. Other code pages must neither map a
    // character to a look-alike nor put in the default character.
    static const UINT codePage = ::GetACP();
    const bool utf8 = codePage == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* used = utf8 ? nullptr : &usedDefault;
    int n = ::WideCharToMultiByte(CP_ACP, flags, wide.data(), length, nullptr, 0, nullptr, used);
    if (n <= 0 || usedDefault) return false;
    narrow.resize(static_cast<size_t>(n));
    if (::WideCharToMultiByte(CP_ACP, flags, wide.data(), length, narrow.data(), n, nullptr, used) != n ||
        usedDefault) {
        narrow.clear();
        return false;
    }
    return true;
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
