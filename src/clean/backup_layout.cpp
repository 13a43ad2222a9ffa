#include "clean/backup_layout.h"

#include <cstdint>
#include <cstdio>

#include "clean/clean_log.h"
#include "clean/file_ops.h"
#include "paths/module_paths.h"
#include "paths/path_text.h"
#include "platform/guarded_folder.h"
#include "platform/wide_path.h"

namespace clean {

std::string BackupRoot() { return paths::ModuleDirectory() + "\\Data\\ToolJunkSweep\\Backup\\"; }

std::string BackupSetName(const SYSTEMTIME& t) {
    char name[64];
    std::snprintf(name, sizeof name, "%04d-%02d-%02d_%02d-%02d-%02d", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
                  t.wSecond);
    return name;
}

std::optional<std::string> ReserveBackupSet() {
    constexpr uint64_t kTicksPerSecond = 10000000;
    constexpr int kLaterSecondsTried = 3600;
    const std::string root = BackupRoot();
    // The sets live below the program's folder, never where a link leads.
    const platform::GuardedFolder held =
        platform::GuardedFolder::Make(paths::WithoutTrailingBackslash(root), paths::ModuleDirectory());
    if (!held.Valid()) return std::nullopt;
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    FILETIME start{};
    ::SystemTimeToFileTime(&now, &start);
    ULARGE_INTEGER ticks{{start.dwLowDateTime, start.dwHighDateTime}};
    for (int later = 0; later < kLaterSecondsTried; ++later, ticks.QuadPart += kTicksPerSecond) {
        FILETIME time{ticks.LowPart, ticks.HighPart};
        SYSTEMTIME name{};
        if (!::FileTimeToSystemTime(&time, &name)) break;
        const std::string setName = BackupSetName(name);
        // A clean without a set may have logged under this name: the set's
        // log takes the set's name.
        if (PathTaken(LogPathFor(setName))) continue;
        // Making the folder is what claims the name: it fails when it exists.
        const DWORD made = held.MakeFolder(platform::WideName(setName));
        if (made == ERROR_SUCCESS) return root + setName;
        if (made != ERROR_ALREADY_EXISTS) break;
    }
    return std::nullopt;
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
