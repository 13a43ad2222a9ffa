// The header bar's buttons and the welcome page, inside a wizard window.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/app_resources.h"
#include "app/command_line_switches.h"
#include "app/system_services.h"
#include "app/welcome_page.h"
#include "app/wizard_window.h"
#include "app_test_support.h"
#include "config/config_document.h"
#include "config/settings.h"
#include "pages/page_protocol.h"
#include "support/scratch.h"
#include "support/ui/unexpected_services.h"
#include "ui/skinned_controls.h"

namespace {

using apptest::ProbePage;

std::string ShowWelcomeXml(const std::string& custom) {
    return "<?xml version=\"1.0\"?><Config><Welcome><ShowWelcome default=\"1\" custom=\"" + custom +
           "\"/></Welcome></Config>";
}

// What the header bar's buttons asked for.
struct HeaderLog {
    int rescue = 0, options = 0;
    INT_PTR optionsResult = IDCANCEL;
    int menuCommand = 0;
    POINT menuAt{};
    std::vector<std::string> opened;
};

pages::Services Recording(HeaderLog& log) {
    pages::Services services = testsupport::UnexpectedServices();
    services.rescueCenter = [&log](HWND) { ++log.rescue; };
    services.options = [&log](HWND, int, const ui::FolderBrowser&) {
        ++log.options;
        return log.optionsResult;
    };
    services.trackMenu = [&log](HWND, const std::vector<ui::MenuEntry>&, POINT at) {
        log.menuAt = at;
        return log.menuCommand;
    };
    services.openAddress = [&log](const std::string& address) { log.opened.push_back(address); };
    return services;
}

class WizardParts : public testing::Test {
protected:
    WizardParts() : place_("parts") {
        place_.CopyShipped("JunkSweep.lng");
        place_.WriteSettings(ShowWelcomeXml("1"));
    }
    ~WizardParts() override { Destroy(); }

    // The real welcome page followed by six probe pages.
    HWND Create(pages::Services services, pages::RunMode mode = pages::RunMode::Interactive) {
        Destroy();
        auto slots = apptest::ProbeSlots(records_, 6);
        slots.insert(slots.begin(), pages::PageSlot{pages::MakePage<app::WelcomePage>(mode), IDD_WELCOME_PAGE});
        wizard_ = std::make_unique<app::WizardWindow>(apptest::Given(std::move(slots)), std::move(services));
        return wizard_->Create();
    }
    HWND Create() { return Create(Recording(log_)); }
    void Destroy() {
        wizard_.reset();
        apptest::DrainQuit();
    }
    HWND Hwnd() const { return wizard_->Hwnd(); }
    HWND Header() const { return ::GetWindow(::GetDlgItem(Hwnd(), IDC_HEADER_STRIP), GW_CHILD); }
    HWND Welcome() const { return wizard_->Pages().Page(0); }
    HWND WelcomeItem(int id) const { return ::GetDlgItem(Welcome(), id); }
    void Click(HWND button) const { ::SendMessageA(button, BM_CLICK, 0, 0); }
    // records_[i] belongs to page i + 1.
    const ProbePage::Record& Probe(int page) const { return records_[page - 1]; }

    testsupport::ProgramPlace place_;
    HeaderLog log_;
    std::vector<ProbePage::Record> records_;
    std::unique_ptr<app::WizardWindow> wizard_;
};

TEST_F(WizardParts, OptionsTellTheShownPageAfterOkOnly) {
    ASSERT_TRUE(Create());
    ::SendMessageA(wizard_->Pages().Hwnd(), pages::WM_PAGEHOST_SHOWPAGE, 4, 0);
    struct Case {
        INT_PTR result;
        bool pageShown;
        int told;
    } cases[] = {{IDCANCEL, true, 0}, {IDOK, true, 1}, {IDOK, false, 0}};
    for (const auto& c : cases) {
        records_[3] = {};
        log_.optionsResult = c.result;
        ::ShowWindow(wizard_->Pages().Page(4), c.pageShown ? SW_SHOW : SW_HIDE);
        Click(::GetDlgItem(Header(), IDC_OPTIONS_BUTTON));
        EXPECT_EQ(Probe(4).settingsChanged, c.told) << c.result << c.pageShown;
    }
    EXPECT_EQ(log_.options, 3);
    for (int page : {1, 2, 3, 5, 6}) EXPECT_EQ(Probe(page).settingsChanged, 0) << page;
}

TEST_F(WizardParts, RescueButtonOpensTheRescueCenter) {
    ASSERT_TRUE(Create());
    Click(::GetDlgItem(Header(), IDC_RESCUE_BUTTON));
    EXPECT_EQ(log_.rescue, 1);
    EXPECT_EQ(log_.options, 0);
    EXPECT_TRUE(log_.opened.empty());
}

TEST_F(WizardParts, HelpMenuOpensTheChosenPageBelowTheButton) {
    ASSERT_TRUE(Create());
    struct Case {
        int command;
        std::vector<std::string> opened;
    } cases[] = {
        {1, {"https://junksweep.example.org/manual"}},
        {2, {"https://junksweep.example.org/"}},
        {3, {"https://junksweep.example.org/support"}},
        {0, {}},  // cancelled
        {9, {}},
    };
    RECT button{};
    ::GetWindowRect(::GetDlgItem(Header(), IDC_HELP_BUTTON), &button);
    for (const auto& c : cases) {
        log_.opened.clear();
        log_.menuCommand = c.command;
        Click(::GetDlgItem(Header(), IDC_HELP_BUTTON));
        EXPECT_EQ(log_.opened, c.opened) << c.command;
        EXPECT_EQ(log_.menuAt.x, button.left);
        EXPECT_EQ(log_.menuAt.y, button.bottom);
    }
}

// Ends the pop-up menu that is being tracked, once it shows.
void CALLBACK EndTrackedMenuOnceShown(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND menu = ::FindWindowA("#32768", nullptr);
    if (!menu || !::IsWindowVisible(menu)) return;
    ::KillTimer(nullptr, timer);
    ::EndMenu();
}

TEST_F(WizardParts, CancellingTheRealHelpMenuOpensNothing) {
    pages::Services services = Recording(log_);
    services.trackMenu = app::SystemServices().trackMenu;
    ASSERT_TRUE(Create(services));
    ::ShowWindow(Hwnd(), SW_SHOW);
    ::SetTimer(nullptr, 0, 10, EndTrackedMenuOnceShown);
    Click(::GetDlgItem(Header(), IDC_HELP_BUTTON));
    EXPECT_TRUE(log_.opened.empty());
}

TEST_F(WizardParts, StartButtonAndNextLeadToTheDrivePage) {
    for (bool useNext : {false, true}) {
        ASSERT_TRUE(Create());
        ASSERT_EQ(wizard_->Pages().CurrentIndex(), 0);
        if (useNext) {
            ::SendMessageA(Hwnd(), WM_COMMAND, pages::kNextButton, 0);
        } else {
            Click(WelcomeItem(IDC_START_WORK));
        }
        EXPECT_EQ(wizard_->Pages().CurrentIndex(), 1) << useNext;
        EXPECT_EQ(Probe(1).activated, 1);
    }
}

TEST_F(WizardParts, AutoSwitchPassesTheWelcomePageAtOnce) {
    ASSERT_TRUE(Create(Recording(log_), app::StartOptions::From("/hide/auto").runMode));
    EXPECT_EQ(wizard_->Pages().CurrentIndex(), 1);
    EXPECT_EQ(Probe(1).activated, 1);
    EXPECT_FALSE(::GetWindowLongA(Welcome(), GWL_STYLE) & WS_VISIBLE);
}

TEST_F(WizardParts, ShowWelcomeCheckBoxIsLoadedAndSavedWhenThePageGoes) {
    struct Case {
        std::string stored;
        UINT shown;
        bool click;
        int saved;
    } cases[] = {
        {"1", BST_CHECKED, false, 1},   {"1", BST_CHECKED, true, 0},   {"0", BST_UNCHECKED, false, 0},
        {"0", BST_UNCHECKED, true, 1},  {"3", BST_UNCHECKED, false, 0}, {"-1", BST_UNCHECKED, false, 0},
        {"junk", BST_UNCHECKED, false, 0},
    };
    for (const auto& c : cases) {
        place_.WriteSettings(ShowWelcomeXml(c.stored));
        ASSERT_TRUE(Create());
        EXPECT_EQ(::SendMessageA(WelcomeItem(IDC_SHOW_WELCOME), BM_GETCHECK, 0, 0), static_cast<LRESULT>(c.shown))
            << c.stored;
        if (c.click) Click(WelcomeItem(IDC_SHOW_WELCOME));
        EXPECT_EQ(config::LoadShowWelcome(config::ValueSet::Custom), config::ToInt32(c.stored)) << "saved too early";
        Destroy();
        EXPECT_EQ(config::LoadShowWelcome(config::ValueSet::Custom), c.saved) << c.stored << c.click;
        EXPECT_EQ(config::LoadShowWelcome(config::ValueSet::Default), 1);
    }
    // Without a settings file nothing is written.
    ::DeleteFileA(place_.SettingsPath().c_str());
    ASSERT_TRUE(Create());
    Destroy();
    EXPECT_FALSE(testsupport::FileExists(place_.SettingsPath()));
}

TEST(ShowWelcomeCheckState, ValuesOutsideZeroToTwoReadAsZero) {
    const std::pair<int, int> cases[] = {{0, 0}, {1, 1}, {2, 2}, {3, 0}, {-1, 0}, {1000, 0}};
    for (auto [stored, state] : cases) EXPECT_EQ(app::ShowWelcomeCheckState(stored), state) << stored;
}

}  // namespace
