#pragma once
// The scan job: takes a request made from the settings when the scan
// starts, searches every selected path, reports its progress and hands back
// its findings. It never reads the settings itself and knows nothing of
// who shows its progress.
#include <string>
#include <vector>

#include "platform/job_control.h"
#include "scan/findings.h"
#include "scan/folder_search.h"

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
};

struct ScanResult {
    Findings findings;
    bool completed = false;  // false when a stop request (or a failure) ended it early
};

// The scan itself, on whatever thread runs it. Reports its steps as status
// texts, the folders it meets as the status and the running number of
// findings as the count, each at a human pace but ending exact, and its
// last status ("completed" or "stopped"). A stop request ends the search at
// its next entry; the result then holds what was found so far.
ScanResult RunScan(const ScanRequest& request, platform::JobProgress& progress, const platform::StopFlag& stop);

}  // namespace scan
