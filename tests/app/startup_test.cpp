// Start-up and the end of the real program, run in the test bed.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/app_resources.h"
#include "app/version.h"
#include "app_test_support.h"
#include "program_runner.h"
#include "pages/page_protocol.h"
#include "support/modal_answerer.h"
#include "support/scratch.h"
#include "support/skin_probe.h"

namespace {

using apptest::ProgramCopy;
using apptest::RunningProgram;

constexpr long kNormalEnd = 2;
constexpr long kStoppedEarly = 0;

const char kLanguage[] =
    "[String]\r\n_AppName=JunkSweep Test\r\n_AlreadyRunningAnInstance=JunkSweep is running already.\r\n"
    "_NotInstallXML2=The system XML parser is missing.\r\n";

std::string ShowWelcomeXml(const char* custom) {
    return std::string("<?xml version=\"1.0\"?><Config><Welcome><ShowWelcome default=\"1\" custom=\"") + custom +
           "\"/></Welcome><SelectDrive/></Config>";
}

class Startup : public testing::Test {
protected:
    Startup() {
        testsupport::WriteFile(copy_.LanguagePath(), kLanguage);
        testsupport::WriteFile(copy_.SettingsPath(), ShowWelcomeXml("1"));
    }
    std::string Settings() const { return testsupport::ReadFile(copy_.SettingsPath()); }

    ProgramCopy copy_;
};

TEST_F(Startup, SecondCopyShowsItsMessageAndLeavesTheFirstUntouched) {
    RunningProgram first(copy_, "");
    HWND wizard = first.WaitForWizard();
    ASSERT_TRUE(wizard);
    EXPECT_TRUE(::IsWindowVisible(wizard));
    EXPECT_EQ(testsupport::WaitForWindowText(wizard), JUNKSWEEP_PRODUCT_NAME " " JUNKSWEEP_VERSION_TEXT);
    HWND page = apptest::CurrentPageOf(wizard);
    EXPECT_EQ(page, apptest::WizardPageOf(wizard, pages::kWelcomePage));

    RunningProgram second(copy_, "/hide");
    HWND box = second.WaitForMessageBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(testsupport::MessageBoxText(box), "JunkSweep is running already.");
    EXPECT_EQ(testsupport::WaitForWindowText(box), "JunkSweep Test");
    EXPECT_EQ(::GetWindow(box, GW_OWNER), nullptr);
    EXPECT_EQ(second.WaitForWizard(0), nullptr);
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(second.WaitForExit(), kStoppedEarly);

    ASSERT_TRUE(first.Running());
    EXPECT_EQ(first.WaitForWizard(0), wizard);
    EXPECT_TRUE(::IsWindowVisible(wizard));
    EXPECT_EQ(apptest::CurrentPageOf(wizard), page);
    ::SendMessageA(wizard, pages::WM_WIZARD_CLOSE, 0, 0);
    EXPECT_EQ(first.WaitForExit(), kNormalEnd);
}

TEST_F(Startup, WithoutTheXmlParserItRefusesToStart) {
    ProgramCopy copy("noxml", "NoXmlSweep");
    testsupport::WriteFile(copy.LanguagePath(), kLanguage);
    testsupport::WriteFile(copy.SettingsPath(), ShowWelcomeXml("1"));
    apptest::DisabledDlls noParser("NoXmlSweep.exe", {"msxml3", "msxml6"});
    RunningProgram program(copy, "");
    HWND box = program.WaitForMessageBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(testsupport::MessageBoxText(box), "The system XML parser is missing.");
    EXPECT_EQ(testsupport::WaitForWindowText(box), "JunkSweep Test");
    EXPECT_EQ(program.WaitForWizard(0), nullptr);
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(program.WaitForExit(), kStoppedEarly);
    EXPECT_EQ(testsupport::ReadFile(copy.SettingsPath()), ShowWelcomeXml("1"));
}

TEST_F(Startup, HideAndIconSwitches) {
    struct Case {
        const char* arguments;
        bool visible, tray;
    } cases[] = {
        {"", true, false},
        {"/Hide", false, false},
        {"/hide/icon", false, true},
        {"-ICON", true, true},
        {"autohide iconic", true, false},
    };
    for (const auto& c : cases) {
        RunningProgram program(copy_, c.arguments);
        HWND wizard = program.WaitForWizard();
        ASSERT_TRUE(wizard) << c.arguments;
        EXPECT_EQ(::IsWindowVisible(wizard) != FALSE, c.visible) << c.arguments;
        EXPECT_EQ(apptest::TrayIconExists(wizard), c.tray) << c.arguments;
        if (c.tray && !c.visible) {
            ::SendMessageA(wizard, pages::WM_WIZARD_TRAYNOTIFY, 128, WM_LBUTTONDBLCLK);
            EXPECT_TRUE(::IsWindowVisible(wizard)) << c.arguments;
        }
        ::SendMessageA(wizard, pages::WM_WIZARD_CLOSE, 0, 0);
        EXPECT_EQ(program.WaitForExit(), kNormalEnd) << c.arguments;
        EXPECT_FALSE(apptest::TrayIconExists(wizard)) << c.arguments;
    }
}

TEST_F(Startup, ShowWelcomeChoiceTakesEffectAtTheNextStart) {
    {
        RunningProgram program(copy_, "");
        HWND wizard = program.WaitForWizard();
        ASSERT_TRUE(wizard);
        HWND welcome = apptest::WizardPageOf(wizard, pages::kWelcomePage);
        EXPECT_EQ(apptest::CurrentPageOf(wizard), welcome);
        ::SendMessageA(::GetDlgItem(welcome, IDC_SHOW_WELCOME), BM_CLICK, 0, 0);
        EXPECT_EQ(Settings(), ShowWelcomeXml("1")) << "saved only when the page goes";
        ::PostMessageA(wizard, WM_COMMAND, IDCANCEL, 0);
        EXPECT_EQ(program.WaitForExit(), kNormalEnd);
    }
    EXPECT_NE(Settings().find("custom=\"0\""), std::string::npos) << Settings();
    {
        RunningProgram program(copy_, "/hide");
        HWND wizard = program.WaitForWizard();
        ASSERT_TRUE(wizard);
        EXPECT_EQ(apptest::CurrentPageOf(wizard), apptest::WizardPageOf(wizard, pages::kDriveSelectionPage));
        EXPECT_NE(apptest::CurrentPageOf(wizard), apptest::WizardPageOf(wizard, pages::kWelcomePage));
        ::SendMessageA(wizard, pages::WM_WIZARD_CLOSE, 0, 0);
        EXPECT_EQ(program.WaitForExit(), kNormalEnd);
    }
    EXPECT_NE(Settings().find("custom=\"0\""), std::string::npos) << Settings();
}

TEST_F(Startup, GoesOnWithoutASkinWhenTheComponentFails) {
    testsupport::SkinProbe probe;
    testsupport::WriteFile(copy_.Folder() + "\\common.xml",
                           "<config><activateskin rootpath=\"%ModulePath%\\Skins\" uis=\"Blue.uis\"/></config>");
    for (const char* fail : {"", "load"}) {
        probe.Fail(fail);
        probe.ClearCalls();
        RunningProgram program(copy_, "");
        HWND wizard = program.WaitForWizard();
        ASSERT_TRUE(wizard) << fail;
        auto calls = probe.Calls();
        ASSERT_GE(calls.size(), 2u);
        char attach[64];
        std::snprintf(attach, sizeof attach, "attach %llx",
                      static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(wizard)));
        EXPECT_EQ(calls[1], attach);
        EXPECT_EQ(calls.back(), *fail ? "engine released" : "load " + copy_.Folder() + "\\Skins|Blue.uis") << fail;
        ::SendMessageA(wizard, pages::WM_WIZARD_CLOSE, 0, 0);
        EXPECT_EQ(program.WaitForExit(), kNormalEnd);
        EXPECT_EQ(testsupport::LastLine(probe.Calls()), "engine released");
    }
}

}  // namespace
