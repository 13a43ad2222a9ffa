#pragma once
// Moving a file into the Recycle Bin, and nowhere else. The shell's plain
// delete-with-undo deletes for good, silently, whatever the bin cannot take
// (a drive without a bin, a file larger than the bin, a bin folder that
// cannot be made); here such a file stays where it is, and no dialog shows.
#include <string>

namespace clean {

class SpareJournal;

// True only when the file went into the bin. False when it is still in
// place, or was never there. COM should be initialised on the calling thread
// (without it only the spare-name way below is open).
//
// Two ways, the first that the system offers:
// - the shell's file-operation object, with a sink that refuses every delete
//   the shell announces as not recycling;
// - the shell's older file operation, guarded by a spare name (a hard link)
//   made beforehand, which brings the file back when it was deleted for good.
// Where the file-operation object is missing (Wine implements none of it)
// and the file system has no hard links, or the path is longer than the
// older operation takes, the file stays.
// The spare name is written down in the journal first, when one is given.
bool MoveToRecycleBin(const std::string& path, SpareJournal* journal = nullptr);

}  // namespace clean
