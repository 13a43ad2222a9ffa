#pragma once
// The version of the running Windows, as the kernel tells it (the
// compatibility layer may tell a program's own queries an older one).

namespace platform {

// major * 100 + minor: 601 for Windows 7, 1000 for Windows 10 and 11.
int WindowsVersion();

}  // namespace platform
