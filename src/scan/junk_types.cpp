#include "scan/junk_types.h"

#include <algorithm>

#include "platform/codepage.h"

namespace scan {

bool MatchWildcard(const char* pattern, const char* name) {
    const char* p = pattern;
    const char* n = name;
    // Leading literal run, up to the first star.
    while (*n && *p != '*') {
        if (*p != *n && *p != '?') return false;
        ++p;
        ++n;
    }
    // Star phase: the last star swallows one more byte on every mismatch.
    const char* patternMark = nullptr;
    const char* nameMark = nullptr;
    while (*n) {
        if (*p == '*') {
            if (!*++p) return true;
            patternMark = p;
            nameMark = n + 1;
        } else if (*p == *n || *p == '?') {
            ++p;
            ++n;
        } else {
            if (!patternMark) return false;
            p = patternMark;
            n = nameMark++;
        }
    }
    while (*p == '*') ++p;
    return !*p;
}

namespace {

JunkEntry::Shape ShapeOf(std::string_view lowered) {
    // A zero byte would end the pattern for MatchWildcard; keep its reading.
    if (lowered.find('\0') != std::string_view::npos) return JunkEntry::Shape::General;
    if (lowered.find_first_of("*?") == std::string_view::npos) {
        return lowered.empty() ? JunkEntry::Shape::General : JunkEntry::Shape::Literal;
    }
    if (lowered.size() > 1 && lowered[0] == '*' && lowered.find_first_of("*?", 1) == std::string_view::npos) {
        return JunkEntry::Shape::Suffix;
    }
    return JunkEntry::Shape::General;
}

bool Matches(const JunkEntry& entry, std::string_view name) {
    const std::string& p = entry.loweredPattern;
    switch (entry.shape) {
    case JunkEntry::Shape::Literal:
        return name == p;
    case JunkEntry::Shape::Suffix:
        return name.size() >= p.size() - 1 && name.substr(name.size() - (p.size() - 1)) == std::string_view(p).substr(1);
    case JunkEntry::Shape::General:
        break;
    }
    return MatchWildcard(p.c_str(), name.data());
}

}  // namespace

JunkTypeTable::JunkTypeTable(const JunkTypeTable& other) : entries_(other.entries_) {
    for (const Item& item : entries_) Index(item);
}

JunkTypeTable& JunkTypeTable::operator=(const JunkTypeTable& other) {
    if (this != &other) {
        JunkTypeTable copy(other);
        *this = std::move(copy);
    }
    return *this;
}

void JunkTypeTable::Clear() {
    entries_.clear();
    for (auto& bucket : byLastByte_) bucket.clear();
}

void JunkTypeTable::Add(std::string_view pattern, std::string_view description) {
    auto [at, inserted] = entries_.try_emplace(std::string(pattern));
    JunkEntry& entry = at->second;
    entry.loweredPattern = platform::LowerAnsi(pattern);
    entry.description = std::string(description);
    entry.shape = ShapeOf(entry.loweredPattern);
    if (inserted) Index(*at);
}

void JunkTypeTable::Index(const Item& item) {
    // MatchWildcard reads the pattern up to its first zero byte.
    std::string_view pattern(item.second.loweredPattern.c_str());
    if (pattern.empty()) return;  // matches no name that has a byte
    const unsigned char last = static_cast<unsigned char>(pattern.back());
    const bool anyEnd = last == '*' || last == '?';
    auto byKey = [](const Item* a, const Item* b) { return a->first < b->first; };
    for (int byte = 0; byte < 256; ++byte) {
        if (!anyEnd && byte != last) continue;
        auto& bucket = byLastByte_[byte];
        bucket.insert(std::upper_bound(bucket.begin(), bucket.end(), &item, byKey), &item);
    }
}

const std::pair<const std::string, JunkEntry>* JunkTypeTable::MatchLowered(const char* loweredName) const {
    const std::string_view name(loweredName);
    if (name.empty()) {
        for (const Item& item : entries_) {
            if (Matches(item.second, name)) return &item;
        }
        return nullptr;
    }
    for (const Item* item : byLastByte_[static_cast<unsigned char>(name.back())]) {
        if (Matches(item->second, name)) return item;
    }
    return nullptr;
}

std::optional<JunkMatch> JunkTypeTable::Match(std::string_view fileName) const {
    std::string lowered = platform::LowerAnsi(fileName);
    const auto* found = MatchLowered(lowered.c_str());
    if (!found) return std::nullopt;
    return JunkMatch{found->first, found->second.description};
}

}  // namespace scan
