#include "paths/folder_access.h"

#include <windows.h>

#include "platform/handle.h"

namespace paths {

bool FolderTakesNewFiles(const std::string& folder) {
    // Another copy may be checking the same folder at the same moment: the
    // name carries the process id, and a taken name tries the next one.
    const std::string stem = folder + "\\~JunkSweep-write-check-" + std::to_string(::GetCurrentProcessId()) + "-";
    for (int attempt = 0; attempt < 8; ++attempt) {
        const std::string probe = stem + std::to_string(attempt) + ".tmp";
        platform::UniqueHandle file(::CreateFileA(
            probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
            FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
        if (file) return true;
        if (::GetLastError() != ERROR_FILE_EXISTS) return false;
    }
    return false;
}

}  // namespace paths
