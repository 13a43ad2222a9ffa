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

}  // namespace

CleanJob::~CleanJob() {
    if (thread_.joinable()) thread_.join();
}

bool CleanJob::Start(CleanSink& sink) {
    if (running_ || !finished_) return false;
    if (thread_.joinable()) thread_.join();  // the last job has ended: nothing left to wait for
    running_ = true;
    finished_ = false;
    thread_ = std::thread([this, &sink] { Run(sink); });
    return true;
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
bool CleanJob::RunFilePhases(const CleanList& list, PacedProgress& sink) {
    namespace cfg = config::path;
    bool completed = true;
    CleanOutcomes outcomes(list.size(), FileOutcome::Waiting);
    std::optional<std::string> set;
    if (SwitchedOn(cfg::kBackup)) {
        set = ReserveBackupSet();
        if (set) {
            completed &= BackupFiles(list, *set, sink, stopRequested_, &outcomes);
        } else {
            // Nowhere to keep copies: nothing the user asked to back up goes.
            outcomes.assign(list.size(), FileOutcome::KeptNoCopy);
        }
    }
    sink.Flush();
    if (SwitchedOn(cfg::kClean)) completed &= DeleteFiles(list, sink, stopRequested_, &outcomes);
    sink.Flush();
    if (SwitchedOn(cfg::kMoveToRecycle)) completed &= RecycleFiles(list, sink, stopRequested_, &outcomes);
    sink.Flush();
    int32_t move = config::ReadFlag(cfg::kMoveToFolder, config::ValueSet::Custom);
    std::string target = config::ReadText(cfg::kMoveToFolderPath, config::ValueSet::Custom);
    if (move != 0) completed &= MoveFilesToFolder(list, target, sink, stopRequested_, &outcomes);
    sink.Flush();
    if (set) DropCopiesOfUnlistedFiles(list, *set, outcomes);
    return completed;
}

// The switched-on trace cleaners in their order; a stop request skips the
// ones not yet begun.
bool CleanJob::RunTraceCleaners(PacedProgress& sink) {
    for (const TraceCleaner& cleaner : TraceCleaners()) {
        if (stopRequested_ != 0) return false;
        if (SwitchedOn(cleaner.settingPath)) RunTraceCleaner(cleaner.number, sink);
        sink.Flush();
    }
    return true;
}

void CleanJob::Run(CleanSink& sink) {
    std::optional<platform::ComApartment> com;
    com.emplace();
    bool completed = true;
    try {
        sink.EnableWizardButtons(0);
        sink.SetStatus(text::LookupText("_cpStartCleanState"));
        stopRequested_ = 0;
        sink.EnableStop(true);
        sink.SetPosition(0);
        sink.SetStatus(text::LookupText("_cpGetList"));
        CleanList list = sink.CollectTickedFiles();
        sink.SetRange(static_cast<uint32_t>(std::min<size_t>(list.size(), std::numeric_limits<uint32_t>::max())));
        PacedProgress paced(sink, paceMs_);
        if (!list.empty()) completed &= RunFilePhases(list, paced);
        completed &= RunTraceCleaners(paced);
    } catch (...) {
        platform::TraceException("clean job");
        // Out of memory or the like: end the job as a stopped one rather than
        // take the program down.
        completed = false;
    }
    sink.EnableStop(false);
    sink.SetPosition(static_cast<int>(std::min<uint32_t>(sink.RangeUpper(), std::numeric_limits<int>::max())));
    sink.SetStatus(text::LookupText(completed ? "_cpThreadCompleted" : "_cpThreadStopped"));
    running_ = false;
    stopRequested_ = 0;
    sink.EnableWizardButtons(kEnableBackAndNext);
    com.reset();
    sink.ShowFinishPage();
    finished_ = true;
}

}  // namespace clean
