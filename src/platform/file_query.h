#pragma once
// What the file system says of a path: asked through the wide functions by
// the path's long form, so that the answer holds at any length and for any
// name the path spells exactly.
#include <windows.h>
#include <objidl.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/com.h"
#include "platform/file_identity.h"
#include "platform/handle.h"

namespace platform {

// The entry's attributes; INVALID_FILE_ATTRIBUTES when there is none (or
// it cannot be examined).
DWORD AttributesOf(std::string_view path);

// The size of the file, opened for reading as another reader would open it
// (sharing reading only, so a file another program writes to is not read);
// none when it cannot be opened so.
std::optional<uint64_t> ReadableSize(std::string_view path);

// Up to the last maxBytes bytes of the file, read while others may still
// write to it; empty when it cannot be read.
std::string ReadTail(std::string_view path, size_t maxBytes);

// The whole of a file, read while others may still read and write it.
struct WholeFile {
    enum class Outcome { Read, Missing, Unreadable, TooLarge };
    Outcome outcome = Outcome::Unreadable;
    std::string bytes;  // when read
};
WholeFile ReadWholeFile(std::string_view path, uint64_t maxBytes);

// A stream over the file's bytes, for reading; null when it cannot be
// opened.
ComPtr<IStream> OpenReadStream(std::string_view path);

// The file or folder at path, opened to read its attributes and where it
// is (links followed), shared with everybody; null when it cannot be.
UniqueHandle OpenForQuery(std::string_view path);

// The identity of the folder at path, followed wherever links lead; none
// when there is no folder there.
std::optional<FileId> FolderIdOf(std::string_view path);

// The system's full form of a path ("." and ".." applied, relative paths
// made absolute, device names read as devices); empty when it has none.
std::string FullPathName(std::string_view path);

// The path with every existing component in its long form (8.3 short names
// expanded, case as stored); empty when the path does not exist.
std::string LongPathName(std::string_view path);

}  // namespace platform
