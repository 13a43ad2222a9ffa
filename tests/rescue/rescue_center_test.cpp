#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <memory>

#include "clean/backup_layout.h"
#include "clean/clean_log.h"
#include "paths/path_text.h"
#include "platform/window_text.h"
#include "rescue/backup_sets.h"
#include "rescue/rescue_center.h"
#include "rescue/rescue_center_dialog.h"
#include "rescue/rescue_resources.h"
#include "rescue_fixtures.h"
#include "support/modal_answerer.h"
#include "support/scratch.h"

namespace {

using rescuetest::MakeSet;
using Rows = std::vector<std::string>;

constexpr const char* kLanguage =
    "[String]\n_AppName=JunkSweep\n_undoDialog=Rescue Center\n_udItemFormat=%02d/%02d/%04d %02d:%02d:%02d\n"
    "_NoBackupItemBeFound=None\n_pleaseselectandate=Select one\n_AreYouSureDelBackupFile=Delete?\n"
    "_AreYouSureRestoreBackupFile=Restore?\n_udCompleted=Done\n_udOpenLog=Open Log\n_udNoLog=No log\n";

class RescueCenterTest : public testing::Test {
protected:
    RescueCenterTest() {
        testsupport::WriteFile(place_.LanguagePath(), kLanguage);
        root_ = paths::WithoutTrailingBackslash(clean::BackupRoot());
        testsupport::MakeFolders(root_);
    }
    ~RescueCenterTest() override { ::DestroyWindow(center_.Hwnd()); }

    // The real template, modeless, so that the test thread can drive it.
    void Open() {
        ::ShowWindow(center_.Create(nullptr, IDD_RESCUE_CENTER), SW_SHOWNA);
        list_.Attach(center_.Item(IDC_RESCUE_SET_LIST));
    }
    Rows Texts() const {
        Rows rows;
        for (int i = 0; i < list_.Count(); ++i) rows.push_back(list_.Text(i, 0));
        return rows;
    }
    bool Enabled(int id) const { return ::IsWindowEnabled(center_.Item(id)); }
    std::string Status() const { return platform::WindowText(center_.Item(IDC_RESCUE_STATUS)); }
    void Click(int id) const { ::SendMessageA(center_.Item(id), BM_CLICK, 0, 0); }
    // What a click does, also to a disabled button.
    void Command(int id) const { ::SendMessageA(center_.Hwnd(), WM_COMMAND, id, 0); }
    void Notify(int code) const {
        NMHDR header{list_.Hwnd(), IDC_RESCUE_SET_LIST, static_cast<UINT>(code)};
        ::SendMessageA(center_.Hwnd(), WM_NOTIFY, IDC_RESCUE_SET_LIST, reinterpret_cast<LPARAM>(&header));
    }
    void DoubleClick() const { Notify(NM_DBLCLK); }
    int RowOf(const std::string& text) const {
        Rows rows = Texts();
        return static_cast<int>(std::find(rows.begin(), rows.end(), text) - rows.begin());
    }

    testsupport::ProgramPlace place_{"center"};
    std::string root_;
    std::vector<std::string> opened_;
    rescue::RescueCenter center_{[this](const std::string& folder) { opened_.push_back(folder); }};
    ui::ListView list_;
};

TEST_F(RescueCenterTest, ListsTheSetsInListingOrderAndOpensThemOnDoubleClick) {
    const std::map<std::string, std::string> texts = {{"2006-12-05_10-20-30", "12/05/2006 10:20:30"},
                                                      {"2006-12-06_09-00-00", "12/06/2006 09:00:00"},
                                                      {"2006-1-5_1-2-3", "01/05/2006 01:02:03"}};
    for (const auto& [name, text] : texts) MakeSet(root_, name);
    MakeSet(root_, "Old");
    Rows expected;
    for (const auto& folder : rescue::ListSetFolders(root_)) {
        if (texts.count(folder.name)) expected.push_back(texts.at(folder.name));
    }
    Open();
    EXPECT_EQ(Texts(), expected);
    EXPECT_EQ(list_.Selected(), -1);
    EXPECT_TRUE(Enabled(IDC_RESCUE_DELETE) && Enabled(IDC_RESCUE_RESTORE));

    DoubleClick();  // nothing selected
    list_.Select(2);
    DoubleClick();
    ASSERT_EQ(opened_.size(), 1u);
    EXPECT_EQ(texts.at(opened_[0].substr(root_.size() + 1)), expected[2]);

    // A set written since shows after the next fill; the selected index stays.
    MakeSet(root_, "2007-01-02_03-04-05");
    center_.FillList();
    EXPECT_EQ(list_.Count(), 4);
    EXPECT_EQ(list_.Selected(), 2);
}

TEST_F(RescueCenterTest, WithoutSetsThePlaceholderShowsAndNothingActsOnIt) {
    MakeSet(root_, "Old");
    Open();
    EXPECT_EQ(Texts(), Rows{"None"});
    EXPECT_FALSE(Enabled(IDC_RESCUE_DELETE) || Enabled(IDC_RESCUE_RESTORE) || Enabled(IDC_RESCUE_OPEN_LOG));
    testsupport::ModalAnswerer watcher(center_.Hwnd());
    // No selection: both ask for one.
    Command(IDC_RESCUE_DELETE);
    Command(IDC_RESCUE_RESTORE);
    // The placeholder selected: nothing at all.
    list_.Select(0);
    Command(IDC_RESCUE_DELETE);
    Command(IDC_RESCUE_RESTORE);
    DoubleClick();
    EXPECT_EQ(watcher.Messages(), (Rows{"Select one", "Select one"}));
    EXPECT_TRUE(opened_.empty());
    EXPECT_EQ(Status(), "");
    EXPECT_TRUE(testsupport::FolderExists(root_ + "\\Old"));
}

TEST_F(RescueCenterTest, DeletingTheLastRowSelectsTheNewLastRow) {
    for (const char* name : {"2006-12-05_10-20-30", "2006-12-06_09-00-00", "2006-12-07_14-05-09"}) {
        MakeSet(root_, name, {{"C\\x.txt", name}});
    }
    Open();
    const std::string last = list_.Text(2, 0);
    list_.Select(2);
    testsupport::ModalAnswerer watcher(center_.Hwnd(), IDCANCEL);
    Click(IDC_RESCUE_DELETE);
    EXPECT_EQ(list_.Count(), 3);
    watcher.SetMessageAnswer(IDOK);
    Click(IDC_RESCUE_DELETE);
    EXPECT_EQ(watcher.Messages(), (Rows{"Delete?", "Delete?"}));
    EXPECT_EQ(list_.Count(), 2);
    EXPECT_EQ(list_.Selected(), 1);
    const Rows left = Texts();
    EXPECT_EQ(std::count(left.begin(), left.end(), last), 0);
    EXPECT_EQ(rescue::ListSetFolders(root_).size(), 2u);
    EXPECT_EQ(Status(), "Done");
    EXPECT_TRUE(Enabled(IDC_RESCUE_DELETE) && Enabled(IDC_RESCUE_RESTORE) && Enabled(IDCANCEL));
    Click(IDC_RESCUE_DELETE);
    Click(IDC_RESCUE_DELETE);
    EXPECT_EQ(Texts(), Rows{"None"});
    EXPECT_EQ(list_.Selected(), 0);
}

TEST_F(RescueCenterTest, RestorePutsTheFilesBackAndTheSetLeavesTheList) {
    MakeSet(root_, "2006-12-05_10-20-30", {{"E\\docs\\a.txt", "alpha"}});
    MakeSet(root_, "2006-12-06_09-00-00", {{"E\\other.txt", "other"}});
    Open();
    list_.Select(Texts()[0] == "12/05/2006 10:20:30" ? 0 : 1);
    testsupport::ModalAnswerer watcher(center_.Hwnd());
    Click(IDC_RESCUE_RESTORE);
    EXPECT_EQ(watcher.Messages(), Rows{"Restore?"});
    EXPECT_EQ(testsupport::ReadFile("e:\\docs\\a.txt"), "alpha");
    EXPECT_FALSE(testsupport::FileExists("e:\\other.txt"));
    EXPECT_EQ(Texts(), Rows{"12/06/2006 09:00:00"});
    EXPECT_EQ(list_.Selected(), 0);
    EXPECT_EQ(Status(), "Done");
}

// The log of a set's clean carries the set's name; the button and the
// list's context menu open it with the shell.
TEST_F(RescueCenterTest, OpensTheLogOfTheSelectedSetsClean) {
    MakeSet(root_, "2006-12-05_10-20-30");
    MakeSet(root_, "2006-12-06_09-00-00");
    testsupport::MakeFolders(paths::WithoutTrailingBackslash(clean::LogRoot()));
    const std::string log = clean::LogPathFor("2006-12-05_10-20-30");
    testsupport::WriteFile(log, "summary\tfiles=0\r\n");
    Open();
    EXPECT_TRUE(Enabled(IDC_RESCUE_OPEN_LOG));
    // This thread's windows: the menus and message boxes, and the center itself, which stays.
    testsupport::ModalAnswerer answerer;
    answerer.Expect("Rescue Center", [](HWND) {});
    // The menu first: a message box closing hands the activation round
    // afterwards, which would end a menu open at that moment.
    list_.Select(RowOf("12/05/2006 10:20:30"));
    answerer.ExpectMenu(rescue::RescueCenter::kOpenLog);
    Notify(NM_RCLICK);
    Click(IDC_RESCUE_OPEN_LOG);
    list_.Select(RowOf("12/06/2006 09:00:00"));
    Command(IDC_RESCUE_OPEN_LOG);  // a set whose clean left no log
    ListView_SetItemState(list_.Hwnd(), -1, 0, LVIS_SELECTED);
    Command(IDC_RESCUE_OPEN_LOG);  // nothing selected
    EXPECT_EQ(answerer.Messages(), (Rows{"No log", "Select one"}));
    EXPECT_EQ(opened_, (Rows{log, log}));
    EXPECT_EQ(answerer.Menus(), (std::vector<std::vector<testsupport::MenuItem>>{{{1, "Open Log"}}}));
    EXPECT_TRUE(answerer.Unexpected().empty());
}

TEST(ShowRescueCenter, RunsModallyUntilClosed) {
    testsupport::ProgramPlace place("modal");
    testsupport::WriteFile(place.LanguagePath(), kLanguage);
    testsupport::ModalAnswerer answerer;
    answerer.Expect("Rescue Center",
                    [](HWND window) { ::SendMessageA(::GetDlgItem(window, IDCANCEL), BM_CLICK, 0, 0); });
    rescue::ShowRescueCenter(nullptr);
    EXPECT_EQ(answerer.Pending(), 0u);
}

}  // namespace
