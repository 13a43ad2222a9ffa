#pragma once
// The one place where a path of the program, in its narrow code page,
// becomes the wide path the file system's functions take. Every file-system
// call of the platform layer that takes a path converts it here, once.
//
// An absolute path is given the long-path prefix ("\\?\C:\...",
// "\\?\UNC\server\share\..."), so that it reaches its file at any length
// the file system allows and exactly as it is spelled: the system neither
// trims a trailing dot or blank nor reads a device name into it. What the
// system would otherwise do for the caller is done here instead: "/" reads
// as "\", doubled separators and "." components go, ".." takes back one
// level (never above the root), and a trailing separator goes (a drive's
// root keeps its own).
#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// The most UTF-16 units a path of the file system can have.
inline constexpr size_t kLongestPath = 32767;

// The path for a wide file-system call: absolute paths in their long form,
// anything else (a relative path, which no caller should pass) as written.
std::wstring WidePath(std::string_view path);

// A name, or a part of a path below a folder that is already held, as wide
// text: converted and nothing else.
std::wstring WideName(std::string_view name);

// The absolute path as the system's shell functions take it: normalised
// like WidePath, without the prefix, which they do not understand.
std::wstring ShellPath(std::string_view path);

// True when the path is longer than the shell's functions and the older
// narrow functions take (MAX_PATH - 1 UTF-16 units).
bool ExceedsShortPathLimit(std::string_view path);

}  // namespace platform
