#pragma once
// The system's calls that write text into the caller's buffer and give its
// length when it fits, or the size they need when it does not.
#include <windows.h>

#include <string>

namespace platform {

// Calls call(buffer, size) with a buffer grown to what the call asks for.
// The text it wrote; empty when it fails (gives 0) or keeps asking for more.
template <typename Call>
std::wstring GrowingBuffer(Call call) {
    std::wstring buffer(MAX_PATH, L'\0');
    for (int tries = 0; tries < 3; ++tries) {
        const DWORD n = static_cast<DWORD>(call(buffer.data(), static_cast<DWORD>(buffer.size())));
        if (n == 0) return {};
        if (n < buffer.size()) {
            buffer.resize(n);
            return buffer;
        }
        buffer.assign(n + 1, L'\0');
    }
    return {};
}

}  // namespace platform
