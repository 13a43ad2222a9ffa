#include "clean/backup_layout.h"

#include <cstdio>

#include "paths/module_paths.h"

namespace clean {

std::string BackupRoot() { return paths::ModuleDirectory() + "\\Data\\ToolJunkSweep\\Backup\\"; }

std::string BackupSetName(const SYSTEMTIME& t) {
    char name[64];
    std::snprintf(name, sizeof name, "%04d-%02d-%02d_%02d-%02d-%02d", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
                  t.wSecond);
    return name;
}

std::string NewBackupSetFolder() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return BackupRoot() + BackupSetName(now);
}

std::string BackupPathFor(std::string_view setFolder, std::string_view filePath) {
    if (filePath.size() < 2 || filePath[1] != ':') return {};
    std::string relative(filePath);
    relative[1] = '\\';
    // Collapse each pair of backslashes, left to right, without overlap.
    std::string collapsed;
    collapsed.reserve(relative.size());
    for (size_t i = 0; i < relative.size(); ++i) {
        collapsed += relative[i];
        if (relative[i] == '\\' && i + 1 < relative.size() && relative[i + 1] == '\\') ++i;
    }
    std::string place(setFolder);
    place += '\\';
    place += collapsed;
    return place;
}

}  // namespace clean
