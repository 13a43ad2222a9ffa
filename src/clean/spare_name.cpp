#include "clean/spare_name.h"

#include <optional>
#include <utility>

#include "clean/spare_journal.h"
#include "platform/file_move.h"
#include "platform/hard_link.h"
#include "platform/held_file.h"

namespace clean {

namespace {

// Enough to count the file's names and to remove the spare one. No handle
// stays open while the operation runs: an open handle would hold back a
// delete and hide it.
constexpr DWORD kNameAccess = DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES | SYNCHRONIZE;
// Names tried beside the file before giving up: "name.~spare0" and on.
constexpr int kSpareNameTries = 8;

// The identity of the file a name leads to now; none when it leads nowhere.
std::optional<platform::FileId> IdAt(const std::string& path) {
    platform::HeldFile file(path, FILE_READ_ATTRIBUTES | SYNCHRONIZE);
    return file.OpenState() == platform::HeldState::Plain ? platform::IdOf(file.Get()) : std::nullopt;
}

// Removes the name the file was opened by. A read-only file refuses that, so
// the bit is lifted for the moment and put back: it belongs to the file,
// which lives on under its other name.
void RemoveOpenedName(platform::HeldFile& file) {
    const DWORD attributes = file.Attributes();
    const bool readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    if (readOnly) file.SetAttributes(attributes & ~FILE_ATTRIBUTE_READONLY);
    FILE_DISPOSITION_INFO dispose{TRUE};
    ::SetFileInformationByHandle(file.Get(), FileDispositionInfo, &dispose, sizeof dispose);
    if (readOnly) file.SetAttributes(attributes);
}

}  // namespace

SpareName::SpareName(const std::string& path, SpareJournal* journal) : path_(path) {
    DWORD links = 0;
    {
        platform::HeldFile file(path, FILE_READ_ATTRIBUTES | SYNCHRONIZE);
        std::optional<platform::FileId> id;
        platform::FolderFinalPaths folders;
        if (file.Check(folders, std::nullopt) == platform::HeldState::Plain) id = platform::IdOf(file.Get());
        if (!id) return;
        id_ = *id;
        links = platform::LinkCountOf(file.Get());
    }
    if (links == 0) return;
    for (int n = 0; n < kSpareNameTries; ++n) {
        std::string spare = path + ".~spare" + std::to_string(n);
        // Written down before it exists: a run killed from here on leaves a
        // record the next run settles it by.
        if (journal) journal->Record(spare, path, id_, links + 1);
        const DWORD error = platform::AddHardLink(path, spare);
        if (error == ERROR_SUCCESS) {
            spare_ = std::move(spare);
            break;
        }
        if (error != ERROR_ALREADY_EXISTS) return;
    }
    if (!Held()) return;
    platform::HeldFile file(spare_, kNameAccess);
    platform::FolderFinalPaths folders;
    const bool plain = file.Check(folders, std::nullopt) == platform::HeldState::Plain;
    const std::optional<platform::FileId> id = plain ? platform::IdOf(file.Get()) : std::nullopt;
    linksWithSpare_ = plain ? platform::LinkCountOf(file.Get()) : 0;
    if (!id || !(*id == id_) || linksWithSpare_ < 2) {
        // A name of another file, or one that cannot be examined, tells
        // nothing afterwards: of no use. It is removed only when it is a
        // name of this very file.
        if (id && *id == id_) RemoveOpenedName(file);
        spare_.clear();
    }
}

SpareName::~SpareName() { Settle(); }

bool SpareName::Settle() {
    if (!Held()) return false;
    const std::string spare = std::exchange(spare_, {});
    const std::optional<platform::FileId> atPlace = IdAt(path_);
    const bool left = !atPlace || !(*atPlace == id_);
    platform::HeldFile file(spare, kNameAccess);
    platform::FolderFinalPaths folders;
    if (file.Check(folders, std::nullopt) != platform::HeldState::Plain) return left;
    const std::optional<platform::FileId> id = platform::IdOf(file.Get());
    if (!id || !(*id == id_)) return left;  // not this file's name any more: not ours to remove
    if (left && platform::LinkCountOf(file.Get()) < linksWithSpare_) {
        // The file lost a name instead of moving: it was deleted. Its spare
        // name takes its place again (a rename keeps attributes and times),
        // never replacing what stands there now; when it cannot, the spare
        // name keeps the data.
        platform::MoveHeldFile(file.Get(), path_, false);
        return false;
    }
    RemoveOpenedName(file);
    return left;
}

}  // namespace clean
