#pragma once
// The search of one application rule's folders: every file its masks name
// there (below, with RECURSE or REMOVESELF), save what its exclusions keep
// and what the skip folders and search switches leave out.
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "scan/app_plan.h"
#include "scan/folder_search.h"
#include "scan/skip_texts.h"

namespace scan {

// The skip folders that hold for rules: all but the entries that keep the
// drive walk out of application data ("\appdata\", "\application data\",
// "\local settings\"), which would void every rule.
std::vector<std::string> SkipFoldersForRules(const std::vector<std::string>& skipFolders);

// Searches the plan's folders in turn. A junction or symbolic link is
// reported as a folder met but never entered, and a link to a file is never
// reported; entries the narrow file functions cannot reach exactly are
// passed over. Only the switches that leave entries out (read-only, hidden,
// system) apply: a rule finds files by its masks alone. Returns false when
// the visitor stopped it.
// The visitor hears of every file found (its reason the rule's name) and
// every folder met, as from the folder search.
bool SearchRule(const RulePlan& plan, const SkipTexts& skipTexts, const SearchSwitches& switches,
                const SearchVisitor& visit);

// Tells whether a rule's search may meet a file found before, so that only
// then each of its files is checked against the others: most rules reach
// folders nothing else reaches. By the folders' text (lower case), as the
// check of the files is.
class SearchedFolders {
public:
    // foundIn: the folders that held files found before any rule ran, lower
    // case, without a trailing backslash, in any order.
    explicit SearchedFolders(std::vector<std::string> foundIn = {});

    // True when one of the plan's folders was searched before (by an earlier
    // plan, or earlier in this one), lies below a folder searched with its
    // subfolders, or holds files found before (in it, or below it when it is
    // searched with its subfolders). Records the plan's folders as searched.
    bool MayMeetAgain(const RulePlan& plan);

private:
    struct Searched {
        std::string folder;
        bool subfolders;
    };
    bool HeldFilesFoundBefore(const Searched& folder) const;

    std::vector<std::string> foundIn_;  // sorted
    std::vector<Searched> searched_;
};

// What a rule would free now: its files (each once) and their sizes.
struct RuleSize {
    uint64_t files = 0;
    uint64_t bytes = 0;
    bool completed = true;  // false when a stop request ended the count
};

// Searches the plan's folders and adds up what it finds; a non-zero stop
// flag ends it early.
RuleSize MeasureRule(const RulePlan& plan, const SkipTexts& skipTexts, const SearchSwitches& switches,
                     const std::atomic<int>& stop);

}  // namespace scan
