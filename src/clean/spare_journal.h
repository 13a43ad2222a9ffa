#pragma once
// The record of the spare names a recycle makes (spare_name.h), kept beside
// the program. Each is written down before it is made, with the identity of
// its file and the number of names the file has with it. A run that is
// killed before it settles a spare name leaves it in the user's folder, as
// a second name of a file that may be in the bin, still in place, or
// deleted for good; the next run reads the record and settles each spare
// name the same way. A file found under a recorded name that is not the
// recorded file (the user's own, of a similar name) is never touched.
#include <windows.h>

#include <string>

#include "platform/file_identity.h"
#include "platform/guarded_folder.h"
#include "platform/handle.h"

namespace clean {

// ModuleDirectory + "\Data\ToolJunkSweep\SpareNames.txt".
std::string SpareJournalPath();

class SpareJournal {
public:
    // Opens the record at path for adding to it (made where missing, never
    // through a link); Valid() is false when it cannot be.
    explicit SpareJournal(const std::string& path);
    bool Valid() const { return file_.Valid(); }

    // Writes down a spare name before it is made: where it will be, the
    // place of its file, the file's identity and how many names the file
    // will have with it.
    bool Record(const std::string& spare, const std::string& place, const platform::FileId& id, DWORD links);

private:
    platform::GuardedFolder folder_;
    platform::UniqueHandle file_;
};

// Settles every spare name the record at path holds: a file that still has
// all its names (in the bin, or in place) loses the spare one; a file that
// lost one (deleted for good) gets its place back under the spare one, when
// the place is free. The record then keeps only the spare names that could
// not be settled, and goes when none is left. Returns how many are left.
size_t SettleRecordedSpareNames(const std::string& path);

}  // namespace clean
