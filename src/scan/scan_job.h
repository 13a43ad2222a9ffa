#pragma once
// The scan job: takes a request made from the settings when the scan
// starts, searches every selected path and then runs the ticked application
// rules, reports its progress and hands back its findings. It never reads
// the settings itself and knows nothing of who shows its progress.
#include <string>
#include <vector>

#include "platform/job_control.h"
#include "scan/app_folders.h"
#include "scan/app_rules.h"
#include "scan/findings.h"
#include "scan/folder_search.h"
#include "scan/keep_filter.h"

namespace scan {

struct JunkTypeRule {
    std::string pattern;
    std::string description;
};

// What one scan looks at and for, fixed when it starts.
struct ScanRequest {
    std::vector<std::string> paths;  // the selected drives and folders, in order
    std::vector<JunkTypeRule> junkTypes;
    std::vector<std::string> skipFolders;
    SearchSwitches switches;
    // The ticked application rules, the folders they start from and the
    // Windows version their entries are judged for.
    std::vector<AppRule> appRules;
    AppFolders appFolders;
    int windowsVersion = 0;
    KeepPaths keep;  // files and folders never found
};

struct ScanResult {
    Findings findings;
    bool completed = false;  // false when a stop request (or a failure) ended it early
    // The folders of rules that remove their own folders (REMOVESELF), to
    // be removed where a clean leaves them empty.
    std::vector<std::string> foldersToRemove;
};

// The scan itself, on whatever thread runs it: the selected paths first,
// then the rules, whatever paths are selected. A file both find is found
// once, as the walk found it. The skip folders hold for the rules too, but
// for those that keep the walk out of application data; a rule refused as a
// whole finds nothing. Reports its steps as status texts, the folders it
// meets as the status and the running number of findings as the count,
// each at a human pace but ending exact, and its last status ("completed"
// or "stopped"). A stop request ends the search at its next entry; the
// result then holds what was found so far.
ScanResult RunScan(const ScanRequest& request, platform::JobProgress& progress, const platform::StopFlag& stop);

}  // namespace scan
