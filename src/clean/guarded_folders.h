#pragma once
// The folders no trace cleaner may empty, whatever spelling names them.
#include <memory>
#include <string>

namespace clean {

// True for a folder that must never be emptied: the Windows folder, the
// user's profile, documents or desktop; a folder that holds one of them (the
// users folder, say); a drive or share root; and an empty path. Spellings
// count as the same folder when their long forms agree (case, 8.3 short
// names, "." and ".." components, trailing separators, dots and blanks
// aside), and so does a link or junction that leads to such a folder.
// Without TMP and TEMP the platform names the profile or the Windows folder
// as the temporary folder, and a redirected Recent, NetHood, History or
// cache folder can name any of them; emptying it would destroy the user's
// files or the system.
bool IsProtectedFolder(const std::string& folder);

// The same for many folders in a row: the guarded folders are asked of the
// system once, when the guard is made.
class FolderGuard {
public:
    FolderGuard();
    bool Refuses(const std::string& folder) const;

private:
    struct Known;
    std::shared_ptr<const Known> known_;
};

}  // namespace clean
