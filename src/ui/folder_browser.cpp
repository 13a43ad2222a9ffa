#include "ui/folder_browser.h"

#include <shlobj.h>

#include <memory>

namespace ui {

namespace {

struct ItemIdListFree {
    void operator()(LPITEMIDLIST list) const { ::CoTaskMemFree(list); }
};
using ItemIdList = std::unique_ptr<ITEMIDLIST, ItemIdListFree>;

}  // namespace

std::optional<std::string> SystemFolderBrowser() {
    BROWSEINFOA info{};
    info.hwndOwner = ::GetActiveWindow();
    info.pidlRoot = nullptr;  // the desktop
    info.lpszTitle = nullptr;
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    ItemIdList chosen(::SHBrowseForFolderA(&info));
    if (!chosen) return std::nullopt;
    char path[MAX_PATH] = {};
    if (!::SHGetPathFromIDListA(chosen.get(), path) || path[0] == '\0') return std::nullopt;
    return std::string(path);
}

}  // namespace ui
