#include "rescue/backup_sets.h"

#include <algorithm>

#include "paths/path_text.h"
#include "platform/folder_listing.h"

namespace rescue {

namespace {

bool IsScanSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// One "%<width>d" conversion at text[pos]; advances pos past what it read.
std::optional<int> ReadNumber(std::string_view text, size_t& pos, size_t width) {
    while (pos < text.size() && IsScanSpace(text[pos])) ++pos;
    size_t end = std::min(text.size(), pos + width);
    size_t i = pos;
    bool negative = false;
    if (i < end && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i >= end || !IsDigit(text[i])) return std::nullopt;
    int value = 0;
    while (i < end && IsDigit(text[i])) value = value * 10 + (text[i++] - '0');
    pos = i;
    return negative ? -value : value;
}

}  // namespace

std::optional<SetTime> ParseSetName(std::string_view name) {
    struct Field {
        int SetTime::*member;
        size_t width;
        char separator;  // the literal that must follow, or 0 after the last
    };
    static constexpr Field kFields[] = {
        {&SetTime::year, 4, '-'},   {&SetTime::month, 2, '-'},  {&SetTime::day, 2, '_'},
        {&SetTime::hour, 2, '-'},   {&SetTime::minute, 2, '-'}, {&SetTime::second, 2, 0},
    };
    SetTime time;
    size_t pos = 0;
    for (const Field& field : kFields) {
        std::optional<int> value = ReadNumber(name, pos, field.width);
        if (!value) return std::nullopt;
        time.*field.member = *value;
        if (field.separator) {
            if (pos >= name.size() || name[pos] != field.separator) return std::nullopt;
            ++pos;
        }
    }
    return time;
}

std::vector<SetFolder> ListSetFolders(std::string_view root) {
    std::vector<SetFolder> folders;
    std::string base = paths::WithoutTrailingBackslash(root);
    platform::FolderListing listing(base);
    while (listing.Next()) {
        // A name the narrow functions cannot reach exactly (a trailing dot
        // or blank among them) would be read, restored and deleted as
        // another folder.
        if (!listing.IsFolder() || !listing.Addressable()) continue;
        std::string name = listing.Name();
        std::string path = base + "\\" + name;
        folders.push_back({name, std::move(path), ParseSetName(name)});
    }
    return folders;
}

}  // namespace rescue
