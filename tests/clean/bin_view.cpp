#include "bin_view.h"

#include <shlwapi.h>

namespace cleantest {

using platform::ComPtr;

namespace {

// Wine's recycle-bin menu restores an item with this command.
constexpr UINT kRestoreCommand = 301;

std::string DisplayName(IShellFolder* folder, const ITEMIDLIST* item) {
    STRRET name{};
    char text[MAX_PATH] = {};
    if (FAILED(folder->GetDisplayNameOf(item, SHGDN_NORMAL, &name))) return {};
    StrRetToBufA(&name, item, text, MAX_PATH);
    return text;
}

}  // namespace

ComPtr<IShellFolder> RecycleBinFolder() {
    ComPtr<IShellFolder> desktop;
    ComPtr<IShellFolder> bin;
    ITEMIDLIST* location = nullptr;
    if (FAILED(SHGetDesktopFolder(desktop.Put()))) return bin;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_BITBUCKET, &location))) return bin;
    Pidl owned(location);
    desktop->BindToObject(location, nullptr, IID_IShellFolder, bin.PutVoid());
    return bin;
}

Pidl FindInBin(IShellFolder* bin, const std::string& name) {
    ComPtr<IEnumIDList> items;
    if (bin->EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, items.Put()) != S_OK) return nullptr;
    ITEMIDLIST* item = nullptr;
    while (items->Next(1, &item, nullptr) == S_OK) {
        Pidl owned(item);
        if (DisplayName(bin, item) == name) return owned;
    }
    return nullptr;
}

bool Restore(IShellFolder* bin, const ITEMIDLIST* item) {
    ComPtr<IContextMenu> menu;
    if (FAILED(bin->GetUIObjectOf(nullptr, 1, &item, IID_IContextMenu, nullptr, menu.PutVoid()))) return false;
    CMINVOKECOMMANDINFO invoke{};
    invoke.cbSize = sizeof invoke;
    invoke.lpVerb = MAKEINTRESOURCEA(kRestoreCommand);
    invoke.nShow = SW_SHOWNORMAL;
    return SUCCEEDED(menu->InvokeCommand(&invoke));
}

}  // namespace cleantest
