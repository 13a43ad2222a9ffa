#include "scan/scan_job.h"

#include <functional>

#include "paths/path_text.h"
#include "platform/com.h"
#include "platform/paced.h"
#include "platform/trace.h"
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
        const SearchVisitor visit = [&](const SearchHit& hit) {
            if (hit.reason) {
                findings.Add(hit.folder, hit.name, hit.reason, platform::StampOf(hit.entry),
                             hit.entry.dwFileAttributes);
                paced.Found(findings.Count());
            } else {
                paced.Folder(hit.path);
            }
            return !platform::StopRequested(stop);
        };
        for (std::string_view path : paths) {
            if (!SearchFolder({path, junkTypes, request.skipFolders, request.switches}, visit)) {
                completed = false;
                break;
            }
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
