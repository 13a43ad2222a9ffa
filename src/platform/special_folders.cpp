#include "platform/special_folders.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include "platform/codepage.h"
#include "platform/growing_buffer.h"
#include "platform/handle.h"
#include "platform/wide_path.h"

namespace platform {

namespace {

// The shell's folder queries fill a buffer of their own fixed size at most;
// the buffer here holds any path.
std::wstring PathBuffer() { return std::wstring(kLongestPath + 1, L'\0'); }

}  // namespace

std::string SpecialFolderPath(int csidl) {
    std::wstring path = PathBuffer();
    if (!::SHGetSpecialFolderPathW(nullptr, path.data(), csidl, FALSE)) return {};
    return ToNarrow(path.c_str());
}

std::string SpecialFolderPathFrom(const char* library, int csidl) {
    using GetFolderPath = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);
    LoadedModule module(::LoadLibraryA(library));
    if (!module) return {};
    auto get = reinterpret_cast<GetFolderPath>(
        reinterpret_cast<void*>(::GetProcAddress(module.Get(), "SHGetFolderPathW")));
    std::wstring path = PathBuffer();
    if (!get || FAILED(get(nullptr, csidl, nullptr, 0, path.data()))) return {};
    return ToNarrow(path.c_str());
}

std::string LocalLowFolder() {
    PWSTR path = nullptr;
    std::string folder;
    if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_LocalAppDataLow, 0, nullptr, &path)) && path) {
        std::string narrow;
        if (ToNarrowExact(path, narrow) && narrow.size() < MAX_PATH) folder = std::move(narrow);
    }
    ::CoTaskMemFree(path);
    return folder;
}

std::string WindowsFolder() {
    return ToNarrow(GrowingBuffer([](wchar_t* buffer, DWORD size) { return ::GetWindowsDirectoryW(buffer, size); }));
}

std::string SystemFolder() {
    return ToNarrow(GrowingBuffer([](wchar_t* buffer, DWORD size) { return ::GetSystemDirectoryW(buffer, size); }));
}

std::string TempFolder() {
    return ToNarrow(GrowingBuffer([](wchar_t* buffer, DWORD size) { return ::GetTempPathW(size, buffer); }));
}

std::string ProgramFilePath() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size()) return ToNarrow(std::wstring_view(buffer.data(), n));
        if (buffer.size() > kLongestPath) return {};
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace platform
