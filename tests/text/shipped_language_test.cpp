// The language file shipped beside the program: a text for every key the
// program uses, and exactly the placeholders each template is filled with.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <iterator>
#include <string>
#include <vector>

#include "language_file_checks.h"
#include "support/scratch.h"
#include "text/format_template.h"
#include "text/language_table.h"

namespace {

struct Key {
    const char* name;
    const char* conversions;  // one letter per placeholder, in order
};

// Every key the program looks up, with the placeholders its text must hold.
const Key kKeys[] = {
    {"_AppName", ""},
    {"_AlreadyRunningAnInstance", ""},
    {"_NotInstallXML2", ""},
    {"_ProgramFolderNotWritable", "s"},
    {"_OK", ""},
    {"_Cancel", ""},
    {"_Close", ""},
    {"_Default", ""},
    {"_DefaultAll", ""},
    {"_Next", ""},
    {"_Back", ""},
    {"_mainWndCancelFinish", ""},
    {"_OptBtn", ""},
    {"_HelpBtn", ""},
    {"_RescueBtn", ""},
    {"_OnlineManual", ""},
    {"_HomePageWeb", ""},
    {"_OnlineSupport", ""},
    {"_WelcomeTo", ""},
    {"_WelcomeInfo", ""},
    {"_ShowWelcome", ""},
    {"_StartWork", ""},
    {"_SelectDriveHeader", ""},
    {"_SelectDriveInfo", ""},
    {"_DiskDrivers", ""},
    {"_MyComputer", ""},
    {"_SearchOptions", ""},
    {"_ExcludingFolders", ""},
    {"_PleaseSelectadrive", ""},
    {"_ScanningHeader", ""},
    {"_ScanningInfo", ""},
    {"_StopScan", ""},
    {"_Pleasewaitwhilescanning", ""},
    {"_ScanCompleted", ""},
    {"_ScanStopped", ""},
    {"_FindFileCntTxtFormat", "d"},
    {"_stLoadSkipfolders", ""},
    {"_stLoadcategorylist", ""},
    {"_stLoadlist", ""},
    {"_stLoadotherparams", ""},
    {"_stSortingFile", ""},
    {"_stStartScanFolder", ""},
    {"_stStartSearingDisk", ""},
    {"_stSearchApplications", ""},
    {"_ReportHeader", ""},
    {"_ReportInfo", ""},
    {"_rptColFileName", ""},
    {"_rptColPath", ""},
    {"_rptColDescription", ""},
    {"_rptColSize", ""},
    {"_rptCountWithSize", "sds"},
    {"_rpMenuSelectAll", ""},
    {"_rpMenuDeselectAll", ""},
    {"_rpMenuInvertSelect", ""},
    {"_rpMenuFinditinexplorer", ""},
    {"_rpMenuProperty", ""},
    {"_rpMenuKeepFile", ""},
    {"_rpMenuKeepFolder", ""},
    {"_rpViewFiles", ""},
    {"_rpViewByType", ""},
    {"_rptColFoundAs", ""},
    {"_rptColFiles", ""},
    {"_rptColShare", ""},
    {"_cpRemovingOldSets", ""},
    {"_kpBelow", ""},
    {"_kpColPath", ""},
    {"_kpMenuAddFile", ""},
    {"_kpMenuAddFolder", ""},
    {"_kpMenuRemove", ""},
    {"_kpSelectFirst", ""},
    {"_ClrOptRemoveOldSets", ""},
    {"_ClrOptDays", ""},
    {"_ClrOptHeader", ""},
    {"_ClrOptInfo", "d"},
    {"_ClrOptInfoSize", "ss"},
    {"_ClrMode", ""},
    {"_ClrModeInfo", ""},
    {"_CleaningOpt", ""},
    {"_OtherOptions", ""},
    {"_ClrOptClicknexttoclean", ""},
    {"_EnabledBakcup", ""},
    {"_Enabled", ""},
    {"_Disabled", ""},
    {"_modtxtClean", ""},
    {"_modtxtMoveToRecycle", ""},
    {"_modtxtMoveToFolder", "s"},
    {"_adCleanInternetTempFiles", ""},
    {"_adCleanInternetUrlHistory", ""},
    {"_adCleanTelnetHistory", ""},
    {"_adCleanNetHoodHistory", ""},
    {"_adCleanSearchComputerHistory", ""},
    {"_adCleanFindFileForderHistory", ""},
    {"_adCleanWinlogon", ""},
    {"_adCleanDocHistory", ""},
    {"_adCleanRunHistory", ""},
    {"_adCleanRecycleBin", ""},
    {"_adCleanSysTempDir", ""},
    {"_adCleanRas", ""},
    {"_adCleanClipBoard", ""},
    {"_ClringHeader", ""},
    {"_ClringInfo", ""},
    {"_StopCleaning", ""},
    {"_Pleasewaitwhilecleandisks", ""},
    {"_cpGetList", ""},
    {"_cpStartCleanState", ""},
    {"_cpBackuping", ""},
    {"_cpCleaning", ""},
    {"_cpMovingtorecycle", ""},
    {"_cpMovingtofolder", "s"},
    {"_cpThreadCompleted", ""},
    {"_cpThreadStopped", ""},
    {"_cpclringcleanck1", ""},
    {"_cpclringcleanck2", ""},
    {"_cpclringcleanck3", ""},
    {"_cpclringcleanck4", ""},
    {"_cpclringcleanck5", ""},
    {"_cpclringcleanck6", ""},
    {"_cpclringcleanck7", ""},
    {"_cpclringcleanck8", ""},
    {"_cpclringcleanck9", ""},
    {"_cpclringcleanck10", ""},
    {"_cpclringcleanck11", ""},
    {"_cpclringcleanck12", ""},
    {"_cpclringcleanck13", ""},
    {"_FinishHeader", ""},
    {"_FinishDiskInfo", ""},
    {"_StartNewTask", ""},
    {"_pfcolDrive", ""},
    {"_pfcolBeforclean", ""},
    {"_pfcolAfterclean", ""},
    {"_fnCleanedLine", "ds"},
    {"_fnCleanedNotAllLine", "dsd"},
    {"_fnPreviewLine", "ds"},
    {"_fnShowNotCleaned", ""},
    {"_fnNoLogLine", "s"},
    {"_ncCaption", ""},
    {"_ncInfo", ""},
    {"_ncColFile", ""},
    {"_ncColSize", ""},
    {"_ncColReason", ""},
    {"_ncOpenLog", ""},
    {"_ncReasonNoCopy", ""},
    {"_ncReasonNoPlace", ""},
    {"_ncReasonChanged", ""},
    {"_ncReasonLink", ""},
    {"_ncReasonInUse", ""},
    {"_ncReasonDenied", ""},
    {"_ncReasonMissing", ""},
    {"_ncReasonNotBinned", ""},
    {"_ncReasonBinPathTooLong", ""},
    {"_ncReasonFailed", ""},
    {"_ncReasonStopped", ""},
    {"_ncReasonNoDisposal", ""},
    {"_ncReasonNoLog", ""},
    {"_Options", ""},
    {"_SettingsNotSaved", ""},
    {"_OptSelectJunk", ""},
    {"_OptSearchOpt", ""},
    {"_OptSkipFolder", ""},
    {"_OptCleanopt", ""},
    {"_SelectJunkInfo", ""},
    {"_SelectJunkFileType", ""},
    {"_Pleaseselectacategory", ""},
    {"_arjMenuAdd", ""},
    {"_arjMenuEdit", ""},
    {"_arjMenuDel", ""},
    {"_arjMenuSelectAll", ""},
    {"_arjMenuDeselectAll", ""},
    {"_JunkName", ""},
    {"_JunkDescription", ""},
    {"_SearchOptInfo", ""},
    {"_SkipReadOnlyFiles", ""},
    {"_SkipHideFiles", ""},
    {"_SkipSystemFiles", ""},
    {"_FindFilesHaveNotAccessed", ""},
    {"_Months", ""},
    {"_FindZeroLengthFiles", ""},
    {"_FindInvalidShortcuts", ""},
    {"_SkipfolderInfo", ""},
    {"_SkipfolderBelow", ""},
    {"_FolderName", ""},
    {"_sfMenuAddNew", ""},
    {"_sfMenuDel", ""},
    {"_YouMustSelectaskipfolder", ""},
    {"_cleanoptInfo", ""},
    {"_ClrOptCleanMode", ""},
    {"_CleanFromDisk", ""},
    {"_MovetoRecycle", ""},
    {"_MoveToafolder", ""},
    {"_ClrOptCreateBKup", ""},
    {"_ClrOptEnableBK", ""},
    {"_ClrOptEnableBKInfo", ""},
    {"_AdvSetting", ""},
    {"_AddJunkFileDialogCaption", ""},
    {"_ModifyJunkFileDialogCaption", ""},
    {"_FileName", ""},
    {"_FileDescription", ""},
    {"_JunkFileNameIsNULL", ""},
    {"_AdvSettingCaption", ""},
    {"_AdvSettingInfo", ""},
    {"_advcleanck1", ""},
    {"_advcleanck2", ""},
    {"_advcleanck3", ""},
    {"_advcleanck4", ""},
    {"_advcleanck5", ""},
    {"_advcleanck6", ""},
    {"_advcleanck7", ""},
    {"_advcleanck8", ""},
    {"_advcleanck9", ""},
    {"_advcleanck10", ""},
    {"_advcleanck11", ""},
    {"_advcleanck12", ""},
    {"_advcleanck13", ""},
    {"_undoDialog", ""},
    {"_UndoHeaderInfo", ""},
    {"_Restorebtn", ""},
    {"_Deletebtn", ""},
    {"_udItemFormat", "dddddd"},
    {"_NoBackupItemBeFound", ""},
    {"_pleaseselectandate", ""},
    {"_AreYouSureRestoreBackupFile", ""},
    {"_AreYouSureDelBackupFile", ""},
    {"_udCompleted", ""},
    {"_udOpenLog", ""},
    {"_udNoLog", ""},
    // The schedule page.
    {"_OptSchedule", ""}, {"_schInfo", ""}, {"_schWhen", ""}, {"_schNever", ""}, {"_schDaily", ""},
    {"_schWeekly", ""}, {"_schMonthly", ""}, {"_schAt", ""}, {"_schLastDay", ""}, {"_schSunday", ""},
    {"_schMonday", ""}, {"_schTuesday", ""}, {"_schWednesday", ""}, {"_schThursday", ""}, {"_schFriday", ""},
    {"_schSaturday", ""}, {"_schEveryDay", "s"}, {"_schEveryWeek", "ss"}, {"_schEveryMonth", "ds"},
    {"_schEveryMonthLast", "s"}, {"_schDateTime", "sddddd"}, {"_schRegisteredLabel", ""}, {"_schNoTask", ""},
    {"_schTaskRuns", "s"}, {"_schNextRun", "s"}, {"_schTaskUnknownTimes", ""}, {"_schTaskOff", ""},
    {"_schStarts", "s"}, {"_schOtherProgram", "s"}, {"_schUnknownProgram", ""}, {"_schPlanRegister", "ss"},
    {"_schShortMonths", "d"}, {"_schPlanRemove", ""}, {"_schNotRunning", ""}, {"_schDenied", ""},
    {"_schRefused", ""}, {"_schFailed", "s"}, {"_schNotChanged", "s"}, {"_schLastLabel", ""},
    {"_schLastClean", "ss"}, {"_schLastCleanStopped", "ss"}, {"_schNoClean", ""}, {"_schNothingToClean", ""},
    // The applications page.
    {"_OptApplications", ""}, {"_appInfo", ""}, {"_appColumnName", ""}, {"_appColumnSize", ""},
    {"_appLooking", ""}, {"_appNone", ""}, {"_appMeasuring", "dd"}, {"_appMeasured", "s"},
    {"_appRefusedUnknown", ""}, {"_appRefusedRoot", ""}, {"_appRefusedBase", ""}, {"_appRefusedGuarded", ""},
    {"_appRefusedLink", ""}, {"_appOwnMissing", ""}, {"_appOwnUnreadable", ""}, {"_appNoCommunity", ""},
    {"_appCommunityRead", "ddd"}, {"_appCommunityTooLarge", ""}, {"_appCommunityNotText", ""},
    {"_appCommunityUnreadable", ""},
    // The language: the file's own name and the options' language page.
    {"_LanguageName", ""}, {"_OptLanguage", ""}, {"_langInfo", ""}, {"_langLabel", ""}, {"_langAutomatic", ""},
    {"_langNextStart", ""},
};

// The conversions of a text, one letter each ('d' for integers, 's' for
// texts); '?' for a "%" that starts no conversion the program fills.
std::string ConversionsOf(const std::string& text) {
    static const std::regex conversion(R"re(%(%|[-+ #0]*[0-9]*(?:\.[0-9]+)?([ds])|))re");
    std::string letters;
    for (std::sregex_iterator it(text.begin(), text.end(), conversion), end; it != end; ++it) {
        if ((*it)[1] == "%") continue;
        letters += (*it)[2].matched ? (*it)[2].str() : "?";
    }
    return letters;
}

TEST(ShippedLanguageFile, HasATextForEveryKeyWithItsPlaceholders) {
    // 181 keys of the first release, 23 for the result of a clean, 43 for
    // the schedule page, 3 for a clean without its log and settings that
    // could not be saved, 16 for the report's views, the keep list and the
    // age of backups, 6 for the language, 1 for a path the Recycle Bin
    // cannot take, and 21 for application rules.
    ASSERT_EQ(std::size(kKeys), 294u);
    testsupport::ProgramPlace place("shippedlng");
    place.CopyShipped("JunkSweep.lng");
    auto raw = texttest::LanguageFileEntries(place.LanguagePath());
    EXPECT_EQ(raw.size(), std::size(kKeys));

    for (const Key& key : kKeys) {
        SCOPED_TRACE(key.name);
        ASSERT_EQ(raw.count(key.name), 1u);
        const std::string& value = raw[key.name];
        ASSERT_NO_FATAL_FAILURE(texttest::ExpectReadAsWritten(value));
        const std::string text = text::LookupText(key.name);
        EXPECT_NE(text, key.name);
        EXPECT_EQ(ConversionsOf(text), key.conversions) << text;
    }
}

TEST(ShippedLanguageFile, TemplatesFillCompletely) {
    testsupport::ProgramPlace place("shippedfill");
    place.CopyShipped("JunkSweep.lng");
    using text::FormatTemplate;
    using text::LookupText;
    EXPECT_EQ(FormatTemplate(LookupText("_udItemFormat"), {12, 5, 2006, 10, 20, 30}), "12/05/2006 10:20:30");
    for (const char* key : {"_FindFileCntTxtFormat", "_ClrOptInfo"}) {
        std::string filled = FormatTemplate(LookupText(key), {1234});
        EXPECT_NE(filled.find("1234"), std::string::npos) << filled;
        EXPECT_EQ(filled.find('%'), std::string::npos) << filled;
    }
    for (const char* key : {"_modtxtMoveToFolder", "_cpMovingtofolder"}) {
        std::string filled = FormatTemplate(LookupText(key), {"D:\\Old"});
        EXPECT_NE(filled.find("D:\\Old"), std::string::npos) << filled;
        EXPECT_EQ(filled.find('%'), std::string::npos) << filled;
    }
}

}  // namespace
