#pragma once
// Reads the target path stored in shell shortcut (.lnk) files.
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "platform/com.h"

namespace scan {

// Keeps one shortcut object for many files: creating it costs more than
// loading a file into it. After a file that fails to load, the next one gets
// a fresh object, so nothing of a broken file can linger. COM must be
// initialised on the calling thread; use the reader on that thread only.
class ShortcutReader {
public:
    // The stored target, at any length, read with IShellLinkW::GetPath and
    // no flags (no search for a moved target, no user interface). False
    // when the file cannot be read as a shortcut. The file is read without
    // changing its last-access time: a search is no use of the shortcut,
    // and a later search for files not opened for months must not be
    // misled.
    bool Read(const std::string& shortcutPath, std::string& target);

private:
    platform::ComPtr<IShellLinkW> link_;
    platform::ComPtr<IPersistStream> stream_;
};

}  // namespace scan
