#include "rescue/aged_sets.h"

#include <algorithm>
#include <cctype>

#include "clean/backup_layout.h"
#include "platform/folder_listing.h"
#include "platform/held_file.h"
#include "platform/wide_path.h"
#include "rescue/set_removal.h"

namespace rescue {

namespace {

// A clean runs unattended too: the removal shows nothing and asks nothing,
// not even about an error.
constexpr FILEOP_FLAGS kAgedSetFlags = kRestoredSetFlags | FOF_NOERRORUI;
constexpr uint64_t kTicksPerDay = 24ull * 60 * 60 * 10000000;

uint64_t Ticks(const FILETIME& t) { return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

std::optional<uint64_t> TicksOf(const SetTime& time) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(time.year);
    st.wMonth = static_cast<WORD>(time.month);
    st.wDay = static_cast<WORD>(time.day);
    st.wHour = static_cast<WORD>(time.hour);
    st.wMinute = static_cast<WORD>(time.minute);
    st.wSecond = static_cast<WORD>(time.second);
    FILETIME ft{};
    // Refuses the 30th of February, the 25th hour and the like.
    if (!::SystemTimeToFileTime(&st, &ft)) return std::nullopt;
    return Ticks(ft);
}

bool Exists(const std::string& path) {
    return ::GetFileAttributesW(platform::WidePath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Whether another program holds the file without letting it be deleted.
bool HeldElsewhere(const std::string& path) {
    return platform::HeldFile(path, platform::HeldFile::kForDeletion).OpenState() == platform::HeldState::InUse;
}

struct SetContents {
    uint64_t bytes = 0;
    bool inUse = false;
};

// The files of a set folder, links not entered.
void Survey(const std::string& folder, SetContents& contents) {
    platform::FolderListing listing(folder);
    while (listing.Next()) {
        if (!listing.Addressable() || listing.IsLink()) continue;
        const std::string path = folder + "\\" + listing.Name();
        if (listing.IsFolder()) {
            Survey(path, contents);
            continue;
        }
        const WIN32_FIND_DATAA& entry = listing.Entry();
        contents.bytes += (static_cast<uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
        if (!contents.inUse) contents.inUse = HeldElsewhere(path);
    }
}

}  // namespace

std::optional<SetTime> ExactSetTime(std::string_view name) {
    constexpr std::string_view kPattern = "0000-00-00_00-00-00";
    if (name.size() != kPattern.size()) return std::nullopt;
    for (size_t i = 0; i < name.size(); ++i) {
        const bool digit = std::isdigit(static_cast<unsigned char>(name[i])) != 0;
        if (kPattern[i] == '0' ? !digit : name[i] != kPattern[i]) return std::nullopt;
    }
    std::optional<SetTime> time = ParseSetName(name);
    if (!time || !TicksOf(*time)) return std::nullopt;
    return time;
}

std::vector<SetFolder> SetsOlderThan(const std::vector<SetFolder>& folders, const SYSTEMTIME& now, int days) {
    FILETIME nowFile{};
    if (days <= 0 || !::SystemTimeToFileTime(&now, &nowFile)) return {};
    const uint64_t nowTicks = Ticks(nowFile);
    const uint64_t age = static_cast<uint64_t>(days) * kTicksPerDay;
    std::vector<std::pair<uint64_t, SetFolder>> old;
    for (const SetFolder& folder : folders) {
        std::optional<SetTime> time = ExactSetTime(folder.name);
        std::optional<uint64_t> ticks = time ? TicksOf(*time) : std::nullopt;
        if (ticks && *ticks < nowTicks && nowTicks - *ticks > age) old.emplace_back(*ticks, folder);
    }
    std::stable_sort(old.begin(), old.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<SetFolder> sets;
    for (auto& [ticks, folder] : old) sets.push_back(std::move(folder));
    return sets;
}

std::vector<clean::AgedSetRun> RemoveAgedSets(const std::string& root, int days, const SYSTEMTIME& now,
                                              bool preview) {
    std::vector<clean::AgedSetRun> runs;
    for (const SetFolder& set : SetsOlderThan(ListSetFolders(root), now, days)) {
        // A set that is a link or junction, or is reached through one, is
        // no set of the program's: it stays, and so does what it leads to.
        if (!IsGenuineSet(set.path)) continue;
        SetContents contents;
        Survey(set.path, contents);
        clean::AgedSetRun run{set.name, contents.bytes, clean::AgedSetResult::Planned};
        if (!preview) {
            if (contents.inUse) {
                run.result = clean::AgedSetResult::InUse;
            } else {
                RemoveSetFolder(set.path, kAgedSetFlags);
                run.result = Exists(set.path) ? clean::AgedSetResult::Failed : clean::AgedSetResult::Removed;
            }
        }
        runs.push_back(std::move(run));
    }
    return runs;
}

std::vector<clean::AgedSetRun> RemoveAgedSetsNow(int days, bool preview) {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return RemoveAgedSets(clean::BackupRoot(), days, now, preview);
}

}  // namespace rescue
