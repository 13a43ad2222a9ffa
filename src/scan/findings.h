#pragma once
// The findings of one scan, held compactly: a scan may find hundreds of
// thousands of files. The findings of one folder share that folder's path,
// every name lies in one pool, and the "found as" text of a finding (the
// junk type's description, or why a switch found it) is a small index into
// the scan's table of such texts, so that findings can be grouped by it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/held_file.h"

namespace scan {

class Findings {
public:
    // Appends a finding. folder is its folder's path (no trailing
    // backslash), name its last component. Consecutive findings of one
    // folder share one copy of the folder's path.
    void Add(std::string_view folder, std::string_view name, std::string_view foundAs,
             const platform::FileStamp& listed, uint32_t attributes);
    // Gives back the room kept for more findings.
    void ShrinkToFit();

    size_t Count() const { return entries_.size(); }
    bool Empty() const { return entries_.empty(); }

    std::string_view Folder(size_t finding) const;
    std::string_view Name(size_t finding) const;
    // Folder and name joined by a backslash.
    std::string Path(size_t finding) const;
    // What the listing said of the file: its size and last-write time, which
    // the clean checks the file against, and its attributes.
    const platform::FileStamp& Listed(size_t finding) const { return entries_[finding].listed; }
    uint32_t Attributes(size_t finding) const { return entries_[finding].attributes; }

    // Why the scan found the file, as an index into FoundAsTexts().
    uint16_t FoundAsIndex(size_t finding) const { return entries_[finding].foundAs; }
    const std::string& FoundAs(size_t finding) const { return foundAs_[entries_[finding].foundAs]; }
    // Every "found as" text of the scan, each once, in the order first met.
    const std::vector<std::string>& FoundAsTexts() const { return foundAs_; }

private:
    struct Entry {
        uint32_t folder;       // index into folderStarts_
        uint32_t nameStart;    // offset into names_
        uint16_t nameLength;
        uint16_t foundAs;      // index into foundAs_
        uint32_t attributes;
        platform::FileStamp listed;
    };

    uint32_t FolderIndex(std::string_view folder);
    uint16_t FoundAsIndexOf(std::string_view foundAs);

    std::vector<Entry> entries_;
    std::string names_;
    // The folders' paths one after another; folder i is the text from
    // folderStarts_[i] to the next start (or the end).
    std::string folderText_;
    std::vector<uint32_t> folderStarts_;
    std::vector<std::string> foundAs_;
};

}  // namespace scan
