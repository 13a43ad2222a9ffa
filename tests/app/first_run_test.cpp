// What a Windows user meets at the first start: the shipped settings, and a
// program folder the program may not be able to write to.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/program_folder_check.h"
#include "app_test_support.h"
#include "program_runner.h"
#include "support/modal_answerer.h"
#include "support/scratch.h"
#include "support/text_lines.h"

namespace {

using apptest::ProgramCopy;
using apptest::RunningProgram;

constexpr long kNormalEnd = 2;

std::string TempFolder() {
    char path[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, path);
    return path;
}

TEST(FirstRun, AnUnattendedRunOnTheShippedSettingsDoesNothingAndEnds) {
    ProgramCopy copy("firstrun");
    const std::string shipped = testsupport::ReadFile(copy.SettingsPath());
    // The temporary folder is what a trace cleaner switched on at the
    // factory would empty for good.
    const std::string marker = TempFolder() + "junksweep-first-run.tmp";
    testsupport::WriteFile(marker, "still wanted");

    RunningProgram program(copy, "/auto /hide");
    ASSERT_TRUE(program.Started());
    EXPECT_EQ(program.WaitForExit(120000), kNormalEnd);

    EXPECT_TRUE(testsupport::FileExists(marker));
    ::DeleteFileA(marker.c_str());
    // No backup set, nothing new beside the program but the log of its
    // empty clean; the settings were saved (the welcome page saves its
    // switch) and read as they were.
    EXPECT_EQ(testsupport::NamesIn(copy.Folder()),
              (std::vector<std::string>{"Data", "JunkSweep.exe", "JunkSweep.lng", "JunkSweep.rules.ini", "JunkSweep.xml",
                                     "common.xml"}));
    const std::string data = copy.Folder() + "\\Data\\ToolJunkSweep";
    EXPECT_EQ(testsupport::NamesIn(data), std::vector<std::string>{"Logs"});
    const std::vector<std::string> logs = testsupport::NamesIn(data + "\\Logs");
    ASSERT_EQ(logs.size(), 1u);
    EXPECT_EQ(testsupport::ReadFile(data + "\\Logs\\" + *logs.begin()).substr(0, 21), "summary\tfiles=0\tclean");
    EXPECT_EQ(testsupport::LinesOf(testsupport::ReadFile(copy.SettingsPath())), testsupport::LinesOf(shipped));
}

TEST(FirstRun, AFolderTheUserCannotWriteToStopsTheStartWithItsOwnExitCode) {
    if (!testsupport::FolderExists(testsupport::kSealedFolder)) {
        GTEST_SKIP() << "the test bed could not mount " << testsupport::kSealedFolder << " (mounting needs root)";
    }
    ProgramCopy written(ProgramCopy::At{testsupport::kOpenFolder});
    testsupport::WriteFile(written.LanguagePath(),
                           "[String]\r\n_AppName=JunkSweep Test\r\n_ProgramFolderNotWritable=Cannot write to %s.\r\n");
    const ProgramCopy sealed = written.SeenFrom(testsupport::kSealedFolder);
    const std::string settings = testsupport::ReadFile(sealed.SettingsPath());
    ASSERT_FALSE(settings.empty());

    {
        RunningProgram program(sealed, "");
        HWND box = program.WaitForMessageBox();
        ASSERT_TRUE(box);
        EXPECT_EQ(testsupport::MessageBoxText(box), std::string("Cannot write to ") + testsupport::kSealedFolder + ".");
        EXPECT_EQ(testsupport::WaitForWindowText(box), "JunkSweep Test");
        EXPECT_EQ(program.WaitForWizard(0), nullptr);
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(program.WaitForExit(), app::kExitFolderNotWritable);
    }
    // Unattended, nobody may be there to close a box: the run ends at once.
    for (const char* arguments : {"/auto /hide", "/auto"}) {
        RunningProgram program(sealed, arguments);
        EXPECT_EQ(program.WaitForExit(), app::kExitFolderNotWritable) << arguments;
    }
    EXPECT_EQ(testsupport::ReadFile(sealed.SettingsPath()), settings);
}

}  // namespace
