#include "clean/clean_log.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <vector>

#include "clean/backup_layout.h"
#include "clean/file_ops.h"
#include "clean/trace_cleaners.h"
#include "paths/module_paths.h"
#include "paths/path_text.h"
#include "platform/codepage.h"
#include "platform/folder_listing.h"
#include "platform/handle.h"

namespace clean {

namespace {

constexpr char kLogExtension[] = ".log";
// How many later seconds a log without a set may move to for a free name.
constexpr int kLaterSecondsTried = 3600;

// A field never breaks its line or the columns: control characters (a tab
// or line break in a name made outside Windows, say) become "?", which no
// Windows name holds.
void AppendField(std::string& line, std::string_view field) {
    for (char c : field) line += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
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

void AppendSummary(std::string& text, const CleanResult& result) {
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
    text += result.preview ? "preview" : result.stopped ? "stopped" : "completed";
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

enum class WriteResult { Written, NameTaken, Failed };

// Writes the whole text in one call. A log that could not be written whole
// is removed again: a reader must never take half a log for a whole one.
WriteResult WriteWhole(const std::string& path, const std::string& bytes, DWORD creation) {
    platform::UniqueHandle file(
        ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, creation, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        DWORD error = ::GetLastError();
        return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? WriteResult::NameTaken
                                                                            : WriteResult::Failed;
    }
    DWORD written = 0;
    const bool whole = bytes.empty() || (::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()),
                                                     &written, nullptr) &&
                                         written == bytes.size());
    file.Reset();
    if (whole) return WriteResult::Written;
    ::DeleteFileA(path.c_str());
    return WriteResult::Failed;
}

// A clean without a backup set takes the first name, from the second it
// started on, that neither a log nor a set has: a later backup set never
// shares a name with another clean's log.
std::string WriteUnderFreeName(const std::string& bytes, const SYSTEMTIME& started) {
    FILETIME start{};
    if (!::SystemTimeToFileTime(&started, &start)) return {};
    ULARGE_INTEGER ticks{{start.dwLowDateTime, start.dwHighDateTime}};
    constexpr uint64_t kTicksPerSecond = 10000000;
    for (int later = 0; later < kLaterSecondsTried; ++later, ticks.QuadPart += kTicksPerSecond) {
        FILETIME time{ticks.LowPart, ticks.HighPart};
        SYSTEMTIME t{};
        if (!::FileTimeToSystemTime(&time, &t)) break;
        const std::string name = BackupSetName(t);
        if (PathTaken(BackupRoot() + name)) continue;
        const std::string path = LogPathFor(name);
        switch (WriteWhole(path, bytes, CREATE_NEW)) {
            case WriteResult::Written:
                return path;
            case WriteResult::NameTaken:
                continue;
            case WriteResult::Failed:
                return {};
        }
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

std::string WriteCleanLog(const CleanResult& result, const std::optional<std::string>& setName,
                          const SYSTEMTIME& started) {
    const std::string root = LogRoot();
    EnsureFolderPath(root);
    const std::string bytes = ToUtf8(LogText(result));
    std::string path;
    if (setName) {
        // The set's name was free of logs when it was reserved.
        path = LogPathFor(*setName);
        if (WriteWhole(path, bytes, CREATE_ALWAYS) != WriteResult::Written) path.clear();
    } else {
        path = WriteUnderFreeName(bytes, started);
    }
    if (!path.empty()) PruneLogs(root, kLogsKept, paths::LastComponent(path));
    return path;
}

void PruneLogs(const std::string& root, size_t keep, std::string_view spare) {
    std::vector<std::string> logs;
    platform::FolderListing listing(paths::WithoutTrailingBackslash(root));
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
    const std::string folder = paths::WithoutTrailingBackslash(root) + "\\";
    for (size_t i = 0; i + keep < logs.size(); ++i) ::DeleteFileA((folder + logs[i]).c_str());
}

}  // namespace clean
