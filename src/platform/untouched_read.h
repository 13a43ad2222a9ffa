#pragma once
// Reading a file without leaving a trace of the reading: its last-access
// time stays what it was, so that a later look at how long ago the file
// was opened is not misled by this program, and a preview changes nothing.
#include <cstddef>
#include <optional>
#include <string>

namespace platform {

// The file's first maxBytes bytes (all of a smaller file); none when it
// cannot be opened or read, or is larger than maxBytes.
std::optional<std::string> ReadFileUntouched(const std::string& path, size_t maxBytes);

}  // namespace platform
