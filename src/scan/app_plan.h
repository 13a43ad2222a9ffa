#pragma once
// Where an application rule reaches on this computer: whether its
// application is present, the existing folders its file keys name (with
// "*" parts matched against real folders), and whether it must be refused
// as a whole because one of them is a drive's root, the profile or another
// folder no rule may name, or holds one.
//
// A rule never reaches outside its own folders: below the environment
// folder it starts from, no part of a folder's path may be a junction or
// symbolic link, and "*" parts match real folders only, never links.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "clean/guarded_folders.h"
#include "scan/app_folders.h"
#include "scan/app_rules.h"

namespace scan {

// One existing folder a file key names.
struct PlannedFolder {
    std::string folder;  // no trailing backslash
    const FileKey* key = nullptr;
};

// An exclusion's folder, lower-cased and split into parts ("*" allowed).
struct PlannedExclude {
    std::vector<std::string> parts;
    const ExcludeKey* key = nullptr;
};

enum class PlanRefusal {
    None,
    UnknownFolder,  // a key starts from a folder this system does not have or name
    Root,           // a key names a drive's root
    Base,           // a key names or holds the profile, an application-data or a system folder
    Guarded,        // a key names or holds a folder no clean may empty (or leads to one)
    Link,           // a key's folder is reached through a junction or symbolic link
};

struct RulePlan {
    const AppRule* rule = nullptr;
    PlanRefusal refusal = PlanRefusal::None;
    std::string refusedFolder;  // the folder that made it refuse
    std::vector<PlannedFolder> folders;
    std::vector<PlannedExclude> excludes;
    // Folders of REMOVESELF keys, to be removed once a clean emptied them.
    std::vector<std::string> removeWhenEmpty;
};

// Plans rules against one set of environment folders; the guarded folders
// are asked of the system once, when the planner is made.
// One thread at a time: it remembers what it learnt of the folders.
class AppRulePlanner {
public:
    AppRulePlanner(AppFolders folders, int windowsVersion);
    ~AppRulePlanner();
    AppRulePlanner(const AppRulePlanner&) = delete;
    AppRulePlanner& operator=(const AppRulePlanner&) = delete;

    // Whether the rule's application is on this computer and the rule is
    // meant for this Windows.
    bool Present(const AppRule& rule) const;
    // The rule's folders as they are now. A refused plan has no folders.
    RulePlan Plan(const AppRule& rule) const;

    const AppFolders& Folders() const { return folders_; }

    struct FolderFacts;

private:
    bool Exists(const std::string& pattern) const;
    // folder lies below start (its environment folder or drive) through
    // plain folders only.
    PlanRefusal Judge(const std::string& folder, const std::string& start) const;
    const std::string& FinalFormOf(const std::string& start) const;

    AppFolders folders_;
    int windowsVersion_;
    clean::FolderGuard guard_;
    mutable std::map<std::string, std::string> finalForms_;  // of the start folders met
    std::unique_ptr<FolderFacts> facts_;
};

// True when the lower-cased folder matches the exclusion's parts: the same
// number of parts, or (orBelow) at least as many, each matching its pattern.
bool FolderMatches(std::string_view loweredFolder, const std::vector<std::string>& parts, bool orBelow);

}  // namespace scan
