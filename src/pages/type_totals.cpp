#include "pages/type_totals.h"

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
    // The "found as" texts numbered in the order first met.
    std::unordered_map<std::string_view, size_t> indexOf;
    std::vector<size_t> typeOfFile(result.files.size());
    std::vector<std::string_view> texts;
    for (size_t i = 0; i < result.files.size(); ++i) {
        const std::string_view text = result.files[i].reason;
        auto [at, added] = indexOf.try_emplace(text, texts.size());
        if (added) texts.push_back(text);
        typeOfFile[i] = at->second;
    }
    // A preview cleans nothing: its bars are what it would clean.
    const auto cleaned = [&](size_t i) {
        const clean::ResultKind kind = clean::TextOf(result, i).kind;
        return kind == clean::ResultKind::Cleaned || kind == clean::ResultKind::Planned;
    };
    std::vector<TypeTotal> totals = TotalsByType(
        texts.size(), result.files.size(), [&](size_t i) { return typeOfFile[i]; },
        [&](size_t i) { return cleaned(i) ? clean::ListedSize(result.files[i]) : 0; }, cleaned);
    std::vector<CleanedType> byType;
    for (TypeTotal& total : totals) {
        if (total.tickedFiles == 0) continue;
        byType.push_back({std::string(texts[total.type]), total.tickedFiles, total.tickedBytes});
    }
    std::stable_sort(byType.begin(), byType.end(), [](const CleanedType& a, const CleanedType& b) {
        return a.bytes != b.bytes ? a.bytes > b.bytes : a.files > b.files;
    });
    return byType;
}

}  // namespace pages
