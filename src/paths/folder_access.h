#pragma once
// Whether a folder takes new files, asked of the file system itself.
#include <string>

namespace paths {

// True when a file can be made in the folder. The check makes a hidden
// scratch file and lets the system delete it when it is closed, so nothing
// stays behind; only making a file answers for every cause at once (access
// rights, read-only media and shares, a missing folder).
bool FolderTakesNewFiles(const std::string& folder);

}  // namespace paths
