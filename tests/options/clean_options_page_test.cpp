#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "config/settings.h"
#include "options/options_dialog.h"
#include "options/options_ids.h"
#include "options_bed.h"

namespace {

using config::CleanOptions;
using config::ValueSet;

struct CleanPage {
    explicit CleanPage(const ui::FolderBrowser& browse) : sheet(options::kCleanOptionsTab, browse) {}
    optest::OpenSheet sheet;
    HWND Item(int id) { return sheet.PageItem(options::kCleanOptionsTab, id); }
    std::string Target() { return platform::WindowText(Item(IDC_TARGET_FOLDER)); }
    void Ok() { optest::Click(sheet.Item(IDOK)); }
};

TEST(CleanOptionsPage, EveryClickOnMoveToFolderAsksForTheFolder) {
    struct Case {
        const char* name;
        CleanOptions stored;
        std::vector<std::optional<std::string>> answers;
        int clicks;
        std::string target;
    } cases[] = {
        {"picked", {1, 0, 0, 0, "d:\\moved"}, {"d:\\bin"}, 1, "d:\\bin"},
        {"cancelled keeps the previous folder", {1, 0, 0, 0, "d:\\moved"}, {std::nullopt}, 1, "d:\\moved"},
        {"cancelled with no folder yet", {0, 1, 0, 0, ""}, {std::nullopt}, 1, ""},
        {"picked again while already chosen", {0, 0, 1, 0, ""}, {"d:\\first", "d:\\second"}, 2, "d:\\second"},
        {"cancelled after a pick", {0, 0, 1, 0, ""}, {"d:\\first", std::nullopt}, 2, "d:\\first"},
    };
    for (const Case& c : cases) {
        optest::ProgramBed bed;
        config::SaveCleanOptions(c.stored);
        optest::BrowserAnswers browser(c.answers);
        CleanPage page{browser.Browser()};
        for (int i = 0; i < c.clicks; ++i) optest::Click(page.Item(IDC_MOVE_TO_FOLDER));
        EXPECT_EQ(browser.Asked(), c.clicks) << c.name;
        EXPECT_EQ(page.Target(), c.target) << c.name;
        page.Ok();
        EXPECT_EQ(config::LoadCleanOptions(ValueSet::Custom), (CleanOptions{0, 0, 1, 0, c.target, 0, 30})) << c.name;
    }
}

TEST(CleanOptionsPage, SwitchingAwayFromMoveToFolderKeepsThePathAndAsksNothing) {
    optest::ProgramBed bed;
    optest::BrowserAnswers browser({});
    CleanPage page{browser.Browser()};
    optest::Click(page.Item(IDC_CLEAN_FROM_DISK));
    optest::Click(page.Item(IDC_BACKUP));
    EXPECT_EQ(browser.Asked(), 0);
    EXPECT_FALSE(optest::IsChecked(page.Item(IDC_MOVE_TO_FOLDER)));
    EXPECT_EQ(page.Target(), "d:\\moved");
    page.Ok();
    EXPECT_EQ(config::LoadCleanOptions(ValueSet::Custom), (CleanOptions{1, 0, 0, 1, "d:\\moved", 1, 7}));
}

// The age of backup sets: its box and arrows live with its switch, the
// days held to 1..3650 whatever is typed, the factory values off and 30.
TEST(CleanOptionsPage, TheAgeOfBackupsIsHeldToItsLimits) {
    const struct {
        const char* typed;
        int32_t saved;
    } cases[] = {{"45", 45}, {"0", 1}, {"5000", 3650}, {"", 30}, {"3650", 3650}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        optest::ProgramBed bed;
        optest::BrowserAnswers browser({});
        CleanPage page{browser.Browser()};
        EXPECT_TRUE(optest::IsChecked(page.Item(IDC_REMOVE_OLD_SETS)));
        EXPECT_EQ(platform::WindowText(page.Item(IDC_SET_AGE_DAYS)), "7");
        int low = 0, high = 0;
        ::SendMessageA(page.Item(IDC_SET_AGE_SPIN), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                       reinterpret_cast<LPARAM>(&high));
        EXPECT_EQ(low, 1);
        EXPECT_EQ(high, 3650);
        ::SetWindowTextA(page.Item(IDC_SET_AGE_DAYS), c.typed);
        page.Ok();
        EXPECT_EQ(config::LoadCleanOptions(ValueSet::Custom).setAgeDays, c.saved);
    }
    optest::ProgramBed bed;
    optest::BrowserAnswers browser({});
    CleanPage page{browser.Browser()};
    optest::Click(page.Item(IDC_REMOVE_OLD_SETS));
    EXPECT_FALSE(::IsWindowEnabled(page.Item(IDC_SET_AGE_DAYS)));
    optest::Click(page.sheet.PageItem(options::kCleanOptionsTab, IDC_PAGE_DEFAULT));
    EXPECT_FALSE(optest::IsChecked(page.Item(IDC_REMOVE_OLD_SETS)));
    EXPECT_EQ(platform::WindowText(page.Item(IDC_SET_AGE_DAYS)), "30");
    optest::Click(page.Item(IDC_REMOVE_OLD_SETS));
    EXPECT_TRUE(::IsWindowEnabled(page.Item(IDC_SET_AGE_DAYS)));
    EXPECT_TRUE(::IsWindowEnabled(page.Item(IDC_SET_AGE_SPIN)));
}

}  // namespace
