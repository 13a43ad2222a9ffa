#include "scan/junk_types.h"

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

void JunkTypeTable::Add(std::string_view pattern, std::string_view description) {
    JunkEntry& entry = entries_[std::string(pattern)];
    entry.loweredPattern = platform::LowerAnsi(pattern);
    entry.description = std::string(description);
}

const std::pair<const std::string, JunkEntry>* JunkTypeTable::MatchLowered(const char* loweredName) const {
    for (const auto& item : entries_) {
        if (MatchWildcard(item.second.loweredPattern.c_str(), loweredName)) return &item;
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
