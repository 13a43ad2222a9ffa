#include "clean/clean_log.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdint>
#include <iterator>
#include <vector>

#include "clean/backup_layout.h"
#include "clean/file_ops.h"
#include "clean/trace_cleaners.h"
#include "paths/module_paths.h"
#include "paths/path_text.h"
#include "platform/codepage.h"
#include "platform/folder_listing.h"
#include "platform/fresh_file.h"
#include "platform/held_file.h"
#include "platform/wide_path.h"

namespace clean {

namespace {

constexpr char kLogExtension[] = ".log";
// How many later seconds a log without a set may move to for a free name.
constexpr int kLaterSecondsTried = 3600;

// The characters some readers of text break a line on beyond the control
// characters, in UTF-8: U+0085 (next line), U+2028 and U+2029 (line and
// paragraph separators).
constexpr std::string_view kUtf8LineBreakers[] = {"\xC2\x85", "\xE2\x80\xA8", "\xE2\x80\xA9"};

// A field never breaks its line or the columns: control characters (a tab
// or line break in a name made outside Windows, say) and the other line
// breakers become "?", which no Windows name holds.
void AppendField(std::string& line, std::string_view field) {
    static const bool utf8 = ::GetACP() == CP_UTF8;
    for (size_t i = 0; i < field.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(field[i]);
        if (c < 0x20 || c == 0x7F) {
            line += '?';
            continue;
        }
        if (utf8 && (c == 0xC2 || c == 0xE2)) {
            const std::string_view rest = field.substr(i);
            auto breaker = std::find_if(std::begin(kUtf8LineBreakers), std::end(kUtf8LineBreakers),
                                        [&](std::string_view b) { return rest.substr(0, b.size()) == b; });
            if (breaker != std::end(kUtf8LineBreakers)) {
                line += '?';
                i += breaker->size() - 1;
                continue;
            }
        }
        line += static_cast<char>(c);
    }
}

void AppendColumns(std::string& text, std::initializer_list<std::string_view> columns) {
    bool first = true;
    for (std::string_view column : columns) {
        if (!first) text += '\t';
        first = false;
        AppendField(text, column);
    }
    text += "\r\n";
}

void AppendCount(std::string& text, const char* name, uint64_t value) {
    text += '\t';
    text += name;
    text += '=';
    text += std::to_string(value);
}

void AppendSummary(std::string& text, const CleanResult& result, bool ended = true) {
    const CleanCounts counts = CountResult(result);
    text += "summary";
    AppendCount(text, "files", result.files.size());
    const struct {
        const char* files;
        const char* bytes;
        const Tally& tally;
    } tallies[] = {
        {"cleaned", "cleaned_bytes", counts.cleaned}, {"kept", "kept_bytes", counts.kept},
        {"failed", "failed_bytes", counts.failed},    {"skipped", "skipped_bytes", counts.skipped},
        {"planned", "planned_bytes", counts.planned},
    };
    for (const auto& t : tallies) {
        AppendCount(text, t.files, t.tally.files);
        AppendCount(text, t.bytes, t.tally.bytes);
    }
    AppendCount(text, "traces_run", static_cast<uint64_t>(counts.tracesRun));
    AppendCount(text, "traces_skipped", static_cast<uint64_t>(counts.tracesSkipped));
    text += "\taction=";
    AppendField(text, result.action);
    text += "\tstatus=";
    text += result.preview ? "preview" : !ended ? "running" : result.stopped ? "stopped" : "completed";
    Tally removedSets;
    for (const AgedSetRun& set : result.agedSets) {
        if (set.result == AgedSetResult::Removed) removedSets.Add(set.bytes);
    }
    AppendCount(text, "sets_removed", removedSets.files);
    AppendCount(text, "sets_removed_bytes", removedSets.bytes);
    text += "\r\n";
}

const char* TraceLogName(int number) {
    for (const TraceCleaner& cleaner : TraceCleaners()) {
        if (cleaner.number == number) return cleaner.logName;
    }
    return "unknown";
}

// The log's bytes: the narrow text as it is where the code page is UTF-8
// (as the program runs), converted otherwise.
std::string ToUtf8(const std::string& narrow) {
    if (::GetACP() == CP_UTF8 || narrow.empty()) return narrow;
    const std::wstring wide = platform::ToWide(narrow);
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string utf8(static_cast<size_t>(std::max(size, 0)), '\0');
    if (size > 0) {
        ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), size, nullptr,
                              nullptr);
    }
    return utf8;
}

// Removes the oldest logs of the folder (by name, which orders them by time)
// until at most keep are left; the log named spare stays whatever its name,
// and so does the log of a backup set that is still there (the rescue
// center opens it). A log is removed through a handle to the very file, and
// never when it is a link.
void PruneLogs(const platform::GuardedFolder& folder, size_t keep, std::string_view spare) {
    std::vector<std::string> logs;
    platform::FolderListing listing(folder.Path());
    while (listing.Next()) {
        if (listing.IsFolder() || !listing.Addressable() || !IsLogFileName(listing.Name())) continue;
        if (spare == listing.Name()) {
            if (keep > 0) --keep;  // it counts among the kept ones
            continue;
        }
        logs.emplace_back(listing.Name());
    }
    if (logs.size() <= keep) return;
    std::sort(logs.begin(), logs.end());
    const std::string sets = BackupRoot();
    platform::FolderFinalPaths folders;
    for (size_t i = 0; i + keep < logs.size(); ++i) {
        if (PathTaken(sets + logs[i].substr(0, logs[i].size() - std::size(kLogExtension) + 1))) continue;
        platform::HeldFile log(folder.Path() + "\\" + logs[i]);
        if (log.Check(folders, std::nullopt) == platform::HeldState::Plain) log.Delete();
    }
}

// The logs' folder below the program's, made where missing.
platform::GuardedFolder LogFolder() {
    return platform::GuardedFolder::Make(paths::WithoutTrailingBackslash(LogRoot()), paths::ModuleDirectory());
}

// Writes the bytes as a new log of the folder: under the set's name when
// given, else under the first name, from the second the clean started on,
// that neither a log nor a set has (a later backup set never shares a name
// with another clean's log). Returns the log's file name; empty when none
// could be written.
std::string WriteNewLog(const platform::GuardedFolder& folder, const std::string& bytes,
                        const std::optional<std::string>& setName, const SYSTEMTIME& started) {
    if (setName) {
        // The set's name was free of logs when it was reserved.
        const std::string name = *setName + kLogExtension;
        return platform::WriteNewFile(folder, platform::WideName(name), bytes) == ERROR_SUCCESS ? name : std::string();
    }
    FILETIME start{};
    if (!::SystemTimeToFileTime(&started, &start)) return {};
    ULARGE_INTEGER ticks{{start.dwLowDateTime, start.dwHighDateTime}};
    constexpr uint64_t kTicksPerSecond = 10000000;
    for (int later = 0; later < kLaterSecondsTried; ++later, ticks.QuadPart += kTicksPerSecond) {
        FILETIME time{ticks.LowPart, ticks.HighPart};
        SYSTEMTIME t{};
        if (!::FileTimeToSystemTime(&time, &t)) break;
        const std::string stem = BackupSetName(t);
        if (PathTaken(BackupRoot() + stem)) continue;
        const std::string name = stem + kLogExtension;
        const DWORD written = platform::WriteNewFile(folder, platform::WideName(name), bytes);
        if (written == ERROR_SUCCESS) return name;
        if (written != ERROR_ALREADY_EXISTS) return {};
    }
    return {};
}

}  // namespace

std::string LogRoot() { return paths::ModuleDirectory() + "\\Data\\ToolJunkSweep\\Logs\\"; }

std::string LogPathFor(std::string_view setName) {
    std::string path = LogRoot();
    path += setName;
    path += kLogExtension;
    return path;
}

bool IsLogFileName(std::string_view name) {
    // Digits where the set name's pattern has them, its separators elsewhere.
    constexpr std::string_view kPattern = "0000-00-00_00-00-00.log";
    if (name.size() != kPattern.size()) return false;
    for (size_t i = 0; i < name.size(); ++i) {
        const bool digit = std::isdigit(static_cast<unsigned char>(name[i])) != 0;
        if (kPattern[i] == '0' ? !digit : std::tolower(static_cast<unsigned char>(name[i])) != kPattern[i]) {
            return false;
        }
    }
    return true;
}

namespace {

// How the age rule's work on a set reads: result and reason.
std::pair<const char*, const char*> AgedSetTokens(AgedSetResult result) {
    switch (result) {
        case AgedSetResult::Removed: return {"cleaned", ""};
        case AgedSetResult::InUse: return {"failed", "in-use"};
        case AgedSetResult::Planned: return {"planned", ""};
        case AgedSetResult::Failed: break;
    }
    return {"failed", "error"};
}

}  // namespace

std::string LogText(const CleanResult& result) {
    std::string text;
    text.reserve(result.files.size() * 96 + 512);
    // The backup sets the age rule took away come first, as the clean did.
    for (const AgedSetRun& set : result.agedSets) {
        const auto [outcome, reason] = AgedSetTokens(set.result);
        AppendColumns(text, {"backup-set:" + set.name, std::to_string(set.bytes), "remove", outcome, reason, ""});
    }
    for (size_t i = 0; i < result.files.size(); ++i) {
        const CleanItem& item = result.files[i];
        const ResultText reads = TextOf(result, i);
        const std::string size = item.listed ? std::to_string(item.listed->size) : std::string();
        AppendColumns(text, {item.path, size, result.action, reads.resultToken, reads.reasonToken, item.reason});
    }
    for (const TraceRun& trace : result.traces) {
        const std::string name = std::string("trace:") + TraceLogName(trace.number);
        const char* outcome = trace.ran ? "cleaned" : result.preview ? "planned" : "skipped";
        const char* reason = trace.ran || result.preview ? "" : "stopped";
        AppendColumns(text, {name, "", "erase", outcome, reason, ""});
    }
    AppendSummary(text, result);
    return text;
}

namespace {
std::atomic<bool> g_logNotWritten{false};
}  // namespace

void NoteLogNotWritten() { g_logNotWritten = true; }
bool LogNotWritten() { return g_logNotWritten; }

bool CleanLog::Open(const CleanResult& planned, const std::optional<std::string>& setName,
                    const SYSTEMTIME& started) {
    path_.clear();
    folder_ = LogFolder();
    if (!folder_.Valid()) return false;
    std::string opening;
    AppendSummary(opening, planned, false);
    const std::string name = WriteNewLog(folder_, ToUtf8(opening), setName, started);
    if (name.empty()) return false;
    DWORD error = ERROR_SUCCESS;
    std::optional<platform::CheckedEntry> made = platform::CheckEntry(folder_, platform::WideName(name), error);
    if (!made) return false;
    id_ = made->id;
    path_ = folder_.Path() + "\\" + name;
    return true;
}

std::string CleanLog::Complete(const CleanResult& result) {
    if (path_.empty()) return {};
    const std::string name = paths::LastComponent(path_);
    platform::FreshFile whole(folder_);
    if (!whole.Write(ToUtf8(LogText(result))) ||
        whole.PutInPlace(platform::WideName(name), id_) != ERROR_SUCCESS) {
        return {};
    }
    if (!result.preview) PruneLogs(folder_, kLogsKept, name);
    return path_;
}

std::string WriteCleanLog(const CleanResult& result, const std::optional<std::string>& setName,
                          const SYSTEMTIME& started) {
    if (result.preview) {
        const platform::GuardedFolder folder = LogFolder();
        if (!folder.Valid()) return {};
        const std::string name = WriteNewLog(folder, ToUtf8(LogText(result)), setName, started);
        return name.empty() ? std::string() : folder.Path() + "\\" + name;
    }
    CleanLog log;
    if (!log.Open(result, setName, started)) return {};
    return log.Complete(result);
}

}  // namespace clean
