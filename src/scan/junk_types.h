#pragma once
// Junk types: file-name patterns with "*" and "?" and the description that a
// matching file is reported with.
#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scan {

// Reason texts of findings that come from the search switches. They are
// literal and never translated.
inline constexpr const char* kReasonEmptyFile = "Zero Length File (Empty File)";
inline constexpr const char* kReasonInvalidShortcut = "Invalid Shortcut";
inline constexpr const char* kReasonNotAccessed = "Have Not Accessed";

// Whole-name match, byte by byte: "*" matches any run of bytes (dots
// included), "?" exactly one byte, every other byte itself. Case is compared
// as given; callers pass lower-cased copies.
bool MatchWildcard(const char* pattern, const char* name);

struct JunkEntry {
    // How the lowered pattern can be matched without the general walk; every
    // shape gives exactly what MatchWildcard gives.
    enum class Shape {
        General,  // anything else
        Literal,  // no "*" or "?": the whole name compared
        Suffix,   // "*" and then no "*" or "?": the end of the name compared
    };
    std::string loweredPattern;
    std::string description;
    Shape shape = Shape::General;
};

struct JunkMatch {
    std::string pattern;      // as stored
    std::string description;
};

// The active junk types of one scan, ordered by the pattern's bytes; that
// order decides between several patterns that match one name.
class JunkTypeTable {
public:
    JunkTypeTable() = default;
    JunkTypeTable(const JunkTypeTable& other);
    JunkTypeTable& operator=(const JunkTypeTable& other);
    JunkTypeTable(JunkTypeTable&&) = default;
    JunkTypeTable& operator=(JunkTypeTable&&) = default;

    // Inserts the pattern, or replaces the description of the same pattern.
    void Add(std::string_view pattern, std::string_view description);
    // The first pattern, in byte order, whose lower-cased text matches the
    // lower-cased name.
    std::optional<JunkMatch> Match(std::string_view fileName) const;
    // The same, for a name the caller has already lower-cased.
    // Null when none matches.
    const std::pair<const std::string, JunkEntry>* MatchLowered(const char* loweredName) const;
    void Clear();
    bool Empty() const { return entries_.empty(); }
    size_t Size() const { return entries_.size(); }

private:
    using Item = std::pair<const std::string, JunkEntry>;
    void Index(const Item& item);

    std::map<std::string, JunkEntry> entries_;
    // For each last byte of a lowered name, the entries that can match such
    // a name, in key order: a pattern that ends in a plain byte matches only
    // names that end in the same byte. Moving the map keeps its nodes, so
    // only a copy needs a new index.
    std::array<std::vector<const Item*>, 256> byLastByte_;
};

}  // namespace scan
