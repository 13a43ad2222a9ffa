#include "scan/shortcut_reader.h"

#include "platform/codepage.h"

namespace scan {

bool ShortcutReader::Read(const char* shortcutPath, char (&target)[MAX_PATH]) {
    target[0] = '\0';
    if (!link_) {
        if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link_.PutVoid()))) {
            return false;
        }
        file_ = link_.As<IPersistFile>(IID_IPersistFile);
    }
    if (!file_ || FAILED(file_->Load(platform::ToWide(shortcutPath).c_str(), STGM_READ))) {
        file_.Reset();
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
