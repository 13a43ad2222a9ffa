// The clean summary and finish pages: rows, colours, texts and moves.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <map>
#include <set>

#include "page_harness.h"
#include "pages/clean_summary_page.h"
#include "pages/drive_listing.h"
#include "pages/drive_space.h"
#include "pages/finish_page.h"
#include "pages/page_protocol.h"
#include "pages/resource_ids.h"
#include "support/modal_answerer.h"
#include "support/ui/canvas.h"
#include "support/ui/unexpected_services.h"
#include "ui/bar_cells.h"
#include "ui/list_view.h"

namespace {

using pagetest::FakeWizard;
using pagetest::PagePlace;
using pagetest::SettingsPlan;

constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr COLORREF kGrey = RGB(192, 192, 192);

ui::RowColor DrawnColor(HWND page, HWND list, int row) {
    NMLVCUSTOMDRAW draw{};
    draw.nmcd.hdr = {list, IDC_PG_LIST, static_cast<UINT>(NM_CUSTOMDRAW)};
    draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
    draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(row);
    ::SendMessageA(page, WM_NOTIFY, IDC_PG_LIST, reinterpret_cast<LPARAM>(&draw));
    return {draw.clrText, draw.clrTextBk};
}

INT_PTR g_dialogResult = IDCANCEL;
int g_dialogCalls = 0;
std::vector<int> g_tabs;
std::function<void()> g_duringDialog;

class SummaryPageTest : public ::testing::Test {
protected:
    void Open(const SettingsPlan& plan) {
        wizard_.reset();
        place_.reset();
        place_ = std::make_unique<PagePlace>(plan);
        wizard_ = std::make_unique<FakeWizard>();
        pages::Services services = testsupport::UnexpectedServices();
        services.options = [](HWND, int tab, const ui::FolderBrowser&) {
            ++g_dialogCalls;
            g_tabs.push_back(tab);
            if (g_duringDialog) g_duringDialog();
            return g_dialogResult;
        };
        services.advancedSettings = [](HWND) {
            ++g_dialogCalls;
            if (g_duringDialog) g_duringDialog();
            return g_dialogResult;
        };
        auto page = std::make_unique<pages::CleanSummaryPage>(wizard_->session, services);
        page_ = &wizard_->Add(pages::kCleanSummaryPage, std::move(page), IDD_PG_CLEAN_SUMMARY);
        list_.Attach(page_->Item(IDC_PG_LIST));
    }
    void TearDown() override {
        wizard_.reset();
        g_dialogResult = IDCANCEL;
        g_dialogCalls = 0;
        g_tabs.clear();
        g_duringDialog = nullptr;
    }
    std::string Info() const { return pagetest::WindowText(page_->Item(IDC_PG_PAGE_INFO)); }
    std::string Mode() const { return pagetest::WindowText(page_->Item(IDC_PG_COUNT)); }
    std::vector<std::string> Column(int column) const {
        std::vector<std::string> texts;
        for (int row = 0; row < list_.Count(); ++row) texts.push_back(list_.Text(row, column));
        return texts;
    }

    std::unique_ptr<FakeWizard> wizard_;
    std::unique_ptr<PagePlace> place_;
    pages::CleanSummaryPage* page_ = nullptr;
    ui::ListView list_;
};

TEST_F(SummaryPageTest, OnlyTheSwitchedOnRowIsGreenAndEveryOtherGrey) {
    SettingsPlan plan;
    plan.traces[3] = 1;  // the recycle bin
    Open(plan);
    wizard_->Show(pages::kCleanSummaryPage);
    EXPECT_EQ(wizard_->enableMasks, std::vector<int>{3});
    ASSERT_EQ(list_.Count(), 14);
    EXPECT_EQ(list_.Text(0, 0), "_EnabledBakcup");
    EXPECT_EQ(list_.Text(4, 0), "_adCleanRecycleBin");
    for (int row = 0; row < 14; ++row) {
        SCOPED_TRACE(row);
        bool on = row == 4;
        EXPECT_EQ(list_.Text(row, 1), on ? "on" : "off");
        ui::RowColor color = DrawnColor(page_->Hwnd(), list_.Hwnd(), row);
        EXPECT_EQ(color.text, on ? kGreen : kGrey);
        EXPECT_EQ(color.background, RGB(255, 255, 255));
    }
}

TEST_F(SummaryPageTest, ModeLineNamesTheFirstDisposalThatIsOn) {
    struct Case {
        int clean, recycle, move;
        std::string folder, expected;
    } cases[] = {
        {1, 1, 0, "", "delete them"},
        {0, 1, 1, "", "recycle them"},
        {0, 0, 1, "D:\\Junk\\", "move them to D:\\Junk\\"},
        {0, 0, 0, "", "_ClrModeInfo"},  // none: the line keeps its text
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        SettingsPlan plan;
        plan.clean = c.clean;
        plan.moveToRecycle = c.recycle;
        plan.moveToFolder = c.move;
        plan.moveToFolderPath = c.folder;
        Open(plan);
        wizard_->Show(pages::kCleanSummaryPage);
        EXPECT_EQ(Mode(), c.expected);
        TearDown();
    }
}

TEST_F(SummaryPageTest, CountsTheTickedFindingsOfTheSession) {
    Open({});
    std::vector<pagetest::Found> files(6);
    for (size_t i = 0; i < files.size(); ++i) files[i].path = "d:\\none\\" + std::to_string(i) + ".tmp";
    wizard_->session.SetFindings(pagetest::FindingsOf(files));
    wizard_->session.SetTicked(2, false);
    wizard_->Show(pages::kCleanSummaryPage);
    EXPECT_EQ(Info(), "5 files will be cleaned");
    ::SendMessageA(page_->Hwnd(), WM_COMMAND, pages::kBackButton, 0);
    wizard_->Show(pages::kCleanSummaryPage);
    ::SendMessageA(page_->Hwnd(), WM_COMMAND, pages::kNextButton, 0);
    EXPECT_EQ(wizard_->showRequests, (std::vector<int>{pages::kReportPage, pages::kCleaningPage}));
}

TEST_F(SummaryPageTest, RefreshesAfterTheSettingsDialogsOnlyWhenTheyEndWithOk) {
    SettingsPlan plan;
    Open(plan);
    wizard_->Show(pages::kCleanSummaryPage);
    EXPECT_EQ(Column(1)[0], "off");
    plan.backup = 1;
    g_duringDialog = [&] { place_->WriteSettings(pagetest::SettingsXml(plan)); };

    ::SendMessageA(page_->Hwnd(), WM_COMMAND, IDC_PG_CLEAN_OPTIONS, 0);  // Cancel
    EXPECT_EQ(Column(1)[0], "off");
    g_dialogResult = IDOK;
    ::SendMessageA(page_->Hwnd(), WM_COMMAND, IDC_PG_CLEAN_OPTIONS, 0);
    EXPECT_EQ(Column(1)[0], "on");
    EXPECT_EQ(g_tabs, (std::vector<int>{3, 3}));

    plan.backup = 0;
    g_dialogResult = IDCANCEL;
    ::SendMessageA(page_->Hwnd(), WM_COMMAND, IDC_PG_ADVANCED_OPTIONS, 0);
    EXPECT_EQ(Column(1)[0], "on");
    g_dialogResult = IDOK;
    ::SendMessageA(page_->Hwnd(), WM_COMMAND, IDC_PG_ADVANCED_OPTIONS, 0);
    EXPECT_EQ(Column(1)[0], "off");

    // The wizard's word that the options changed refreshes too.
    g_duringDialog = nullptr;
    plan.traces[12] = 1;
    place_->WriteSettings(pagetest::SettingsXml(plan));
    ::SendMessageA(page_->Hwnd(), pages::WM_WIZARD_SETTINGSCHANGED, 0, 0);
    EXPECT_EQ(Column(1)[13], "on");
    EXPECT_EQ(g_dialogCalls, 4);
}

TEST_F(SummaryPageTest, WithoutASettingsFileEveryRowIsOffAndTheModeLineStays) {
    Open({});
    wizard_->Show(pages::kCleanSummaryPage);
    EXPECT_EQ(Mode(), "delete them");
    ::DeleteFileA(place_->SettingsPath().c_str());
    ::SendMessageA(page_->Hwnd(), pages::WM_WIZARD_SETTINGSCHANGED, 0, 0);
    EXPECT_EQ(Mode(), "delete them");
    EXPECT_EQ(Column(1), std::vector<std::string>(14, "off"));
}

TEST(FormatSize, PicksTheLargestUnitThatFitsWithTwoDecimals) {
    struct Case {
        uint64_t bytes;
        const char* text;
    } cases[] = {
        {0, "0 Bytes"},
        {512, "512 Bytes"},
        {1023, "1023 Bytes"},
        {1024, "1.00 KB"},
        {1536, "1.50 KB"},
        {1048575, "1024.00 KB"},
        {1048576, "1.00 MB"},
        {1073741823, "1024.00 MB"},
        {5ull << 30, "5.00 GB"},
        {5ull << 40, "5120.00 GB"},
    };
    for (const Case& c : cases) EXPECT_EQ(pages::FormatSize(c.bytes), c.text) << c.bytes;
}

std::map<std::string, std::optional<uint64_t>> g_free;
std::optional<uint64_t> FakeFree(const std::string& root) {
    auto it = g_free.find(root);
    return it == g_free.end() ? std::nullopt : it->second;
}

TEST(MeasureFreeSpace, ADriveWhoseQueryFailsKeepsItsCount) {
    pages::DriveSpace table;
    g_free = {{"C:\\", 100}, {"D:\\", std::nullopt}};
    pages::MeasureFreeSpace(table, pages::Measurement::Before, {"D:\\", "C:\\"}, FakeFree);
    g_free = {{"C:\\", 300}, {"D:\\", 50}};
    pages::MeasureFreeSpace(table, pages::Measurement::After, {"D:\\", "C:\\"}, FakeFree);
    g_free = {{"C:\\", std::nullopt}, {"D:\\", 70}};
    pages::MeasureFreeSpace(table, pages::Measurement::After, {"D:\\", "C:\\"}, FakeFree);
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table.begin()->first, "C:\\") << "in drive-letter order";
    EXPECT_EQ(table["C:\\"].before, 100u);
    EXPECT_EQ(table["C:\\"].after, 300u);
    EXPECT_EQ(table["D:\\"].before, 0u);
    EXPECT_EQ(table["D:\\"].after, 70u);
}

class FinishPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const std::string& root : pages::FixedDriveRoots()) g_free[root] = 2048;
        Make(pages::RunMode::Interactive);
    }
    // (Re)makes the finish page for a run mode; "before" is measured now.
    void Make(pages::RunMode mode) {
        page_ = &wizard_.Add(pages::kFinishPage,
                             std::make_unique<pages::FinishPage>(wizard_.session, services_, mode, FakeFree),
                             IDD_PG_FINISH);
        list_.Attach(page_->Item(IDC_PG_LIST));
    }
    void TearDown() override { g_free.clear(); }

    pages::Services services_ = testsupport::UnexpectedServices();
    PagePlace place_;
    FakeWizard wizard_;
    pages::FinishPage* page_ = nullptr;
    ui::ListView list_;
};

TEST_F(FinishPageTest, ShowsBeforeFromCreationAndAfterFromEachShowingGreenWhereSpaceGrew) {
    g_free["D:\\"] = 1536;
    g_free["E:\\"] = 5ull << 30;
    wizard_.Show(pages::kFinishPage);
    std::vector<std::string> roots = pages::FixedDriveRoots();
    ASSERT_EQ(list_.Count(), static_cast<int>(roots.size()));
    for (int row = 0; row < list_.Count(); ++row) {
        std::string root = list_.Text(row, 0);
        SCOPED_TRACE(root);
        EXPECT_EQ(list_.Text(row, 1), "2.00 KB") << "measured when the page was made";
        ui::RowColor color = DrawnColor(page_->Hwnd(), list_.Hwnd(), row);
        if (root == "D:\\") {
            EXPECT_EQ(list_.Text(row, 2), "1.50 KB");
            EXPECT_EQ(color.text, kGrey) << "shrank";
        } else if (root == "E:\\") {
            EXPECT_EQ(list_.Text(row, 2), "5.00 GB");
            EXPECT_EQ(color.text, kGreen);
        } else {
            EXPECT_EQ(color.text, kGrey) << "unchanged";
        }
    }
    // A second showing measures "after" again; "before" stays.
    wizard_.Show(pages::kCleaningPage);
    g_free["D:\\"] = 4096;
    wizard_.Show(pages::kFinishPage);
    for (int row = 0; row < list_.Count(); ++row) {
        if (list_.Text(row, 0) != "D:\\") continue;
        EXPECT_EQ(list_.Text(row, 1), "2.00 KB");
        EXPECT_EQ(list_.Text(row, 2), "4.00 KB");
        EXPECT_EQ(DrawnColor(page_->Hwnd(), list_.Hwnd(), row).text, kGreen);
    }
    EXPECT_EQ(list_.Count(), static_cast<int>(roots.size())) << "rows are replaced, not added";
}

TEST_F(FinishPageTest, RenamesCancelWhileShownDisablesBackAndNextAndStartsANewTask) {
    wizard_.Show(pages::kFinishPage);
    EXPECT_EQ(wizard_.enableMasks, std::vector<int>{0});
    EXPECT_EQ(wizard_.cancelText, "Finish");
    EXPECT_EQ(wizard_.closeRequests, 0);
    ::SendMessageA(page_->Hwnd(), WM_COMMAND, IDC_PG_START_NEW_TASK, 0);
    EXPECT_EQ(wizard_.showRequests, std::vector<int>{pages::kDriveSelectionPage});
    EXPECT_EQ(wizard_.cancelText, "Cancel");
    wizard_.Show(pages::kFinishPage);
    ::SendMessageA(page_->Hwnd(), WM_COMMAND, pages::kBackButton, 0);
    EXPECT_EQ(wizard_.showRequests.back(), pages::kCleaningPage);
}

// A clean's result as its job reports it: one listed file per size and
// outcome.
clean::CleanResult ResultOf(const std::vector<std::pair<uint64_t, clean::FileOutcome>>& files, bool preview = false) {
    clean::CleanResult result;
    for (const auto& [size, outcome] : files) {
        const std::string path = "d:\\junk\\f" + std::to_string(result.files.size()) + ".tmp";
        result.files.emplace_back(path, platform::FileStamp{size, 0});
        result.outcomes.push_back(outcome);
    }
    result.preview = preview;
    result.stopped = true;  // files no phase reached were stopped
    result.logPath = "d:\\logs\\2006-12-07_14-05-09.log";
    return result;
}

TEST_F(FinishPageTest, SaysInOneLineWhatTheCleanDidAndOffersTheFilesNotCleaned) {
    using O = clean::FileOutcome;
    constexpr uint64_t kHalfMb = 512 * 1024;
    // Every way a file can stay, each once.
    const std::vector<O> staying = {O::KeptNoCopy, O::KeptStopped, O::KeptNoPlace, O::KeptChanged, O::KeptLink,
                                    O::InUse,      O::Denied,      O::Missing,     O::NotBinned,   O::Failed,
                                    O::Waiting,    O::BackedUp};
    std::vector<std::pair<uint64_t, O>> mixed(4, {kHalfMb, O::Cleaned});
    for (O outcome : staying) mixed.push_back({1024, outcome});
    struct Case {
        const char* label;
        clean::CleanResult result;
        const char* line;
        bool offersList;
    } cases[] = {
        {"all cleaned", ResultOf({{kHalfMb, O::Cleaned}, {3 * kHalfMb, O::Cleaned}}), "Cleaned 2 files, 2.00 MB.",
         false},
        {"some stayed", ResultOf(mixed), "Cleaned 4 files, 2.00 MB; 12 could not be cleaned.", true},
        {"nothing to clean", ResultOf({}), "Cleaned 0 files, 0 Bytes.", false},
        {"preview", ResultOf({{512, O::Waiting}, {1024, O::Waiting}}, true),
         "Preview only: 2 files, 1.50 KB would be cleaned. Nothing was changed.", false},
    };
    place_.CopyShipped("JunkSweep.lng");
    std::vector<std::string> opened;
    services_.openAddress = [&](const std::string& path) { opened.push_back(path); };
    Make(pages::RunMode::Interactive);
    wizard_.Show(pages::kFinishPage);
    auto line = [&] { return pagetest::WindowText(page_->Item(IDC_PG_RESULT_LINE)); };
    HWND button = page_->Item(IDC_PG_NOT_CLEANED);
    auto offered = [button] { return (::GetWindowLongA(button, GWL_STYLE) & WS_VISIBLE) != 0; };
    EXPECT_EQ(line(), "") << "no clean yet";
    EXPECT_FALSE(offered());
    // The page shows the session's last clean each time it is shown.
    auto showResult = [&](const clean::CleanResult& result) {
        wizard_.session.SetLastClean(result);
        wizard_.Show(pages::kCleaningPage);
        wizard_.Show(pages::kFinishPage);
    };
    for (const Case& c : cases) {
        showResult(c.result);
        EXPECT_EQ(line(), c.line) << c.label;
        EXPECT_EQ(offered(), c.offersList) << c.label;
    }

    // The list of the files that stayed, with their sizes and reasons.
    showResult(cases[1].result);
    std::vector<std::vector<std::string>> rows;
    testsupport::ModalAnswerer answerer;
    answerer.Expect("Files Not Cleaned", [&](HWND dialog) {
        ui::ListView shown(::GetDlgItem(dialog, IDC_PG_LIST));
        for (int row = 0; row < shown.Count(); ++row) {
            rows.push_back({shown.Text(row, 0), shown.Text(row, 1), shown.Text(row, 2)});
        }
        ::SendMessageA(::GetDlgItem(dialog, IDC_PG_OPEN_LOG), BM_CLICK, 0, 0);
        ::SendMessageA(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    });
    ::SendMessageA(button, BM_CLICK, 0, 0);
    EXPECT_EQ(answerer.Pending(), 0u);
    ASSERT_EQ(rows.size(), staying.size());
    std::set<std::string> reasons;
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i][0], cases[1].result.files[4 + i].path);
        EXPECT_EQ(rows[i][1], "1.00 KB");
        EXPECT_NE(rows[i][2].rfind('_', 0), 0u) << "a text, not a key: " << rows[i][2];
        reasons.insert(rows[i][2]);
    }
    EXPECT_EQ(rows[5][2], "In use by another program");
    EXPECT_EQ(rows[10][2], "The clean was stopped before it");
    // Each way of failing reads on its own; the three stopped ones alike.
    EXPECT_EQ(reasons.size(), staying.size() - 2);
    EXPECT_EQ(opened, std::vector<std::string>{cases[1].result.logPath});
}

// Under the result line, the bytes cleaned by type, largest first, each
// with a bar drawn against the largest; nothing before the first clean.
TEST_F(FinishPageTest, ShowsTheBytesCleanedByTypeWithABarEach) {
    wizard_.Show(pages::kFinishPage);
    HWND types = page_->Item(IDC_PG_TYPE_LIST);
    EXPECT_FALSE(::IsWindowVisible(types));
    clean::CleanResult result;
    using O = clean::FileOutcome;
    const struct {
        const char* foundAs;
        uint64_t size;
        O outcome;
    } files[] = {{"Log file", 1000, O::Cleaned}, {"Temporary file", 3000, O::Cleaned},
                 {"Temporary file", 1000, O::Cleaned}, {"Log file", 1000, O::Cleaned},
                 {"Backup copy", 9000, O::InUse}};
    for (const auto& f : files) {
        result.files.emplace_back("d:\\junk\\f" + std::to_string(result.files.size()), platform::FileStamp{f.size, 0},
                                  f.foundAs);
        result.outcomes.push_back(f.outcome);
    }
    wizard_.session.SetLastClean(result);
    wizard_.Show(pages::kCleaningPage);
    wizard_.Show(pages::kFinishPage);
    EXPECT_TRUE(::IsWindowVisible(types));
    ui::ListView view(types);
    ASSERT_EQ(view.Count(), 2) << "nothing of the backup copy went";
    EXPECT_EQ(view.Text(0, 0) + "|" + view.Text(0, 1) + "|" + view.Text(0, 2), "Temporary file|2|3.91 KB");
    EXPECT_EQ(view.Text(1, 0) + "|" + view.Text(1, 1) + "|" + view.Text(1, 2), "Log file|2|1.95 KB");

    // The bars as the list draws them: the largest fills its track, the
    // other half of it.
    RECT client{};
    ::GetClientRect(types, &client);
    testsupport::Canvas canvas(client.right, client.bottom);
    ::SendMessageA(types, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT | PRF_ERASEBKGND);
    auto pixel = [&](int x, int y) { return canvas.At(x, y); };
    const ui::BarLook look;
    for (int row = 0; row < 2; ++row) {
        RECT cell{};
        ASSERT_TRUE(ListView_GetSubItemRect(types, row, 3, LVIR_BOUNDS, &cell));
        const ui::BarGeometry g = ui::BarIn(cell, row == 0 ? 4000 : 2000, 4000);
        const int middle = (g.track.top + g.track.bottom) / 2;
        EXPECT_EQ(pixel(g.track.right - 1, middle), row == 0 ? look.bar : look.track) << row;
        EXPECT_EQ(pixel(g.bar.right - 1, middle), look.bar) << row;
        EXPECT_EQ(g.bar.right - g.bar.left, (g.track.right - g.track.left + row) / (row + 1)) << row;
    }
}

TEST_F(FinishPageTest, WithAutoTheProgramClosesOnceTheListIsFilled) {
    Make(pages::RunMode::Unattended);
    wizard_.Show(pages::kFinishPage);
    EXPECT_EQ(wizard_.closeRequests, 1);
    EXPECT_GT(list_.Count(), 0);
}

}  // namespace

namespace {

const pages::Session& Session() {
    static const pages::Session session;
    return session;
}

// The pages own their lists' image lists and destroy them themselves: a list
// that destroyed them too would leave the page a freed handle to destroy again.
TEST(PageImageLists, OutliveTheListWindowUntilThePageGoes) {
    struct Case {
        int index;
        int templateId;
        std::function<pages::PagePtr()> make;
    } cases[] = {
        {pages::kCleanSummaryPage, IDD_PG_CLEAN_SUMMARY,
         [] { return pages::MakePage<pages::CleanSummaryPage>(Session(), testsupport::UnexpectedServices()); }},
        {pages::kFinishPage, IDD_PG_FINISH,
         [] {
             return pages::MakePage<pages::FinishPage>(Session(), testsupport::UnexpectedServices(),
                                                       pages::RunMode::Interactive, FakeFree);
         }},
    };
    PagePlace place;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.templateId);
        FakeWizard wizard;
        wizard.AddPage(c.index, c.make(), c.templateId);
        HWND list = ::GetDlgItem(wizard.PageWindow(c.index), IDC_PG_LIST);
        HIMAGELIST images = ui::ListView(list).SmallImages();
        ASSERT_NE(images, nullptr);
        ::DestroyWindow(list);
        int cx = 0, cy = 0;
        EXPECT_TRUE(::ImageList_GetIconSize(images, &cx, &cy));
        EXPECT_EQ(cx, 16);
    }
}

}  // namespace
