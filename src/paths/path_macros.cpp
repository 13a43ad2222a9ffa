#include "paths/path_macros.h"

#include <windows.h>

#include "paths/module_paths.h"
#include "paths/path_text.h"
#include "platform/codepage.h"
#include "platform/handle.h"

namespace paths {

namespace {

constexpr int kAppData = 0x1A;
constexpr int kCommonAppData = 0x23;
constexpr int kPersonal = 0x05;

using GetFolderPath = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);

std::string ShellFolder(const char* library, int folder) {
    platform::LoadedModule module(::LoadLibraryA(library));
    if (!module) return {};
    auto get = reinterpret_cast<GetFolderPath>(
        reinterpret_cast<void*>(::GetProcAddress(module.Get(), "SHGetFolderPathA")));
    char buffer[MAX_PATH] = {};
    if (!get || FAILED(get(nullptr, folder, nullptr, 0, buffer))) return {};
    return buffer;
}

template <typename Query>
std::string SystemFolder(Query query) {
    char buffer[MAX_PATH] = {};
    UINT n = query(buffer, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return {};
    return std::string(buffer, n);
}

}  // namespace

std::vector<PathMacro> CurrentPathMacros(const char* shellFolderLibrary) {
    const char* lib = shellFolderLibrary;
    std::vector<PathMacro> all = {
        {"%AppData%", ShellFolder(lib, kAppData)},
        {"%CommonAppData%", ShellFolder(lib, kCommonAppData)},
        // The all-users folder as well, not the per-user local one: skin
        // settings written for either name keep finding the same files.
        {"%LocalAppData%", ShellFolder(lib, kCommonAppData)},
        {"%ModulePath%", ModuleDirectory()},
        {"%Personal%", ShellFolder(lib, kPersonal)},
        {"%SystemDirectory%", SystemFolder([](char* b, UINT n) { return ::GetSystemDirectoryA(b, n); })},
        {"%TempDirectory%", SystemFolder([](char* b, UINT n) { return static_cast<UINT>(::GetTempPathA(n, b)); })},
        {"%Windows%", SystemFolder([](char* b, UINT n) { return ::GetWindowsDirectoryA(b, n); })},
        {"%WindowsDirectory%", SystemFolder([](char* b, UINT n) { return ::GetWindowsDirectoryA(b, n); })},
    };
    std::vector<PathMacro> defined;
    for (PathMacro& macro : all) {
        macro.folder = WithoutTrailingBackslash(macro.folder);
        if (!macro.folder.empty()) defined.push_back(std::move(macro));
    }
    return defined;
}

std::string ExpandPathMacros(std::string_view text, const std::vector<PathMacro>& macros) {
    std::string result(text);
    for (const PathMacro& macro : macros) {
        size_t at = platform::LowerAnsi(result).find(platform::LowerAnsi(macro.name));
        if (at != std::string::npos) result.replace(at, macro.name.size(), macro.folder);
    }
    return result;
}

std::string ExpandPathMacros(std::string_view text) { return ExpandPathMacros(text, CurrentPathMacros()); }

}  // namespace paths
