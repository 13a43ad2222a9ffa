#pragma once
// The shell's view of the recycle bin, for finding and restoring what a
// clean put there.
#include <windows.h>
#include <shlobj.h>

#include <memory>
#include <string>

#include "platform/com.h"

namespace cleantest {

struct PidlDeleter {
    void operator()(ITEMIDLIST* p) const { CoTaskMemFree(p); }
};
using Pidl = std::unique_ptr<ITEMIDLIST, PidlDeleter>;

platform::ComPtr<IShellFolder> RecycleBinFolder();
// The recycle-bin item shown under the given name, or null.
Pidl FindInBin(IShellFolder* bin, const std::string& name);
// Puts the item back where it came from.
bool Restore(IShellFolder* bin, const ITEMIDLIST* item);

}  // namespace cleantest
