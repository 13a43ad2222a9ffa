#pragma once
// A folder held open and known to be reached by its own path: no folder on
// the way down from its anchor is a junction or symbolic link. Files are
// made, opened and named relative to the held folder, so that they land in
// the folder that was checked, wherever a link may lead its path later.
//
// The check compares the folder's final path (where the file system says it
// is) with its path: a link anywhere on the way ends elsewhere. A link a
// folder's anchor passes through is the anchor's business: the program's
// own folder may be started through one, the folders below it may not.
#include <windows.h>

#include <string>
#include <string_view>

#include "platform/handle.h"

namespace platform {

// The error of a folder or file reached through a link or junction.
inline constexpr DWORD kErrorReachedThroughLink = ERROR_CANT_RESOLVE_FILENAME;

class GuardedFolder {
public:
    GuardedFolder() = default;

    // Opens the folder (a full path without a trailing backslash; "D:" is a
    // drive's root) and checks it. anchor is a folder that holds it (or is
    // it), spelled as in path; empty means the drive's root, so that every
    // folder of the path is checked.
    static GuardedFolder Open(std::string_view path, std::string_view anchor = {});
    // The same, making the folders that are missing first; a folder is made
    // only inside a folder that was checked.
    static GuardedFolder Make(std::string_view path, std::string_view anchor = {});

    bool Valid() const { return handle_.Valid(); }
    // Why the folder is not valid: kErrorReachedThroughLink, or the error
    // of the open or of making a folder.
    DWORD Error() const { return error_; }
    HANDLE Get() const { return handle_.Get(); }
    const std::string& Path() const { return path_; }

    // Makes a new file of the given name in the folder: never replaces an
    // entry, never follows a link of that name. Null on failure, with the
    // error. With openExisting, a file of that name is opened instead.
    UniqueHandle MakeFile(std::wstring_view name, DWORD access, DWORD attributes, DWORD& error,
                          bool openExisting = false) const;
    // Makes a new folder of the given name in the folder; ERROR_ALREADY_EXISTS
    // when an entry has that name.
    DWORD MakeFolder(std::wstring_view name) const;
    // Opens the entry of that name (file or folder) without following a
    // link where the platform can open the link itself.
    UniqueHandle OpenEntry(std::wstring_view name, DWORD access, DWORD& error) const;
    // True when the entry behind the handle is this folder's entry of the
    // name, not a link to elsewhere; with exactCase, not a name that
    // differs from it in case only (another file in a case-sensitive
    // folder).
    bool Holds(HANDLE entry, std::wstring_view name, bool exactCase) const;
    // False only when the file system says the folder compares names
    // without regard to case (then a name that differs in case is the same
    // name); true where it cannot tell, as on systems whose folders are all
    // case-sensitive underneath.
    bool CaseSensitive() const;
    // Names the file behind the handle (opened with DELETE access) name in
    // this folder; an entry of that name is replaced only when replace is
    // set. Returns ERROR_SUCCESS or the error (ERROR_ALREADY_EXISTS when
    // the name is taken, ERROR_NOT_SAME_DEVICE across volumes).
    DWORD Rename(HANDLE file, std::wstring_view name, bool replace) const;

private:
    std::string path_;
    std::wstring finalPath_;
    UniqueHandle handle_;
    DWORD error_ = ERROR_PATH_NOT_FOUND;
};

// Where the file system says the open file or folder is ("\\?\D:\a\b");
// empty when it cannot tell.
std::wstring FinalPathOf(HANDLE handle);

}  // namespace platform
