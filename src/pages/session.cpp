#include "pages/session.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <stdexcept>

namespace pages {

void Session::SetFindings(scan::Findings findings, std::vector<std::string> foldersToRemove) {
    if (findings.Count() > std::numeric_limits<uint32_t>::max()) throw std::length_error("session: findings");
    findings_ = std::move(findings);
    foldersToRemove_ = std::move(foldersToRemove);
    ++version_;
    rows_.resize(findings_.Count());
    std::iota(rows_.begin(), rows_.end(), 0u);
    ticks_.assign(findings_.Count(), true);
    Recount();
}

void Session::SortRows(const std::function<bool(size_t a, size_t b)>& before) {
    std::sort(rows_.begin(), rows_.end(), [&](uint32_t a, uint32_t b) { return before(a, b); });
}

void Session::SetTicked(size_t finding, bool ticked) {
    if (finding >= ticks_.size() || ticks_[finding] == ticked) return;
    ticks_[finding] = ticked;
    const uint64_t size = findings_.Listed(finding).size;
    if (ticked) {
        ++taken_.files;
        taken_.bytes += size;
    } else {
        --taken_.files;
        taken_.bytes -= size;
    }
}

void Session::ChangeAllTicks(TickChange change) {
    for (size_t i = 0; i < ticks_.size(); ++i) {
        ticks_[i] = change == TickChange::TickAll || (change == TickChange::Invert && !ticks_[i]);
    }
    Recount();
}

void Session::Recount() {
    taken_ = {};
    for (size_t i = 0; i < ticks_.size(); ++i) {
        if (!ticks_[i]) continue;
        ++taken_.files;
        taken_.bytes += findings_.Listed(i).size;
    }
}

size_t Session::RemoveFindings(const std::function<bool(size_t finding)>& drop) {
    constexpr uint32_t kGone = std::numeric_limits<uint32_t>::max();
    std::vector<uint32_t> newIndex(findings_.Count(), kGone);
    scan::Findings kept;
    std::vector<bool> ticks;
    for (size_t i = 0; i < findings_.Count(); ++i) {
        if (drop(i)) continue;
        newIndex[i] = static_cast<uint32_t>(kept.Count());
        kept.Add(findings_.Folder(i), findings_.Name(i), findings_.FoundAs(i), findings_.Listed(i),
                 findings_.Attributes(i));
        ticks.push_back(ticks_[i]);
    }
    const size_t removed = findings_.Count() - kept.Count();
    if (removed == 0) return 0;
    std::vector<uint32_t> rows;
    rows.reserve(kept.Count());
    for (uint32_t finding : rows_) {
        if (newIndex[finding] != kGone) rows.push_back(newIndex[finding]);
    }
    kept.ShrinkToFit();
    findings_ = std::move(kept);
    rows_ = std::move(rows);
    ticks_ = std::move(ticks);
    ++version_;
    Recount();
    return removed;
}

clean::CleanList Session::TakenFiles() const {
    clean::CleanList files;
    files.reserve(static_cast<size_t>(taken_.files));
    for (uint32_t finding : rows_) {
        if (ticks_[finding]) files.emplace_back(findings_.Path(finding), findings_.Listed(finding), findings_.FoundAs(finding));
    }
    return files;
}

void Session::SetLastClean(clean::CleanResult result) {
    lastClean_ = std::make_unique<const clean::CleanResult>(std::move(result));
}

}  // namespace pages
