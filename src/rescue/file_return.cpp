#include "rescue/file_return.h"

#include <windows.h>

#include "clean/file_ops.h"
#include "platform/file_move.h"

namespace rescue {

namespace {

// Held for a move as well: it is renamed, and its security reset, through
// the same handle that was checked.
constexpr DWORD kForMoving = platform::HeldFile::kForDeletion | READ_CONTROL | WRITE_DAC;

char DriveOf(const std::string& target) { return static_cast<char>(target[0] | 0x20); }

}  // namespace

bool FileReturner::Return(const std::string& file, const std::string& target) {
    platform::HeldFile source(file, kForMoving);
    // Where its security may not be changed, the file is copied back, and
    // the copy takes what its folder gives.
    bool mayMove = source.OpenState() != platform::HeldState::Denied;
    if (!mayMove) source = platform::HeldFile(file);
    if (source.Check(setFolders_, std::nullopt) != platform::HeldState::Plain) return false;
    const bool targetTaken = clean::PathTaken(target);
    if (targetTaken && clean::IsFileLink(target, targetFolders_)) return false;
    if (mayMove && otherVolumes_.find(DriveOf(target)) == std::string::npos) {
        switch (MoveBack(source, file, target)) {
            case MoveResult::Moved:
                ++moved_;
                return true;
            case MoveResult::OtherVolume:
                // Every later place on that drive is copied to at once.
                otherVolumes_ += DriveOf(target);
                break;
            case MoveResult::Failed:
                break;
        }
    }
    return CopyBack(source, file, target, targetTaken);
}

FileReturner::MoveResult FileReturner::MoveBack(platform::HeldFile& source, const std::string& file,
                                                const std::string& target) {
    DWORD error = ERROR_SUCCESS;
    auto rename = [&] { return (error = platform::MoveHeldFile(source.Get(), target, true)) == ERROR_SUCCESS; };
    // Some platforms refuse to replace a read-only, hidden or system file.
    if (!clean::RunClearingBlockingAttributes(target, rename)) {
        return error == ERROR_NOT_SAME_DEVICE ? MoveResult::OtherVolume : MoveResult::Failed;
    }
    // The file still has the access list it inherited in the set's folder;
    // a copy would have its new folder's.
    if (!platform::HeldFileCarriesFolderSecurity(source.Get()) || platform::InheritSecurityFromFolder(source.Get())) {
        return MoveResult::Moved;
    }
    // Its security cannot be made that of its place: back into the set, to
    // be copied instead. Should even that fail, it stays back at its place.
    return platform::MoveHeldFile(source.Get(), file, false) == ERROR_SUCCESS ? MoveResult::Failed : MoveResult::Moved;
}

bool FileReturner::CopyBack(platform::HeldFile& source, const std::string& file, const std::string& target,
                            bool targetTaken) {
    // The platform's copy will not replace a read-only, hidden or system
    // file, but a restore replaces whatever file stands in the place.
    if (!clean::RunClearingBlockingAttributes(target,
                                              [&] { return ::CopyFileA(file.c_str(), target.c_str(), FALSE) != 0; })) {
        // A copy that failed half way (a full disk) leaves what it wrote: a
        // damaged file that would pass for the restored one. Only what this
        // copy made goes; a file that stood there before stays.
        if (!targetTaken) clean::DeleteFileNotThroughLink(target, targetFolders_);
        return false;
    }
    // Back in its place: it leaves the set at once, so the set always holds
    // exactly what has not been restored yet.
    source.Delete();
    return true;
}

}  // namespace rescue
