#include "ui/folder_browser.h"

#include <shlobj.h>

#include <memory>

#include "platform/codepage.h"
#include "platform/wide_path.h"

namespace ui {

namespace {

struct ItemIdListFree {
    void operator()(LPITEMIDLIST list) const { ::CoTaskMemFree(list); }
};
using ItemIdList = std::unique_ptr<ITEMIDLIST, ItemIdListFree>;

}  // namespace

std::optional<std::string> SystemFolderBrowser() {
    BROWSEINFOW info{};
    info.hwndOwner = ::GetActiveWindow();
    info.pidlRoot = nullptr;  // the desktop
    info.lpszTitle = nullptr;
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    ItemIdList chosen(::SHBrowseForFolderW(&info));
    if (!chosen) return std::nullopt;
    // A chosen folder may lie deeper than the older query's fixed buffer.
    std::wstring path(platform::kLongestPath + 1, L'\0');
    if (!::SHGetPathFromIDListEx(chosen.get(), path.data(), static_cast<DWORD>(path.size()), GPFIDL_DEFAULT) ||
        path[0] == L'\0') {
        return std::nullopt;
    }
    return platform::ToNarrow(path.c_str());
}

}  // namespace ui
