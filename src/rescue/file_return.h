#pragma once
// Puts the files of a backup set back at their places, one at a time.
//
// Where the set and the place lie on one volume, the file is moved back:
// nothing is copied, and it gets the security a copy made there would have.
// Across volumes it is copied back and then deleted from the set. Either way
// a file leaves the set only once it is back, and neither side is ever a
// link: reading the set's file through one would put another file's content
// in place, and writing onto one would overwrite the file it points to.
#include <string>

#include "platform/held_file.h"

namespace rescue {

class FileReturner {
public:
    // Puts the set's file back at target (a plain full path whose folder
    // exists), replacing whatever file stands there, read-only, hidden and
    // system ones too. Returns whether the file is back and out of the set;
    // when not, it is still in the set.
    bool Return(const std::string& file, const std::string& target);

    // How many files went back by a move so far.
    size_t Moved() const { return moved_; }

private:
    enum class MoveResult { Moved, OtherVolume, Failed };
    MoveResult MoveBack(platform::HeldFile& source, const std::string& file, const std::string& target);
    bool CopyBack(platform::HeldFile& source, const std::string& file, const std::string& target, bool targetTaken);

    // Kept apart so that files coming and going between the same two
    // folders do not open each folder anew every time.
    platform::FolderFinalPaths setFolders_, targetFolders_;
    // Drive letters (lower case) whose places a move from the set cannot
    // reach: they lie on another volume.
    std::string otherVolumes_;
    size_t moved_ = 0;
};

}  // namespace rescue
