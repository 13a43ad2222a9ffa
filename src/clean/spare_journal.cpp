#include "clean/spare_journal.h"

#include <charconv>
#include <vector>

#include "paths/module_paths.h"
#include "paths/path_text.h"
#include "platform/file_move.h"
#include "platform/fresh_file.h"
#include "platform/held_file.h"
#include "platform/untouched_read.h"
#include "text/ascii_text.h"

namespace clean {

namespace {

constexpr size_t kMostRecordBytes = 64u << 20;
constexpr DWORD kSpareAccess = DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES | SYNCHRONIZE;

struct SpareRecord {
    DWORD links = 0;
    platform::FileId id;
    std::string spare;
    std::string place;
    std::string line;  // as written, to keep it when it cannot be settled
};

template <typename Number>
bool ParseNumber(std::string_view text, Number& value) {
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

std::vector<SpareRecord> ParseRecords(std::string_view text) {
    std::vector<SpareRecord> records;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        std::vector<std::string_view> fields = text::SplitAt(line, '\t');
        SpareRecord record;
        if (fields.size() != 6 || !ParseNumber(fields[0], record.links) ||
            !ParseNumber(fields[1], record.id.volume) || !ParseNumber(fields[2], record.id.high) ||
            !ParseNumber(fields[3], record.id.low)) {
            continue;
        }
        record.spare = std::string(fields[4]);
        record.place = std::string(fields[5]);
        record.line = std::string(line);
        records.push_back(std::move(record));
    }
    return records;
}

// True when the record needs nothing more: its spare name is gone, or is
// no longer the recorded file's, or has just been settled.
bool Settle(const SpareRecord& record) {
    platform::HeldFile spare(record.spare, kSpareAccess);
    platform::FolderFinalPaths folders;
    switch (spare.Check(folders, std::nullopt)) {
        case platform::HeldState::Plain:
            break;
        case platform::HeldState::Missing:  // settled already
        case platform::HeldState::Link:     // not the name made: someone else's
        case platform::HeldState::Folder:
            return true;
        default:  // in use or refused now: the next run tries again
            return false;
    }
    const std::optional<platform::FileId> id = platform::IdOf(spare.Get());
    if (!id || !(*id == record.id)) return true;  // not the file recorded: someone else's
    if (platform::LinkCountOf(spare.Get()) >= record.links) return spare.RemoveName();
    // The file lost a name: it was deleted from its place. The spare name
    // takes the place again, never replacing what stands there now.
    return platform::MoveHeldFile(spare.Get(), record.place, false) == ERROR_SUCCESS;
}

}  // namespace

std::string SpareJournalPath() { return paths::ModuleDirectory() + "\\Data\\ToolJunkSweep\\SpareNames.txt"; }

SpareJournal::SpareJournal(const std::string& path) {
    folder_ = platform::GuardedFolder::Make(paths::FolderPart(path), paths::ModuleDirectory());
    DWORD error = ERROR_SUCCESS;
    const std::wstring name = platform::EntryName(path);
    file_ = folder_.MakeFile(name, FILE_APPEND_DATA | FILE_READ_ATTRIBUTES, FILE_ATTRIBUTE_NORMAL, error, true);
    if (file_ && !folder_.Holds(file_.Get(), name, true)) file_.Reset();
}

bool SpareJournal::Record(const std::string& spare, const std::string& place, const platform::FileId& id,
                          DWORD links) {
    if (!file_) return false;
    const std::string line = std::to_string(links) + '\t' + std::to_string(id.volume) + '\t' +
                             std::to_string(id.high) + '\t' + std::to_string(id.low) + '\t' + spare + '\t' + place +
                             "\r\n";
    DWORD written = 0;
    return ::WriteFile(file_.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
           written == line.size();
}

size_t SettleRecordedSpareNames(const std::string& path) {
    const platform::GuardedFolder folder =
        platform::GuardedFolder::Open(paths::FolderPart(path), paths::ModuleDirectory());
    if (!folder.Valid()) return 0;
    const std::wstring name = platform::EntryName(path);
    DWORD error = ERROR_SUCCESS;
    std::optional<platform::CheckedEntry> present = platform::CheckEntry(folder, name, error);
    if (!present) return 0;
    std::optional<std::string> text = platform::ReadFileUntouched(path, kMostRecordBytes);
    if (!text) return 0;
    std::string kept;
    size_t left = 0;
    for (const SpareRecord& record : ParseRecords(*text)) {
        if (Settle(record)) continue;
        kept += record.line + "\r\n";
        ++left;
    }
    if (left == 0) {
        platform::HeldFile journal(path);
        platform::FolderFinalPaths folders;
        if (journal.Check(folders, std::nullopt) == platform::HeldState::Plain) journal.Delete();
    } else if (kept != *text) {
        platform::ReplaceWholeFile(folder, name, kept, present->id);
    }
    return left;
}

}  // namespace clean
