#pragma once
// What the file system knows a file by, whatever name reaches it. Two names
// that look alike (names differing only in case in a case-sensitive folder,
// names whose bytes are not valid text) lead to different files; only the
// identity tells which file a name leads to now.
#include <windows.h>

#include <cstdint>
#include <optional>

namespace platform {

struct FileId {
    uint64_t volume = 0;
    uint64_t high = 0;
    uint64_t low = 0;
    bool operator==(const FileId&) const = default;
};

// The identity of the file behind the handle (any access); none when the
// platform cannot tell it.
std::optional<FileId> IdOf(HANDLE file);

// How many names the file behind the handle has; 0 when unknown.
DWORD LinkCountOf(HANDLE file);

}  // namespace platform
