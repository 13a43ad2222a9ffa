// The wizard window driven by messages, with probe pages in its page area.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/app_resources.h"
#include "app/command_line_switches.h"
#include "app/version.h"
#include "app/version_title.h"
#include "app/wizard_window.h"
#include "app_test_support.h"
#include "program_runner.h"
#include "pages/page_protocol.h"
#include "support/modal_answerer.h"
#include "support/scratch.h"
#include "support/skin_probe.h"
#include "support/ui/unexpected_services.h"
#include "ui/message_loop.h"

namespace {

using apptest::ProbePage;

std::string ShowWelcomeXml(const char* attribute) {
    return std::string("<?xml version=\"1.0\"?><Config><Welcome><ShowWelcome default=\"1\" ") + attribute +
           "/></Welcome></Config>";
}

class Wizard : public testing::Test {
protected:
    Wizard() : place_("wizard") {
        place_.CopyShipped("JunkSweep.lng");
        place_.WriteSettings(ShowWelcomeXml("custom=\"0\""));
    }
    ~Wizard() override {
        wizard_.reset();
        apptest::DrainQuit();
    }

    HWND Create(size_t pageCount = 7, bool trayIcon = false) {
        wizard_.reset();
        apptest::DrainQuit();
        wizard_ = std::make_unique<app::WizardWindow>(apptest::Given(apptest::ProbeSlots(records_, pageCount, &pages_)),
                                                      testsupport::UnexpectedServices(), trayIcon);
        return wizard_->Create();
    }
    HWND Hwnd() const { return wizard_->Hwnd(); }
    HWND Host() const { return ::GetDlgItem(Hwnd(), IDC_PAGE_AREA); }
    HWND Page(int index) const {
        return reinterpret_cast<HWND>(::SendMessageA(Host(), pages::WM_PAGEHOST_GETPAGE, index, 0));
    }
    int Current() const { return wizard_->Pages().CurrentIndex(); }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageA(Hwnd(), message, wParam, lParam);
    }
    void Command(int id) const { Send(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    bool Enabled(int id) const { return ::IsWindowEnabled(::GetDlgItem(Hwnd(), id)) != FALSE; }

    testsupport::ProgramPlace place_;
    std::vector<ProbePage::Record> records_;
    std::vector<ProbePage*> pages_;
    std::unique_ptr<app::WizardWindow> wizard_;
};

TEST_F(Wizard, StartsOnTheWelcomePageOnlyWhenShowWelcomeIsSet) {
    struct Case {
        std::string xml;
        int page;
    } cases[] = {
        {ShowWelcomeXml("custom=\"1\""), 0},
        {ShowWelcomeXml("custom=\"0\""), 1},
        {ShowWelcomeXml("custom=\"2\""), 0},
        {ShowWelcomeXml(""), 1},  // no user value
        {"", 1},                  // no settings file
    };
    for (const auto& c : cases) {
        if (c.xml.empty()) {
            ::DeleteFileA(place_.SettingsPath().c_str());
        } else {
            place_.WriteSettings(c.xml);
        }
        ASSERT_TRUE(Create()) << c.xml;
        EXPECT_EQ(Current(), c.page) << c.xml;
        for (int i = 0; i < 7; ++i) {
            EXPECT_EQ(records_[i].activated, i == c.page ? 1 : 0) << c.xml << " page " << i;
            EXPECT_EQ(records_[i].deactivated, 0);
            EXPECT_EQ((::GetWindowLongA(Page(i), GWL_STYLE) & WS_VISIBLE) != 0, i == c.page) << c.xml << i;
        }
        EXPECT_FALSE(::IsWindowVisible(Hwnd())) << "created hidden, shown by start-up";
    }
}

TEST_F(Wizard, PageSwitchingHidesTheOldPageAndActivatesTheNewOneOnce) {
    ASSERT_TRUE(Create());
    ASSERT_EQ(Current(), 1);
    ::SendMessageA(Host(), pages::WM_PAGEHOST_SHOWPAGE, 3, 0);
    EXPECT_EQ(Current(), 3);
    EXPECT_EQ(records_[1].deactivated, 1);
    EXPECT_EQ(records_[3].activated, 1);
    EXPECT_FALSE(::GetWindowLongA(Page(1), GWL_STYLE) & WS_VISIBLE);
    EXPECT_TRUE(::GetWindowLongA(Page(3), GWL_STYLE) & WS_VISIBLE);
    RECT client{}, page{};
    ::GetClientRect(Host(), &client);
    ::GetWindowRect(Page(3), &page);
    ::MapWindowPoints(nullptr, Host(), reinterpret_cast<POINT*>(&page), 2);
    EXPECT_TRUE(::EqualRect(&client, &page));

    // The current page again, or an index without a page: nothing happens.
    for (WPARAM index : {WPARAM{3}, WPARAM{7}, WPARAM{99}, static_cast<WPARAM>(-1)}) {
        ::SendMessageA(Host(), pages::WM_PAGEHOST_SHOWPAGE, index, 0);
    }
    EXPECT_EQ(Current(), 3);
    EXPECT_EQ(records_[3].activated, 1);
    EXPECT_EQ(records_[3].deactivated, 0);

    // A page reaches its host as its parent and the wizard as its grandparent.
    EXPECT_EQ(pages::PageHostOf(Page(3)), Host());
    EXPECT_EQ(pages::WizardOf(Page(3)), Hwnd());
    EXPECT_EQ(reinterpret_cast<HWND>(Send(pages::WM_WIZARD_GETCURRENTPAGE)), Page(3));
    for (int i = 0; i < 7; ++i) EXPECT_EQ(::GetParent(Page(i)), Host()) << i;
    EXPECT_EQ(Page(7), nullptr);
    EXPECT_EQ(Page(-1), nullptr);

    // Resizing the host resizes the current page.
    ::SetWindowPos(Host(), nullptr, 0, 0, 200, 120, SWP_NOMOVE | SWP_NOZORDER);
    ::GetWindowRect(Page(3), &page);
    EXPECT_EQ(page.right - page.left, 200);
    EXPECT_EQ(page.bottom - page.top, 120);
}

TEST_F(Wizard, EnableButtonsSetsNextAndBack) {
    ASSERT_TRUE(Create());
    struct Case {
        WPARAM mask;
        bool next, back;
    } cases[] = {{0, false, false}, {1, true, false}, {2, false, true}, {3, true, true}, {0xFF, true, true}};
    for (const auto& c : cases) {
        Send(pages::WM_WIZARD_ENABLEBUTTONS, c.mask);
        EXPECT_EQ(Enabled(pages::kNextButton), c.next) << c.mask;
        EXPECT_EQ(Enabled(pages::kBackButton), c.back) << c.mask;
        EXPECT_TRUE(Enabled(IDCANCEL));
    }
}

TEST_F(Wizard, NextAndBackGoToTheCurrentPageWhileItIsShown) {
    ASSERT_TRUE(Create());
    Command(pages::kNextButton);
    Command(pages::kBackButton);
    Command(pages::kNextButton);
    EXPECT_EQ(records_[1].next, 2);
    EXPECT_EQ(records_[1].back, 1);
    for (int i : {0, 2, 3, 4, 5, 6}) EXPECT_EQ(records_[i].next + records_[i].back, 0) << i;
    ::ShowWindow(Page(1), SW_HIDE);
    Command(pages::kNextButton);
    EXPECT_EQ(records_[1].next, 2);
}

TEST_F(Wizard, CancelAsksThePagesInOrderAndStopsAtTheFirstRefusal) {
    ASSERT_TRUE(Create());
    pages_[2]->SetRefuse(true);
    pages_[4]->SetRefuse(true);
    for (auto cancel : {+[](HWND w) { ::SendMessageA(w, WM_COMMAND, IDCANCEL, 0); },
                        +[](HWND w) { ::SendMessageA(w, WM_CLOSE, 0, 0); },
                        +[](HWND w) { ::SendMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0); }}) {
        for (auto& r : records_) r.queried = 0;
        cancel(Hwnd());
        ASSERT_TRUE(::IsWindow(Hwnd()));
        EXPECT_EQ(Current(), 1);
        std::vector<int> queried;
        for (auto& r : records_) queried.push_back(r.queried);
        EXPECT_EQ(queried, (std::vector<int>{1, 1, 1, 0, 0, 0, 0}));
    }
    pages_[2]->SetRefuse(false);
    pages_[4]->SetRefuse(false);
    HWND window = Hwnd();
    Command(IDCANCEL);
    EXPECT_FALSE(::IsWindow(window));
    // The refusing pass asked the first three pages once already.
    std::vector<int> queried;
    for (auto& r : records_) queried.push_back(r.queried);
    EXPECT_EQ(queried, (std::vector<int>{2, 2, 2, 1, 1, 1, 1}));
}

TEST_F(Wizard, CloseMessageAsksNoPageAndEndsTheLoopWithTwo) {
    ui::MessageLoop loop;
    ASSERT_TRUE(Create());
    for (ProbePage* page : pages_) page->SetRefuse(true);
    ::PostMessageA(Hwnd(), pages::WM_WIZARD_CLOSE, 0, 0);
    EXPECT_EQ(loop.Run(), 2);
    EXPECT_EQ(Hwnd(), nullptr);
    for (auto& r : records_) EXPECT_EQ(r.queried, 0);
}

TEST_F(Wizard, EscapeReachesCancelThroughTheDialogKeyboardHandling) {
    ui::MessageLoop loop;
    ASSERT_TRUE(Create());
    ::ShowWindow(Hwnd(), SW_SHOW);
    HWND next = ::GetDlgItem(Hwnd(), pages::kNextButton);
    ::SetFocus(next);
    ::PostMessageA(next, WM_KEYDOWN, VK_ESCAPE, 0);
    // Only reached when the Escape key did not close the window.
    ::PostMessageA(Hwnd(), pages::WM_WIZARD_CLOSE, 0, 0);
    EXPECT_EQ(loop.Run(), 2);
    for (auto& r : records_) EXPECT_EQ(r.queried, 1);
}

TEST_F(Wizard, TrayDoubleClickShowsTheHiddenWindow) {
    ASSERT_TRUE(Create());
    for (LPARAM mouse : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDBLCLK, WM_MOUSEMOVE}) {
        Send(pages::WM_WIZARD_TRAYNOTIFY, app::kTrayIconId, mouse);
        EXPECT_FALSE(::IsWindowVisible(Hwnd())) << mouse;
    }
    Send(pages::WM_WIZARD_TRAYNOTIFY, app::kTrayIconId, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(::IsWindowVisible(Hwnd()));
    ::ShowWindow(Hwnd(), SW_MINIMIZE);
    Send(pages::WM_WIZARD_TRAYNOTIFY, app::kTrayIconId, WM_LBUTTONDBLCLK);
    EXPECT_FALSE(::IsIconic(Hwnd()));
}

TEST(TrayRecord, CarriesTheCallbackIconAndATipOfAtMost127Characters) {
    HICON icon = ::LoadIconA(nullptr, IDI_APPLICATION);
    HWND owner = ::GetDesktopWindow();
    struct Case {
        std::string tip, expected;
    } cases[] = {
        {"JunkSweep", "JunkSweep"},
        {std::string(127, 'x'), std::string(127, 'x')},
        {std::string(128, 'y'), std::string(127, 'y')},
        {std::string(200, 'z'), std::string(127, 'z')},
        {"", ""},
    };
    for (const auto& c : cases) {
        NOTIFYICONDATAA record = app::MakeTrayRecord(owner, icon, pages::WM_WIZARD_TRAYNOTIFY, c.tip);
        EXPECT_EQ(std::string(record.szTip), c.expected);
        EXPECT_EQ(record.cbSize, DWORD{NOTIFYICONDATAA_V2_SIZE});
        EXPECT_EQ(record.hWnd, owner);
        EXPECT_EQ(record.uID, 128u);
        EXPECT_EQ(record.uFlags, UINT{NIF_MESSAGE | NIF_ICON | NIF_TIP});
        EXPECT_EQ(record.uCallbackMessage, UINT{pages::WM_WIZARD_TRAYNOTIFY});
        EXPECT_EQ(record.hIcon, icon);
    }
}

TEST_F(Wizard, IconSwitchAddsTheTrayIconAndClosingRemovesIt) {
    for (const char* line : {"/icon", "/hide", ""}) {
        ASSERT_TRUE(Create(7, app::StartOptions::From(line).trayIcon));
        const bool wanted = std::string(line) == "/icon";
        EXPECT_EQ(wizard_->Tray().Added(), wanted) << line;
        EXPECT_EQ(apptest::TrayIconExists(Hwnd()), wanted) << line;
        EXPECT_EQ(std::string(wizard_->Tray().Record().szTip), "JunkSweep");
        HWND window = Hwnd();
        Send(pages::WM_WIZARD_CLOSE);
        EXPECT_FALSE(::IsWindow(window));
        EXPECT_FALSE(apptest::TrayIconExists(window)) << line;
        EXPECT_FALSE(wizard_->Tray().Added());
    }
}

TEST_F(Wizard, TitleIsTheProductNameAndVersionOfTheVersionResource) {
    ASSERT_TRUE(Create());
    EXPECT_EQ(testsupport::WaitForWindowText(Hwnd()), JUNKSWEEP_PRODUCT_NAME " " JUNKSWEEP_VERSION_TEXT);
    // Files without a version resource give a single blank.
    EXPECT_EQ(app::ProductTitle(testsupport::TestProgramFolder() + "\\skin_probe.dll"), " ");
    EXPECT_EQ(app::ProductTitle("d:\\no-such-program.exe"), " ");
}

TEST_F(Wizard, CopesWithFewerPages) {
    for (const char* showWelcome : {"custom=\"0\"", "custom=\"1\""}) {
        place_.WriteSettings(ShowWelcomeXml(showWelcome));
        for (size_t count : {size_t{0}, size_t{1}}) {
            ASSERT_TRUE(Create(count));
            const int expected = (count == 1 && std::string(showWelcome) == "custom=\"1\"") ? 0 : -1;
            EXPECT_EQ(Current(), expected) << count << showWelcome;
            Command(pages::kNextButton);
            Command(pages::kBackButton);
            ::SendMessageA(Host(), pages::WM_PAGEHOST_SHOWPAGE, 3, 0);
            EXPECT_EQ(Current(), expected);
            EXPECT_EQ(Send(pages::WM_WIZARD_GETCURRENTPAGE), expected == 0 ? reinterpret_cast<LRESULT>(Page(0)) : 0);
            HWND window = Hwnd();
            Command(IDCANCEL);
            EXPECT_FALSE(::IsWindow(window));
        }
    }
}

TEST_F(Wizard, KeepsTheSkinComponentWhileItsWindowLives) {
    testsupport::SkinProbe probe;
    testsupport::WriteFile(place_.Folder() + "\\common.xml",
                           "<config><activateskin rootpath=\"%ModulePath%\\Skins\" uis=\"%ModulePath%\\Skins\\A.uis\"/>"
                           "<SkinGamma val=\"0.5\"/></config>");
    ASSERT_TRUE(Create());
    EXPECT_TRUE(wizard_->Skinned());
    char attach[64];
    std::snprintf(attach, sizeof attach, "attach %llx",
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(Hwnd())));
    const std::string skins = place_.Folder() + "\\Skins";
    EXPECT_EQ(probe.Calls(), (std::vector<std::string>{"create", attach, "automation",
                                                       "invoke 51 flags 1 args 1 named 0 vt 4 value 0.500 result none",
                                                       "automation released",
                                                       "load " + skins + "|" + skins + "\\A.uis"}));
    Send(pages::WM_WIZARD_CLOSE);
    EXPECT_EQ(testsupport::LastLine(probe.Calls()), "engine released");

    // A component whose call fails leaves the window without a skin.
    probe.Fail("attach");
    probe.ClearCalls();
    ASSERT_TRUE(Create());
    EXPECT_FALSE(wizard_->Skinned());
    EXPECT_EQ(testsupport::LastLine(probe.Calls()), "engine released");
    EXPECT_EQ(Current(), 1);
}

}  // namespace
