#pragma once
// Moving a file that is held open to another place on its volume, and giving
// a moved file the security a new file at its place would get.
//
// A move keeps the file's access list: on a volume that stores one per file,
// the entries it inherited from its old folder go with it. A copy would get
// what its new folder passes on instead.
#include <windows.h>

#include <string>

namespace platform {

// Renames the file behind the handle (opened with DELETE access) to path, a
// full path that the platform reads as written ("E:\Docs\a.txt"); a file
// there is replaced when replace is set, never followed when it is a link.
// Returns ERROR_SUCCESS or the error: ERROR_NOT_SAME_DEVICE when path lies
// on another volume. Windows moves exactly the file that was opened; Wine
// renames what bears the name it was opened by.
DWORD MoveHeldFile(HANDLE file, const std::string& path, bool replace);

// True when the access list in the descriptor was shaped by the folder the
// file was in: it holds inherited entries, or it is protected from
// inheritance. A list of explicit entries only, or none at all (volumes
// without access lists), is not.
bool CarriesFolderSecurity(PSECURITY_DESCRIPTOR descriptor);

// CarriesFolderSecurity of the file behind the handle (opened with
// READ_CONTROL); true when its security cannot be read.
bool HeldFileCarriesFolderSecurity(HANDLE file);

// Replaces the file's access list by what its present folder passes on, as
// a file made there would have: explicit entries go, inheritance is on. The
// handle needs READ_CONTROL and WRITE_DAC.
bool InheritSecurityFromFolder(HANDLE file);

}  // namespace platform
