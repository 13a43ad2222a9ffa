#include "clean/clean_job.h"

#include <functional>
#include <limits>
#include <optional>

#include "clean/trace_cleaners.h"
#include "config/settings.h"
#include "config/settings_paths.h"
#include "platform/com.h"
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


// The file phases over a non-empty list, each after a fresh read of its
// switch. A phase stopped early makes the rest start and end at once.
bool RunFilePhases(const CleanList& list, PacedProgress& sink, const StopFlag& stop) {
    namespace cfg = config::path;
    bool completed = true;
    CleanOutcomes outcomes(list.size(), FileOutcome::Waiting);
    std::optional<std::string> set;
    if (SwitchedOn(cfg::kBackup)) {
        set = ReserveBackupSet();
        if (set) {
            completed &= BackupFiles(list, *set, sink, stop, &outcomes);
        } else {
            // Nowhere to keep copies: nothing the user asked to back up goes.
            outcomes.assign(list.size(), FileOutcome::KeptNoCopy);
        }
    }
    sink.Flush();
    if (SwitchedOn(cfg::kClean)) completed &= DeleteFiles(list, sink, stop, &outcomes);
    sink.Flush();
    if (SwitchedOn(cfg::kMoveToRecycle)) completed &= RecycleFiles(list, sink, stop, &outcomes);
    sink.Flush();
    int32_t move = config::ReadFlag(cfg::kMoveToFolder, config::ValueSet::Custom);
    std::string target = config::ReadText(cfg::kMoveToFolderPath, config::ValueSet::Custom);
    if (move != 0) completed &= MoveFilesToFolder(list, target, sink, stop, &outcomes);
    sink.Flush();
    if (set) DropCopiesOfUnlistedFiles(list, *set, outcomes);
    return completed;
}

// The switched-on trace cleaners in their order; a stop request skips the
// ones not yet begun.
bool RunTraceCleaners(PacedProgress& sink, const StopFlag& stop) {
    for (const TraceCleaner& cleaner : TraceCleaners()) {
        if (stop != 0) return false;
        if (SwitchedOn(cleaner.settingPath)) RunTraceCleaner(cleaner.number, sink);
        sink.Flush();
    }
    return true;
}

}  // namespace

void RunClean(CleanSink& sink, platform::JobControl& control, uint64_t paceMs) {
    std::optional<platform::ComApartment> com;
    com.emplace();
    bool completed = true;
    try {
        sink.EnableWizardButtons(0);
        sink.SetStatus(text::LookupText("_cpStartCleanState"));
        control.ClearStop();
        sink.EnableStop(true);
        sink.SetPosition(0);
        sink.SetStatus(text::LookupText("_cpGetList"));
        CleanList list = sink.CollectTickedFiles();
        sink.SetRange(static_cast<uint32_t>(std::min<size_t>(list.size(), std::numeric_limits<uint32_t>::max())));
        PacedProgress paced(sink, paceMs);
        if (!list.empty()) completed &= RunFilePhases(list, paced, control.StopFlag());
        completed &= RunTraceCleaners(paced, control.StopFlag());
    } catch (...) {
        platform::TraceException("clean job");
        // Out of memory or the like: end the job as a stopped one rather than
        // take the program down.
        completed = false;
    }
    try {
        sink.EnableStop(false);
        sink.SetPosition(static_cast<int>(std::min<uint32_t>(sink.RangeUpper(), std::numeric_limits<int>::max())));
        sink.SetStatus(text::LookupText(completed ? "_cpThreadCompleted" : "_cpThreadStopped"));
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
