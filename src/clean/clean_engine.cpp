#include "clean/clean_engine.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <map>

#include "clean/recycle_bin.h"
#include "paths/path_text.h"
#include "platform/codepage.h"
#include "platform/folder_removal.h"
#include "platform/fresh_file.h"
#include "platform/wide_path.h"
#include "text/format_template.h"
#include "text/language_table.h"

namespace clean {

namespace {

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

// Copies the held file, checked against its listing, into the set at
// place. The copy is written whole beside its place and then given its
// name, which must be free: a copy already there (of a file whose name
// differs only in case, say) is never replaced, and a failed copy leaves
// nothing.
bool CopyIntoBackup(HeldFile& source, const std::string& place, FolderKeeper& folders) {
    const std::string folder = paths::FolderPart(place);
    std::optional<platform::FreshFile> fresh;
    fresh.emplace(folders.Ensure(folder));
    if (!fresh->Valid()) {
        // The folder may have gone since it was last made sure of: once more, afresh.
        folders.Forget();
        fresh.emplace(folders.Ensure(folder));
    }
    return fresh->CopyFrom(source.Get(), source.Size()) &&
           fresh->PutInPlace(platform::EntryName(place)) == ERROR_SUCCESS;
}

// The outcome of a file that could not be opened or checked for its backup
// copy: a file that is gone is left to the disposal phase to tell; any other
// failure to read it keeps it, as no copy could be made.
FileOutcome OutcomeBeforeCopy(HeldState state) {
    switch (state) {
        case HeldState::Plain:
            return FileOutcome::Waiting;
        case HeldState::Missing:
            return FileOutcome::Missing;
        case HeldState::Link:
            return FileOutcome::KeptLink;
        case HeldState::Folder:
        case HeldState::Changed:
            return FileOutcome::KeptChanged;
        default:
            return FileOutcome::KeptNoCopy;
    }
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

namespace {

// Outcomes of files of which the backup phase made no copy.
bool IsNotBackedUp(FileOutcome outcome) {
    return outcome == FileOutcome::KeptNoCopy || outcome == FileOutcome::KeptStopped ||
           outcome == FileOutcome::KeptNoPlace || outcome == FileOutcome::Waiting;
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
    // Every folder below the one that holds the set is checked.
    FolderKeeper folders(paths::FolderPart(setFolder));
    size_t reached = WalkList(list, progress, stop, text::LookupText("_cpBackuping"),
                              [&](size_t i, const CleanItem& item) {
                                  if (IsSettled(outcome[i])) return;
                                  std::string place = BackupPathFor(setFolder, item.path);
                                  if (place.empty()) {
                                      outcome[i] = FileOutcome::KeptNoPlace;
                                      return;
                                  }
                                  // Read through a handle: the copy is of the very file checked.
                                  HeldFile source(item.path, HeldFile::kForReading);
                                  outcome[i] = OutcomeBeforeCopy(source.CheckStamp(item.listed));
                                  if (outcome[i] != FileOutcome::Waiting) return;
                                  outcome[i] = CopyIntoBackup(source, place, folders) ? FileOutcome::BackedUp
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

bool RecycleFiles(const CleanList& list, CleanProgress& progress, const StopFlag& stop, CleanOutcomes* outcomes,
                  SpareJournal* journal) {
    OutcomeSlots outcome(outcomes, list.size());
    platform::FolderFinalPaths folders;
    return WalkList(list, progress, stop, text::LookupText("_cpMovingtorecycle"),
                    [&](size_t i, const CleanItem& item) {
                        if (IsSettled(outcome[i])) return;
                        {
                            HeldFile held(item.path);
                            if (!MayDispose(held, item, folders, outcome[i])) return;
                        }  // the shell moves the file by its path: let go of it first
                        // A file the bin cannot take stays where it is (never deleted for
                        // good). The shell's functions may refuse a long path: that is
                        // told apart, as the user can do something about it.
                        if (MoveToRecycleBin(item.path, journal)) {
                            outcome[i] = FileOutcome::Cleaned;
                        } else {
                            outcome[i] = platform::ExceedsShortPathLimit(item.path) ? FileOutcome::NotBinnedLong
                                                                                    : FileOutcome::NotBinned;
                        }
                    }) == list.size();
}

bool RecycleFiles(const CleanList& list, CleanProgress& progress, const StopFlag& stop, CleanOutcomes* outcomes) {
    return RecycleFiles(list, progress, stop, outcomes, nullptr);
}

bool MoveFilesToFolder(const CleanList& list, std::string_view targetFolder, CleanProgress& progress,
                       const StopFlag& stop, CleanOutcomes* outcomes) {
    std::string folder = paths::WithoutTrailingBackslash(targetFolder);
    if (folder.empty()) return true;
    OutcomeSlots outcome(outcomes, list.size());
    // Made where it is missing; never reached through a link or junction.
    FolderKeeper targets;
    const platform::GuardedFolder& target = targets.Ensure(folder);
    platform::FolderFinalPaths folders;
    std::string status =
        text::FormatTemplate(text::LookupText("_cpMovingtofolder"), {paths::LastComponent(folder)});
    return WalkList(list, progress, stop, status, [&](size_t i, const CleanItem& item) {
               if (IsSettled(outcome[i])) return;
               HeldFile held(item.path, HeldFile::kForCopying);
               if (!MayDispose(held, item, folders, outcome[i])) return;
               std::string name = UniqueTargetPath(folder, paths::LastComponent(item.path));
               // Never replace: a file that appeared under the chosen name since
               // it was found free makes the copy fail and the source stay.
               platform::FreshFile copy(target);
               if (!copy.CopyFrom(held.Get(), held.Size()) ||
                   copy.PutInPlace(platform::EntryName(name)) != ERROR_SUCCESS) {
                   outcome[i] = FileOutcome::Failed;
                   return;
               }
               outcome[i] = held.Delete() ? FileOutcome::Cleaned : OutcomeOfLastError();
           }) == list.size();
}

void DropCopiesOfUnlistedFiles(const CleanList& list, const std::string& setFolder, const CleanOutcomes& outcomes) {
    auto unlisted = [&](size_t i) {
        return outcomes[i] == FileOutcome::KeptChanged || outcomes[i] == FileOutcome::KeptLink;
    };
    // The places, as the set's folders compare them, of the copies to drop.
    std::map<std::string, std::string> places;
    const size_t count = std::min(list.size(), outcomes.size());
    for (size_t i = 0; i < count; ++i) {
        if (!unlisted(i)) continue;
        std::string place = BackupPathFor(setFolder, list[i].path);
        if (!place.empty()) places.emplace(platform::LowerAnsi(place), std::move(place));
    }
    if (places.empty()) return;
    // Two entries of the list may share a place (names that differ only in
    // case, or that look alike): a copy at the place of another file, which
    // went, is that file's, and stays.
    for (size_t i = 0; i < count && !places.empty(); ++i) {
        if (!unlisted(i) && !IsNotBackedUp(outcomes[i])) {
            places.erase(platform::LowerAnsi(BackupPathFor(setFolder, list[i].path)));
        }
    }
    std::vector<std::string> dropped;
    platform::FolderFinalPaths folders;
    for (const auto& [key, place] : places) {
        if (DeleteFileNotThroughLink(place, folders)) dropped.push_back(place);
    }
    RemoveEmptiedFolders(setFolder, dropped);
    platform::RemoveEmptyFolder(setFolder, paths::FolderPart(setFolder));  // only when nothing is left in it
}

}  // namespace clean
