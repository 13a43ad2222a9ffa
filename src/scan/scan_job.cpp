#include "scan/scan_job.h"

#include <functional>

#include "config/settings.h"
#include "config/settings_paths.h"
#include "paths/path_text.h"
#include "platform/com.h"
#include "platform/paced.h"
#include "platform/trace.h"
#include "text/format_template.h"
#include "text/language_table.h"

namespace scan {

namespace {

using config::ValueSet;

// What the search callbacks need; lives on the job's thread. The folder
// being searched and the running count reach the window at a human pace;
// the stop request is still looked at for every entry.
struct SearchContext {
    SearchContext(ScanSink& sink, const platform::JobControl& control, std::vector<FoundFile>& results)
        : sink(sink),
          control(control),
          results(results),
          countTemplate(text::LookupText("_FindFileCntTxtFormat")),
          status([this](const std::string& path) { this->sink.SetStatus(path); }),
          count([this](uint64_t found) { this->sink.SetCountText(text::FormatTemplate(countTemplate, {found})); }) {}

    ScanSink& sink;
    const platform::JobControl& control;
    std::vector<FoundFile>& results;
    std::string countTemplate;
    platform::Paced<std::string, std::function<void(const std::string&)>> status;
    platform::Paced<uint64_t, std::function<void(uint64_t)>> count;

    int GoOn() const { return control.StopRequested() ? 0 : 1; }
};

int OnFound(const char* path, const char* reason, DirectoryEntry entry, void* context) {
    auto& job = *static_cast<SearchContext*>(context);
    job.results.push_back(FoundFile{path, reason ? reason : "", platform::StampOf(entry), entry.dwFileAttributes});
    job.count.Set(job.results.size());
    return job.GoOn();
}

int OnProgress(const char* path, const char*, DirectoryEntry, void* context) {
    auto& job = *static_cast<SearchContext*>(context);
    job.status.Set(path);
    return job.GoOn();
}

void Status(ScanSink& sink, const char* key) { sink.SetStatus(text::LookupText(key)); }

JunkTypeTable LoadCheckedJunkTypes() {
    JunkTypeTable table;
    for (const config::JunkType& type : config::LoadJunkTypes(ValueSet::Custom)) {
        if (type.checked) table.Add(type.pattern, type.description);
    }
    return table;
}

std::vector<std::string> LoadCheckedSkipFolders() {
    std::vector<std::string> texts;
    for (const config::SkipFolder& folder : config::LoadSkipFolders(ValueSet::Custom)) {
        if (folder.checked) texts.push_back(folder.folder);
    }
    return texts;
}

struct SwitchSetting {
    const char* path;
    bool SearchSwitches::*field;
};

// In the order the settings are read; each read opens the document afresh.
constexpr SwitchSetting kSwitchSettings[] = {
    {config::path::kSkipReadOnlyFiles, &SearchSwitches::skipReadOnly},
    {config::path::kSkipSystemFiles, &SearchSwitches::skipSystem},
    {config::path::kSkipHiddenFiles, &SearchSwitches::skipHidden},
    {config::path::kFindZeroLengthFiles, &SearchSwitches::findEmptyFiles},
    {config::path::kFindInvalidShortcuts, &SearchSwitches::findInvalidShortcuts},
    {config::path::kFindFilesHaveNotAccessed, &SearchSwitches::findNotAccessed},
};

SearchSwitches LoadSwitches() {
    SearchSwitches switches;
    for (const SwitchSetting& s : kSwitchSettings) switches.*s.field = config::ReadFlag(s.path, ValueSet::Custom) != 0;
    switches.months = config::ReadMonths(ValueSet::Custom);
    return switches;
}

// The last steps of every scan, also after a failure: the page must never
// stay busy.
void Finish(ScanSink& sink, platform::JobControl& control, bool completed) {
    sink.EnableStop(false);
    Status(sink, completed ? "_ScanCompleted" : "_ScanStopped");
    control.Settle();
    control.ClearStop();
    sink.EnableWizardButtons(3);
}

}  // namespace

void RunScan(ScanSink& sink, platform::JobControl& control) {
    bool completed = true;
    try {
        platform::ComApartment com;
        sink.EnableWizardButtons(0);
        sink.SetCountText("");
        Status(sink, "_stStartScanFolder");
        control.ClearStop();
        sink.EnableStop(true);
        std::vector<FoundFile> results;

        Status(sink, "_stLoadlist");
        std::vector<std::string> paths = config::LoadSelectedPaths();
        Status(sink, "_stLoadcategorylist");
        JunkTypeTable junkTypes = LoadCheckedJunkTypes();
        Status(sink, "_stLoadSkipfolders");
        std::vector<std::string> skipFolders = LoadCheckedSkipFolders();
        Status(sink, "_stLoadotherparams");
        const SearchSwitches switches = LoadSwitches();
        Status(sink, "_stStartSearingDisk");

        SearchContext context(sink, control, results);
        for (const std::string& path : paths) {
            // A relative entry would be searched wherever the current folder
            // happens to be, and its files could have no place in a backup.
            if (!paths::IsDrivePath(path)) continue;
            if (!SearchFolder(path, junkTypes, OnFound, &context, skipFolders, true, switches, OnProgress, &context)) {
                completed = false;
                break;
            }
        }
        // The window ends with the exact count; the folder last searched
        // gives way to the next status.
        context.count.Flush();
        junkTypes.Clear();
        skipFolders.clear();
        paths.clear();

        Status(sink, "_stSortingFile");
        sink.FillReport(results);
        sink.ShowReportPage();
        Finish(sink, control, completed);
    } catch (...) {
        platform::TraceException("scan job");
        // Out of memory or a failing sink: the job still ends as a stopped
        // one, so that the page never stays busy.
        try {
            Finish(sink, control, false);
        } catch (...) {
            platform::TraceException("scan job end");
            control.Settle();
        }
    }
}

}  // namespace scan
