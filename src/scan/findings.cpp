#include "scan/findings.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace scan {

uint32_t Findings::FolderIndex(std::string_view folder) {
    // The walk lists a folder's files together (a subfolder between them
    // costs one more copy of the path): only the last folder is compared.
    if (!folderStarts_.empty() && std::string_view(folderText_).substr(folderStarts_.back()) == folder) {
        return static_cast<uint32_t>(folderStarts_.size() - 1);
    }
    if (folderText_.size() + folder.size() > std::numeric_limits<uint32_t>::max()) {
        throw std::length_error("findings: folder paths");
    }
    folderStarts_.push_back(static_cast<uint32_t>(folderText_.size()));
    folderText_.append(folder);
    return static_cast<uint32_t>(folderStarts_.size() - 1);
}

uint16_t Findings::FoundAsIndexOf(std::string_view foundAs) {
    // A scan has a few dozen such texts: the last one used is the likely one.
    if (!entries_.empty() && foundAs_[entries_.back().foundAs] == foundAs) return entries_.back().foundAs;
    auto known = std::find(foundAs_.begin(), foundAs_.end(), foundAs);
    if (known != foundAs_.end()) return static_cast<uint16_t>(known - foundAs_.begin());
    if (foundAs_.size() > std::numeric_limits<uint16_t>::max()) throw std::length_error("findings: found-as texts");
    foundAs_.emplace_back(foundAs);
    return static_cast<uint16_t>(foundAs_.size() - 1);
}

void Findings::Add(std::string_view folder, std::string_view name, std::string_view foundAs,
                   const platform::FileStamp& listed, uint32_t attributes) {
    if (name.size() > std::numeric_limits<uint16_t>::max() ||
        names_.size() + name.size() > std::numeric_limits<uint32_t>::max()) {
        throw std::length_error("findings: names");
    }
    Entry entry{};
    entry.folder = FolderIndex(folder);
    entry.foundAs = FoundAsIndexOf(foundAs);
    entry.nameStart = static_cast<uint32_t>(names_.size());
    entry.nameLength = static_cast<uint16_t>(name.size());
    entry.attributes = attributes;
    entry.listed = listed;
    names_.append(name);
    entries_.push_back(entry);
}

void Findings::ShrinkToFit() {
    entries_.shrink_to_fit();
    names_.shrink_to_fit();
    folderText_.shrink_to_fit();
    folderStarts_.shrink_to_fit();
}

std::string_view Findings::Folder(size_t finding) const {
    const uint32_t folder = entries_[finding].folder;
    const size_t start = folderStarts_[folder];
    const size_t end = folder + 1 < folderStarts_.size() ? folderStarts_[folder + 1] : folderText_.size();
    return std::string_view(folderText_).substr(start, end - start);
}

std::string_view Findings::Name(size_t finding) const {
    const Entry& entry = entries_[finding];
    return std::string_view(names_).substr(entry.nameStart, entry.nameLength);
}

std::string Findings::Path(size_t finding) const {
    const std::string_view folder = Folder(finding), name = Name(finding);
    std::string path;
    path.reserve(folder.size() + 1 + name.size());
    path.append(folder).append(1, '\\').append(name);
    return path;
}

}  // namespace scan
