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
    explicit SkipPage(const ui::FolderBrowser& browse = optest::UnexpectedBrowser(),
                      ui::FileChooser chooseFile = optest::UnexpectedChooser())
        : CheckListTab(options::kSkipFoldersTab, IDC_SKIP_FOLDER_LIST, browse, std::move(chooseFile)) {}
    HWND Kept() { return sheet.PageItem(options::kSkipFoldersTab, IDC_KEEP_LIST); }
    HWND KeepAdd() { return sheet.PageItem(options::kSkipFoldersTab, IDC_KEEP_ADD); }
    HWND KeepRemove() { return sheet.PageItem(options::kSkipFoldersTab, IDC_KEEP_REMOVE); }
    // The kept rows: path, and whether it is a folder (its picture).
    std::vector<config::KeptEntry> KeptRows() {
        std::vector<config::KeptEntry> rows;
        for (const auto& [text, checked] : optest::ListRows(Kept())) {
            LVITEMA item{};
            item.mask = LVIF_IMAGE;
            item.iItem = static_cast<int>(rows.size());
            ListView_GetItem(Kept(), &item);
            rows.push_back({text, item.iImage == 1});
        }
        return rows;
    }
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

TEST(SkipFoldersPage, TheKeepListIsShownEditedByHandAndSaved) {
    using config::KeptEntry;
    optest::ProgramBed bed;
    testsupport::ModalAnswerer answerer;
    optest::BrowserAnswers folders({"d:\\", "D:\\Kept Folder", "d:\\new folder"});
    optest::BrowserAnswers files({"d:\\notes\\keep.tmp", std::nullopt});
    SkipPage page{folders.Browser(), files.Browser()};
    EXPECT_EQ(page.KeptRows(), (std::vector<KeptEntry>{{"d:\\kept\\a.tmp", false}, {"d:\\kept folder", true}}));
    // Its add and remove pictures are as small as the folder list's.
    for (const auto& [mine, folders] : {std::pair{page.KeepAdd(), page.Add()}, {page.KeepRemove(), page.Delete()}}) {
        RECT a{}, b{};
        ::GetWindowRect(mine, &a);
        ::GetWindowRect(folders, &b);
        EXPECT_EQ(std::pair(a.right - a.left, a.bottom - a.top), std::pair(b.right - b.left, b.bottom - b.top));
    }

    // A file; a cancelled file dialog; a whole drive, refused; the listed
    // folder in other letters, not listed twice; a folder through the
    // list's own menu.
    for (int command : {options::kKeepAddFile, options::kKeepAddFile, options::kKeepAddFolder, options::kKeepAddFolder}) {
        answerer.ExpectMenu(command);
        optest::ClickIcon(page.KeepAdd());
    }
    answerer.ExpectMenu(options::kKeepAddFolder);
    optest::RightClickList(page.Kept());
    const std::vector<KeptEntry> added = {{"d:\\kept\\a.tmp", false},
                                          {"d:\\kept folder", true},
                                          {"d:\\notes\\keep.tmp", false},
                                          {"d:\\new folder", true}};
    EXPECT_EQ(page.KeptRows(), added);
    EXPECT_EQ(files.Asked(), 2);
    EXPECT_EQ(folders.Asked(), 3);

    optest::SelectRow(page.Kept(), 0);
    optest::ClickIcon(page.KeepRemove());
    ListView_SetItemState(page.Kept(), -1, 0, LVIS_SELECTED);
    optest::ClickIcon(page.KeepRemove());
    EXPECT_EQ(answerer.Messages(), std::vector<std::string>{"_kpSelectFirst"});
    const std::vector<MenuItem> addMenu = {{options::kKeepAddFile, "_kpMenuAddFile"},
                                           {options::kKeepAddFolder, "_kpMenuAddFolder"}};
    std::vector<MenuItem> listMenu = addMenu;
    listMenu.push_back({options::kKeepRemove, "_kpMenuRemove"});
    EXPECT_EQ(answerer.Menus(), (std::vector<std::vector<MenuItem>>{addMenu, addMenu, addMenu, addMenu, listMenu}));

    page.Ok();
    const std::vector<KeptEntry> saved(added.begin() + 1, added.end());
    EXPECT_EQ(config::LoadKeepList(ValueSet::Custom), saved);
    SkipPage reopened;
    EXPECT_EQ(reopened.KeptRows(), saved);
    optest::Click(reopened.sheet.PageItem(options::kSkipFoldersTab, IDC_PAGE_DEFAULT));
    EXPECT_TRUE(reopened.KeptRows().empty()) << "the factory keep list is empty";
}

}  // namespace
