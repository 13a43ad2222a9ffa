#pragma once
// Application rules: what one kind of an application's data is, where it
// lies and how the program tells that the application is there. Rules come
// from INI files: the program's own rules file and, when the user puts one
// beside the program, a community rule file in the same syntax.
//
//   [Google Chrome: cache]
//   Application=Google Chrome
//   DetectFile=%LocalAppData%\Google\Chrome\User Data
//   FileKey1=%LocalAppData%\Google\Chrome\User Data\*\Cache|*.*|RECURSE
//   ExcludeKey1=FILE|%LocalAppData%\Google\Chrome\User Data\Default\Cache|index
//
// A file key names a folder (environment folders such as %LocalAppData%
// first, "*" allowed in its folder parts), the file masks it may clean there
// (";" between them) and, optionally, RECURSE (its subfolders too) or
// REMOVESELF (its subfolders too, and the folder itself once it is empty).
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scan {

struct FileKey {
    std::string folder;               // as written: environment folder first, "*" in parts
    std::vector<std::string> masks;   // lower-cased; "*.*" is kept as "*"
    bool recurse = false;             // RECURSE or REMOVESELF
    bool removeSelf = false;          // REMOVESELF
};

// What a rule must leave alone inside its folders. FILE: files of that
// folder only; PATH: that folder and everything below it. No masks: every
// file there.
struct ExcludeKey {
    std::string folder;
    std::vector<std::string> masks;
    bool subfolders = false;
};

// The range of Windows versions (major * 100 + minor: 6.1 is 601, 10.0 is
// 1000) an entry is meant for; either end may be open.
struct OsRange {
    std::optional<int> lowest;
    std::optional<int> highest;
    bool Admits(int version) const {
        return (!lowest || version >= *lowest) && (!highest || version <= *highest);
    }
};

struct AppRule {
    std::string name;         // the section's name: "Google Chrome: cache"
    std::string application;  // what the page groups it by: "Google Chrome"
    std::string source;       // the file it came from (its name)
    // The application is present when any of these exists; a rule with none
    // of them always is (unless a special detection is named).
    std::vector<std::string> detectKeys;   // registry keys
    std::vector<std::string> detectFiles;  // files or folders, "*" allowed
    std::string specialDetect;             // a named detection, upper-cased
    std::optional<OsRange> os;
    std::vector<FileKey> files;
    std::vector<ExcludeKey> excludes;
    // Registry keys the entry would clean: not supported, never run.
    size_t registryKeys = 0;
};

// Why an entry of a rule file is not offered.
enum class EntryProblem {
    Malformed,      // a line the syntax does not allow
    RegistryOnly,   // it cleans registry keys only
    NothingToClean, // no file key at all
    Duplicate,      // another entry of that name came first
};

struct SkippedEntry {
    std::string name;  // empty for lines before the first section
    size_t line = 0;   // the first line found wrong (1-based), or the header's
    EntryProblem problem = EntryProblem::Malformed;
};

enum class FileRefusal {
    None,
    Missing,   // no such file
    TooLarge,  // larger than kMaxRuleFileBytes
    NotText,   // binary, or not UTF-8 / UTF-16 text
    Unreadable,
};

struct RuleFile {
    std::string source;
    FileRefusal refused = FileRefusal::None;
    std::vector<AppRule> rules;
    std::vector<SkippedEntry> skipped;
    // How many of the offered rules also name registry keys (not run).
    size_t rulesWithRegistryKeys = 0;
};

// Larger files are refused unread: the largest community rule files are a
// few megabytes.
inline constexpr size_t kMaxRuleFileBytes = 16u << 20;

// Parses a rule file's text (UTF-8, a byte-order mark allowed). A line the
// syntax does not allow skips its entry, never the rest of the file.
RuleFile ParseRuleText(std::string_view utf8, std::string_view source);

// Reads and parses a rule file; a missing, huge or binary file is refused
// with no rules. UTF-16 text with its byte-order mark is read too.
RuleFile ReadRuleFile(const std::string& path);

// The application a section's name stands for when the entry does not say:
// the part before ": " ("Google Chrome: cache"), else the name without a
// trailing " *" (how community files mark their entries).
std::string ApplicationOfName(std::string_view name);

}  // namespace scan
