#include "scan/app_plan.h"

#include <windows.h>

#include <algorithm>
#include <functional>
#include <unordered_map>

#include "clean/folder_tree.h"
#include "platform/codepage.h"
#include "platform/file_query.h"
#include "platform/folder_listing.h"
#include "platform/registry.h"
#include "scan/junk_types.h"
#include "text/ascii_text.h"

namespace scan {

namespace {

bool HasWildcard(std::string_view part) { return part.find_first_of("*?") != std::string_view::npos; }

// The text before the part holding the first wildcard (all of it when
// there is none), without a trailing backslash.
std::string LiteralHead(std::string_view text) {
    const size_t wildcard = text.find_first_of("*?");
    if (wildcard != std::string_view::npos) text = text.substr(0, text.rfind('\\', wildcard) + 1);
    while (text.size() > 2 && text.back() == '\\') text.remove_suffix(1);
    return std::string(text);
}

// The named detections of community rule files: the folder that shows the
// application is there.
struct SpecialDetection {
    const char* name;
    const char* folder;
};

constexpr SpecialDetection kSpecialDetections[] = {
    {"DET_CHROME", "%LocalAppData%\\Google\\Chrome\\User Data"},
    {"DET_MOZILLA", "%AppData%\\Mozilla\\Firefox"},
    {"DET_THUNDERBIRD", "%AppData%\\Thunderbird"},
    {"DET_OPERA", "%AppData%\\Opera Software"},
};

}  // namespace

// What the planner learnt of the folders it met, each asked of the system
// once: the rules of one application share most of their folders.
struct AppRulePlanner::FolderFacts {
    struct Entry {
        std::string name;
        std::string lowered;
        bool folder;
    };

    DWORD Attributes(const std::string& path) {
        auto known = attributes.find(path);
        if (known == attributes.end()) known = attributes.emplace(path, platform::AttributesOf(path)).first;
        return known->second;
    }

    // The entries a rule may reach: exact names, no links.
    const std::vector<Entry>& Listing(const std::string& folder) {
        auto known = listings.find(folder);
        if (known != listings.end()) return known->second;
        std::vector<Entry> entries;
        platform::FolderListing listing(folder);
        while (listing.Next()) {
            if (!listing.Addressable() || listing.IsLink()) continue;
            entries.push_back({listing.Name(), platform::LowerAnsi(listing.Name()), listing.IsFolder()});
        }
        return listings.emplace(folder, std::move(entries)).first->second;
    }

    std::unordered_map<std::string, DWORD> attributes;
    std::unordered_map<std::string, std::vector<Entry>> listings;
};

namespace {

// Walks the parts of a folder pattern below a start folder that exists,
// calling found for every existing entry the whole pattern names: folders
// only, or (filesAtEnd) files too at its last part. "*" parts match real
// folders only; a link below the start is never entered.
class PatternWalk {
public:
    using Found = std::function<bool(const std::string& path)>;  // false stops

    PatternWalk(AppRulePlanner::FolderFacts& facts, std::vector<std::string_view> parts, bool filesAtEnd, Found found)
        : facts_(facts), parts_(std::move(parts)), filesAtEnd_(filesAtEnd), found_(std::move(found)) {}

    // The first folder the pattern names by name that is a link; empty
    // when there was none.
    const std::string& Link() const { return link_; }

    bool From(const std::string& folder, size_t index) {
        if (index == parts_.size()) return found_(folder);
        const bool last = index + 1 == parts_.size();
        const std::string_view part = parts_[index];
        if (!HasWildcard(part)) {
            const std::string path = folder + '\\' + std::string(part);
            const DWORD attributes = facts_.Attributes(path);
            if (attributes == INVALID_FILE_ATTRIBUTES) return true;
            if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
                if (link_.empty()) link_ = path;
                return true;
            }
            if (!(attributes & FILE_ATTRIBUTE_DIRECTORY) && !(last && filesAtEnd_)) return true;
            return From(path, index + 1);
        }
        const std::string pattern = platform::LowerAnsi(part);
        for (const AppRulePlanner::FolderFacts::Entry& entry : facts_.Listing(folder)) {
            if (!entry.folder && !(last && filesAtEnd_)) continue;
            if (!MatchWildcard(pattern.c_str(), entry.lowered.c_str())) continue;
            if (!From(folder + '\\' + entry.name, index + 1)) return false;
        }
        return true;
    }

private:
    AppRulePlanner::FolderFacts& facts_;
    std::vector<std::string_view> parts_;
    bool filesAtEnd_;
    Found found_;
    std::string link_;
};

// The folder an expanded rule folder starts from: its environment folder,
// or its drive ("C:").
std::string StartOf(const ExpandedFolder& expanded) {
    std::string start = expanded.text.substr(0, expanded.fixed);
    while (start.size() > 2 && start.back() == '\\') start.pop_back();
    return start;
}

// Calls found for every existing folder (or file, filesAtEnd) an expanded
// rule folder names. Returns the first link met on the way by name (empty
// when there was none).
std::string ForEachMatch(AppRulePlanner::FolderFacts& facts, const ExpandedFolder& expanded, bool filesAtEnd,
                         const PatternWalk::Found& found) {
    const std::string start = StartOf(expanded);
    // The start folder is the system's: it may be a link (a redirected
    // folder), but it must exist. "C:" alone is checked as the root.
    const DWORD attributes = facts.Attributes(start.size() == 2 ? start + '\\' : start);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return {};
    PatternWalk walk(facts, text::NonEmptyParts(std::string_view(expanded.text).substr(expanded.fixed), "\\"),
                     filesAtEnd, found);
    walk.From(start, 0);
    return walk.Link();
}

HKEY RootKey(std::string_view name) {
    struct Root {
        const char* shortName;
        const char* longName;
        HKEY key;
    };
    static const Root kRoots[] = {
        {"HKCU", "HKEY_CURRENT_USER", HKEY_CURRENT_USER},
        {"HKLM", "HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
        {"HKCR", "HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
        {"HKU", "HKEY_USERS", HKEY_USERS},
    };
    const std::string upper = [&] {
        std::string text(name);
        std::transform(text.begin(), text.end(), text.begin(), [](char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; });
        return text;
    }();
    for (const Root& root : kRoots) {
        if (upper == root.shortName || upper == root.longName) return root.key;
    }
    return nullptr;
}

// A registry key exists, in either view of a 64-bit system.
bool RegistryKeyExists(std::string_view key) {
    const size_t cut = key.find('\\');
    HKEY root = RootKey(key.substr(0, cut));
    if (!root) return false;
    const std::string subKey = cut == std::string_view::npos ? std::string() : std::string(key.substr(cut + 1));
    return platform::RegistryKey::Open(root, subKey, KEY_READ).Opened() ||
           platform::RegistryKey::Open(root, subKey, KEY_READ | KEY_WOW64_32KEY).Opened();
}

}  // namespace

bool FolderMatches(std::string_view loweredFolder, const std::vector<std::string>& parts, bool orBelow) {
    const std::vector<std::string_view> folderParts = text::NonEmptyParts(loweredFolder, "\\");
    if (folderParts.size() < parts.size() || (!orBelow && folderParts.size() != parts.size())) return false;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (!MatchWildcard(parts[i].c_str(), std::string(folderParts[i]).c_str())) return false;
    }
    return true;
}

AppRulePlanner::AppRulePlanner(AppFolders folders, int windowsVersion)
    : folders_(std::move(folders)), windowsVersion_(windowsVersion), facts_(std::make_unique<FolderFacts>()) {}

AppRulePlanner::~AppRulePlanner() = default;

bool AppRulePlanner::Exists(const std::string& pattern) const {
    bool found = false;
    for (const ExpandedFolder& expanded : folders_.Expand(pattern)) {
        ForEachMatch(*facts_, expanded, true, [&](const std::string&) {
            found = true;
            return false;
        });
        if (found) return true;
    }
    return false;
}

bool AppRulePlanner::Present(const AppRule& rule) const {
    if (rule.os && !rule.os->Admits(windowsVersion_)) return false;
    const bool special = !rule.specialDetect.empty();
    if (!special && rule.detectKeys.empty() && rule.detectFiles.empty()) return true;
    if (special) {
        const auto* known = std::find_if(std::begin(kSpecialDetections), std::end(kSpecialDetections),
                                         [&](const SpecialDetection& d) { return rule.specialDetect == d.name; });
        if (known != std::end(kSpecialDetections) && Exists(known->folder)) return true;
    }
    if (std::any_of(rule.detectFiles.begin(), rule.detectFiles.end(), [&](const std::string& f) { return Exists(f); })) {
        return true;
    }
    return std::any_of(rule.detectKeys.begin(), rule.detectKeys.end(),
                       [](const std::string& key) { return RegistryKeyExists(key); });
}

const std::string& AppRulePlanner::FinalFormOf(const std::string& start) const {
    auto known = finalForms_.find(start);
    if (known == finalForms_.end()) known = finalForms_.emplace(start, clean::FinalFolderForm(start)).first;
    return known->second;
}

PlanRefusal AppRulePlanner::Judge(const std::string& folder, const std::string& start) const {
    if (clean::NamesWholeDrive(folder)) return PlanRefusal::Root;
    if (folders_.NamesOrHoldsBase(platform::LowerAnsi(folder))) return PlanRefusal::Base;
    // The folder exists (it was met on the way) and lies below its start
    // through plain folders only: where the file system puts it is where
    // it puts the start, followed by the names below. A short name ("~")
    // is not the name the file system resolves to: such a folder is asked
    // by what the file system knows it by.
    const std::string below = folder.substr(start.size());
    const std::string& startForm = FinalFormOf(start);
    const bool byText = !startForm.empty() && below.find('~') == std::string::npos;
    const bool guarded = byText ? guard_.RefusesFinalForm(startForm + platform::LowerAnsi(below))
                                : guard_.RefusesExisting(folder);
    return guarded ? PlanRefusal::Guarded : PlanRefusal::None;
}

RulePlan AppRulePlanner::Plan(const AppRule& rule) const {
    RulePlan plan;
    plan.rule = &rule;
    auto refuse = [&](PlanRefusal why, const std::string& folder) {
        plan.refusal = why;
        plan.refusedFolder = folder;
        plan.folders.clear();
        plan.removeWhenEmpty.clear();
        plan.excludes.clear();
        return plan;
    };
    for (const FileKey& key : rule.files) {
        const std::vector<ExpandedFolder> expanded = folders_.Expand(key.folder);
        if (expanded.empty()) return refuse(PlanRefusal::UnknownFolder, key.folder);
        for (const ExpandedFolder& one : expanded) {
            // What the text names before its first "*" part must lie below
            // the roots and base folders, even where nothing exists yet:
            // "%LocalAppData%\*" would reach every application's data.
            const std::string head = LiteralHead(one.text);
            if (clean::NamesWholeDrive(head)) return refuse(PlanRefusal::Root, head);
            if (folders_.NamesOrHoldsBase(platform::LowerAnsi(head))) return refuse(PlanRefusal::Base, head);
            PlanRefusal refused = PlanRefusal::None;
            std::string refusedFolder;
            const std::string start = StartOf(one);
            const std::string link = ForEachMatch(*facts_, one, false, [&](const std::string& folder) {
                refused = Judge(folder, start);
                if (refused != PlanRefusal::None) {
                    refusedFolder = folder;
                    return false;
                }
                plan.folders.push_back({folder, &key});
                if (key.removeSelf) plan.removeWhenEmpty.push_back(folder);
                return true;
            });
            if (refused != PlanRefusal::None) return refuse(refused, refusedFolder);
            // A folder the rule names leads elsewhere than its name says.
            if (!link.empty()) return refuse(PlanRefusal::Link, link);
        }
    }
    for (const ExcludeKey& key : rule.excludes) {
        for (const ExpandedFolder& one : folders_.Expand(key.folder)) {
            PlannedExclude exclude{{}, &key};
            const std::string lowered = platform::LowerAnsi(one.text);
            for (std::string_view part : text::NonEmptyParts(lowered, "\\")) exclude.parts.emplace_back(part);
            plan.excludes.push_back(std::move(exclude));
        }
    }
    return plan;
}

}  // namespace scan
