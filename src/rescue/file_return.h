#pragma once
// Puts the files of a backup set back at their places, one at a time.
//
// Where the set and the place lie on one volume, the file is moved back:
// nothing is copied, and it gets the security a copy made there would have.
// Across volumes it is copied back, written whole beside its place first and
// then named, and deleted from the set. Either way a file leaves the set
// only once it is back, and neither side is ever a link: reading the set's
// file through one would put another file's content in place, and writing
// onto one, or into a folder reached through one, would overwrite a file
// elsewhere. A file at the place is replaced only when it is the place's own
// file, checked just before: not a link, a folder, or another file whose
// name differs only in case.
#include <string>

#include "clean/file_ops.h"
#include "platform/fresh_file.h"
#include "platform/held_file.h"

namespace rescue {

class FileReturner {
public:
    // Puts the set's file back at target (a plain full path), making its
    // folders where they are missing and replacing the file that stands
    // there, read-only, hidden and system ones too. Returns whether the file
    // is back and out of the set; when not, it is still in the set and the
    // place is as it was.
    bool Return(const std::string& file, const std::string& target);

    // How many files went back by a move so far.
    size_t Moved() const { return moved_; }

private:
    enum class MoveResult { Moved, OtherVolume, Failed };
    MoveResult MoveBack(platform::HeldFile& source, const std::string& file, const platform::GuardedFolder& place,
                        const std::wstring& name, const std::optional<platform::CheckedEntry>& present);
    bool CopyBack(platform::HeldFile& source, const platform::GuardedFolder& place, const std::wstring& name,
                  const std::optional<platform::CheckedEntry>& present);

    // Kept apart so that files coming and going between the same two
    // folders do not open each folder anew every time.
    platform::FolderFinalPaths setFolders_;
    clean::FolderKeeper places_;
    // Drive letters (lower case) whose places a move from the set cannot
    // reach: they lie on another volume.
    std::string otherVolumes_;
    size_t moved_ = 0;
};

}  // namespace rescue
