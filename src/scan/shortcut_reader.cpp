#include "scan/shortcut_reader.h"

#include <shlwapi.h>

#include <optional>
#include <string>

#include "platform/untouched_read.h"

namespace scan {

namespace {

// Shortcuts are small; a file beyond this is no shortcut to read.
constexpr size_t kLargestShortcut = 1u << 20;

}  // namespace

bool ShortcutReader::Read(const char* shortcutPath, char (&target)[MAX_PATH]) {
    target[0] = '\0';
    if (!link_) {
        if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link_.PutVoid()))) {
            return false;
        }
        stream_ = link_.As<IPersistStream>(IID_IPersistStream);
    }
    const std::optional<std::string> bytes = platform::ReadFileUntouched(shortcutPath, kLargestShortcut);
    platform::ComPtr<IStream> content;
    if (bytes) {
        *content.Put() =
            ::SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes->data()), static_cast<UINT>(bytes->size()));
    }
    if (!stream_ || !content || FAILED(stream_->Load(content.Get()))) {
        stream_.Reset();
        link_.Reset();
        return false;
    }
    if (FAILED(link_->GetPath(target, MAX_PATH, nullptr, 0))) {
        target[0] = '\0';
        return false;
    }
    return true;
}

}  // namespace scan
