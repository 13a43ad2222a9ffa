#pragma once
// The start-up check of the program's own folder: the program keeps its
// settings and its backup sets there, and without writing them a scan finds
// nothing (the drive selection is saved, then read back) and no clean can be
// undone.

namespace app {

// Exit code of a start that ends because the program's folder cannot be
// written to (2 is a normal close, 0 an early stop of another kind).
inline constexpr int kExitFolderNotWritable = 3;

// True when the program's folder takes new files. When it does not, an
// interactive start tells the user with a message box that names the folder
// and says where to move the program; an unattended start ("auto") shows
// nothing, since nobody may be there to close the box, and only the exit
// code tells.
bool ProgramFolderWritable(bool unattended);

}  // namespace app
