#include "clean/clean_job.h"

#include <functional>
#include <limits>
#include <optional>

#include "clean/clean_log.h"
#include "clean/spare_journal.h"
#include "clean/trace_cleaners.h"
#include "config/settings.h"
#include "config/settings_paths.h"
#include "paths/path_text.h"
#include "platform/com.h"
#include "platform/folder_removal.h"
#include "platform/paced.h"
#include "platform/trace.h"
#include "text/language_table.h"

namespace clean {

namespace {

constexpr int kEnableBackAndNext = 3;

bool SwitchedOn(const char* settingPath) {
    return config::ReadFlag(settingPath, config::ValueSet::Custom) != 0;
}

// The phases report every file; the window is told at a human pace. A new
// status shows at once, with the first position after it; Flush shows the
// last position of a phase.
class PacedProgress : public CleanProgress {
public:
    PacedProgress(CleanProgress& window, uint64_t paceMs)
        : window_(window), position_([this](int position) { window_.SetPosition(position); }, paceMs) {}

    void SetStatus(const std::string& text) override {
        position_.Flush();
        position_.Restart();
        window_.SetStatus(text);
    }
    void SetPosition(int position) override { position_.Set(position); }
    void Flush() { position_.Flush(); }

private:
    CleanProgress& window_;
    platform::Paced<int, std::function<void(int)>> position_;
};


// The words of the log's action column, in phase order ("backup+delete").
class ActionWords {
public:
    void Add(const char* word) {
        if (!text_.empty()) text_ += '+';
        text_ += word;
    }
    std::string Text() const { return text_.empty() ? "none" : text_; }

private:
    std::string text_;
};

// The words of the action column for the switches as they are now.
std::string PlannedAction() {
    namespace cfg = config::path;
    ActionWords action;
    if (SwitchedOn(cfg::kBackup)) action.Add("backup");
    if (SwitchedOn(cfg::kClean)) action.Add("delete");
    if (SwitchedOn(cfg::kMoveToRecycle)) action.Add("recycle");
    if (config::ReadFlag(cfg::kMoveToFolder, config::ValueSet::Custom) != 0 &&
        !paths::WithoutTrailingBackslash(config::ReadText(cfg::kMoveToFolderPath, config::ValueSet::Custom)).empty()) {
        action.Add("move");
    }
    return action.Text();
}

// The file phases over a non-empty list, each after a fresh read of its
// switch. A phase stopped early makes the rest start and end at once. A
// preview reads the same switches and runs nothing. set is the backup set
// reserved for the clean, if any.
bool RunFilePhases(CleanResult& result, PacedProgress& sink, const StopFlag& stop,
                   const std::optional<std::string>& set) {
    namespace cfg = config::path;
    const CleanList& list = result.files;
    const bool run = !result.preview;
    bool completed = true;
    CleanOutcomes& outcomes = result.outcomes;
    outcomes.assign(list.size(), FileOutcome::Waiting);
    ActionWords action;
    if (SwitchedOn(cfg::kBackup)) {
        action.Add("backup");
        if (set) {
            completed &= BackupFiles(list, *set, sink, stop, &outcomes);
        } else if (run) {
            // Nowhere to keep copies: nothing the user asked to back up goes.
            outcomes.assign(list.size(), FileOutcome::KeptNoCopy);
        }
    }
    sink.Flush();
    if (SwitchedOn(cfg::kClean)) {
        action.Add("delete");
        if (run) completed &= DeleteFiles(list, sink, stop, &outcomes);
    }
    sink.Flush();
    if (SwitchedOn(cfg::kMoveToRecycle)) {
        action.Add("recycle");
        if (run) {
            {
                SpareJournal journal(SpareJournalPath());
                completed &= RecycleFiles(list, sink, stop, &outcomes, journal.Valid() ? &journal : nullptr);
            }
            SettleRecordedSpareNames(SpareJournalPath());
        }
    }
    sink.Flush();
    int32_t move = config::ReadFlag(cfg::kMoveToFolder, config::ValueSet::Custom);
    std::string target = config::ReadText(cfg::kMoveToFolderPath, config::ValueSet::Custom);
    if (move != 0) {
        // An empty target folder moves nothing.
        if (!paths::WithoutTrailingBackslash(target).empty()) action.Add("move");
        if (run) completed &= MoveFilesToFolder(list, target, sink, stop, &outcomes);
    }
    sink.Flush();
    if (set) DropCopiesOfUnlistedFiles(list, *set, outcomes);
    result.action = action.Text();
    return completed;
}

// The switched-on trace cleaners in their order; a stop request skips the
// ones not yet begun (which the result lists as not run), and a preview
// runs none.
bool RunTraceCleaners(CleanResult& result, PacedProgress& sink, const StopFlag& stop) {
    bool completed = true;
    for (const TraceCleaner& cleaner : TraceCleaners()) {
        if (stop != 0) completed = false;
        if (!SwitchedOn(cleaner.settingPath)) continue;
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

}  // namespace

void RunClean(CleanSink& sink, platform::JobControl& control, uint64_t paceMs, CleanKind kind) {
    std::optional<platform::ComApartment> com;
    com.emplace();
    SYSTEMTIME started{};
    ::GetLocalTime(&started);
    CleanResult result;
    result.preview = kind == CleanKind::Preview;
    result.action = "none";
    std::optional<std::string> set;
    CleanLog log;
    bool completed = true;
    try {
        sink.EnableWizardButtons(0);
        sink.SetStatus(text::LookupText("_cpStartCleanState"));
        control.ClearStop();
        sink.EnableStop(true);
        sink.SetPosition(0);
        sink.SetStatus(text::LookupText("_cpGetList"));
        result.files = sink.CollectTickedFiles();
        const size_t count = result.files.size();
        sink.SetRange(static_cast<uint32_t>(std::min<size_t>(count, std::numeric_limits<uint32_t>::max())));
        PacedProgress paced(sink, paceMs);
        if (!result.preview) {
            // What a run killed in its recycle left behind is settled first.
            SettleRecordedSpareNames(SpareJournalPath());
            if (count > 0 && SwitchedOn(config::path::kBackup)) set = ReserveBackupSet();
            if (count > 0) result.action = PlannedAction();
            // Nothing is disposed of before the clean's record exists.
            if (!log.Open(result, SetNameOf(set), started)) {
                result.logRefused = true;
                if (set) platform::RemoveEmptyFolder(*set, paths::FolderPart(*set));
                set.reset();
            }
        }
        if (!result.logRefused) {
            if (count > 0) completed &= RunFilePhases(result, paced, control.StopFlag(), set);
            completed &= RunTraceCleaners(result, paced, control.StopFlag());
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
    try {
        sink.EnableStop(false);
        sink.SetPosition(static_cast<int>(std::min<uint32_t>(sink.RangeUpper(), std::numeric_limits<int>::max())));
        sink.SetStatus(text::LookupText(completed ? "_cpThreadCompleted" : "_cpThreadStopped"));
        sink.ReportResult(result);
        control.Settle();
        control.ClearStop();
        sink.EnableWizardButtons(kEnableBackAndNext);
        com.reset();
        sink.ShowFinishPage();
    } catch (...) {
        platform::TraceException("clean job end");
        control.Settle();
    }
}

}  // namespace clean
