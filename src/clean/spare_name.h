#pragma once
// A second name (a hard link) for a file, made beside it before an operation
// that may delete the file for good although it was asked to move it. Once
// the operation is over, the spare name tells what happened: while the file
// still has all its other names it was moved (renamed) and its data lives
// on; when it lost one, the file was deleted, and the spare name puts it
// back where it was. Whether the file is still at its place is told by its
// identity, never by its name: a name that differs only in case, or looks
// alike, may lead to another file.
#include <windows.h>

#include <string>

#include "platform/file_identity.h"

namespace clean {

class SpareJournal;

class SpareName {
public:
    // Makes the spare name, written down first in the journal when one is
    // given. Held() is false when the file cannot have one (no such file, a
    // folder, a file system without hard links).
    explicit SpareName(const std::string& path, SpareJournal* journal = nullptr);
    // Settles a spare name that was not settled.
    ~SpareName();
    SpareName(const SpareName&) = delete;
    SpareName& operator=(const SpareName&) = delete;

    bool Held() const { return !spare_.empty(); }

    // After the operation: true when the file left its place and still
    // exists under another name. Otherwise the file is back at its place (or
    // never left it) and the result is false. Either way the spare name is
    // removed; only when the file cannot be put back does it stay, holding
    // the file's data.
    bool Settle();

private:
    std::string path_;
    std::string spare_;
    platform::FileId id_;
    DWORD linksWithSpare_ = 0;
};

}  // namespace clean
