#pragma once
// A second name (a hard link) for a file, made beside it before an operation
// that may delete the file for good although it was asked to move it. Once
// the operation is over, the spare name tells what happened: while the file
// still has another name besides the spare one it was moved (renamed) and its
// data lives on; when the spare name is its last one, the file was deleted,
// and the spare name puts it back where it was.
#include <windows.h>

#include <string>

namespace clean {

class SpareName {
public:
    // Makes the spare name. Held() is false when the file cannot have one
    // (no such file, a folder, a file system without hard links).
    explicit SpareName(const std::string& path);
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
    DWORD linksWithSpare_ = 0;
};

}  // namespace clean
