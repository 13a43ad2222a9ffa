#include "clean/clean_engine.h"

#include <windows.h>
#include <shellapi.h>

#include "clean/recycle_bin.h"
#include "paths/path_text.h"
#include "text/format_template.h"
#include "text/language_table.h"

namespace clean {

namespace {

using platform::FileStamp;
using platform::HeldFile;
using platform::HeldState;

// The reporting rule every phase shares: status, position 0, then for each
// entry the stop check, its index as position, and the work. Returns the
// number of entries reached (the list's size when nothing stopped it).
template <typename Work>
size_t WalkList(const CleanList& list, CleanProgress& progress, const StopFlag& stop, const std::string& status,
                Work work) {
    progress.SetStatus(status);
    progress.SetPosition(0);
    for (size_t i = 0; i < list.size(); ++i) {
        if (stop.load() != 0) return i;
        progress.SetPosition(static_cast<int>(i));
        work(i, list[i]);
    }
    return list.size();
}

// The outcomes a phase records into: the caller's, sized to the list, or a
// scratch list when the caller does not want them.
class OutcomeSlots {
public:
    OutcomeSlots(CleanOutcomes* given, size_t size) : outcomes_(given ? *given : own_) {
        if (outcomes_.size() != size) outcomes_.assign(size, FileOutcome::Waiting);
    }
    FileOutcome& operator[](size_t i) { return outcomes_[i]; }

private:
    CleanOutcomes own_;
    CleanOutcomes& outcomes_;
};

FileOutcome OutcomeOf(HeldState state) {
    switch (state) {
        case HeldState::Plain:
            return FileOutcome::Waiting;
        case HeldState::Missing:
            return FileOutcome::Missing;
        case HeldState::InUse:
            return FileOutcome::InUse;
        case HeldState::Denied:
            return FileOutcome::Denied;
        case HeldState::Link:
            return FileOutcome::KeptLink;
        case HeldState::Folder:
        case HeldState::Changed:
            return FileOutcome::KeptChanged;
        case HeldState::Failed:
            break;
    }
    return FileOutcome::Failed;
}

FileOutcome OutcomeOfLastError() { return OutcomeOf(platform::StateOfError(::GetLastError())); }

// What the path shows now, read without opening the file (which makes it
// cheap enough to ask before every copy).
struct PathState {
    bool exists = false;
    DWORD attributes = 0;
    FileStamp stamp;
};

PathState StateOfPath(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return {};
    return {true, data.dwFileAttributes, platform::StampOf(data)};
}

// Whether the file at the path can still be the one listed; Waiting when so.
FileOutcome CompareWithListing(const PathState& now, const CleanItem& item) {
    if (!now.exists) return FileOutcome::Missing;
    if (now.attributes & FILE_ATTRIBUTE_REPARSE_POINT) return FileOutcome::KeptLink;
    if (now.attributes & FILE_ATTRIBUTE_DIRECTORY) return FileOutcome::KeptChanged;
    if (item.listed && !(now.stamp == *item.listed)) return FileOutcome::KeptChanged;
    return FileOutcome::Waiting;
}

// Copies source to target; a copy that fails, or that does not come out
// with the expected size, is removed again (a partial copy on a full disk
// would otherwise pass for the file). A target that was there before is
// never removed: failIfExists leaves it alone.
bool CopyWhole(const std::string& source, const std::string& target, uint64_t expectedSize, bool failIfExists) {
    if (!::CopyFileA(source.c_str(), target.c_str(), failIfExists ? TRUE : FALSE)) {
        DWORD error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) ::DeleteFileA(target.c_str());
        return false;
    }
    PathState copy = StateOfPath(target);
    if (copy.exists && copy.stamp.size == expectedSize) return true;
    ::DeleteFileA(target.c_str());
    return false;
}

bool CopyIntoBackup(const std::string& source, const std::string& place, uint64_t size, FolderEnsurer& folders) {
    std::string folder = paths::FolderPart(place);
    folders.Ensure(folder);
    if (CopyWhole(source, place, size, false)) return true;
    // The folder may have gone since it was last made sure of: once more, afresh.
    folders.Forget();
    folders.Ensure(folder);
    return CopyWhole(source, place, size, false);
}

// Checks the held file (opened without following links) against the
// listing: true when it may be disposed of; otherwise its outcome is settled
// with the reason it stays.
bool MayDispose(HeldFile& held, const CleanItem& item, platform::FolderFinalPaths& folders, FileOutcome& outcome) {
    const FileOutcome checked = OutcomeOf(held.Check(folders, item.listed));
    if (checked == FileOutcome::Waiting) return true;
    outcome = checked;
    return false;
}

}  // namespace

bool IsSettled(FileOutcome outcome) {
    switch (outcome) {
        case FileOutcome::Cleaned:
        case FileOutcome::KeptNoCopy:
        case FileOutcome::KeptStopped:
        case FileOutcome::KeptNoPlace:
        case FileOutcome::KeptChanged:
        case FileOutcome::KeptLink:
            return true;
        default:
            return false;
    }
}

bool BackupFiles(const CleanList& list, const std::string& setFolder, CleanProgress& progress, const StopFlag& stop,
                 CleanOutcomes* outcomes) {
    OutcomeSlots outcome(outcomes, list.size());
    FolderEnsurer folders;
    size_t reached = WalkList(list, progress, stop, text::LookupText("_cpBackuping"),
                              [&](size_t i, const CleanItem& item) {
                                  if (IsSettled(outcome[i])) return;
                                  std::string place = BackupPathFor(setFolder, item.path);
                                  if (place.empty()) {
                                      outcome[i] = FileOutcome::KeptNoPlace;
                                      return;
                                  }
                                  PathState now = StateOfPath(item.path);
                                  outcome[i] = CompareWithListing(now, item);
                                  if (outcome[i] != FileOutcome::Waiting) return;
                                  outcome[i] = CopyIntoBackup(item.path, place, now.stamp.size, folders)
                                                   ? FileOutcome::BackedUp
                                                   : FileOutcome::KeptNoCopy;
                              });
    for (size_t i = reached; i < list.size(); ++i) {
        if (!IsSettled(outcome[i])) outcome[i] = FileOutcome::KeptStopped;
    }
    return reached == list.size();
}

bool DeleteFiles(const CleanList& list, CleanProgress& progress, const StopFlag& stop, CleanOutcomes* outcomes) {
    OutcomeSlots outcome(outcomes, list.size());
    platform::FolderFinalPaths folders;
    return WalkList(list, progress, stop, text::LookupText("_cpCleaning"), [&](size_t i, const CleanItem& item) {
               if (IsSettled(outcome[i])) return;
               HeldFile held(item.path);
               if (!MayDispose(held, item, folders, outcome[i])) return;
               outcome[i] = held.Delete() ? FileOutcome::Cleaned : OutcomeOfLastError();
           }) == list.size();
}

bool RecycleFiles(const CleanList& list, CleanProgress& progress, const StopFlag& stop, CleanOutcomes* outcomes) {
    OutcomeSlots outcome(outcomes, list.size());
    platform::FolderFinalPaths folders;
    return WalkList(list, progress, stop, text::LookupText("_cpMovingtorecycle"),
                    [&](size_t i, const CleanItem& item) {
                        if (IsSettled(outcome[i])) return;
                        {
                            HeldFile held(item.path);
                            if (!MayDispose(held, item, folders, outcome[i])) return;
                        }  // the shell moves the file by its path: let go of it first
                        // A file the bin cannot take stays where it is (never deleted for good).
                        outcome[i] = MoveToRecycleBin(item.path) ? FileOutcome::Cleaned : FileOutcome::NotBinned;
                    }) == list.size();
}

bool MoveFilesToFolder(const CleanList& list, std::string_view targetFolder, CleanProgress& progress,
                       const StopFlag& stop, CleanOutcomes* outcomes) {
    std::string folder = paths::WithoutTrailingBackslash(targetFolder);
    if (folder.empty()) return true;
    OutcomeSlots outcome(outcomes, list.size());
    EnsureFolderPath(folder + '\\');
    platform::FolderFinalPaths folders;
    std::string status =
        text::FormatTemplate(text::LookupText("_cpMovingtofolder"), {paths::LastComponent(folder)});
    return WalkList(list, progress, stop, status, [&](size_t i, const CleanItem& item) {
               if (IsSettled(outcome[i])) return;
               HeldFile held(item.path);
               if (!MayDispose(held, item, folders, outcome[i])) return;
               std::string target = UniqueTargetPath(folder, paths::LastComponent(item.path));
               // Never replace: a file that appeared under the chosen name since
               // it was found free makes the copy fail and the source stay.
               if (!CopyWhole(item.path, target, held.Size(), true)) {
                   outcome[i] = FileOutcome::Failed;
                   return;
               }
               outcome[i] = held.Delete() ? FileOutcome::Cleaned : OutcomeOfLastError();
           }) == list.size();
}

void DropCopiesOfUnlistedFiles(const CleanList& list, const std::string& setFolder, const CleanOutcomes& outcomes) {
    std::vector<std::string> dropped;
    for (size_t i = 0; i < list.size() && i < outcomes.size(); ++i) {
        if (outcomes[i] != FileOutcome::KeptChanged && outcomes[i] != FileOutcome::KeptLink) continue;
        std::string place = BackupPathFor(setFolder, list[i].path);
        if (!place.empty() && ::DeleteFileA(place.c_str())) dropped.push_back(place);
    }
    RemoveEmptiedFolders(setFolder, dropped);
    ::RemoveDirectoryA(setFolder.c_str());  // only when nothing is left in it
}

}  // namespace clean
