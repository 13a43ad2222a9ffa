#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "config/settings.h"
#include "options/option_rules.h"
#include "options/options_dialog.h"
#include "options/options_ids.h"
#include "support/modal_answerer.h"
#include "options_bed.h"

namespace {

using config::SkipFolder;
using config::ValueSet;
using testsupport::MenuItem;
using Rows = std::vector<std::pair<std::string, bool>>;

struct SkipPage : optest::CheckListTab {
    explicit SkipPage(const ui::FolderBrowser& browse = optest::UnexpectedBrowser())
        : CheckListTab(options::kSkipFoldersTab, IDC_SKIP_FOLDER_LIST, browse) {}
};

TEST(SkipFoldersPage, AFolderAddedTwiceIsAppendedCheckedTwiceAndSavedTwice) {
    optest::ProgramBed bed;
    optest::BrowserAnswers browser({"d:\\twice", std::nullopt, "d:\\twice"});
    SkipPage page{browser.Browser()};
    optest::SelectRow(page.List(), 0);
    ListView_SetCheckState(page.List(), 0, FALSE);
    for (int click = 0; click < 3; ++click) optest::ClickIcon(page.Add());  // the second is cancelled
    EXPECT_EQ(browser.Asked(), 3);
    EXPECT_EQ(optest::ListRows(page.List()), (Rows{{"d:\\keep", false}, {"d:\\twice", true}, {"d:\\twice", true}}));
    EXPECT_EQ(optest::SelectedRow(page.List()), 0);
    page.Ok();
    EXPECT_EQ(config::LoadSkipFolders(ValueSet::Custom),
              (std::vector<SkipFolder>{{"d:\\keep", 0}, {"d:\\twice", 1}, {"d:\\twice", 1}}));
    EXPECT_EQ(config::LoadSkipFolders(ValueSet::Default).size(), 2u);  // the factory list stays
}

TEST(SkipFoldersPage, DeleteRemovesTheSelectedRowOrAsksForOne) {
    optest::ProgramBed bed;
    testsupport::ModalAnswerer answerer;
    optest::BrowserAnswers browser({"d:\\a", "d:\\b"});
    SkipPage page{browser.Browser()};
    optest::ClickIcon(page.Add());
    optest::ClickIcon(page.Add());
    optest::SelectRow(page.List(), 2);
    optest::ClickIcon(page.Delete());
    EXPECT_EQ(optest::ListRows(page.List()), (Rows{{"d:\\keep", true}, {"d:\\a", true}}));
    EXPECT_EQ(optest::SelectedRow(page.List()), 1);
    optest::SelectRow(page.List(), 0);
    optest::ClickIcon(page.Delete());
    EXPECT_EQ(optest::ListRows(page.List()), (Rows{{"d:\\a", true}}));
    EXPECT_EQ(optest::SelectedRow(page.List()), 0);
    EXPECT_TRUE(answerer.Messages().empty());

    ListView_SetItemState(page.List(), -1, 0, LVIS_SELECTED);
    optest::ClickIcon(page.Delete());
    EXPECT_EQ(answerer.Messages(), std::vector<std::string>{"_YouMustSelectaskipfolder"});
    EXPECT_EQ(optest::ListRows(page.List()).size(), 1u);
}

TEST(SkipFoldersPage, TheContextMenuOffersDeleteOnlyWhileARowIsSelected) {
    optest::ProgramBed bed;
    testsupport::ModalAnswerer answerer;
    optest::BrowserAnswers browser({"d:\\from-menu"});
    SkipPage page{browser.Browser()};
    answerer.ExpectMenu(options::kSkipFolderDelete);
    optest::RightClickList(page.List());
    EXPECT_TRUE(optest::ListRows(page.List()).empty());
    answerer.ExpectMenu(options::kSkipFolderAdd);
    optest::RightClickList(page.List());
    EXPECT_EQ(optest::ListRows(page.List()), (Rows{{"d:\\from-menu", true}}));
    EXPECT_EQ(answerer.Menus(), (std::vector<std::vector<MenuItem>>{{{1, "_sfMenuAddNew"}, {2, "_sfMenuDel"}},
                                                                    {{1, "_sfMenuAddNew"}}}));
}

TEST(SkipFoldersPage, AFolderThatIsGoneStillLoadsWithThePlainPicture) {
    optest::ProgramBed bed;
    std::string here = testsupport::NewScratchFolder("here");
    config::SaveSkipFolders({{here, 1}, {"d:\\gone\\long ago", 0}});
    SkipPage page;
    EXPECT_EQ(optest::ListRows(page.List()), (Rows{{here, true}, {"d:\\gone\\long ago", false}}));
    EXPECT_NE(page.Image(0), 0);
    EXPECT_EQ(page.Image(1), 0);
}

}  // namespace
