#pragma once
// The wizard's session: the findings of the last scan, the order the report
// shows them in, which of them are ticked, and what the last clean did. The
// wizard window owns it and hands it to the pages when they are made; the
// report page shows and edits it, the clean summary, the cleaning page and
// the finish page read it. Used on the user-interface thread only.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "clean/clean_engine.h"
#include "clean/clean_result.h"
#include "scan/findings.h"

namespace pages {

struct TakenTotals {
    uint64_t files = 0;
    uint64_t bytes = 0;
    bool operator==(const TakenTotals&) const = default;
};

class Session {
public:
    // The findings of a new scan, replacing the last ones: every one ticked,
    // in the scan's order; with the folders a clean of them removes where
    // it leaves them empty.
    void SetFindings(scan::Findings findings, std::vector<std::string> foldersToRemove = {});
    const scan::Findings& Findings() const { return findings_; }
    const std::vector<std::string>& FoldersToRemove() const { return foldersToRemove_; }
    // Changes with every SetFindings: a view built on the findings is
    // rebuilt when it differs from the one it was built for.
    uint64_t FindingsVersion() const { return version_; }

    // The report's rows: each shows one finding.
    size_t RowCount() const { return rows_.size(); }
    size_t FindingAt(size_t row) const { return rows_[row]; }
    // Orders the rows by before(a, b) of their findings; the order must be
    // strict and total (ties broken by the findings' scan order).
    void SortRows(const std::function<bool(size_t a, size_t b)>& before);

    bool Ticked(size_t finding) const { return ticks_[finding]; }
    void SetTicked(size_t finding, bool ticked);
    enum class TickChange { TickAll, UntickAll, Invert };
    void ChangeAllTicks(TickChange change);
    // The number and the listed size of the ticked findings.
    const TakenTotals& Taken() const { return taken_; }

    // Takes out the findings drop(finding) is true for (files the user now
    // always keeps); the rest keep their ticks and their order in the rows,
    // but new indices (FindingsVersion changes). Returns how many went.
    size_t RemoveFindings(const std::function<bool(size_t finding)>& drop);

    // The ticked findings in row order, each with the size and last-write
    // time it was listed with and why it was found: what a clean takes.
    clean::CleanList TakenFiles() const;

    // What the last clean did; null before the first.
    void SetLastClean(clean::CleanResult result);
    const clean::CleanResult* LastClean() const { return lastClean_.get(); }

private:
    void Recount();

    scan::Findings findings_;
    std::vector<std::string> foldersToRemove_;
    uint64_t version_ = 0;
    std::vector<uint32_t> rows_;
    std::vector<bool> ticks_;
    TakenTotals taken_;
    std::unique_ptr<const clean::CleanResult> lastClean_;
};

}  // namespace pages
