#include <gtest/gtest.h>
#include <windows.h>

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
        EXPECT_EQ(config::LoadCleanOptions(ValueSet::Custom), (CleanOptions{0, 0, 1, 0, c.target})) << c.name;
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
    EXPECT_EQ(config::LoadCleanOptions(ValueSet::Custom), (CleanOptions{1, 0, 0, 1, "d:\\moved"}));
}

}  // namespace
