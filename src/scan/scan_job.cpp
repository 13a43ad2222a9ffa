#include "scan/scan_job.h"

#include <functional>
#include <string>
#include <unordered_set>

#include "paths/path_text.h"
#include "platform/com.h"
#include "platform/paced.h"
#include "platform/trace.h"
#include "scan/app_plan.h"
#include "scan/app_search.h"
#include "scan/lower_case.h"
#include "scan/skip_texts.h"
#include "text/language_table.h"

namespace scan {

namespace {

// The folder being searched and the running count reach the owner at a
// human pace; the stop request is still looked at for every entry.
class PacedScanProgress {
public:
    explicit PacedScanProgress(platform::JobProgress& progress)
        : progress_(progress),
          status_([this](const std::string& path) { progress_.SetStatus(path); }),
          count_([this](uint64_t found) { progress_.SetCount(found); }) {}

    void Folder(std::string_view path) { status_.Set(std::string(path)); }
    void Found(uint64_t count) { count_.Set(count); }
    // The owner ends with the exact count; the folder last searched gives
    // way to the next status.
    void Flush() { count_.Flush(); }

private:
    platform::JobProgress& progress_;
    platform::Paced<std::string, std::function<void(const std::string&)>> status_;
    platform::Paced<uint64_t, std::function<void(uint64_t)>> count_;
};

void Status(platform::JobProgress& progress, const char* key) { progress.SetStatus(text::LookupText(key)); }

// The files found so far, by their paths in lower case, so that a file a
// rule meets again is found once. Kept only from the first rule that may
// meet one again (Start): until then no file can be found twice, and the
// walk pays nothing.
class FoundOnce {
public:
    void Start(const Findings& findings) {
        checking_ = true;
        for (size_t i = 0; i < findings.Count(); ++i) found_.insert(Key(findings.Folder(i), findings.Name(i)));
    }
    bool Checking() const { return checking_; }
    // True for a file not found before (for every file before Start).
    bool First(std::string_view folder, std::string_view name) {
        return !checking_ || found_.insert(Key(folder, name)).second;
    }

private:
    // Its folder's path is lowered once for all its files.
    const std::string& Key(std::string_view folder, std::string_view name) {
        if (folder != folderText_) {
            folderText_.assign(folder);
            loweredFolder_.clear();
            lower_.Append(loweredFolder_, folder);
        }
        lowered_.assign(loweredFolder_).append(1, '\\');
        lower_.Append(lowered_, name);
        return lowered_;
    }

    const AnsiLowerCase& lower_ = AnsiLowerCase::Instance();
    std::unordered_set<std::string> found_;
    bool checking_ = false;
    std::string folderText_, loweredFolder_, lowered_;
};

// Runs the ticked rules after the walk, each file going to the same visitor
// as the walk's; once must tell files met again. False when a stop request
// ended it.
bool SearchAppRules(const ScanRequest& request, ScanResult& result, const SearchVisitor& visit, FoundOnce& once,
                    const platform::StopFlag& stop) {
    const Findings& findings = result.findings;
    const AnsiLowerCase& lower = AnsiLowerCase::Instance();
    // The folders the walk found files in, each once (a folder's findings
    // follow each other).
    std::vector<std::string> foundIn;
    for (size_t i = 0; i < findings.Count(); ++i) {
        if (i == 0 || findings.Folder(i) != findings.Folder(i - 1)) {
            foundIn.emplace_back();
            lower.Append(foundIn.back(), findings.Folder(i));
        }
    }
    SearchedFolders searched(std::move(foundIn));
    const AppRulePlanner planner(request.appFolders, request.windowsVersion);
    const SkipTexts skipTexts(SkipFoldersForRules(request.skipFolders), lower);
    for (const AppRule& rule : request.appRules) {
        if (platform::StopRequested(stop)) return false;
        if (!planner.Present(rule)) continue;
        const RulePlan plan = planner.Plan(rule);
        if (plan.refusal != PlanRefusal::None) {
            // The Applications page shows why; the scan passes it over.
            platform::Trace("scan job", "rule refused: " + rule.name + " (" + plan.refusedFolder + ")");
            continue;
        }
        if (!once.Checking() && searched.MayMeetAgain(plan)) once.Start(findings);
        if (!SearchRule(plan, skipTexts, request.switches, visit)) return false;
        result.foldersToRemove.insert(result.foldersToRemove.end(), plan.removeWhenEmpty.begin(),
                                      plan.removeWhenEmpty.end());
    }
    return true;
}

}  // namespace

ScanResult RunScan(const ScanRequest& request, platform::JobProgress& progress, const platform::StopFlag& stop) {
    ScanResult result;
    bool completed = true;
    try {
        platform::ComApartment com;
        Status(progress, "_stStartScanFolder");
        // The request's parts are made ready for the walk in turn.
        Status(progress, "_stLoadlist");
        std::vector<std::string_view> paths;
        for (const std::string& path : request.paths) {
            // A relative entry would be searched wherever the current folder
            // happens to be, and its files could have no place in a backup.
            if (paths::IsDrivePath(path)) paths.push_back(path);
        }
        Status(progress, "_stLoadcategorylist");
        JunkTypeTable junkTypes;
        for (const JunkTypeRule& rule : request.junkTypes) junkTypes.Add(rule.pattern, rule.description);
        Status(progress, "_stLoadSkipfolders");
        Status(progress, "_stLoadotherparams");
        Status(progress, "_stStartSearingDisk");

        PacedScanProgress paced(progress);
        Findings& findings = result.findings;
        KeepFilter kept(request.keep);
        FoundOnce once;
        // The walk's and the rules' files alike: what the user always keeps
        // is never a finding, nor is a file found twice.
        const SearchVisitor visit = [&](const SearchHit& hit) {
            if (!hit.reason) {
                paced.Folder(hit.path);
            } else if (!kept.Keeps(hit.folder, hit.name) && once.First(hit.folder, hit.name)) {
                findings.Add(hit.folder, hit.name, hit.reason, platform::StampOf(hit.entry),
                             hit.entry.dwFileAttributes);
                paced.Found(findings.Count());
            }
            return !platform::StopRequested(stop);
        };
        for (std::string_view path : paths) {
            if (!SearchFolder({path, junkTypes, request.skipFolders, request.switches}, visit)) {
                completed = false;
                break;
            }
        }
        if (completed && !request.appRules.empty()) {
            Status(progress, "_stSearchApplications");
            completed = SearchAppRules(request, result, visit, once, stop);
        }
        paced.Flush();
        Status(progress, "_stSortingFile");
        findings.ShrinkToFit();
    } catch (...) {
        // Out of memory or the like: the scan ends as a stopped one with what
        // it found.
        platform::TraceException("scan job");
        completed = false;
    }
    result.completed = completed;
    try {
        Status(progress, completed ? "_ScanCompleted" : "_ScanStopped");
    } catch (...) {
        platform::TraceException("scan job end");
    }
    return result;
}

}  // namespace scan
