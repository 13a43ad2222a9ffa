#pragma once
// Byte counts as the program shows them, in the fixed units "Bytes", "KB",
// "MB" and "GB".
#include <cstdint>
#include <string>

namespace text {

// "512 Bytes", "1.50 KB", "1024.00 MB", "5.00 GB".
std::string FormatSize(uint64_t bytes);

}  // namespace text
