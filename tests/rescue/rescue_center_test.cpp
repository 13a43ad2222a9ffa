#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <thread>

#include "platform/handle.h"
#include "rescue/backup_sets.h"
#include "rescue/rescue_center.h"
#include "rescue/rescue_center_dialog.h"
#include "rescue/rescue_resources.h"
#include "rescue_fixtures.h"
#include "support/scratch.h"

namespace {

using rescuetest::MakeSet;
using rescuetest::MessageBoxWatcher;

constexpr const char* kLanguage =
    "[String]\n"
    "_AppName=JunkSweep\n"
    "_undoDialog=Rescue Center\n"
    "_udItemFormat=%02d/%02d/%04d %02d:%02d:%02d\n"
    "_NoBackupItemBeFound=No backup found\n"
    "_pleaseselectandate=Please select a date\n"
    "_AreYouSureDelBackupFile=Delete this backup?\n"
    "_AreYouSureRestoreBackupFile=Restore this backup?\n"
    "_udCompleted=Completed\n";

class RescueCenterTest : public testing::Test {
protected:
    RescueCenterTest() : place_("center") {
        testsupport::WriteFile(place_.LanguagePath(), kLanguage);
        root_ = rescue::BackupRoot();
        root_.pop_back();
        testsupport::MakeFolders(root_);
    }
    ~RescueCenterTest() override {
        if (center_ && center_->Hwnd()) ::DestroyWindow(center_->Hwnd());
    }

    HWND Open() {
        center_ = std::make_unique<rescue::RescueCenter>([this](const std::string& f) { opened_.push_back(f); });
        HWND hwnd = center_->Create(nullptr, IDD_RESCUE_CENTER);
        ::ShowWindow(hwnd, SW_SHOWNA);
        list_.Attach(center_->Item(IDC_RESCUE_SET_LIST));
        return hwnd;
    }
    std::vector<std::string> Rows() const {
        std::vector<std::string> rows;
        for (int i = 0; i < list_.Count(); ++i) rows.push_back(list_.Text(i, 0));
        return rows;
    }
    bool Enabled(int id) const { return ::IsWindowEnabled(center_->Item(id)) != FALSE; }
    std::string Status() const {
        char text[256] = {};
        ::GetWindowTextA(center_->Item(IDC_RESCUE_STATUS), text, sizeof text);
        return text;
    }
    void Click(int id) const { ::SendMessageA(center_->Item(id), BM_CLICK, 0, 0); }
    // What a click does, also for a disabled button.
    void Command(int id) const {
        ::SendMessageA(center_->Hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(center_->Item(id)));
    }
    void DoubleClick(int row) const {
        list_.Select(row);
        NMITEMACTIVATE activate{};
        activate.hdr = {list_.Hwnd(), IDC_RESCUE_SET_LIST, static_cast<UINT>(NM_DBLCLK)};
        activate.iItem = row;
        ::SendMessageA(center_->Hwnd(), WM_NOTIFY, IDC_RESCUE_SET_LIST, reinterpret_cast<LPARAM>(&activate));
    }
    void Deselect() const { ListView_SetItemState(list_.Hwnd(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED); }

    testsupport::ProgramPlace place_;
    std::string root_;
    std::unique_ptr<rescue::RescueCenter> center_;
    ui::ListView list_;
    std::vector<std::string> opened_;
};

TEST_F(RescueCenterTest, ControlsSitWhereTheTemplatePutsThem) {
    HWND hwnd = Open();
    struct Place {
        int id;
        RECT units;  // left, top, width, height in dialog units
    } places[] = {
        {IDC_RESCUE_HEADER_INFO, {35, 7, 211, 35}}, {IDC_RESCUE_SET_LIST, {7, 48, 239, 117}},
        {IDC_RESCUE_STATUS, {7, 169, 239, 8}},      {IDC_RESCUE_DELETE, {88, 180, 50, 14}},
        {IDC_RESCUE_RESTORE, {142, 180, 50, 14}},   {IDCANCEL, {196, 180, 50, 14}},
    };
    for (const auto& p : places) {
        // The dialog manager converts position and size separately.
        RECT mapped = p.units;
        ::MapDialogRect(hwnd, &mapped);
        RECT expected{mapped.left, mapped.top, mapped.left + mapped.right, mapped.top + mapped.bottom};
        RECT actual{};
        ::GetWindowRect(center_->Item(p.id), &actual);
        ::MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&actual), 2);
        EXPECT_EQ(actual.left, expected.left) << p.id;
        EXPECT_EQ(actual.top, expected.top) << p.id;
        EXPECT_EQ(actual.right, expected.right) << p.id;
        EXPECT_EQ(actual.bottom, expected.bottom) << p.id;
    }
    LONG style = ::GetWindowLongA(list_.Hwnd(), GWL_STYLE);
    EXPECT_EQ(style & LVS_TYPEMASK, LVS_LIST);
    EXPECT_TRUE(style & LVS_SINGLESEL);
    EXPECT_TRUE(style & LVS_SHOWSELALWAYS);
    EXPECT_EQ(::GetWindowLongA(center_->Item(IDC_RESCUE_STATUS), GWL_STYLE) & SS_TYPEMASK, SS_RIGHT);
    char caption[64] = {};
    ::GetWindowTextA(hwnd, caption, sizeof caption);
    EXPECT_STREQ(caption, "Rescue Center");
    EXPECT_EQ(Status(), "");
}

TEST_F(RescueCenterTest, ListsTheSetsInListingOrderWithTheirDates) {
    for (const char* name : {"2006-12-05_10-20-30", "Old", "2006-12-06_09-00-00", "2006-1-5_1-2-3"}) {
        MakeSet(root_, name, {});
    }
    // The order the platform lists the folders in, sets only.
    const std::map<std::string, std::string> texts = {{"2006-12-05_10-20-30", "12/05/2006 10:20:30"},
                                                      {"2006-12-06_09-00-00", "12/06/2006 09:00:00"},
                                                      {"2006-1-5_1-2-3", "01/05/2006 01:02:03"}};
    std::vector<std::string> expected;
    for (const auto& folder : rescue::ListSetFolders(root_)) {
        if (texts.count(folder.name)) expected.push_back(texts.at(folder.name));
    }
    ASSERT_EQ(expected.size(), 3u);
    Open();
    EXPECT_EQ(Rows(), expected);
    EXPECT_TRUE(Enabled(IDC_RESCUE_DELETE));
    EXPECT_TRUE(Enabled(IDC_RESCUE_RESTORE));
    EXPECT_EQ(list_.Selected(), -1);
    EXPECT_GE(::ImageList_GetImageCount(list_.SmallImages()), 3);

    // A set written since is there after the next refill; the selection stays.
    list_.Select(1);
    MakeSet(root_, "2007-01-02_03-04-05", {});
    center_->FillList();
    EXPECT_EQ(list_.Count(), 4);
    EXPECT_EQ(list_.Selected(), 1);
}

TEST_F(RescueCenterTest, WithoutSetsOnlyThePlaceholderShowsAndItDoesNothing) {
    MakeSet(root_, "Old", {});
    Open();
    EXPECT_EQ(Rows(), std::vector<std::string>{"No backup found"});
    EXPECT_FALSE(Enabled(IDC_RESCUE_DELETE));
    EXPECT_FALSE(Enabled(IDC_RESCUE_RESTORE));

    MessageBoxWatcher watcher(center_->Hwnd());
    list_.Select(0);
    Command(IDC_RESCUE_DELETE);
    Command(IDC_RESCUE_RESTORE);
    DoubleClick(0);
    EXPECT_TRUE(watcher.Texts().empty());
    EXPECT_TRUE(opened_.empty());
    EXPECT_EQ(Status(), "");
    EXPECT_TRUE(testsupport::FolderExists(root_ + "\\Old"));

    // A root that is not there at all reads the same.
    ::RemoveDirectoryA((root_ + "\\Old").c_str());
    ::RemoveDirectoryA(root_.c_str());
    center_->FillList();
    EXPECT_EQ(Rows(), std::vector<std::string>{"No backup found"});
    EXPECT_EQ(list_.Selected(), 0);
}

TEST_F(RescueCenterTest, DeleteAndRestoreWithoutASelectionAskForOne) {
    std::string set = MakeSet(root_, "2006-12-05_10-20-30", {{"E\\docs\\a.txt", "a"}});
    Open();
    MessageBoxWatcher watcher(center_->Hwnd());
    Click(IDC_RESCUE_DELETE);
    Click(IDC_RESCUE_RESTORE);
    EXPECT_EQ(watcher.Texts(), (std::vector<std::string>{"Please select a date", "Please select a date"}));
    EXPECT_TRUE(testsupport::FileExists(set + "\\E\\docs\\a.txt"));
    EXPECT_FALSE(testsupport::FileExists("e:\\docs\\a.txt"));
    EXPECT_EQ(Status(), "");
}

TEST_F(RescueCenterTest, DeletingTheLastRowSelectsTheNewLastRow) {
    for (const char* name : {"2006-12-05_10-20-30", "2006-12-06_09-00-00", "2006-12-07_14-05-09"}) {
        MakeSet(root_, name, {{"C\\x.txt", name}});
    }
    Open();
    ASSERT_EQ(list_.Count(), 3);
    const std::string lastText = list_.Text(2, 0);
    list_.Select(2);

    MessageBoxWatcher watcher(center_->Hwnd(), IDCANCEL);
    Click(IDC_RESCUE_DELETE);
    EXPECT_EQ(list_.Count(), 3);  // cancelled
    EXPECT_EQ(Status(), "");

    watcher.SetAnswer(IDOK);
    Click(IDC_RESCUE_DELETE);
    EXPECT_EQ(watcher.Texts(), (std::vector<std::string>{"Delete this backup?", "Delete this backup?"}));
    EXPECT_EQ(list_.Count(), 2);
    EXPECT_EQ(list_.Selected(), 1);
    EXPECT_EQ(Status(), "Completed");
    for (const std::string& row : Rows()) EXPECT_NE(row, lastText);
    EXPECT_EQ(rescue::ListSetFolders(root_).size(), 2u);
    for (int id : {IDC_RESCUE_DELETE, IDC_RESCUE_RESTORE, IDCANCEL}) EXPECT_TRUE(Enabled(id)) << id;

    // Deleting the remaining two leaves the placeholder, selected.
    Click(IDC_RESCUE_DELETE);
    Click(IDC_RESCUE_DELETE);
    EXPECT_EQ(Rows(), std::vector<std::string>{"No backup found"});
    EXPECT_EQ(list_.Selected(), 0);
    EXPECT_FALSE(Enabled(IDC_RESCUE_DELETE));
}

TEST_F(RescueCenterTest, RestorePutsTheFilesBackAndTheSetLeavesTheList) {
    std::string set = MakeSet(root_, "2006-12-05_10-20-30", {{"E\\docs\\a.txt", "alpha"}});
    MakeSet(root_, "2006-12-06_09-00-00", {{"E\\other.txt", "other"}});
    Open();
    int row = 0;
    while (row < list_.Count() && list_.Text(row, 0) != "12/05/2006 10:20:30") ++row;
    ASSERT_LT(row, list_.Count());
    list_.Select(row);

    MessageBoxWatcher watcher(center_->Hwnd());
    Click(IDC_RESCUE_RESTORE);
    EXPECT_EQ(watcher.Texts(), std::vector<std::string>{"Restore this backup?"});
    EXPECT_EQ(testsupport::ReadFile("e:\\docs\\a.txt"), "alpha");
    EXPECT_FALSE(testsupport::FolderExists(set));
    EXPECT_FALSE(testsupport::FileExists("e:\\other.txt"));
    EXPECT_EQ(Rows(), std::vector<std::string>{"12/06/2006 09:00:00"});
    EXPECT_EQ(list_.Selected(), 0);
    EXPECT_EQ(Status(), "Completed");
}

TEST_F(RescueCenterTest, DoubleClickOpensTheSetsFolder) {
    std::string set = MakeSet(root_, "2006-12-05_10-20-30", {});
    Open();
    Deselect();
    NMITEMACTIVATE activate{};
    activate.hdr = {list_.Hwnd(), IDC_RESCUE_SET_LIST, static_cast<UINT>(NM_DBLCLK)};
    activate.iItem = -1;
    ::SendMessageA(center_->Hwnd(), WM_NOTIFY, IDC_RESCUE_SET_LIST, reinterpret_cast<LPARAM>(&activate));
    EXPECT_TRUE(opened_.empty());
    DoubleClick(0);
    EXPECT_EQ(opened_, std::vector<std::string>{set});
}

TEST(ShowRescueCenter, RunsModallyUntilClosed) {
    testsupport::ProgramPlace place("modal");
    testsupport::WriteFile(place.LanguagePath(), kLanguage);
    std::atomic<bool> closed{false};
    std::thread closer([&] {
        for (int i = 0; i < 500 && !closed; ++i) {
            HWND window = ::FindWindowA("#32770", "Rescue Center");
            if (window) {
                ::SendMessageA(::GetDlgItem(window, IDCANCEL), BM_CLICK, 0, 0);
                closed = true;
            }
            ::Sleep(10);
        }
    });
    rescue::ShowRescueCenter(nullptr);
    closer.join();
    EXPECT_TRUE(closed);
}

}  // namespace
