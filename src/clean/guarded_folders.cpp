#include "clean/guarded_folders.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "clean/folder_tree.h"
#include "platform/codepage.h"
#include "platform/drives.h"
#include "platform/file_query.h"
#include "platform/path_forms.h"
#include "platform/special_folders.h"

namespace clean {

namespace {

constexpr int kGuardedSpecialFolders[] = {CSIDL_PROFILE, CSIDL_PERSONAL, CSIDL_DESKTOPDIRECTORY};

// What the file system knows a folder by, however it was reached.
using FolderIdentity = platform::FileId;

std::optional<FolderIdentity> IdentityOf(const std::string& folder) { return platform::FolderIdOf(folder); }

std::vector<std::string> GuardedFolders() {
    std::vector<std::string> folders = {platform::WindowsFolder()};
    for (int csidl : kGuardedSpecialFolders) folders.push_back(platform::SpecialFolderPath(csidl));
    std::erase(folders, std::string());
    return folders;
}

// The guarded folders and everything that holds them, in long form and by
// identity; and the roots of the local disks, by identity.
struct Guard {
    std::vector<std::string> longForms;
    std::vector<FolderIdentity> identities;
    std::vector<std::string> finalForms;  // of the same folders, where the file system tells them
    std::vector<std::string> asked;  // the guarded folders share their upper levels

    void AddIdentity(const std::string& folder) {
        std::string key = platform::LowerAnsi(folder);
        if (std::find(asked.begin(), asked.end(), key) != asked.end()) return;
        asked.push_back(key);
        if (auto id = IdentityOf(folder)) {
            identities.push_back(*id);
            if (std::string finalForm = FinalFolderForm(folder); !finalForm.empty()) finalForms.push_back(std::move(finalForm));
        }
    }
};

Guard MakeGuard() {
    Guard guard;
    for (const std::string& folder : GuardedFolders()) {
        std::string longForm = platform::LongForm(folder);
        if (longForm.empty()) continue;
        guard.longForms.push_back(longForm);
        // The folder and every folder above it, its root included.
        for (std::string path = longForm;;) {
            if (platform::IsRootForm(path)) {
                guard.AddIdentity(path + '\\');
                break;
            }
            guard.AddIdentity(path);
            size_t cut = path.find_last_of('\\');
            if (cut == std::string::npos) break;
            path.resize(cut);
        }
    }
    for (const std::string& root : platform::DriveRoots()) {
        // Only local disks: a removable or optical drive may wait for a
        // medium, a network drive for its server.
        const UINT type = platform::DriveTypeOf(root);
        if (type == DRIVE_FIXED || type == DRIVE_RAMDISK) guard.AddIdentity(root);
    }
    return guard;
}

}  // namespace

struct FolderGuard::Known {
    Guard guard;
};

FolderGuard::FolderGuard() : known_(std::make_shared<Known>(Known{MakeGuard()})) {}

bool IsProtectedFolder(const std::string& folder) { return FolderGuard().Refuses(folder); }

std::string FinalFolderForm(const std::string& folder) {
    // "C:" alone would name the current folder of drive C.
    return platform::FinalFormOfExisting(folder.size() == 2 && folder[1] == ':' ? folder + "\\" : folder);
}

bool FolderGuard::RefusesFinalForm(std::string_view finalForm) const {
    if (finalForm.empty() || platform::IsRootForm(std::string(finalForm))) return true;
    for (const std::string& known : known_->guard.finalForms) {
        if (platform::IsSameOrBelow(known, finalForm)) return true;
    }
    return false;
}

bool FolderGuard::RefusesExisting(const std::string& folder) const {
    if (NamesWholeDrive(folder)) return true;
    // The guard knows the guarded folders, every folder above them and the
    // roots by identity, so an existing folder that is or holds one of them
    // (in whatever spelling, or through a link) shows by its identity.
    std::optional<FolderIdentity> id = IdentityOf(folder);
    if (!id) return Refuses(folder);
    const std::vector<FolderIdentity>& known = known_->guard.identities;
    return std::find(known.begin(), known.end(), *id) != known.end();
}

bool FolderGuard::Refuses(const std::string& folder) const {
    if (NamesWholeDrive(folder)) return true;
    std::string candidate = platform::LongForm(folder);
    if (candidate.empty() || platform::IsRootForm(candidate)) return true;
    const Guard& guard = known_->guard;
    for (const std::string& guarded : guard.longForms) {
        if (platform::IsSameOrBelow(guarded, candidate)) return true;
    }
    // A link or junction leads elsewhere than its spelling says.
    std::optional<FolderIdentity> id = IdentityOf(folder);
    return id && std::find(guard.identities.begin(), guard.identities.end(), *id) != guard.identities.end();
}

}  // namespace clean
