#pragma once
// File disposal and the backup layout. Each phase walks the whole list,
// checks the stop request before every file and reports its status and the
// index of the file it works on.
#include <atomic>
#include <string>
#include <vector>

namespace clean {

using CleanList = std::vector<std::string>;

class CleanProgress {
public:
    virtual ~CleanProgress() = default;
    virtual void SetStatus(const std::string& text) = 0;
    virtual void SetPosition(int position) = 0;
};

using StopFlag = std::atomic<int>;

// (The clean-engine developer completes this header: BackupFiles,
// DeleteFiles, RecycleFiles, MoveFilesToFolder, ForceDeleteFile,
// EnsureFolderPath, BackupPathFor, UniqueTargetPath, BackupRoot.)

}  // namespace clean
