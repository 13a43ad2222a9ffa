#include "clean/clean_result.h"

#include <algorithm>
#include <iterator>

namespace clean {

namespace {

struct OutcomeText {
    FileOutcome outcome;
    ResultText text;
};

// Outcomes that settle a file, and how each reads.
constexpr OutcomeText kSettled[] = {
    {FileOutcome::Cleaned, {ResultKind::Cleaned, "cleaned", "", nullptr}},
    {FileOutcome::KeptNoCopy, {ResultKind::Kept, "kept", "backup-copy-failed", "_ncReasonNoCopy"}},
    {FileOutcome::KeptNoPlace, {ResultKind::Kept, "kept", "no-backup-place", "_ncReasonNoPlace"}},
    {FileOutcome::KeptChanged, {ResultKind::Kept, "kept", "changed-since-scan", "_ncReasonChanged"}},
    {FileOutcome::KeptLink, {ResultKind::Kept, "kept", "link", "_ncReasonLink"}},
    {FileOutcome::InUse, {ResultKind::Failed, "failed", "in-use", "_ncReasonInUse"}},
    {FileOutcome::Denied, {ResultKind::Failed, "failed", "access-denied", "_ncReasonDenied"}},
    {FileOutcome::Missing, {ResultKind::Failed, "failed", "vanished", "_ncReasonMissing"}},
    {FileOutcome::NotBinned, {ResultKind::Failed, "failed", "bin-refused", "_ncReasonNotBinned"}},
    {FileOutcome::NotBinnedLong, {ResultKind::Failed, "failed", "bin-path-too-long", "_ncReasonBinPathTooLong"}},
    {FileOutcome::Failed, {ResultKind::Failed, "failed", "error", "_ncReasonFailed"}},
};

constexpr ResultText kStopped = {ResultKind::Skipped, "skipped", "stopped", "_ncReasonStopped"};
constexpr ResultText kNotDisposed = {ResultKind::Skipped, "skipped", "no-disposal", "_ncReasonNoDisposal"};
constexpr ResultText kPlanned = {ResultKind::Planned, "planned", "", nullptr};
constexpr ResultText kNoLog = {ResultKind::Skipped, "skipped", "no-log", "_ncReasonNoLog"};

}  // namespace

ResultText TextOf(const CleanResult& result, size_t file) {
    if (result.preview) return kPlanned;
    if (result.logRefused) return kNoLog;
    const FileOutcome outcome = file < result.outcomes.size() ? result.outcomes[file] : FileOutcome::Waiting;
    auto settled = std::find_if(std::begin(kSettled), std::end(kSettled),
                                [outcome](const OutcomeText& entry) { return entry.outcome == outcome; });
    if (settled != std::end(kSettled)) return settled->text;
    // Waiting, backed up only, or kept when a stop came before its copy: no
    // phase disposed of it.
    return result.stopped ? kStopped : kNotDisposed;
}

uint64_t ListedSize(const CleanItem& item) { return item.listed ? item.listed->size : 0; }

CleanCounts CountResult(const CleanResult& result) {
    CleanCounts counts;
    // In the order of ResultKind.
    Tally* const tallies[] = {&counts.cleaned, &counts.kept, &counts.failed, &counts.skipped, &counts.planned};
    for (size_t i = 0; i < result.files.size(); ++i) {
        tallies[static_cast<size_t>(TextOf(result, i).kind)]->Add(ListedSize(result.files[i]));
    }
    for (const TraceRun& trace : result.traces) ++(trace.ran ? counts.tracesRun : counts.tracesSkipped);
    return counts;
}

std::vector<size_t> NotCleanedFiles(const CleanResult& result) {
    std::vector<size_t> files;
    for (size_t i = 0; i < result.files.size(); ++i) {
        ResultKind kind = TextOf(result, i).kind;
        if (kind != ResultKind::Cleaned && kind != ResultKind::Planned) files.push_back(i);
    }
    return files;
}

}  // namespace clean
