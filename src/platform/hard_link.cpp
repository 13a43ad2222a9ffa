#include "platform/hard_link.h"

#include "platform/wide_path.h"

namespace platform {

DWORD AddHardLink(const std::string& existing, const std::string& newName) {
    if (::CreateHardLinkW(WidePath(newName).c_str(), WidePath(existing).c_str(), nullptr)) return ERROR_SUCCESS;
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_EXISTS ? ERROR_ALREADY_EXISTS : error;
}

}  // namespace platform
