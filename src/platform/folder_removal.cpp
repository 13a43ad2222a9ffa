#include "platform/folder_removal.h"

#include <windows.h>

#include "platform/fresh_file.h"
#include "platform/guarded_folder.h"
#include "platform/wide_path.h"

namespace platform {

bool RemoveEmptyFolder(const std::string& path, std::string_view anchor) {
    const size_t cut = path.find_last_of('\\');
    if (cut == std::string::npos || cut + 1 >= path.size()) return false;
    const std::string parentPath = path.substr(0, cut);
    if (!anchor.empty() && parentPath.size() < anchor.size()) return false;  // the anchor itself stays
    GuardedFolder parent = GuardedFolder::Open(parentPath, anchor);
    if (!parent.Valid()) return false;
    const std::wstring name = EntryName(path);
    DWORD error = ERROR_SUCCESS;
    UniqueHandle folder = parent.OpenEntry(name, DELETE | FILE_READ_ATTRIBUTES, error);
    if (!folder) return false;
    FILE_BASIC_INFO basic{};
    if (!::GetFileInformationByHandleEx(folder.Get(), FileBasicInfo, &basic, sizeof basic) ||
        !(basic.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !parent.Holds(folder.Get(), name, false)) {
        return false;
    }
    // Refused while the folder holds anything.
    FILE_DISPOSITION_INFO disposition{TRUE};
    return ::SetFileInformationByHandle(folder.Get(), FileDispositionInfo, &disposition, sizeof disposition) != 0;
}

bool RemoveFolderLink(const std::string& path) { return ::RemoveDirectoryW(WidePath(path).c_str()) != 0; }

}  // namespace platform
