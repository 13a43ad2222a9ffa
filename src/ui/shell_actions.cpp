#include "ui/shell_actions.h"

#include <shellapi.h>

#include "platform/handle.h"
#include "text/language_table.h"

namespace ui {

void ShowProperties(HWND owner, const std::string& path) {
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_INVOKEIDLIST;
    info.hwnd = owner;
    info.lpVerb = "properties";
    info.lpFile = path.c_str();
    info.lpParameters = "";
    info.nShow = SW_SHOW;
    ::ShellExecuteExA(&info);
}

void ShowInExplorer(const std::string& path) {
    std::string parameters = "/e,/select," + path;
    ::ShellExecuteA(nullptr, "open", "Explorer", parameters.c_str(), nullptr, SW_SHOWNORMAL);
}

void OpenWithShell(const std::string& target) {
    ::ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

Icon SmallIconOfPath(const std::string& path) {
    SHFILEINFOA info{};
    if (!::SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON)) return Icon();
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
