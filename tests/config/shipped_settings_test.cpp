// The settings document shipped beside the program.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/config_document.h"
#include "config/settings.h"
#include "config/settings_paths.h"
#include "scan/junk_types.h"
#include "support/scratch.h"

namespace {

using namespace config;
namespace cp = config::path;

struct Shipped : testsupport::ProgramPlace {
    Shipped() : ProgramPlace("shippedxml") { CopyShipped("JunkSweep.xml"); }
};

TEST(ShippedSettings, EveryScalarHasAFactoryAndAUserValue) {
    Shipped place;
    ConfigDocument doc;
    ASSERT_TRUE(doc.Open(place.SettingsPath()));
    std::vector<const char*> scalars = {cp::kShowWelcome,         cp::kSkipReadOnlyFiles,   cp::kSkipHiddenFiles,
                                        cp::kSkipSystemFiles,     cp::kFindZeroLengthFiles, cp::kFindInvalidShortcuts,
                                        cp::kFindFilesHaveNotAccessed, cp::kClean,          cp::kMoveToRecycle,
                                        cp::kMoveToFolder,        cp::kMoveToFolderPath,    cp::kBackup};
    scalars.insert(scalars.end(), cp::kAdvClean.begin(), cp::kAdvClean.end());
    for (const char* path : scalars) {
        SCOPED_TRACE(path);
        auto factory = doc.GetAttribute(path, "default");
        auto user = doc.GetAttribute(path, "custom");
        ASSERT_TRUE(factory && user);
        EXPECT_EQ(*factory, *user);
    }
    EXPECT_EQ(doc.GetAttribute(cp::kFindFilesHaveNotAccessed, "monthdefault"), "6");
    EXPECT_EQ(doc.GetAttribute(cp::kFindFilesHaveNotAccessed, "month"), "6");
    for (const char* section : {cp::kJunkFilesDefault, cp::kJunkFilesCustom, cp::kSkipFoldersDefault,
                                cp::kSkipFoldersCustom, cp::kSelectDrive, cp::kApplicationsDefault,
                                cp::kApplicationsCustom}) {
        EXPECT_TRUE(doc.SelectSingleNode(section)) << section;
    }
}

TEST(ShippedSettings, UserValuesStartAsTheFactoryValues) {
    Shipped place;
    EXPECT_EQ(LoadShowWelcome(ValueSet::Custom), 1);
    EXPECT_EQ(LoadShowWelcome(ValueSet::Custom), LoadShowWelcome(ValueSet::Default));
    EXPECT_EQ(LoadSearchOptions(ValueSet::Custom), LoadSearchOptions(ValueSet::Default));
    EXPECT_EQ(LoadCleanOptions(ValueSet::Custom), LoadCleanOptions(ValueSet::Default));
    EXPECT_EQ(LoadAdvCleanOptions(ValueSet::Custom), LoadAdvCleanOptions(ValueSet::Default));
    EXPECT_EQ(LoadJunkTypes(ValueSet::Custom), LoadJunkTypes(ValueSet::Default));
    EXPECT_EQ(LoadSkipFolders(ValueSet::Custom), LoadSkipFolders(ValueSet::Default));
    EXPECT_TRUE(LoadSelectedPaths().empty());
    // No application rule: what they clean is the user's choice.
    EXPECT_TRUE(LoadCheckedRules(ValueSet::Default).empty());
    EXPECT_TRUE(LoadCheckedRules(ValueSet::Custom).empty());

    // skip read-only, skip hidden, skip system, empty files, shortcuts, not accessed, months
    EXPECT_EQ(LoadSearchOptions(ValueSet::Default), (SearchOptions{1, 0, 1, 0, 1, 0, 6}));
    // Recycle, with a backup: every clean can be undone; backups are kept
    // until the user chooses an age (30 days suggested).
    EXPECT_EQ(LoadCleanOptions(ValueSet::Default), (CleanOptions{0, 1, 0, 1, "", 0, 30}));
    // No trace cleaner: each erases for good, which only the user may choose,
    // and an unattended run with the factory settings must erase nothing.
    EXPECT_EQ(LoadAdvCleanOptions(ValueSet::Default), AdvCleanOptions{});
}

scan::JunkTypeTable FactoryTable() {
    scan::JunkTypeTable table;
    for (const JunkType& type : LoadJunkTypes(ValueSet::Default)) {
        EXPECT_FALSE(type.description.empty()) << type.pattern;
        if (type.checked) table.Add(type.pattern, type.description);
    }
    return table;
}

TEST(ShippedSettings, FactoryJunkTypesCatchJunkAndLeaveUserData) {
    Shipped place;
    scan::JunkTypeTable table = FactoryTable();
    ASSERT_GT(table.Size(), 10u);
    for (const char* junk : {"~WRL0001.tmp", "setup.TMP", "data.temp", "Thumbs.db", "MEMORY.DMP", "FILE0007.CHK",
                             "report.doc.bak", "draft.wbk", "notes.txt~", ".notes.txt.swp", "WINHELP.GID", "x.~doc",
                             "install.$$$"}) {
        EXPECT_TRUE(table.Match(junk)) << junk;
    }
    for (const char* keep : {"report.docx", "photo.jpg", "budget.xlsx", "thesis.pdf", "song.mp3", "notes.txt",
                             "index.html", "setup.exe", "archive.zip", "Makefile", "desktop.ini", "NTUSER.DAT",
                             "mail.pst", "database.mdb", "checksum.chk", "temp.txt", "tmp", "backup.zip",
                             "install.log", "config.old"}) {
        EXPECT_FALSE(table.Match(keep)) << keep;
    }
}

TEST(ShippedSettings, FactorySkipFoldersKeepTheSystemAndProgramDataOut) {
    Shipped place;
    std::vector<std::string> skip;
    for (const SkipFolder& folder : LoadSkipFolders(ValueSet::Default)) {
        EXPECT_EQ(folder.checked, 1) << folder.folder;
        skip.push_back(folder.folder);
    }
    auto skipped = [&](std::string path) {
        for (char& c : path) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
        for (const std::string& text : skip) {
            if (path.find(text) != std::string::npos) return true;
        }
        return false;
    };
    for (const char* kept : {"C:\\Windows\\system32\\x.tmp", "C:\\Program Files\\App\\x.tmp",
                             "C:\\Program Files (x86)\\App\\x.bak", "C:\\ProgramData\\App\\x.tmp",
                             "C:\\$Recycle.Bin\\S-1-5\\x.tmp", "C:\\RECYCLER\\S-1-5\\x.tmp",
                             "C:\\System Volume Information\\x.tmp", "C:\\Boot\\BCD.LOG",
                             "C:\\Users\\me\\AppData\\Local\\Temp\\x.tmp",
                             "C:\\Documents and Settings\\me\\Local Settings\\Temp\\x.tmp",
                             "C:\\Documents and Settings\\me\\Application Data\\App\\x.tmp",
                             "C:\\Documents and Settings\\me\\NTUSER.DAT.LOG",
                             "E:\\Tools\\JunkSweep\\Data\\ToolJunkSweep\\Backup\\2006-12-07_14-05-09\\C\\x.tmp"}) {
        EXPECT_TRUE(skipped(kept)) << kept;
    }
    for (const char* searched : {"C:\\Temp\\x.tmp", "D:\\Projects\\build\\x.tmp", "C:\\Users\\me\\Documents\\x.bak",
                                 "D:\\Windows stuff\\x.tmp", "E:\\Data\\x.tmp", "C:\\Windows.old\\x.tmp"}) {
        EXPECT_FALSE(skipped(searched)) << searched;
    }
}

TEST(ShippedSkinSettings, NameTheSkinFolderBesideTheProgram) {
    testsupport::ProgramPlace place("shippedskin");
    place.CopyShipped("common.xml");
    ConfigDocument doc;
    ASSERT_TRUE(doc.Open(place.Folder() + "\\common.xml"));
    EXPECT_EQ(doc.GetAttribute("/config/activateskin", "rootpath"), "%ModulePath%\\Skins");
    EXPECT_TRUE(doc.GetAttribute("/config/activateskin", "uis"));
    EXPECT_EQ(doc.GetAttribute("/config/SkinGamma", "val"), "1.0");
}

}  // namespace
