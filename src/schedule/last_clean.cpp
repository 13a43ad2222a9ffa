#include "schedule/last_clean.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <vector>

#include "clean/clean_log.h"
#include "paths/path_text.h"
#include "platform/folder_listing.h"
#include "platform/file_query.h"

namespace schedule {

namespace {

// The summary is the last line; a log of many files is long, so only its end is read.
constexpr size_t kTailRead = 4096;
// Logs looked at before giving up on finding a clean among previews.
constexpr size_t kLogsLookedAt = 20;

std::optional<uint64_t> Count(std::string_view text) {
    uint64_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

std::optional<WallTime> StartOfName(std::string_view name) {
    if (!clean::IsLogFileName(name)) return std::nullopt;
    auto part = [&](size_t at, size_t size) { return static_cast<int>(*Count(name.substr(at, size))); };
    WallTime t{part(0, 4), part(5, 2), part(8, 2), part(11, 2), part(14, 2), part(17, 2)};
    if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > DaysInMonth(t.year, t.month)) return std::nullopt;
    return t;
}

// The last "summary" line of the text.
std::optional<std::string_view> SummaryLine(std::string_view text) {
    size_t end = text.size();
    while (end > 0) {
        size_t start = text.rfind('\n', end - 1);
        start = start == std::string_view::npos ? 0 : start + 1;
        std::string_view line = text.substr(start, end - start);
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
        if (line.substr(0, 8) == "summary\t") return line;
        if (start == 0) break;
        end = start - 1;
    }
    return std::nullopt;
}

}  // namespace

std::optional<LastClean> ReadCleanLog(std::string_view logName, std::string_view text) {
    std::optional<WallTime> started = StartOfName(logName);
    std::optional<std::string_view> line = SummaryLine(text);
    if (!started || !line) return std::nullopt;
    LastClean clean;
    clean.started = *started;
    bool hasCleaned = false;
    // Tab-separated name=value fields after "summary".
    for (size_t at = 8; at < line->size();) {
        size_t end = std::min(line->find('\t', at), line->size());
        std::string_view field = line->substr(at, end - at);
        at = end + 1;
        size_t equals = field.find('=');
        if (equals == std::string_view::npos) continue;
        std::string_view name = field.substr(0, equals), value = field.substr(equals + 1);
        if (name == "status") {
            if (value == "preview") return std::nullopt;
            // A log still "running" is of a clean that never ended.
            clean.stopped = value == "stopped" || value == "running";
            continue;
        }
        std::optional<uint64_t> count = Count(value);
        if (!count) continue;
        if (name == "cleaned") {
            clean.cleanedFiles = *count;
            hasCleaned = true;
        } else if (name == "cleaned_bytes") {
            clean.cleanedBytes = *count;
        } else if (name == "kept" || name == "failed" || name == "skipped") {
            clean.notCleanedFiles += *count;
        }
    }
    if (!hasCleaned) return std::nullopt;
    return clean;
}

std::optional<LastClean> NewestClean(const std::string& logFolder) {
    std::vector<std::string> names;
    platform::FolderListing listing(paths::WithoutTrailingBackslash(logFolder));
    while (listing.Next()) {
        if (!listing.IsFolder() && listing.Addressable() && clean::IsLogFileName(listing.Name())) {
            names.emplace_back(listing.Name());
        }
    }
    std::sort(names.begin(), names.end(), std::greater<>());
    const std::string folder = paths::WithoutTrailingBackslash(logFolder) + "\\";
    for (size_t i = 0; i < names.size() && i < kLogsLookedAt; ++i) {
        if (auto clean = ReadCleanLog(names[i], platform::ReadTail(folder + names[i], kTailRead))) return clean;
    }
    return std::nullopt;
}

}  // namespace schedule
