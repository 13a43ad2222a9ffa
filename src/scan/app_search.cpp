#include "scan/app_search.h"

#include <algorithm>
#include <unordered_set>

#include "platform/codepage.h"
#include "platform/folder_listing.h"
#include "scan/junk_types.h"
#include "scan/lower_case.h"

namespace scan {

namespace {

constexpr std::string_view kApplicationDataSkips[] = {"\\appdata\\", "\\application data\\", "\\local settings\\"};

bool MatchesAny(const std::vector<std::string>& masks, const std::string& loweredName) {
    return std::any_of(masks.begin(), masks.end(),
                       [&](const std::string& mask) { return MatchWildcard(mask.c_str(), loweredName.c_str()); });
}

// Whether child is parent or lies below it.
bool IsOrIsBelow(std::string_view child, std::string_view parent) {
    return child.size() >= parent.size() && child.compare(0, parent.size(), parent) == 0 &&
           (child.size() == parent.size() || child[parent.size()] == '\\');
}

class RuleWalk {
public:
    RuleWalk(const RulePlan& plan, const SkipTexts& skipTexts, const SearchSwitches& switches, const SearchVisitor& visit)
        : plan_(plan), skipTexts_(skipTexts), switches_(switches), visit_(visit), lower_(AnsiLowerCase::Instance()) {}

    bool Folder(const PlannedFolder& planned) {
        key_ = planned.key;
        std::string lowered;
        lower_.Append(lowered, planned.folder);
        return Walk(planned.folder, lowered, false);
    }

private:
    // The mask lists of the exclusions that hold for files of this folder;
    // an empty list keeps every file.
    std::vector<const std::vector<std::string>*> ExclusionsFor(const std::string& loweredFolder) const {
        std::vector<const std::vector<std::string>*> masks;
        if (plan_.excludes.empty()) return masks;
        for (const PlannedExclude& exclude : plan_.excludes) {
            if (FolderMatches(loweredFolder, exclude.parts, exclude.key->subfolders)) masks.push_back(&exclude.key->masks);
        }
        return masks;
    }

    bool Excluded(const std::vector<const std::vector<std::string>*>& exclusions, const std::string& loweredName) const {
        return std::any_of(exclusions.begin(), exclusions.end(), [&](const std::vector<std::string>* masks) {
            return masks->empty() || MatchesAny(*masks, loweredName);
        });
    }

    bool Walk(const std::string& folder, const std::string& loweredFolder, bool folderTested) {
        const auto exclusions = ExclusionsFor(loweredFolder);
        platform::FolderListing listing(folder);
        std::string path, loweredName, loweredPath;
        while (listing.Next()) {
            if (!listing.Addressable()) continue;
            const DirectoryEntry& entry = listing.Entry();
            const std::string_view name = listing.Name();
            path.assign(folder).append(1, '\\').append(name);
            const bool isFolder = listing.IsFolder();
            if (isFolder && !visit_({path, folder, name, nullptr, entry})) return false;
            // A link may lead out of the rule's folders, and a link to a file
            // is not a file of its own.
            if (listing.IsLink()) continue;
            const DWORD attributes = entry.dwFileAttributes;
            if ((switches_.skipReadOnly && (attributes & FILE_ATTRIBUTE_READONLY)) ||
                (switches_.skipSystem && (attributes & FILE_ATTRIBUTE_SYSTEM)) ||
                (switches_.skipHidden && (attributes & FILE_ATTRIBUTE_HIDDEN))) {
                continue;
            }
            loweredName.clear();
            lower_.Append(loweredName, name);
            loweredPath.assign(loweredFolder).append(1, '\\').append(loweredName);
            if (skipTexts_.Occur(loweredPath, folderTested ? loweredFolder.size() : 0)) continue;
            if (isFolder) {
                if (key_->recurse && !Walk(path, loweredPath, true)) return false;
                continue;
            }
            if (!MatchesAny(key_->masks, loweredName) || Excluded(exclusions, loweredName)) continue;
            if (!visit_({path, folder, name, plan_.rule->name.c_str(), entry})) return false;
        }
        return true;
    }

    const RulePlan& plan_;
    const SkipTexts& skipTexts_;
    const SearchSwitches& switches_;
    const SearchVisitor& visit_;
    const AnsiLowerCase& lower_;
    const FileKey* key_ = nullptr;
};

}  // namespace

std::vector<std::string> SkipFoldersForRules(const std::vector<std::string>& skipFolders) {
    std::vector<std::string> kept;
    for (const std::string& folder : skipFolders) {
        const std::string lowered = platform::LowerAnsi(folder);
        const bool applicationData = std::find(std::begin(kApplicationDataSkips), std::end(kApplicationDataSkips),
                                               lowered) != std::end(kApplicationDataSkips);
        if (!applicationData) kept.push_back(folder);
    }
    return kept;
}

SearchedFolders::SearchedFolders(std::vector<std::string> foundIn) : foundIn_(std::move(foundIn)) {
    std::sort(foundIn_.begin(), foundIn_.end());
}

bool SearchedFolders::HeldFilesFoundBefore(const Searched& folder) const {
    if (std::binary_search(foundIn_.begin(), foundIn_.end(), folder.folder)) return true;
    if (!folder.subfolders) return false;
    // The folders below it sort together, from its name and a backslash on.
    const std::string below = folder.folder + '\\';
    const auto next = std::lower_bound(foundIn_.begin(), foundIn_.end(), below);
    return next != foundIn_.end() && next->compare(0, below.size(), below) == 0;
}

bool SearchedFolders::MayMeetAgain(const RulePlan& plan) {
    bool again = false;
    for (const PlannedFolder& planned : plan.folders) {
        Searched folder{std::string(), planned.key->recurse};
        AnsiLowerCase::Instance().Append(folder.folder, planned.folder);
        again = again || HeldFilesFoundBefore(folder) ||
                std::any_of(searched_.begin(), searched_.end(), [&](const Searched& before) {
                    return folder.folder == before.folder ||
                           (before.subfolders && IsOrIsBelow(folder.folder, before.folder)) ||
                           (folder.subfolders && IsOrIsBelow(before.folder, folder.folder));
                });
        searched_.push_back(std::move(folder));
    }
    return again;
}

bool SearchRule(const RulePlan& plan, const SkipTexts& skipTexts, const SearchSwitches& switches,
                const SearchVisitor& visit) {
    if (!plan.rule || plan.refusal != PlanRefusal::None) return true;
    RuleWalk walk(plan, skipTexts, switches, visit);
    for (const PlannedFolder& folder : plan.folders) {
        if (!walk.Folder(folder)) return false;
    }
    return true;
}

RuleSize MeasureRule(const RulePlan& plan, const SkipTexts& skipTexts, const SearchSwitches& switches,
                     const std::atomic<int>& stop) {
    RuleSize size;
    // Two keys of a rule may name one folder; its files count once.
    std::unordered_set<std::string> seen;
    const bool overlap = SearchedFolders().MayMeetAgain(plan);
    const AnsiLowerCase& lower = AnsiLowerCase::Instance();
    std::string lowered;
    size.completed = SearchRule(plan, skipTexts, switches, [&](const SearchHit& hit) {
        if (stop.load() != 0) return false;
        if (!hit.reason) return true;
        if (overlap) {
            lowered.clear();
            lower.Append(lowered, hit.path);
            if (!seen.insert(lowered).second) return true;
        }
        ++size.files;
        size.bytes += (static_cast<uint64_t>(hit.entry.nFileSizeHigh) << 32) | hit.entry.nFileSizeLow;
        return true;
    });
    return size;
}

}  // namespace scan
