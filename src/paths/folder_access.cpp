#include "paths/folder_access.h"

#include "platform/fresh_file.h"
#include "platform/guarded_folder.h"

namespace paths {

bool FolderTakesNewFiles(const std::string& folder) {
    // A fresh file goes again when it is let go, as it is never put in place.
    const platform::GuardedFolder held = platform::GuardedFolder::Open(folder, folder);
    const platform::FreshFile probe(held);
    return probe.Valid();
}

}  // namespace paths
