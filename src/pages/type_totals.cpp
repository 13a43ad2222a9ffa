#include "pages/type_totals.h"

#include <limits>
#include <string_view>
#include <unordered_map>

namespace pages {

std::vector<TypeTotal> TotalsOf(const Session& session) {
    const scan::Findings& findings = session.Findings();
    return TotalsByType(
        findings.FoundAsTexts().size(), findings.Count(), [&](size_t i) { return findings.FoundAsIndex(i); },
        [&](size_t i) { return findings.Listed(i).size; }, [&](size_t i) { return session.Ticked(i); });
}

void SetTypeTicked(Session& session, size_t type, bool ticked) {
    const scan::Findings& findings = session.Findings();
    for (size_t i = 0; i < findings.Count(); ++i) {
        if (findings.FoundAsIndex(i) == type) session.SetTicked(i, ticked);
    }
}

std::vector<CleanedType> CleanedByType(const clean::CleanResult& result) {
    // The "found as" texts of the files cleaned (a preview cleans nothing:
    // its bars are what it would clean), numbered in the order first met;
    // the other files are of no type.
    std::unordered_map<std::string_view, size_t> indexOf;
    std::vector<std::string_view> texts;
    constexpr size_t kNoType = std::numeric_limits<size_t>::max();
    std::vector<size_t> typeOfFile(result.files.size(), kNoType);
    for (size_t i = 0; i < result.files.size(); ++i) {
        const clean::ResultKind kind = clean::TextOf(result, i).kind;
        if (kind != clean::ResultKind::Cleaned && kind != clean::ResultKind::Planned) continue;
        auto [at, added] = indexOf.try_emplace(result.files[i].reason, texts.size());
        if (added) texts.push_back(result.files[i].reason);
        typeOfFile[i] = at->second;
    }
    std::vector<CleanedType> byType;
    for (const TypeTotal& total : TotalsByType(
             texts.size(), result.files.size(), [&](size_t i) { return typeOfFile[i]; },
             [&](size_t i) { return clean::ListedSize(result.files[i]); }, [](size_t) { return true; })) {
        byType.push_back({std::string(texts[total.type]), total.files, total.bytes});
    }
    return byType;
}

}  // namespace pages
