#pragma once
// File disposal and the backup layout. Each phase walks the whole list,
// checks the stop request before every file and reports its status and the
// index of the file it works on.
#include <atomic>
#include <string>
#include <string_view>
#include <vector>

#include "clean/backup_layout.h"
#include "clean/file_ops.h"

namespace clean {

using CleanList = std::vector<std::string>;

class CleanProgress {
public:
    virtual ~CleanProgress() = default;
    virtual void SetStatus(const std::string& text) = 0;
    virtual void SetPosition(int position) = 0;
};

using StopFlag = std::atomic<int>;

// One entry per file of the list: true for a file the disposal phases must
// leave where it is, because the backup that was asked for holds no copy of
// it (its copy failed, or a stop came before it was reached).
using KeepMask = std::vector<bool>;

// Each phase returns true when it ran to the end of the list and false when
// it ended because of the stop request.

// Copies every file that has a place (BackupPathFor) into the set folder,
// creating the folders it needs and replacing files already there. When
// keep is given it is filled for the disposal phases.
bool BackupFiles(const CleanList& list, const std::string& setFolder, CleanProgress& progress, const StopFlag& stop,
                 KeepMask* keep = nullptr);

// ForceDeleteFile on every file.
bool DeleteFiles(const CleanList& list, CleanProgress& progress, const StopFlag& stop,
                 const KeepMask* keep = nullptr);

// Moves every file into the Recycle Bin through the shell, silently.
bool RecycleFiles(const CleanList& list, CleanProgress& progress, const StopFlag& stop,
                  const KeepMask* keep = nullptr);

// Moves every file into the target folder (one trailing backslash allowed)
// under a free name; a source is deleted only after its copy succeeded. An
// empty target (or "\") touches nothing and shows no status.
bool MoveFilesToFolder(const CleanList& list, std::string_view targetFolder, CleanProgress& progress,
                       const StopFlag& stop, const KeepMask* keep = nullptr);

}  // namespace clean
