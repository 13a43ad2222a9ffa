#include "platform/shell_file_operation.h"

#include <shlobj.h>

#include "platform/wide_path.h"

namespace platform {

void ShellDelete(const std::string& path, FILEOP_FLAGS flags) {
    // The shell takes no long-path prefix: the path goes as it is spelled,
    // and the shell may refuse one that is too long for it.
    std::wstring source = ShellPath(path);
    source.push_back(L'\0');  // a list of one name ends with two zeros
    SHFILEOPSTRUCTW operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = source.c_str();
    operation.fFlags = flags;
    ::SHFileOperationW(&operation);
}

void EmptyRecycleBin() {
    ::SHEmptyRecycleBinA(nullptr, nullptr, SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND);
}

}  // namespace platform
