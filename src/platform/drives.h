#pragma once
// The drives of the system: their roots ("C:\"), types, labels and free
// space, asked of the volumes through the wide functions.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// Every drive root the system has, in its order.
std::vector<std::string> DriveRoots();

// GetDriveType's answer for the root (DRIVE_FIXED, DRIVE_REMOTE, ...).
UINT DriveTypeOf(const std::string& root);

// The volume's label; empty when it has none or cannot be asked.
std::string VolumeLabelOf(const std::string& root);

// The bytes free on the volume for the user; none when it cannot be asked.
std::optional<uint64_t> FreeSpaceOf(const std::string& root);

}  // namespace platform
