#pragma once
// File disposal and the backup layout. Each phase walks the whole list,
// checks the stop request before every file and reports its status and the
// index of the file it works on.
//
// A clean never removes a file the user did not see: every phase acts only
// on a plain file reached by its own name that still shows the size and
// last-write time the scan listed, and never through a link. What became of
// each file is recorded as its outcome.
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "clean/backup_layout.h"
#include "clean/file_ops.h"
#include "platform/held_file.h"

namespace clean {

// One file to dispose of: its full path and, when a scan listed it, what the
// listing said of it and why the scan found it.
struct CleanItem {
    CleanItem(std::string filePath, std::optional<platform::FileStamp> listedStamp = std::nullopt,
              std::string foundAs = {})
        : path(std::move(filePath)), listed(listedStamp), reason(std::move(foundAs)) {}
    CleanItem(const char* filePath) : path(filePath) {}

    std::string path;
    std::optional<platform::FileStamp> listed;
    std::string reason;

    bool operator==(const CleanItem&) const = default;
};

using CleanList = std::vector<CleanItem>;

class CleanProgress {
public:
    virtual ~CleanProgress() = default;
    virtual void SetStatus(const std::string& text) = 0;
    virtual void SetPosition(int position) = 0;
};

using StopFlag = std::atomic<int>;

// What became of one file of the list.
enum class FileOutcome : uint8_t {
    Waiting,      // no phase has settled it yet
    BackedUp,     // copied into the backup set, not yet disposed of
    Cleaned,      // deleted, recycled or moved
    KeptNoCopy,   // the backup copy failed (or no set could be made)
    KeptStopped,  // the clean stopped before its backup copy was made
    KeptNoPlace,  // backup on, and the path has no place in a set
    KeptChanged,  // not the file the scan listed (size, time, now a folder)
    KeptLink,     // a link, or reached through one
    InUse,        // another program holds it
    Denied,       // access denied
    Missing,      // gone since the scan
    NotBinned,    // the Recycle Bin could not take it; it stays
    NotBinnedLong,  // the same, for a path longer than the shell's functions take
    Failed,       // any other failure
};

// One outcome per file of the list, in list order.
using CleanOutcomes = std::vector<FileOutcome>;

// True for outcomes after which no later phase touches the file.
bool IsSettled(FileOutcome outcome);

// Each phase returns true when it ran to the end of the list and false when
// it ended because of the stop request. outcomes, when given, is sized to the
// list if it is not already, read to skip settled files and updated.

// Copies every file into the set folder at its place (BackupPathFor),
// creating the folders it needs. A file without a place, a file that is not
// the one listed, and a file whose copy fails or comes out with another size
// are kept (the disposal phases leave them); a failed copy leaves nothing at
// its place. A stop keeps every file not reached yet.
bool BackupFiles(const CleanList& list, const std::string& setFolder, CleanProgress& progress, const StopFlag& stop,
                 CleanOutcomes* outcomes = nullptr);

// Deletes every file, through a handle that does not follow links.
bool DeleteFiles(const CleanList& list, CleanProgress& progress, const StopFlag& stop,
                 CleanOutcomes* outcomes = nullptr);

class SpareJournal;

// Moves every file into the Recycle Bin, silently; a file the bin cannot
// take stays where it is. The spare names that guard the files are written
// down in the journal, when one is given (spare_journal.h).
bool RecycleFiles(const CleanList& list, CleanProgress& progress, const StopFlag& stop,
                  CleanOutcomes* outcomes = nullptr);
bool RecycleFiles(const CleanList& list, CleanProgress& progress, const StopFlag& stop, CleanOutcomes* outcomes,
                  SpareJournal* journal);

// Moves every file into the target folder (one trailing backslash allowed)
// under a free name; a source is deleted only after its copy succeeded with
// the source's size. An empty target (or "\") touches nothing and shows no
// status.
bool MoveFilesToFolder(const CleanList& list, std::string_view targetFolder, CleanProgress& progress,
                       const StopFlag& stop, CleanOutcomes* outcomes = nullptr);

// Removes from the set the copies of files a disposal phase kept because
// they were not the files listed (changed, or links): such a copy is not of
// a file the user chose, and a restore must not put it back. Folders this
// empties go too, and so does the set when nothing is left in it.
void DropCopiesOfUnlistedFiles(const CleanList& list, const std::string& setFolder, const CleanOutcomes& outcomes);

}  // namespace clean
