#include "scan/app_rules.h"

#include <windows.h>

#include <algorithm>
#include <cctype>

#include "platform/codepage.h"
#include "platform/file_query.h"
#include "text/ascii_text.h"

namespace scan {

namespace {


bool AllDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool StartsWithWord(std::string_view key, std::string_view word) {
    return key.size() >= word.size() && text::SameAsciiIgnoringCase(key.substr(0, word.size()), word);
}

// "FileKey12" is the word "FileKey" and a number; numberNeeded says whether
// the word alone counts too.
bool IsNumberedKey(std::string_view key, std::string_view word, bool numberNeeded) {
    if (!StartsWithWord(key, word)) return false;
    const std::string_view number = key.substr(word.size());
    return AllDigits(number) && (!number.empty() || !numberNeeded);
}

// A folder as a rule may name it: an environment folder ("%Name%") or a
// drive's absolute path first, then plain parts, "*" and "?" allowed; never
// "." or ".." (which would lead out of the folder named), never an empty
// part, never a forward slash, never a part ending in a dot or a blank
// (the file functions drop those and would reach another folder). One
// trailing backslash is dropped.
std::optional<std::string> RuleFolder(std::string_view text) {
    text = text::TrimmedOf(text);
    if (!text.empty() && text.back() == '\\') text.remove_suffix(1);
    if (text.empty() || text.find('/') != std::string_view::npos) return std::nullopt;
    std::vector<std::string_view> parts = text::SplitAt(text, '\\');
    const std::string_view head = parts.front();
    const bool environment = head.size() > 2 && head.front() == '%' && head.back() == '%' &&
                             head.find('%', 1) == head.size() - 1;
    const bool drive = head.size() == 2 && head[1] == ':' && std::isalpha(static_cast<unsigned char>(head[0]));
    if (!environment && !drive) return std::nullopt;
    for (size_t i = 1; i < parts.size(); ++i) {
        const std::string_view part = parts[i];
        if (part.empty() || part.back() == '.' || part.back() == ' ' || part.find(':') != std::string_view::npos) {
            return std::nullopt;
        }
    }
    if (drive && parts.size() == 1) return std::string(text) + "\\";  // "C:" means the root
    return std::string(text);
}

// "*.log; *.tmp": lower-cased, "*.*" taken as every name (as the system's
// own wildcards take it). None when a mask is empty or names a folder.
std::optional<std::vector<std::string>> Masks(std::string_view text) {
    std::vector<std::string> masks;
    for (std::string_view part : text::SplitAt(text, ';')) {
        part = text::TrimmedOf(part);
        if (part.empty() || part.find_first_of("\\/:") != std::string_view::npos) return std::nullopt;
        masks.push_back(part == "*.*" ? std::string("*") : platform::LowerAnsi(part));
    }
    return masks;
}

std::optional<FileKey> ParseFileKey(std::string_view value) {
    const std::vector<std::string_view> parts = text::SplitAt(value, '|');
    if (parts.size() < 2 || parts.size() > 3) return std::nullopt;
    FileKey key;
    std::optional<std::string> folder = RuleFolder(parts[0]);
    std::optional<std::vector<std::string>> masks = Masks(parts[1]);
    if (!folder || !masks) return std::nullopt;
    key.folder = std::move(*folder);
    key.masks = std::move(*masks);
    const std::string_view flag = parts.size() == 3 ? text::TrimmedOf(parts[2]) : std::string_view();
    if (text::SameAsciiIgnoringCase(flag, "RECURSE")) {
        key.recurse = true;
    } else if (text::SameAsciiIgnoringCase(flag, "REMOVESELF")) {
        key.recurse = key.removeSelf = true;
    } else if (!flag.empty()) {
        return std::nullopt;
    }
    return key;
}

// Exclusions of registry keys concern nothing this program touches: taken
// as read, and dropped.
struct ParsedExclude {
    bool valid = false;
    std::optional<ExcludeKey> key;
};

ParsedExclude ParseExcludeKey(std::string_view value) {
    const std::vector<std::string_view> parts = text::SplitAt(value, '|');
    const std::string_view kind = text::TrimmedOf(parts.front());
    if (text::SameAsciiIgnoringCase(kind, "REG")) return {true, std::nullopt};
    const bool file = text::SameAsciiIgnoringCase(kind, "FILE");
    if ((!file && !text::SameAsciiIgnoringCase(kind, "PATH")) || parts.size() < 2 || parts.size() > 3) return {};
    ExcludeKey key;
    key.subfolders = !file;
    std::optional<std::string> folder = RuleFolder(parts[1]);
    if (!folder) return {};
    key.folder = std::move(*folder);
    if (parts.size() == 3) {
        std::optional<std::vector<std::string>> masks = Masks(parts[2]);
        if (!masks) return {};
        key.masks = std::move(*masks);
    }
    // A file exclusion names the files it keeps.
    if (file && key.masks.empty()) return {};
    return {true, std::move(key)};
}

std::optional<int> OsVersion(std::string_view text) {
    text = text::TrimmedOf(text);
    const size_t dot = text.find('.');
    const std::string_view major = text.substr(0, dot);
    const std::string_view minor = dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1);
    if (major.empty() || major.size() > 3 || !AllDigits(major) || minor.size() > 2 || !AllDigits(minor) ||
        (dot != std::string_view::npos && minor.empty())) {
        return std::nullopt;
    }
    return std::stoi(std::string(major)) * 100 + (minor.empty() ? 0 : std::stoi(std::string(minor)));
}

// "6.2|" from 6.2 on, "|6.1" up to 6.1, "6.1|6.3" between.
std::optional<OsRange> ParseOsRange(std::string_view value) {
    const std::vector<std::string_view> parts = text::SplitAt(value, '|');
    if (parts.size() > 2) return std::nullopt;
    OsRange range;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (text::TrimmedOf(parts[i]).empty()) continue;
        std::optional<int> version = OsVersion(parts[i]);
        if (!version) return std::nullopt;
        (i == 0 ? range.lowest : range.highest) = version;
    }
    // A single version with no bar means that version on.
    if (!range.lowest && !range.highest) return std::nullopt;
    return range;
}

// The entry being read, and whether a line of it was wrong.
struct Entry {
    AppRule rule;
    size_t headerLine = 0;
    size_t badLine = 0;
    bool applicationGiven = false;
};

class Parser {
public:
    explicit Parser(std::string_view source) { result_.source = std::string(source); }

    void Line(std::string_view raw, size_t number) {
        std::string_view line = text::TrimmedOf(raw);
        if (line.empty() || line.front() == ';' || line.front() == '#') return;
        if (line.front() == '[') {
            Close();
            const bool closed = line.back() == ']' && line.size() >= 2;
            const std::string_view name = closed ? text::TrimmedOf(line.substr(1, line.size() - 2)) : std::string_view();
            entry_.emplace();
            // An unclosed header names its entry by the whole line.
            entry_->rule.name = std::string(closed ? name : line);
            entry_->rule.source = result_.source;
            entry_->headerLine = number;
            if (name.empty()) entry_->badLine = number;
            return;
        }
        if (!entry_) {
            // Text before the first section belongs to no entry.
            result_.skipped.push_back({std::string(), number, EntryProblem::Malformed});
            return;
        }
        if (entry_->badLine == 0 && !Key(line)) entry_->badLine = number;
    }

    // A line whose text this program cannot hold exactly.
    void BadLine(size_t number) {
        if (entry_ && entry_->badLine == 0) entry_->badLine = number;
        if (!entry_) result_.skipped.push_back({std::string(), number, EntryProblem::Malformed});
    }

    RuleFile Finish() {
        Close();
        return std::move(result_);
    }

private:
    // One "key=value" line of the entry; false when it is wrong.
    bool Key(std::string_view line) {
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos) return false;
        const std::string_view key = text::TrimmedOf(line.substr(0, equals));
        const std::string_view value = text::TrimmedOf(line.substr(equals + 1));
        AppRule& rule = entry_->rule;
        if (key.empty()) return false;
        if (text::SameAsciiIgnoringCase(key, "Application")) {
            if (value.empty()) return false;
            rule.application = std::string(value);
            entry_->applicationGiven = true;
        } else if (IsNumberedKey(key, "DetectFile", false)) {
            std::optional<std::string> folder = RuleFolder(value);
            if (!folder) return false;
            rule.detectFiles.push_back(std::move(*folder));
        } else if (text::SameAsciiIgnoringCase(key, "DetectOS")) {
            std::optional<OsRange> range = ParseOsRange(value);
            if (!range) return false;
            rule.os = range;
        } else if (text::SameAsciiIgnoringCase(key, "SpecialDetect")) {
            std::string special(value);
            std::transform(special.begin(), special.end(), special.begin(),
                           [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); });
            rule.specialDetect = std::move(special);
        } else if (IsNumberedKey(key, "Detect", false)) {
            if (value.empty()) return false;
            rule.detectKeys.push_back(std::string(value));
        } else if (IsNumberedKey(key, "FileKey", true)) {
            std::optional<FileKey> file = ParseFileKey(value);
            if (!file) return false;
            rule.files.push_back(std::move(*file));
        } else if (IsNumberedKey(key, "ExcludeKey", true)) {
            ParsedExclude exclude = ParseExcludeKey(value);
            if (!exclude.valid) return false;
            if (exclude.key) rule.excludes.push_back(std::move(*exclude.key));
        } else if (IsNumberedKey(key, "RegKey", true)) {
            ++rule.registryKeys;
        } else if (StartsWithWord(key, "FileKey") || StartsWithWord(key, "ExcludeKey") || StartsWithWord(key, "RegKey")) {
            return false;  // a key of those kinds without its number
        }
        // Any other key (grouping, language references, notes) says nothing
        // about what is cleaned.
        return true;
    }

    void Close() {
        if (!entry_) return;
        Entry entry = std::move(*entry_);
        entry_.reset();
        AppRule& rule = entry.rule;
        auto skip = [&](EntryProblem problem, size_t line) { result_.skipped.push_back({rule.name, line, problem}); };
        if (entry.badLine != 0) return skip(EntryProblem::Malformed, entry.badLine);
        if (rule.files.empty()) {
            return skip(rule.registryKeys > 0 ? EntryProblem::RegistryOnly : EntryProblem::NothingToClean,
                        entry.headerLine);
        }
        const std::string lowered = platform::LowerAnsi(rule.name);
        if (std::find(names_.begin(), names_.end(), lowered) != names_.end()) {
            return skip(EntryProblem::Duplicate, entry.headerLine);
        }
        names_.push_back(lowered);
        if (!entry.applicationGiven) rule.application = ApplicationOfName(rule.name);
        if (rule.registryKeys > 0) ++result_.rulesWithRegistryKeys;
        result_.rules.push_back(std::move(rule));
    }

    RuleFile result_;
    std::optional<Entry> entry_;
    std::vector<std::string> names_;
};

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// A line of UTF-8 in the program's own code page; false when it is not
// UTF-8 or has a character the code page cannot spell exactly.
bool ToProgramText(std::string_view utf8, std::string& out) {
    if (IsAscii(utf8)) {
        out.assign(utf8);
        return true;
    }
    const int length = static_cast<int>(utf8.size());
    const int n = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, nullptr, 0);
    if (n <= 0) return false;
    std::wstring wide(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, wide.data(), n);
    return platform::ToNarrowExact(wide, out);
}

std::string Utf16ToUtf8(std::wstring_view wide) {
    if (wide.empty()) return {};
    const int length = static_cast<int>(wide.size());
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(std::max(n, 0)), '\0');
    if (n > 0) ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, utf8.data(), n, nullptr, nullptr);
    return utf8;
}

std::string FileName(const std::string& path) {
    const size_t cut = path.find_last_of("\\:");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

}  // namespace

std::string ApplicationOfName(std::string_view name) {
    const size_t colon = name.find(": ");
    if (colon != std::string_view::npos && colon > 0) return std::string(text::TrimmedOf(name.substr(0, colon)));
    if (name.size() > 2 && name.substr(name.size() - 2) == " *") name.remove_suffix(2);
    return std::string(text::TrimmedOf(name));
}

RuleFile ParseRuleText(std::string_view utf8, std::string_view source) {
    if (utf8.substr(0, 3) == "\xEF\xBB\xBF") utf8.remove_prefix(3);
    Parser parser(source);
    std::string line;
    size_t number = 0;
    for (size_t start = 0; start < utf8.size();) {
        size_t end = utf8.find('\n', start);
        if (end == std::string_view::npos) end = utf8.size();
        std::string_view raw = utf8.substr(start, end - start);
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
        ++number;
        if (ToProgramText(raw, line)) {
            parser.Line(line, number);
        } else {
            parser.BadLine(number);
        }
        start = end + 1;
    }
    return parser.Finish();
}

RuleFile ReadRuleFile(const std::string& path) {
    RuleFile refused;
    refused.source = FileName(path);
    platform::WholeFile file = platform::ReadWholeFile(path, kMaxRuleFileBytes);
    switch (file.outcome) {
        case platform::WholeFile::Outcome::Read: break;
        case platform::WholeFile::Outcome::Missing: refused.refused = FileRefusal::Missing; return refused;
        case platform::WholeFile::Outcome::TooLarge: refused.refused = FileRefusal::TooLarge; return refused;
        case platform::WholeFile::Outcome::Unreadable: refused.refused = FileRefusal::Unreadable; return refused;
    }
    std::string bytes = std::move(file.bytes);
    // UTF-16 text, little- or big-endian, by its byte-order mark.
    const bool little = bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE';
    const bool big = bytes.size() >= 2 && bytes[0] == '\xFE' && bytes[1] == '\xFF';
    if ((little || big) && bytes.size() % 2 == 0) {
        std::wstring wide((bytes.size() - 2) / 2, L'\0');
        for (size_t i = 0; i < wide.size(); ++i) {
            const auto a = static_cast<unsigned char>(bytes[2 + 2 * i]);
            const auto b = static_cast<unsigned char>(bytes[3 + 2 * i]);
            wide[i] = static_cast<wchar_t>(little ? a | (b << 8) : (a << 8) | b);
        }
        bytes = Utf16ToUtf8(wide);
    }
    // Text has no control bytes but tabs and line ends; a file with them is
    // some other kind of file.
    const bool binary = std::any_of(bytes.begin(), bytes.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 && c != '\t' && c != '\n' && c != '\r';
    });
    if (binary) {
        refused.refused = FileRefusal::NotText;
        return refused;
    }
    return ParseRuleText(bytes, refused.source);
}

}  // namespace scan
