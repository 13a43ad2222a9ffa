// An unattended run of the real program removes exactly the files it found
// and nothing they stand for: not the twin a look-alike or trimmed name
// would lead to, not the file a link points to, nothing outside the
// selection's drive paths. The program runs from a folder whose name only
// the UTF-8 code page spells.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "config/config_document.h"
#include "platform/codepage.h"
#include "program_runner.h"
#include "run_settings.h"
#include "support/scratch.h"

namespace {

using apptest::ProgramCopy;
using apptest::RunningProgram;
using testsupport::WidePath;

struct DemoFile {
    const char* utf8Name;
    double accessedDaysAgo;
    DWORD attributes;
    bool junk;  // the run must remove it; every other file must stay
};

// With UTF-8 as the program's code page every one of these names is reached
// exactly; the trimmed names ("keep.", "budget.xls ") are never judged.
const DemoFile kDemo[] = {
    {"\xC4\x81.txt", 100, 0, true},                     // not opened for months
    {"a.txt", 0, 0, false},                              // its best-fit twin, fresh
    {"\xEF\xBC\xA1.tmp", 0, 0, true},                   // fullwidth A
    {"A.tmp", 0, FILE_ATTRIBUTE_HIDDEN, false},          // its twin, hidden and so skipped
    {"\xD0\xBA\xD0\xBB\xD1\x8E\xD1\x87.tmp", 0, 0, true},  // Cyrillic
    {"\xE6\x96\x87.tmp", 0, 0, true},                    // CJK
    {"keep.", 0, 0, false},                              // matches "*." but cannot be reached
    {"keep", 0, 0, false},                               // the twin a delete of "keep." reached
    {"budget.xls ", 100, 0, false},                      // old, but cannot be reached
    {"budget.xls", 0, 0, false},                         // its fresh twin
    {"plain.tmp", 0, 0, true},
};

void Configure(const ProgramCopy& copy, const std::vector<std::string>& selection) {
    config::ConfigDocument doc;
    ASSERT_TRUE(doc.Open(copy.SettingsPath()));
    apptest::SetCleanWay(doc, apptest::CleanWay::Delete, true);
    doc.SetAttribute("/Config/Options/Search/SkipHiddenFiles", "custom", 1);
    doc.SetAttribute("/Config/Options/Search/FindFilesHaveNotAccessed", "custom", 1);
    doc.SetAttribute("/Config/Options/Search/FindFilesHaveNotAccessed", "month", 1);
    ASSERT_TRUE(doc.AppendElement(doc.SelectSingleNode("/Config/Options/JunkFiles/Custom"), "item", "",
                                  {{L"checked", L"1"}, {L"description", L"No extension"}, {L"file", L"*."}}));
    for (const std::string& path : selection) ASSERT_TRUE(apptest::AddToSelection(doc, path));
    ASSERT_TRUE(doc.Save());
}

TEST(AutoRunSafety, RemovesWhatItFoundAndNeverATwinALinkTargetOrARelativePath) {
    const std::string demo = testsupport::NewScratchFolder("safe-demo", 'e');
    for (const DemoFile& f : kDemo) {
        std::wstring path = WidePath(demo, f.utf8Name);
        testsupport::WriteFileW(path, f.utf8Name);
        testsupport::SetAccessedDaysAgoW(path, f.accessedDaysAgo);
        if (f.attributes) testsupport::SetAttributesW(path, f.attributes);
    }
    // The program itself lives below a folder with a Cyrillic name, as below
    // a user's profile: it must still find its settings and language file.
    ProgramCopy copy("\xD0\xBF\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0");
    // Relative entries would be searched from the program's folder and the
    // root of its drive.
    testsupport::MakeFolders(copy.Folder() + "\\work");
    testsupport::WriteFile(copy.Folder() + "\\work\\relative.tmp", "relative");
    const std::string rootJunk = copy.Folder().substr(0, 2) + "\\root-junk.tmp";
    testsupport::WriteFile(rootJunk, "root");
    const std::string links = std::string(testsupport::kFileLinkFarm) + "\\junk";
    Configure(copy, {demo, links, "work", ""});

    RunningProgram program(copy, "/auto /hide");
    ASSERT_TRUE(program.Started());
    EXPECT_EQ(program.WaitForExit(120000), 2);

    for (const DemoFile& f : kDemo) {
        std::optional<std::string> content = testsupport::ReadFileW(WidePath(demo, f.utf8Name));
        if (f.junk) {
            EXPECT_FALSE(content) << f.utf8Name << " should be gone";
        } else {
            EXPECT_EQ(content.value_or("<gone>"), f.utf8Name) << f.utf8Name << " should stay as it was";
        }
    }
    const std::string farm = testsupport::kFileLinkFarm;
    EXPECT_EQ(testsupport::ReadFile(farm + "\\target\\precious.tmp"), "precious tmp");
    EXPECT_EQ(testsupport::ReadFile(farm + "\\target\\precious.txt"), "precious txt");
    EXPECT_EQ(testsupport::ReadFile(copy.Folder() + "\\work\\relative.tmp"), "relative");
    EXPECT_EQ(testsupport::ReadFile(rootJunk), "root");
    ::DeleteFileA(rootJunk.c_str());
}

}  // namespace
