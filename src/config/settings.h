#pragma once
// Typed access to the settings document. Each call is one transaction: it
// opens the file beside the program, reads or writes, saves (writers only)
// and lets the document go. A writer saves only when it changed a value, and
// returns false when the file could not be saved (it is then as it was); a
// missing or unreadable file is never written, and that is no failure. Missing values read as 0 or empty; a document
// that cannot be loaded makes every read empty and every write do nothing.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace config {

enum class ValueSet { Default, Custom };

struct SearchOptions {
    int32_t skipReadOnlyFiles = 0;
    int32_t skipHiddenFiles = 0;
    int32_t skipSystemFiles = 0;
    int32_t findZeroLengthFiles = 0;
    int32_t findInvalidShortcuts = 0;
    int32_t findFilesNotAccessed = 0;
    uint32_t months = 0;
    bool operator==(const SearchOptions&) const = default;
};

struct CleanOptions {
    int32_t clean = 0;
    int32_t moveToRecycle = 0;
    int32_t moveToFolder = 0;
    int32_t backup = 0;
    std::string moveToFolderPath;
    // Remove backup sets older than a number of days before each clean
    // (element RemoveOldBackups: the flag, and the days in "days" or
    // "daysdefault").
    int32_t removeOldSets = 0;
    int32_t setAgeDays = 0;
    bool operator==(const CleanOptions&) const = default;
};

// The days a backup set is kept under the age rule: 1 to 3650; 30 where
// the settings hold nothing sound.
inline constexpr int32_t kMinSetAgeDays = 1;
inline constexpr int32_t kMaxSetAgeDays = 3650;
inline constexpr int32_t kSuggestedSetAgeDays = 30;
int32_t SoundSetAgeDays(int32_t days);

inline constexpr size_t kTraceSwitchCount = 13;
using AdvCleanOptions = std::array<int32_t, kTraceSwitchCount>;

struct JunkType {
    std::string pattern;      // attribute "file"
    std::string description;  // attribute "description"
    int32_t checked = 0;
    bool operator==(const JunkType&) const = default;
};

// A file or folder the user always keeps: no scan finds it (or, for a
// folder, anything below it).
struct KeptEntry {
    std::string path;
    bool folder = false;
    bool operator==(const KeptEntry&) const = default;
};

struct SkipFolder {
    std::string folder;
    int32_t checked = 0;
    bool operator==(const SkipFolder&) const = default;
};

// <program folder>\<program base name>.xml
std::string ConfigFilePath();

int32_t ReadFlag(std::string_view path, ValueSet set);
std::string ReadText(std::string_view path, ValueSet set);
bool WriteFlag(std::string_view path, int32_t value);
bool WriteText(std::string_view path, std::string_view value);
// The month count of the not-accessed switch: "monthdefault" or "month".
int32_t ReadMonths(ValueSet set);

SearchOptions LoadSearchOptions(ValueSet set);
bool SaveSearchOptions(const SearchOptions& options);
CleanOptions LoadCleanOptions(ValueSet set);
bool SaveCleanOptions(const CleanOptions& options);
AdvCleanOptions LoadAdvCleanOptions(ValueSet set);
bool SaveAdvCleanOptions(const AdvCleanOptions& options);
// The chosen language's tag; empty for the language of Windows. Saving adds
// the setting to a settings file that lacks it; false when the file could
// not be saved.
std::string LoadLanguage(ValueSet set);
bool SaveLanguage(std::string_view tag);
int32_t LoadShowWelcome(ValueSet set);
bool SaveShowWelcome(int32_t show);

std::vector<JunkType> LoadJunkTypes(ValueSet set);
bool SaveJunkTypes(const std::vector<JunkType>& list);
std::vector<SkipFolder> LoadSkipFolders(ValueSet set);
bool SaveSkipFolders(const std::vector<SkipFolder>& list);
// The keep list (section KeepList/default or KeepList/items; entries with
// a "file" or a "folder" attribute). Saving rewrites the user's list,
// making its section when a settings file from before the keep list lacks
// it; false when the list could not be saved.
std::vector<KeptEntry> LoadKeepList(ValueSet set);
bool SaveKeepList(const std::vector<KeptEntry>& list);
// Adds one entry to the user's keep list unless it holds the same path of
// the same kind already (compared without regard to case); false when the
// entry could not be saved.
bool AddToKeepList(const KeptEntry& entry);

// The selected drives and folders in document order; an entry whose text
// the narrow code page cannot spell exactly is left out, since its path
// would name another folder.
std::vector<std::string> LoadSelectedPaths();
bool SaveSelectedPaths(const std::vector<std::string>& list);
// The names of the ticked application rules, in document order. A settings
// file from before there were rules lacks their section: the first save
// adds it.
std::vector<std::string> LoadCheckedRules(ValueSet set);
bool SaveCheckedRules(const std::vector<std::string>& names);

}  // namespace config
