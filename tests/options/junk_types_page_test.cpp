#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <atomic>

#include "config/settings.h"
#include "options/option_rules.h"
#include "options/options_dialog.h"
#include "options/options_ids.h"
#include "support/modal_answerer.h"
#include "options_bed.h"
#include "ui/list_view.h"

namespace {

using config::JunkType;
using config::ValueSet;
using testsupport::MenuItem;
using Rows = std::vector<std::pair<std::string, bool>>;

// The junk types page of an options dialog, with what the tests need of it.
struct JunkPage : optest::CheckListTab {
    JunkPage() : CheckListTab(options::kJunkTypesTab, IDC_JUNK_LIST) {}
    HWND Page() { return sheet->Page(options::kJunkTypesTab).Hwnd(); }
    std::string Description(int row) { return ui::ListView(List()).Text(row, 1); }
};

// Fills the editor and confirms it.
testsupport::ModalAnswerer::Answer TypeIntoEditor(std::string name, std::string description) {
    return [name, description](HWND editor) {
        ::SendMessageA(::GetDlgItem(editor, IDC_FILE_NAME), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
        ::SendMessageA(::GetDlgItem(editor, IDC_DESCRIPTION), WM_SETTEXT, 0,
                       reinterpret_cast<LPARAM>(description.c_str()));
        optest::Click(::GetDlgItem(editor, IDOK));
    };
}

TEST(JunkTypesPage, AddPutsTheNewEntryAtTheTopCheckedWhateverIsSelected) {
    optest::ProgramBed bed;
    testsupport::ModalAnswerer answerer;
    JunkPage page;
    optest::SelectRow(page.List(), 1);
    answerer.Expect("_AddJunkFileDialogCaption", TypeIntoEditor("*.xyz", "Made up"));
    optest::ClickIcon(page.Add());
    EXPECT_EQ(answerer.Pending(), 0u);
    EXPECT_EQ(optest::ListRows(page.List()), (Rows{{"*.xyz", true}, {"*.old", false}, {"*.chk", true}}));
    EXPECT_EQ(page.Description(0), "Made up");
    EXPECT_EQ(optest::SelectedRow(page.List()), 2);  // the same entry as before

    // A second entry with a pattern already listed is kept, and both are saved.
    answerer.Expect("_AddJunkFileDialogCaption", TypeIntoEditor("*.chk", ""));
    optest::ClickIcon(page.Add());
    page.Ok();
    EXPECT_EQ(config::LoadJunkTypes(ValueSet::Custom), (std::vector<JunkType>{{"*.chk", "", 1},
                                                                              {"*.xyz", "Made up", 1},
                                                                              {"*.old", "Old file", 0},
                                                                              {"*.chk", "Disk check", 1}}));
}

TEST(JunkTypesPage, TheEditorRefusesAnEmptyFileNameAndStaysOpen) {
    optest::ProgramBed bed;
    testsupport::ModalAnswerer answerer;
    JunkPage page;
    std::atomic<bool> stayedOpen{false};
    answerer.Expect("_AddJunkFileDialogCaption", [&](HWND editor) {
        ::SendMessageA(::GetDlgItem(editor, IDC_DESCRIPTION), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("no name"));
        ::PostMessageA(::GetDlgItem(editor, IDOK), BM_CLICK, 0, 0);
        if (!answerer.WaitForMessages(1)) return;
        ::SendMessageA(editor, WM_NULL, 0, 0);  // the refusal has been handled
        stayedOpen = ::IsWindow(editor) && ::IsWindowVisible(editor);
        TypeIntoEditor(" ", "blank")(editor);  // a blank is a name: texts are taken as typed
    });
    optest::ClickIcon(page.Add());
    EXPECT_EQ(answerer.Messages(), std::vector<std::string>{"_JunkFileNameIsNULL"});
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(optest::ListRows(page.List()).front(), (std::pair<std::string, bool>{" ", true}));
}

TEST(JunkTypesPage, EditChangesBothTextsAndKeepsTheIconAndTheCheck) {
    optest::ProgramBed bed;
    testsupport::ModalAnswerer answerer;
    JunkPage page;
    optest::SelectRow(page.List(), 0);
    int image = page.Image(0);
    std::string shownName, shownDescription;
    answerer.ExpectMenu(options::kJunkEdit);
    answerer.Expect("_ModifyJunkFileDialogCaption", [&](HWND editor) {
        shownName = platform::WindowText(::GetDlgItem(editor, IDC_FILE_NAME));
        shownDescription = platform::WindowText(::GetDlgItem(editor, IDC_DESCRIPTION));
        TypeIntoEditor("*.txt", "Text")(editor);
    });
    optest::RightClickList(page.List());
    EXPECT_EQ(answerer.Pending(), 0u);
    EXPECT_EQ(shownName, "*.old");
    EXPECT_EQ(shownDescription, "Old file");
    EXPECT_EQ(optest::ListRows(page.List()), (Rows{{"*.txt", false}, {"*.chk", true}}));
    EXPECT_EQ(page.Description(0), "Text");
    EXPECT_EQ(page.Image(0), image);
}

TEST(JunkTypesPage, AnEntryWhoseTextIsALanguageKeyReachesTheEditorUntranslated) {
    optest::ProgramBed bed;
    testsupport::WriteFile(bed.Place().LanguagePath(), "[String]\n_Default=Factory list\n_Backup=Saved copy\n");
    std::string xml = optest::kSettingsXml;
    xml.replace(xml.find("file=\"*.old\""), 12, "file=\"_Default\"");
    xml.replace(xml.find("\"Old file\""), 10, "\"_Backup\"");
    bed.Place().WriteSettings(xml);
    testsupport::ModalAnswerer answerer;
    JunkPage page;
    std::string shownName, shownDescription;
    answerer.ExpectMenu(options::kJunkEdit);
    answerer.Expect("_ModifyJunkFileDialogCaption", [&](HWND editor) {
        shownName = platform::WindowText(::GetDlgItem(editor, IDC_FILE_NAME));
        shownDescription = platform::WindowText(::GetDlgItem(editor, IDC_DESCRIPTION));
        optest::Click(::GetDlgItem(editor, IDOK));
    });
    optest::RightClickList(page.List());
    EXPECT_EQ(shownName, "_Default");
    EXPECT_EQ(shownDescription, "_Backup");
    EXPECT_EQ(optest::ListRows(page.List()).front().first, "_Default");
}

TEST(JunkTypesPage, DeleteRemovesTheSelectedRowAndSelectsTheOneThatTakesItsPlace) {
    struct Case {
        std::vector<int> deletes;  // rows selected before each delete, in turn (-1: none)
        Rows left;
        int selected;
        std::vector<std::string> messages;
    } cases[] = {
        {{0}, {{"*.chk", true}}, 0, {}},
        {{1}, {{"*.old", false}}, 0, {}},  // the last row: the new last is selected
        {{1, 0}, {}, -1, {}},              // the only row: nothing is left to select
        {{-1}, {{"*.old", false}, {"*.chk", true}}, -1, {"_Pleaseselectacategory"}},
    };
    for (const Case& c : cases) {
        optest::ProgramBed bed;
        testsupport::ModalAnswerer answerer;
        JunkPage page;
        for (int row : c.deletes) {
            ListView_SetItemState(page.List(), -1, 0, LVIS_SELECTED);
            if (row >= 0) optest::SelectRow(page.List(), row);
            optest::ClickIcon(page.Delete());
        }
        EXPECT_EQ(optest::ListRows(page.List()), c.left);
        EXPECT_EQ(optest::SelectedRow(page.List()), c.selected);
        EXPECT_EQ(answerer.Messages(), c.messages);
        page.Ok();
        EXPECT_EQ(config::LoadJunkTypes(ValueSet::Custom).size(), c.left.size());
    }
}

TEST(JunkTypesPage, TheContextMenuOffersDeleteAndEditOnlyWhileARowIsSelected) {
    optest::ProgramBed bed;
    testsupport::ModalAnswerer answerer;
    JunkPage page;
    optest::SelectRow(page.List(), 1);
    answerer.ExpectMenu(options::kJunkCheckAll);
    optest::RightClickList(page.List());
    EXPECT_EQ(optest::ListRows(page.List()), (Rows{{"*.old", true}, {"*.chk", true}}));
    EXPECT_EQ(optest::SelectedRow(page.List()), 1);  // checking keeps the selection
    ListView_SetItemState(page.List(), -1, 0, LVIS_SELECTED);
    answerer.ExpectMenu(options::kJunkUncheckAll);
    optest::RightClickList(page.List());
    EXPECT_EQ(optest::ListRows(page.List()), (Rows{{"*.old", false}, {"*.chk", false}}));

    std::vector<MenuItem> selected{{1, "_arjMenuAdd"}, {2, "_arjMenuDel"}, {3, "_arjMenuEdit"}, {0, ""},
                                   {4, "_arjMenuSelectAll"}, {5, "_arjMenuDeselectAll"}};
    std::vector<MenuItem> none{{1, "_arjMenuAdd"}, {0, ""}, {4, "_arjMenuSelectAll"}, {5, "_arjMenuDeselectAll"}};
    EXPECT_EQ(answerer.Menus(), (std::vector<std::vector<MenuItem>>{selected, none}));
    EXPECT_TRUE(answerer.Unexpected().empty());
}

// Shift+F10 and the menu key open the same menu as a right click; the
// WM_CONTEXTMENU that follows a right click opens none of its own.
TEST(JunkTypesPage, TheKeyboardOpensTheContextMenuToo) {
    optest::ProgramBed bed;
    testsupport::ModalAnswerer answerer;
    JunkPage page;
    HWND sheetPage = ::GetParent(page.List());
    optest::SelectRow(page.List(), 0);
    answerer.ExpectMenu(options::kJunkUncheckAll);
    ::SendMessageA(sheetPage, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(page.List()), -1);
    EXPECT_EQ(optest::ListRows(page.List()), (Rows{{"*.old", false}, {"*.chk", false}}));
    ::SendMessageA(sheetPage, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(page.List()), MAKELPARAM(30, 30));
    EXPECT_EQ(answerer.Menus().size(), 1u);
    EXPECT_TRUE(answerer.Unexpected().empty());
}

TEST(JunkTypesPage, DefaultShowsTheFactoryListKeepingTheSelectedIndex) {
    optest::ProgramBed bed;
    JunkPage page;
    EXPECT_EQ(optest::ListRows(page.List()), (Rows{{"*.old", false}, {"*.chk", true}}));
    EXPECT_EQ(optest::SelectedRow(page.List()), 0);
    optest::SelectRow(page.List(), 1);
    optest::Click(page.sheet.PageItem(options::kJunkTypesTab, IDC_PAGE_DEFAULT));
    EXPECT_EQ(optest::ListRows(page.List()), (Rows{{"*.tmp", true}, {"*.bak", false}, {"~*", true}}));
    EXPECT_EQ(page.Description(1), "Backup copy");
    EXPECT_EQ(optest::SelectedRow(page.List()), 1);
}

}  // namespace
