#include "scan/folder_search.h"

#include <shlobj.h>

#include "platform/codepage.h"
#include "platform/com.h"
#include "platform/handle.h"

namespace scan {

namespace {

constexpr uint64_t kTicksPerDay = 864000000000ULL;
constexpr uint64_t kDaysPerMonth = 31;

struct Walk {
    const JunkTypeTable& junkTypes;
    SearchCallback onFound;
    void* foundContext;
    std::vector<std::string> loweredSkipFolders;
    bool subfolders;
    const SearchSwitches& switches;
    SearchCallback onProgress;
    void* progressContext;
};

bool IsDotEntry(const char* name) { return name[0] == '.' && (!name[1] || (name[1] == '.' && !name[2])); }

bool InSkipFolder(const Walk& walk, const std::string& entryPath) {
    if (walk.loweredSkipFolders.empty()) return false;
    std::string lowered = platform::LowerAnsi(entryPath);
    for (const std::string& skip : walk.loweredSkipFolders) {
        if (lowered.find(skip) != std::string::npos) return true;
    }
    return false;
}

// The listing's size says whether a file can be empty at all; only a file
// listed as empty is opened to confirm it from the file itself.
bool IsEmptyFile(const std::string& path, const DirectoryEntry& entry) {
    if (entry.nFileSizeHigh != 0 || entry.nFileSizeLow != 0) return false;
    platform::UniqueHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    LARGE_INTEGER size{};
    return ::GetFileSizeEx(file.Get(), &size) && size.QuadPart == 0;
}

bool EndsWithLnk(const std::string& path) {
    if (path.size() < 4) return false;
    return platform::LowerAnsi(std::string_view(path).substr(path.size() - 4)) == ".lnk";
}

bool IsInvalidShortcut(const std::string& path) {
    char target[MAX_PATH] = {};
    if (!ResolveShortcutTarget(path.c_str(), target)) return false;
    if (target[0] == '\0' || target[1] != ':' || target[2] != '\\') return false;
    return ::GetFileAttributesA(target) == INVALID_FILE_ATTRIBUTES;
}

// The access time is the one the listing gave, from before this search read
// anything: reading a shortcut for the previous rule counts as an access on
// file systems that record one, and would hide how old the file really is.
// A path the narrow file functions cannot take is not judged, as its
// attributes could not be read by that path.
bool NotAccessedFor(const std::string& path, const DirectoryEntry& entry, int32_t months) {
    if (path.size() >= MAX_PATH) return false;
    // A negative count, sign-extended, is larger than any month count.
    return MonthsSince(entry.ftLastAccessTime) > static_cast<uint64_t>(static_cast<int64_t>(months));
}

const char* ReasonFor(const Walk& walk, const std::string& path, const DirectoryEntry& entry) {
    if (!walk.junkTypes.Empty()) {
        std::string lowered = platform::LowerAnsi(entry.cFileName);
        if (const auto* match = walk.junkTypes.MatchLowered(lowered.c_str())) return match->second.description.c_str();
    }
    const SearchSwitches& s = walk.switches;
    if (s.findEmptyFiles && IsEmptyFile(path, entry)) return kReasonEmptyFile;
    if (s.findInvalidShortcuts && EndsWithLnk(path) && IsInvalidShortcut(path)) return kReasonInvalidShortcut;
    if (s.findNotAccessed && NotAccessedFor(path, entry, s.months)) return kReasonNotAccessed;
    return nullptr;
}

int WalkFolder(const Walk& walk, const std::string& folder) {
    // The narrow file functions take at most MAX_PATH - 1 characters; some
    // implementations accept one more, so the limit is kept here, where a
    // folder too deep to list counts as an empty one on every platform.
    std::string pattern = folder + "\\*.*";
    if (pattern.size() >= MAX_PATH) return 1;
    DirectoryEntry entry{};
    platform::FindHandle listing(::FindFirstFileA(pattern.c_str(), &entry));
    if (!listing) return 1;
    const SearchSwitches& s = walk.switches;
    std::string entryPath;
    do {
        entryPath.assign(folder).append(1, '\\').append(entry.cFileName);
        const DWORD attributes = entry.dwFileAttributes;
        const bool isFolder = attributes & FILE_ATTRIBUTE_DIRECTORY;
        if (isFolder && walk.onProgress && !walk.onProgress(entryPath.c_str(), nullptr, entry, walk.progressContext)) {
            return 0;
        }
        if (s.skipReadOnly && (attributes & FILE_ATTRIBUTE_READONLY)) continue;
        if ((s.skipSystem && (attributes & FILE_ATTRIBUTE_SYSTEM)) || (s.skipHidden && (attributes & FILE_ATTRIBUTE_HIDDEN))) {
            continue;
        }
        if (InSkipFolder(walk, entryPath)) continue;
        if (isFolder) {
            // A junction or symbolic link may lead out of the selected tree.
            if (walk.subfolders && !IsDotEntry(entry.cFileName) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
                if (!WalkFolder(walk, entryPath)) return 0;
            }
            continue;
        }
        const char* reason = ReasonFor(walk, entryPath, entry);
        if (reason && !walk.onFound(entryPath.c_str(), reason, entry, walk.foundContext)) return 0;
    } while (::FindNextFileA(listing.Get(), &entry));
    return 1;
}

}  // namespace

int SearchFolder(std::string_view folder, const JunkTypeTable& junkTypes, SearchCallback onFound, void* foundContext,
                 const std::vector<std::string>& skipFolders, bool subfolders, const SearchSwitches& switches,
                 SearchCallback onProgress, void* progressContext) {
    Walk walk{junkTypes, onFound, foundContext, {}, subfolders, switches, onProgress, progressContext};
    walk.loweredSkipFolders.reserve(skipFolders.size());
    for (const std::string& skip : skipFolders) walk.loweredSkipFolders.push_back(platform::LowerAnsi(skip));
    std::string start(folder);
    if (!start.empty() && start.back() == '\\') start.pop_back();
    return WalkFolder(walk, start);
}

bool ResolveShortcutTarget(const char* shortcutPath, char (&target)[MAX_PATH]) {
    platform::ComPtr<IShellLinkA> link;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.PutVoid()))) {
        return false;
    }
    auto file = link.As<IPersistFile>(IID_IPersistFile);
    if (!file) return false;
    if (FAILED(file->Load(platform::ToWide(shortcutPath).c_str(), STGM_READ))) return false;
    target[0] = '\0';
    return SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, 0));
}

uint64_t MonthsSince(const FILETIME& utcTime) {
    SYSTEMTIME utc{}, local{}, now{};
    FILETIME then{}, current{};
    if (!::FileTimeToSystemTime(&utcTime, &utc) || !::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local) ||
        !::SystemTimeToFileTime(&local, &then)) {
        return 0;
    }
    ::GetLocalTime(&now);
    ::SystemTimeToFileTime(&now, &current);
    auto ticks = [](const FILETIME& t) { return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    uint64_t a = ticks(then), b = ticks(current);
    uint64_t difference = a > b ? a - b : b - a;
    return difference / kTicksPerDay / kDaysPerMonth;
}

}  // namespace scan
