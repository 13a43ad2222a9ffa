#pragma once
// The folders no trace cleaner may empty, whatever spelling names them.
#include <memory>
#include <string>
#include <string_view>

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

// The path the file system resolves an existing folder to, every link on
// the way followed: lower case, without a trailing backslash ("c:\\users").
// Empty when the folder cannot be opened or the path not told.
std::string FinalFolderForm(const std::string& folder);

// The same for many folders in a row: the guarded folders are asked of the
// system once, when the guard is made.
class FolderGuard {
public:
    FolderGuard();
    bool Refuses(const std::string& folder) const;
    // The same for a folder that exists, judged by what the file system
    // knows it by alone: quicker, as no spelling has to be made long. A
    // folder that cannot be opened is judged by Refuses.
    bool RefusesExisting(const std::string& folder) const;
    // The same for a folder known by its final form (FinalFolderForm, or
    // one made from it by adding the names of plain folders below): is it,
    // or does it hold, a guarded folder, a folder above one or a root, as
    // the file system resolves them. Text only, for many folders quickly.
    bool RefusesFinalForm(std::string_view finalForm) const;

private:
    struct Known;
    std::shared_ptr<const Known> known_;
};

}  // namespace clean
