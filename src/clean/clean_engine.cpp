#include "clean/clean_engine.h"

#include <windows.h>
#include <shellapi.h>

#include "clean/recycle_bin.h"
#include "paths/path_text.h"
#include "text/format_template.h"
#include "text/language_table.h"

namespace clean {

namespace {

bool Kept(const KeepMask* keep, size_t index) { return keep && index < keep->size() && (*keep)[index]; }

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

bool CopyIntoBackup(const std::string& source, const std::string& place, FolderEnsurer& folders) {
    std::string folder = paths::FolderPart(place);
    folders.Ensure(folder);
    if (::CopyFileA(source.c_str(), place.c_str(), FALSE)) return true;
    // The folder may have gone since it was last made sure of: once more, afresh.
    folders.Forget();
    folders.Ensure(folder);
    return ::CopyFileA(source.c_str(), place.c_str(), FALSE) != 0;
}

// A file the bin cannot take stays where it is (never deleted for good).
bool RecycleFile(const std::string& path) { return MoveToRecycleBin(path); }

}  // namespace

bool BackupFiles(const CleanList& list, const std::string& setFolder, CleanProgress& progress, const StopFlag& stop,
                 KeepMask* keep) {
    if (keep) keep->assign(list.size(), false);
    FolderEnsurer folders;
    size_t reached = WalkList(list, progress, stop, text::LookupText("_cpBackuping"),
                              [&](size_t i, const std::string& file) {
                                  std::string place = BackupPathFor(setFolder, file);
                                  if (place.empty()) return;  // no drive letter: no place in a set
                                  if (!CopyIntoBackup(file, place, folders) && keep) (*keep)[i] = true;
                              });
    if (keep) {
        for (size_t i = reached; i < list.size(); ++i) (*keep)[i] = true;
    }
    return reached == list.size();
}

bool DeleteFiles(const CleanList& list, CleanProgress& progress, const StopFlag& stop, const KeepMask* keep) {
    return WalkList(list, progress, stop, text::LookupText("_cpCleaning"), [&](size_t i, const std::string& file) {
               if (!Kept(keep, i)) ForceDeleteFile(file);
           }) == list.size();
}

bool RecycleFiles(const CleanList& list, CleanProgress& progress, const StopFlag& stop, const KeepMask* keep) {
    return WalkList(list, progress, stop, text::LookupText("_cpMovingtorecycle"),
                    [&](size_t i, const std::string& file) {
                        if (!Kept(keep, i)) RecycleFile(file);
                    }) == list.size();
}

bool MoveFilesToFolder(const CleanList& list, std::string_view targetFolder, CleanProgress& progress,
                       const StopFlag& stop, const KeepMask* keep) {
    std::string folder = paths::WithoutTrailingBackslash(targetFolder);
    if (folder.empty()) return true;
    EnsureFolderPath(folder + '\\');
    std::string status =
        text::FormatTemplate(text::LookupText("_cpMovingtofolder"), {paths::LastComponent(folder)});
    return WalkList(list, progress, stop, status, [&](size_t i, const std::string& file) {
               if (Kept(keep, i)) return;
               std::string target = UniqueTargetPath(folder, paths::LastComponent(file));
               // Never replace: a file that appeared under the chosen name since
               // it was found free makes the copy fail and the source stay.
               if (::CopyFileA(file.c_str(), target.c_str(), TRUE)) ForceDeleteFile(file);
           }) == list.size();
}

}  // namespace clean
