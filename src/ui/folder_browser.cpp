#include "ui/folder_browser.h"

#include <shlobj.h>

#include <memory>
#include <utility>

namespace ui {

namespace {

FolderBrowser& CurrentBrowser() {
    static FolderBrowser browser;
    return browser;
}

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

std::optional<std::string> BrowseForFolder() {
    const FolderBrowser& browser = CurrentBrowser();
    return browser ? browser() : SystemFolderBrowser();
}

FolderBrowser SetFolderBrowser(FolderBrowser browser) { return std::exchange(CurrentBrowser(), std::move(browser)); }

}  // namespace ui
