#pragma once
// Element paths of the settings document, spelled exactly as the installed
// file spells them.
#include <array>

namespace config::path {

inline constexpr const char* kShowWelcome = "/Config/Welcome/ShowWelcome";

inline constexpr const char* kSkipReadOnlyFiles = "/Config/Options/Search/SkipReadOnlyFiles";
inline constexpr const char* kSkipHiddenFiles = "/Config/Options/Search/SkipHiddenFiles";
inline constexpr const char* kSkipSystemFiles = "/Config/Options/Search/SkipSystemFiles";
inline constexpr const char* kFindZeroLengthFiles = "/Config/Options/Search/FindZeroLengthFiles";
inline constexpr const char* kFindInvalidShortcuts = "/Config/Options/Search/FindInvalidShortcuts";
inline constexpr const char* kFindFilesHaveNotAccessed = "/Config/Options/Search/FindFilesHaveNotAccessed";

inline constexpr const char* kClean = "/Config/Options/CleanOpt/Clean";
inline constexpr const char* kMoveToRecycle = "/Config/Options/CleanOpt/MoveToRecycle";
inline constexpr const char* kMoveToFolder = "/Config/Options/CleanOpt/MoveToFolder";
inline constexpr const char* kMoveToFolderPath = "/Config/Options/CleanOpt/MoveToFolderPath";
inline constexpr const char* kBackup = "/Config/Options/CleanOpt/Backup";
inline constexpr const char* kRemoveOldBackups = "/Config/Options/CleanOpt/RemoveOldBackups";

// The thirteen trace switches, in the order that numbers the trace cleaners.
inline constexpr std::array<const char*, 13> kAdvClean = {
    "/Config/Options/AdvCleanOpt/CleanClipBoard",
    "/Config/Options/AdvCleanOpt/CleanRas",
    "/Config/Options/AdvCleanOpt/CleanSysTempDir",
    "/Config/Options/AdvCleanOpt/CleanRecycleBin",
    "/Config/Options/AdvCleanOpt/CleanRunHistory",
    "/Config/Options/AdvCleanOpt/CleanDocHistory",
    "/Config/Options/AdvCleanOpt/CleanWinlogon",
    "/Config/Options/AdvCleanOpt/CleanFindFileForderHistory",
    "/Config/Options/AdvCleanOpt/CleanSearchComputerHistory",
    "/Config/Options/AdvCleanOpt/CleanNetHoodHistory",
    "/Config/Options/AdvCleanOpt/CleanTelnetHistory",
    "/Config/Options/AdvCleanOpt/CleanInternetUrlHistory",
    "/Config/Options/AdvCleanOpt/CleanInternetTempFiles",
};

// The language the user chose ("" for the language of Windows). Settings
// files from before there was a choice lack the element.
inline constexpr const char* kOptions = "/Config/Options";
inline constexpr const char* kLanguage = "/Config/Options/Language";

inline constexpr const char* kJunkFilesDefault = "/Config/Options/JunkFiles/Default";
inline constexpr const char* kJunkFilesCustom = "/Config/Options/JunkFiles/Custom";
inline constexpr const char* kSkipFoldersDefault = "/Config/Options/SkipFolders/default";
inline constexpr const char* kSkipFoldersCustom = "/Config/Options/SkipFolders/items";
inline constexpr const char* kKeepListDefault = "/Config/Options/KeepList/default";
inline constexpr const char* kKeepListCustom = "/Config/Options/KeepList/items";
inline constexpr const char* kSelectDrive = "/Config/SelectDrive";

// The application rules ticked on the Applications page, by name.
inline constexpr const char* kApplicationsDefault = "/Config/Options/Applications/default";
inline constexpr const char* kApplicationsCustom = "/Config/Options/Applications/items";

}  // namespace config::path
