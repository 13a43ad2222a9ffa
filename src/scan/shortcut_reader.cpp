#include "scan/shortcut_reader.h"

#include <shlwapi.h>

#include <optional>
#include <string>

#include "platform/codepage.h"
#include "platform/untouched_read.h"
#include "platform/wide_path.h"

namespace scan {

namespace {

// Shortcuts are small; a file beyond this is no shortcut to read.
constexpr size_t kLargestShortcut = 1u << 20;

}  // namespace

bool ShortcutReader::Read(const std::string& shortcutPath, std::string& target) {
    target.clear();
    if (!link_) {
        if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link_.PutVoid()))) {
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
    static thread_local std::wstring stored(platform::kLongestPath + 1, L'\0');
    stored[0] = L'\0';
    if (FAILED(link_->GetPath(stored.data(), static_cast<int>(stored.size()), nullptr, 0))) return false;
    target = platform::ToNarrow(stored.c_str());
    return true;
}

}  // namespace scan
