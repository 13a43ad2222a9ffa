#include "app/program_folder_check.h"

#include <windows.h>

#include <string>

#include "paths/folder_access.h"
#include "paths/module_paths.h"
#include "text/format_template.h"
#include "text/language_table.h"

namespace app {

bool ProgramFolderWritable(bool unattended) {
    std::string folder = paths::ModuleDirectory();
    if (paths::FolderTakesNewFiles(folder)) return true;
    if (!unattended) {
        // A drive root reads better with its backslash ("E:\" rather than "E:").
        if (!folder.empty() && folder.back() == ':') folder += '\\';
        const std::string message = text::FormatTemplate(text::LookupText("_ProgramFolderNotWritable"), {folder});
        ::MessageBoxA(nullptr, message.c_str(), text::LookupText("_AppName").c_str(), MB_OK | MB_ICONWARNING);
    }
    return false;
}

}  // namespace app
