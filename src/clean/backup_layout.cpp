#include "clean/backup_layout.h"

#include <cstdint>
#include <cstdio>

#include "clean/clean_log.h"
#include "clean/file_ops.h"
#include "paths/module_paths.h"

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
    EnsureFolderPath(root);
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    FILETIME start{};
    ::SystemTimeToFileTime(&now, &start);
    ULARGE_INTEGER ticks{{start.dwLowDateTime, start.dwHighDateTime}};
    for (int later = 0; later < kLaterSecondsTried; ++later, ticks.QuadPart += kTicksPerSecond) {
        FILETIME time{ticks.LowPart, ticks.HighPart};
        SYSTEMTIME name{};
        if (!::FileTimeToSystemTime(&time, &name)) break;
        std::string set = root + BackupSetName(name);
        // A clean without a set may have logged under this name: the set's
        // log takes the set's name.
        if (PathTaken(LogPathFor(BackupSetName(name)))) continue;
        // Making the folder is what claims the name: it fails when it exists.
        if (::CreateDirectoryA(set.c_str(), nullptr)) return set;
        if (::GetLastError() != ERROR_ALREADY_EXISTS) break;
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
