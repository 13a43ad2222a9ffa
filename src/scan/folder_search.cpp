#include "scan/folder_search.h"

#include "paths/path_text.h"
#include "platform/file_query.h"
#include "platform/folder_listing.h"
#include "scan/lower_case.h"
#include "scan/shortcut_reader.h"
#include "scan/skip_texts.h"

namespace scan {

namespace {

constexpr uint64_t kTicksPerDay = 864000000000ULL;
constexpr uint64_t kDaysPerMonth = 31;

uint64_t Ticks(const FILETIME& time) { return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime; }

// The time zone and the current local time are read once per walk: asking
// for them for every file would cost more than the rest of the search.
class LocalClock {
public:
    LocalClock() {
        haveZone_ = ::GetTimeZoneInformation(&zone_) != TIME_ZONE_ID_INVALID;
        SYSTEMTIME now{};
        FILETIME current{};
        ::GetLocalTime(&now);
        ::SystemTimeToFileTime(&now, &current);
        now_ = Ticks(current);
    }

    // Whole months (of 31 days) between a UTC file time, taken as local
    // time, and the local time the walk started at.
    uint64_t MonthsSince(const FILETIME& utcTime) const {
        SYSTEMTIME utc{}, local{};
        FILETIME then{};
        if (!::FileTimeToSystemTime(&utcTime, &utc) ||
            !::SystemTimeToTzSpecificLocalTime(haveZone_ ? &zone_ : nullptr, &utc, &local) ||
            !::SystemTimeToFileTime(&local, &then)) {
            return 0;
        }
        uint64_t at = Ticks(then);
        return (at > now_ ? at - now_ : now_ - at) / kTicksPerDay / kDaysPerMonth;
    }

private:
    TIME_ZONE_INFORMATION zone_{};
    bool haveZone_ = false;
    uint64_t now_ = 0;
};

struct Walk {
    const JunkTypeTable& junkTypes;
    const SkipTexts& skipTexts;
    bool subfolders;
    const SearchSwitches& switches;
    const SearchVisitor& visit;
    const AnsiLowerCase& lower;
    const LocalClock& clock;
    ShortcutReader& shortcuts;
};

// The listing's size says whether a file can be empty at all; only a file
// listed as empty is opened to confirm it from the file itself.
bool IsEmptyFile(const std::string& path, const DirectoryEntry& entry) {
    if (entry.nFileSizeHigh != 0 || entry.nFileSizeLow != 0) return false;
    return platform::ReadableSize(path) == uint64_t{0};
}

bool EndsWithLnk(std::string_view loweredName) {
    return loweredName.size() >= 4 && loweredName.substr(loweredName.size() - 4) == ".lnk";
}

bool IsInvalidShortcut(const Walk& walk, const std::string& path) {
    static thread_local std::string target;
    if (!walk.shortcuts.Read(path, target)) return false;
    if (target.size() < 3 || target[1] != ':' || target[2] != '\\') return false;
    return platform::AttributesOf(target) == INVALID_FILE_ATTRIBUTES;
}

// The access time is the one the listing gave, from before this search read
// anything: reading a shortcut for the previous rule counts as an access on
// file systems that record one, and would hide how old the file really is.
bool NotAccessedFor(const Walk& walk, const DirectoryEntry& entry) {
    // A negative count, sign-extended, is larger than any month count.
    return walk.clock.MonthsSince(entry.ftLastAccessTime) >
           static_cast<uint64_t>(static_cast<int64_t>(walk.switches.months));
}

const char* ReasonFor(const Walk& walk, const std::string& path, const std::string& loweredName,
                      const DirectoryEntry& entry) {
    if (const auto* match = walk.junkTypes.MatchLowered(loweredName.c_str())) return match->second.description.c_str();
    const SearchSwitches& s = walk.switches;
    if (s.findEmptyFiles && IsEmptyFile(path, entry)) return kReasonEmptyFile;
    if (s.findInvalidShortcuts && EndsWithLnk(loweredName) && IsInvalidShortcut(walk, path)) return kReasonInvalidShortcut;
    if (s.findNotAccessed && NotAccessedFor(walk, entry)) return kReasonNotAccessed;
    return nullptr;
}

// folder and loweredFolder name the same folder, the second lower-cased;
// folderTested says whether the folder's path passed the skip test already.
bool WalkFolder(const Walk& walk, const std::string& folder, const std::string& loweredFolder, bool folderTested) {
    platform::FolderListing listing(folder);
    const SearchSwitches& s = walk.switches;
    std::string entryPath, loweredName, loweredPath;
    while (listing.Next()) {
        // An entry the program's text cannot name exactly is passed over: a
        // path built from that name would judge, report or enter another
        // entry.
        if (!listing.Addressable()) continue;
        const DirectoryEntry& entry = listing.Entry();
        entryPath.assign(folder).append(1, '\\').append(listing.Name());
        const std::string_view path(entryPath);
        const auto hit = [&](const char* reason) {
            return walk.visit(SearchHit{path, path.substr(0, folder.size()), path.substr(folder.size() + 1), reason,
                                        entry});
        };
        const DWORD attributes = entry.dwFileAttributes;
        const bool isFolder = listing.IsFolder();
        if (isFolder && !hit(nullptr)) return false;
        // A junction or symbolic link may lead out of the selected tree, and
        // a link to a file is not a file of its own to report.
        if (listing.IsLink()) continue;
        if (s.skipReadOnly && (attributes & FILE_ATTRIBUTE_READONLY)) continue;
        if ((s.skipSystem && (attributes & FILE_ATTRIBUTE_SYSTEM)) || (s.skipHidden && (attributes & FILE_ATTRIBUTE_HIDDEN))) {
            continue;
        }
        loweredName.clear();
        walk.lower.Append(loweredName, listing.Name());
        loweredPath.assign(loweredFolder).append(1, '\\').append(loweredName);
        if (walk.skipTexts.Occur(loweredPath, folderTested ? loweredFolder.size() : 0)) continue;
        if (isFolder) {
            if (walk.subfolders && !WalkFolder(walk, entryPath, loweredPath, true)) return false;
            continue;
        }
        const char* reason = ReasonFor(walk, entryPath, loweredName, entry);
        if (reason && !hit(reason)) return false;
    }
    return true;
}

}  // namespace

bool SearchFolder(const SearchRequest& request, const SearchVisitor& visit) {
    const AnsiLowerCase& lower = AnsiLowerCase::Instance();
    const LocalClock clock;
    const SkipTexts skipTexts(request.skipFolders, lower);
    ShortcutReader shortcuts;
    const Walk walk{request.junkTypes, skipTexts, request.subfolders, request.switches, visit, lower, clock, shortcuts};
    std::string start(request.folder);
    if (!start.empty() && start.back() == '\\') start.pop_back();
    std::string loweredStart;
    lower.Append(loweredStart, start);
    return WalkFolder(walk, start, loweredStart, false);
}

bool ResolveShortcutTarget(const std::string& shortcutPath, std::string& target) {
    return ShortcutReader().Read(shortcutPath, target);
}

}  // namespace scan
