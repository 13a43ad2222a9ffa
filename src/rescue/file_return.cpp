#include "rescue/file_return.h"

#include <windows.h>

#include "paths/path_text.h"
#include "platform/file_move.h"

namespace rescue {

namespace {

// Held for a move as well: it is renamed, and its security reset, through
// the same handle that was checked; and read, should it be copied instead.
constexpr DWORD kForMoving = platform::HeldFile::kForCopying | READ_CONTROL | WRITE_DAC;
constexpr DWORD kBlocking = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

char DriveOf(const std::string& target) { return static_cast<char>(target[0] | 0x20); }

// Some platforms refuse to replace a read-only, hidden or system file: the
// file at the place is made normal for the replacement, and gets its
// attributes back when the replacement fails. No handle to it stays open in
// between, which would hold the replacement back.
class ClearedForReplacing {
public:
    ClearedForReplacing(const platform::GuardedFolder& place, const std::wstring& name,
                        const std::optional<platform::CheckedEntry>& present)
        : place_(place), name_(name) {
        if (!present || !(present->attributes & kBlocking)) return;
        id_ = present->id;
        attributes_ = present->attributes;
        cleared_ = Set(FILE_ATTRIBUTE_NORMAL);
    }
    // Called once the replacement failed.
    void PutBack() {
        if (cleared_) Set(attributes_);
    }

private:
    bool Set(DWORD attributes) {
        DWORD error = ERROR_SUCCESS;
        platform::UniqueHandle entry = place_.OpenEntry(name_, FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES, error);
        const std::optional<platform::FileId> id = entry ? platform::IdOf(entry.Get()) : std::nullopt;
        if (!id || !(*id == id_)) return false;
        FILE_BASIC_INFO basic{};
        basic.FileAttributes = attributes;
        return ::SetFileInformationByHandle(entry.Get(), FileBasicInfo, &basic, sizeof basic) != 0;
    }

    const platform::GuardedFolder& place_;
    const std::wstring& name_;
    platform::FileId id_;
    DWORD attributes_ = 0;
    bool cleared_ = false;
};

}  // namespace

bool FileReturner::Return(const std::string& file, const std::string& target) {
    platform::HeldFile source(file, kForMoving);
    // Where its security may not be changed, the file is copied back, and
    // the copy takes what its folder gives.
    bool mayMove = source.OpenState() != platform::HeldState::Denied;
    if (!mayMove) source = platform::HeldFile(file, platform::HeldFile::kForCopying);
    if (source.Check(setFolders_, std::nullopt) != platform::HeldState::Plain) return false;
    // The place's folder, made where missing, and reached through no link.
    const platform::GuardedFolder& place = places_.Ensure(paths::FolderPart(target));
    if (!place.Valid()) {
        places_.Forget();
        return false;
    }
    const std::wstring name = platform::EntryName(target);
    DWORD error = ERROR_SUCCESS;
    const std::optional<platform::CheckedEntry> present = platform::CheckEntry(place, name, error);
    if (!present && error != ERROR_FILE_NOT_FOUND) return false;  // a link, a folder, a twin, ...
    if (mayMove && otherVolumes_.find(DriveOf(target)) == std::string::npos) {
        switch (MoveBack(source, file, place, name, present)) {
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
    return CopyBack(source, place, name, present);
}

FileReturner::MoveResult FileReturner::MoveBack(platform::HeldFile& source, const std::string& file,
                                                const platform::GuardedFolder& place, const std::wstring& name,
                                                const std::optional<platform::CheckedEntry>& present) {
    ClearedForReplacing cleared(place, name, present);
    const DWORD error = place.Rename(source.Get(), name, present.has_value());
    if (error != ERROR_SUCCESS) {
        cleared.PutBack();
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

bool FileReturner::CopyBack(platform::HeldFile& source, const platform::GuardedFolder& place,
                            const std::wstring& name, const std::optional<platform::CheckedEntry>& present) {
    // Written whole beside the place first: a copy that fails half way (a
    // full disk) leaves the file at the place as it was.
    platform::FreshFile copy(place);
    if (!copy.CopyFrom(source.Get(), source.Size())) return false;
    ClearedForReplacing cleared(place, name, present);
    const std::optional<platform::FileId> replacing =
        present ? std::optional<platform::FileId>(present->id) : std::nullopt;
    if (copy.PutInPlace(name, replacing) != ERROR_SUCCESS) {
        cleared.PutBack();
        return false;
    }
    // Back in its place: it leaves the set at once, so the set always holds
    // exactly what has not been restored yet.
    source.Delete();
    return true;
}

}  // namespace rescue
