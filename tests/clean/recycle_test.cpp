#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <memory>

#include "clean/clean_engine.h"
#include "platform/com.h"
#include "recording_sink.h"
#include "support/scratch.h"

namespace {

using platform::ComPtr;

// Wine's recycle-bin menu restores an item with this command.
constexpr UINT kRestoreCommand = 301;

struct PidlDeleter {
    void operator()(ITEMIDLIST* p) const { CoTaskMemFree(p); }
};
using Pidl = std::unique_ptr<ITEMIDLIST, PidlDeleter>;

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

std::string DisplayName(IShellFolder* folder, const ITEMIDLIST* item) {
    STRRET name{};
    char text[MAX_PATH] = {};
    if (FAILED(folder->GetDisplayNameOf(item, SHGDN_NORMAL, &name))) return {};
    StrRetToBufA(&name, item, text, MAX_PATH);
    return text;
}

// The recycle-bin item whose name is the given one, or null.
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

TEST(RecycleFiles, FileGoesToTheRecycleBinAndCanBeBroughtBack) {
    std::string folder = testsupport::NewScratchFolder("recycle");
    std::string name = "recycled-" + std::to_string(GetTickCount()) + ".txt";
    std::string path = folder + "\\" + name;
    testsupport::WriteFile(path, "keep me");
    cleantest::RecordingProgress progress;
    clean::StopFlag stop{0};
    EXPECT_TRUE(clean::RecycleFiles({path, folder + "\\missing.txt"}, progress, stop));
    EXPECT_FALSE(testsupport::FileExists(path));

    ComPtr<IShellFolder> bin = RecycleBinFolder();
    ASSERT_TRUE(bin);
    Pidl item = FindInBin(bin.Get(), name);
    ASSERT_TRUE(item) << "not found in the recycle bin";
    EXPECT_TRUE(Restore(bin.Get(), item.get()));
    EXPECT_EQ(testsupport::ReadFile(path), "keep me");
    EXPECT_FALSE(FindInBin(bin.Get(), name));
}

}  // namespace
