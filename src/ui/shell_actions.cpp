#include "ui/shell_actions.h"

#include <shellapi.h>

#include "platform/handle.h"
#include "paths/path_text.h"
#include "platform/file_query.h"
#include "platform/trace.h"
#include "platform/wide_path.h"
#include "text/language_table.h"

namespace ui {

// The shell takes paths without the long-path prefix, spelled as the
// program spells them.
void ShowProperties(HWND owner, const std::string& path) {
    // The shell's own functions take no longer path (some platforms crash
    // on one): nothing is shown rather than the program ended.
    if (platform::ExceedsShortPathLimit(path)) {
        platform::Trace("shell", "no property sheet for a path longer than the shell takes");
        return;
    }
    const std::wstring file = platform::ShellPath(path);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_INVOKEIDLIST;
    info.hwnd = owner;
    info.lpVerb = L"properties";
    info.lpFile = file.c_str();
    info.lpParameters = L"";
    info.nShow = SW_SHOW;
    if (!::ShellExecuteExW(&info)) platform::TraceLastError("shell", "the property sheet cannot be opened");
}

namespace {

// ShellExecute answers 32 or less on failure.
void TraceShellFailure(HINSTANCE result, const char* what) {
    if (reinterpret_cast<INT_PTR>(result) <= 32) platform::TraceLastError("shell", what);
}

}  // namespace

void ShowInExplorer(const std::string& path) {
    std::wstring parameters = L"/e,/select," + platform::ShellPath(path);
    TraceShellFailure(::ShellExecuteW(nullptr, L"open", L"Explorer", parameters.c_str(), nullptr, SW_SHOWNORMAL),
                      "the file manager cannot be opened");
}

void OpenWithShell(const std::string& target) {
    // The shell takes no path longer than MAX_PATH - 1; a web address, which
    // is no absolute path, goes through ShellPath as written.
    if (platform::ExceedsShortPathLimit(target)) {
        platform::Trace("shell", "a path longer than the shell takes is not opened");
        return;
    }
    const std::wstring wide = platform::ShellPath(target);
    TraceShellFailure(::ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL),
                      "a document or address cannot be opened");
}

Icon SmallIconOfPath(const std::string& path) {
    SHFILEINFOW info{};
    // A path longer than the shell takes gets the icon of its kind, by its
    // attributes alone.
    const bool beyondShell = platform::ExceedsShortPathLimit(path);
    const DWORD attributes = beyondShell ? platform::AttributesOf(path) : 0;
    if (beyondShell && attributes == INVALID_FILE_ATTRIBUTES) return Icon();
    const std::wstring name = beyondShell ? platform::WideName(paths::LastComponent(path)) : platform::ShellPath(path);
    const UINT flags = SHGFI_ICON | SHGFI_SMALLICON | (beyondShell ? SHGFI_USEFILEATTRIBUTES : 0);
    if (!::SHGetFileInfoW(name.c_str(), attributes, &info, sizeof info, flags)) return Icon();
    return Icon(info.hIcon);
}

Icon SmallIconOfFileName(const std::string& name) {
    SHFILEINFOA info{};
    if (!::SHGetFileInfoA(name.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                          SHGFI_ICON | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES)) {
        return Icon();
    }
    return Icon(info.hIcon);
}

void EnableTabPageBackground(HWND dialog) {
    platform::LoadedModule theme(::LoadLibraryA("uxtheme.dll"));
    if (!theme) return;
    using EnableTexture = HRESULT(WINAPI*)(HWND, DWORD);
    auto enable = reinterpret_cast<EnableTexture>(
        reinterpret_cast<void*>(::GetProcAddress(theme.Get(), "EnableThemeDialogTexture")));
    constexpr DWORD kEnableTab = 6;  // ETDT_ENABLE | ETDT_USETABTEXTURE
    if (enable) enable(dialog, kEnableTab);
}

int ShowMessage(HWND owner, const char* key, UINT flags) {
    std::string message = text::LookupText(key);
    std::string caption = text::LookupText("_AppName");
    return ::MessageBoxA(owner, message.c_str(), caption.c_str(), flags);
}

}  // namespace ui
