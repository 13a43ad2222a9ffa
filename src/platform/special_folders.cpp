#include "platform/special_folders.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include "platform/codepage.h"
#include "platform/handle.h"

namespace platform {

namespace {

// A folder of the system's fixed-buffer queries, which give the length when
// the path fits and the size they need when it does not.
template <typename Query>
std::string FixedBufferFolder(Query query) {
    char buffer[MAX_PATH] = {};
    UINT n = query(buffer, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return {};
    return std::string(buffer, n);
}

}  // namespace

std::string SpecialFolderPath(int csidl) {
    char path[MAX_PATH] = {};
    if (!::SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE)) return {};
    return path;
}

std::string SpecialFolderPathFrom(const char* library, int csidl) {
    using GetFolderPath = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);
    LoadedModule module(::LoadLibraryA(library));
    if (!module) return {};
    auto get = reinterpret_cast<GetFolderPath>(
        reinterpret_cast<void*>(::GetProcAddress(module.Get(), "SHGetFolderPathA")));
    char path[MAX_PATH] = {};
    if (!get || FAILED(get(nullptr, csidl, nullptr, 0, path))) return {};
    return path;
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
    return FixedBufferFolder([](char* buffer, UINT size) { return ::GetWindowsDirectoryA(buffer, size); });
}

std::string SystemFolder() {
    return FixedBufferFolder([](char* buffer, UINT size) { return ::GetSystemDirectoryA(buffer, size); });
}

std::string TempFolder() {
    return FixedBufferFolder(
        [](char* buffer, UINT size) { return static_cast<UINT>(::GetTempPathA(size, buffer)); });
}

}  // namespace platform
