#pragma once
// The one spelling of a path, so that two spellings of the same file or
// folder compare equal: full, in long names as far as the path exists,
// every component without its trailing dots and blanks (which the file
// system ignores), no trailing separator, lower case.
#include <string>
#include <string_view>

namespace platform {

// Length of the root of a full path: "C:\" or "\\server\share\" (0 when
// there is none).
size_t RootLength(std::string_view full);

// True for the long form of a drive or share root.
bool IsRootForm(const std::string& longForm);

// The long form of a path as written: short names, case, "." and "..",
// trailing separators, dots and blanks do not matter. Empty when the path
// cannot be made full.
std::string LongForm(const std::string& path);

// The same after the links on the way: the longest existing head of the
// path is taken as the file system resolves it (a junction or a drive
// mapped to a folder leads to its target), the rest as written. Falls back
// to the long form where the head cannot be opened.
std::string FinalLongForm(const std::string& path);

// The form of an existing file or folder as the file system resolves it,
// every link on the way followed ("c:\users\ann"); empty when it cannot
// be opened or its resolved path not spelled exactly.
std::string FinalFormOfExisting(const std::string& path);

// A form joined with one more component (a name from a folder listing),
// trimmed and lower-cased like the rest of a form.
std::string JoinForm(std::string_view form, std::string_view name);

// True when the form names the folder form or lies below it.
bool IsSameOrBelow(std::string_view form, std::string_view folderForm);

}  // namespace platform
