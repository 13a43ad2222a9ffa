#include "clean/clean_job.h"

#include <functional>
#include <limits>
#include <optional>

#include "clean/clean_log.h"
#include "clean/folder_tree.h"
#include "clean/spare_journal.h"
#include "paths/path_text.h"
#include "platform/com.h"
#include "platform/folder_removal.h"
#include "platform/trace.h"
#include "text/language_table.h"

namespace clean {

namespace {

// The phases report every file; the owner is told at a human pace. A new
// status shows at once, with the first position after it; Flush shows the
// last position of a phase.
class PacedProgress : public CleanProgress {
public:
    PacedProgress(platform::JobProgress& owner, uint64_t paceMs)
        : owner_(owner), position_([this](int position) { owner_.SetPosition(position); }, paceMs) {}

    void SetStatus(const std::string& text) override {
        position_.Flush();
        position_.Restart();
        owner_.SetStatus(text);
    }
    void SetPosition(int position) override { position_.Set(position); }
    void Flush() { position_.Flush(); }

private:
    platform::JobProgress& owner_;
    platform::Paced<int, std::function<void(int)>> position_;
};

// The words of the log's action column for the settings, in phase order
// ("backup+delete"; "none" when no phase is on).
std::string ActionOf(const CleanSettings& settings) {
    std::string text;
    const auto add = [&](const char* word) {
        if (!text.empty()) text += '+';
        text += word;
    };
    if (settings.backup) add("backup");
    if (settings.deleteFiles) add("delete");
    if (settings.recycle) add("recycle");
    // An empty target folder moves nothing.
    if (settings.moveToFolder && !paths::WithoutTrailingBackslash(settings.moveTarget).empty()) add("move");
    return text.empty() ? "none" : text;
}

// The file phases the settings switch on, over a non-empty list. A phase
// stopped early makes the rest start and end at once. A preview runs none
// of them. set is the backup set reserved for the clean.
bool RunFilePhases(CleanResult& result, const CleanSettings& settings, PacedProgress& sink, const StopFlag& stop,
                   const std::optional<std::string>& set) {
    const CleanList& list = result.files;
    const bool run = !result.preview;
    bool completed = true;
    CleanOutcomes& outcomes = result.outcomes;
    outcomes.assign(list.size(), FileOutcome::Waiting);
    if (settings.backup) {
        if (set) {
            completed &= BackupFiles(list, *set, sink, stop, &outcomes);
        } else if (run) {
            // Nowhere to keep copies: nothing the user asked to back up goes.
            outcomes.assign(list.size(), FileOutcome::KeptNoCopy);
        }
    }
    sink.Flush();
    if (settings.deleteFiles && run) completed &= DeleteFiles(list, sink, stop, &outcomes);
    sink.Flush();
    if (settings.recycle && run) {
        {
            SpareJournal journal(SpareJournalPath());
            completed &= RecycleFiles(list, sink, stop, &outcomes, journal.Valid() ? &journal : nullptr);
        }
        SettleRecordedSpareNames(SpareJournalPath());
    }
    sink.Flush();
    if (settings.moveToFolder && run) completed &= MoveFilesToFolder(list, settings.moveTarget, sink, stop, &outcomes);
    sink.Flush();
    if (set) DropCopiesOfUnlistedFiles(list, *set, outcomes);
    return completed;
}

// The switched-on trace cleaners in their order; a stop request skips the
// ones not yet begun (which the result lists as not run), and a preview
// runs none.
bool RunTraceCleaners(CleanResult& result, const CleanSettings& settings, PacedProgress& sink, const StopFlag& stop) {
    bool completed = true;
    for (const TraceCleaner& cleaner : TraceCleaners()) {
        if (stop != 0) completed = false;
        if (!settings.traces[static_cast<size_t>(cleaner.number - 1)]) continue;
        const bool run = completed && !result.preview;
        if (run) RunTraceCleaner(cleaner.number, sink);
        result.traces.push_back({cleaner.number, run});
        sink.Flush();
    }
    return completed;
}

std::optional<std::string> SetNameOf(const std::optional<std::string>& set) {
    return set ? std::optional<std::string>(paths::LastComponent(*set)) : std::nullopt;
}

int LastPosition(size_t count) {
    return static_cast<int>(std::min<size_t>(count, std::numeric_limits<int>::max()));
}

}  // namespace

CleanResult RunClean(CleanPlan plan, platform::JobProgress& progress, const StopFlag& stop, uint64_t paceMs,
                     const AgedSetRemoval& removeAgedSets) {
    std::optional<platform::ComApartment> com;
    com.emplace();
    SYSTEMTIME started{};
    ::GetLocalTime(&started);
    CleanResult result;
    result.preview = plan.kind == CleanKind::Preview;
    result.action = "none";
    result.files = std::move(plan.files);
    std::optional<std::string> set;
    CleanLog log;
    bool completed = true;
    try {
        progress.SetStatus(text::LookupText("_cpStartCleanState"));
        const size_t count = result.files.size();
        if (count > 0) result.action = ActionOf(plan.settings);
        if (!result.preview) {
            // What a run killed in its recycle left behind is settled first.
            SettleRecordedSpareNames(SpareJournalPath());
            if (count > 0 && plan.settings.backup) set = ReserveBackupSet();
            // Nothing is disposed of before the clean's record exists, not
            // even an old backup set.
            if (!log.Open(result, SetNameOf(set), started)) {
                result.logRefused = true;
                if (set) platform::RemoveEmptyFolder(*set, paths::FolderPart(*set));
                set.reset();
            }
        }
        // The set just reserved is younger than any age the rule takes.
        if (!result.logRefused && plan.settings.removeSetsOlderThanDays > 0 && removeAgedSets) {
            progress.SetStatus(text::LookupText("_cpRemovingOldSets"));
            result.agedSets = removeAgedSets(plan.settings.removeSetsOlderThanDays, result.preview);
        }
        progress.SetPosition(0);
        progress.SetStatus(text::LookupText("_cpGetList"));
        progress.SetRange(static_cast<uint32_t>(std::min<size_t>(count, std::numeric_limits<uint32_t>::max())));
        PacedProgress paced(progress, paceMs);
        if (!result.logRefused) {
            if (count > 0) completed &= RunFilePhases(result, plan.settings, paced, stop, set);
            if (completed && !result.preview) RemoveEmptyFolders(plan.foldersToRemove);
            completed &= RunTraceCleaners(result, plan.settings, paced, stop);
        }
    } catch (...) {
        platform::TraceException("clean job");
        // Out of memory or the like: end the job as a stopped one rather than
        // take the program down.
        completed = false;
    }
    result.stopped = !completed;
    try {
        // Completed once, after the work: the clean itself never waits for it.
        if (result.preview) {
            result.logPath = WriteCleanLog(result, SetNameOf(set), started);
        } else if (log.IsOpen()) {
            result.logPath = log.Complete(result);
        }
    } catch (...) {
        platform::TraceException("clean log");
    }
    if (result.logPath.empty()) NoteLogNotWritten();
    com.reset();
    try {
        progress.SetPosition(LastPosition(result.files.size()));
        progress.SetStatus(text::LookupText(completed ? "_cpThreadCompleted" : "_cpThreadStopped"));
    } catch (...) {
        platform::TraceException("clean job end");
    }
    return result;
}

}  // namespace clean
