#include "platform/shell_file_operation.h"

#include <shlobj.h>

namespace platform {

void ShellDelete(const std::string& path, FILEOP_FLAGS flags) {
    std::string source = path;
    source.push_back('\0');  // a list of one name ends with two zeros
    SHFILEOPSTRUCTA operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = source.c_str();
    operation.fFlags = flags;
    ::SHFileOperationA(&operation);
}

void EmptyRecycleBin() {
    ::SHEmptyRecycleBinA(nullptr, nullptr, SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND);
}

}  // namespace platform
