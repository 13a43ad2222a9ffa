// Scans and cleans through the real pages and jobs, on scratch trees: the
// pages' states while a job runs, refused closes, Stop, and the "auto" run.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "clean/clean_log.h"
#include "page_harness.h"
#include "pages/clean_summary_page.h"
#include "pages/cleaning_page.h"
#include "pages/drive_selection_page.h"
#include "pages/finish_page.h"
#include "pages/page_protocol.h"
#include "pages/report_page.h"
#include "pages/resource_ids.h"
#include "pages/scan_page.h"
#include "platform/handle.h"
#include "support/modal_answerer.h"
#include "support/text_lines.h"
#include "support/ui/unexpected_services.h"
#include "ui/list_view.h"

namespace {

using pagetest::FakeWizard;
using pagetest::PagePlace;
using pagetest::PumpUntil;
using pagetest::SettingsPlan;
using pagetest::WindowText;
using testsupport::FileExists;
using testsupport::WriteFile;

class FlowTest : public ::testing::Test {
protected:
    // All six pages in a test wizard, made for one run mode; the selection
    // stored is folder_.
    // scan and clean stand in for the real jobs when given.
    void Open(SettingsPlan plan = {}, pages::RunMode mode = pages::RunMode::Interactive,
              pages::ScanPage::ScanJob scan = scan::RunScan,
              pages::CleaningPage::CleanJob clean = pages::CleaningPage::RunRealClean) {
        plan.selectedPaths = {folder_};
        place_ = std::make_unique<PagePlace>(plan);
        wizard_ = std::make_unique<FakeWizard>();
        pages::Session& session = wizard_->session;
        const pages::Services services = testsupport::UnexpectedServices();
        drive_ = &wizard_->Add(pages::kDriveSelectionPage, std::make_unique<pages::DriveSelectionPage>(services, mode),
                               IDD_PG_DRIVE_SELECTION);
        scan_ = &wizard_->Add(pages::kScanningPage, std::make_unique<pages::ScanPage>(session, mode, scan),
                              IDD_PG_SCANNING);
        report_ = &wizard_->Add(pages::kReportPage, std::make_unique<pages::ReportPage>(session, services, mode),
                                IDD_PG_REPORT);
        wizard_->Add(pages::kCleanSummaryPage, std::make_unique<pages::CleanSummaryPage>(session, services, mode),
                     IDD_PG_CLEAN_SUMMARY);
        cleaning_ = &wizard_->Add(pages::kCleaningPage, std::make_unique<pages::CleaningPage>(session, mode, clean),
                                  IDD_PG_CLEANING);
        wizard_->Add(pages::kFinishPage, std::make_unique<pages::FinishPage>(session, services, mode),
                     IDD_PG_FINISH);
        list_.Attach(report_->Item(IDC_PG_LIST));
    }
    void TearDown() override {
        wizard_.reset();
        place_.reset();
    }
    void Command(pages::WizardPage* page, int id) { ::SendMessageA(page->Hwnd(), WM_COMMAND, id, 0); }
    bool ScanEnded() {
        return PumpUntil([&] { return !scan_->JobRunning(); });
    }
    bool CleanEnded() {
        return PumpUntil([&] { return !cleaning_->JobRunning(); });
    }
    int RowOf(const std::string& name) const { return pagetest::RowNamed(list_.Hwnd(), name); }
    LRESULT QueryCancel(pages::WizardPage* page) { return ::SendMessageA(page->Hwnd(), pages::WM_WIZARD_QUERYCANCEL, 0, 0); }

    std::string folder_ = testsupport::NewScratchFolder("flow", 'd');
    std::unique_ptr<PagePlace> place_;
    std::unique_ptr<FakeWizard> wizard_;
    pages::DriveSelectionPage* drive_ = nullptr;
    pages::ScanPage* scan_ = nullptr;
    pages::ReportPage* report_ = nullptr;
    pages::CleaningPage* cleaning_ = nullptr;
    ui::ListView list_;
};

TEST_F(FlowTest, ScanThenCleanRemovesTheTickedJunkAndNothingElse) {
    for (const char* name : {"a.tmp", "b.log", "keep.txt", "sub\\c.bak", "sub\\spare.tmp"}) {
        testsupport::MakeFolders(folder_ + "\\sub");
        WriteFile(folder_ + "\\" + name, "junk");
    }
    Open();
    wizard_->Show(pages::kDriveSelectionPage);
    Command(drive_, pages::kNextButton);
    ASSERT_TRUE(ScanEnded());
    EXPECT_EQ(wizard_->Current(), pages::kReportPage);
    EXPECT_EQ(list_.Count(), 4);
    EXPECT_EQ(WindowText(scan_->Item(IDC_PG_STATUS)), "Scan completed");
    EXPECT_EQ(WindowText(report_->Item(IDC_PG_REPORT_COUNT)), "4 files found");
    EXPECT_FALSE(::IsWindowEnabled(scan_->Item(IDC_PG_STOP)));
    EXPECT_EQ(wizard_->enableMasks.back(), 3);

    pagetest::PressSpaceOn(list_.Hwnd(), RowOf("spare.tmp"));
    Command(report_, pages::kNextButton);
    EXPECT_EQ(wizard_->Current(), pages::kCleanSummaryPage);
    EXPECT_EQ(WindowText(::GetDlgItem(wizard_->PageWindow(pages::kCleanSummaryPage), IDC_PG_PAGE_INFO)),
              "3 files will be cleaned");
    ::SendMessageA(wizard_->PageWindow(pages::kCleanSummaryPage), WM_COMMAND, pages::kNextButton, 0);
    ASSERT_TRUE(CleanEnded());
    PumpUntil([&] { return wizard_->Current() == pages::kFinishPage; });
    EXPECT_EQ(wizard_->Current(), pages::kFinishPage);

    EXPECT_FALSE(FileExists(folder_ + "\\a.tmp"));
    EXPECT_FALSE(FileExists(folder_ + "\\b.log"));
    EXPECT_FALSE(FileExists(folder_ + "\\sub\\c.bak"));
    EXPECT_TRUE(FileExists(folder_ + "\\sub\\spare.tmp"));
    EXPECT_TRUE(FileExists(folder_ + "\\keep.txt"));
    EXPECT_EQ(WindowText(cleaning_->Item(IDC_PG_STATUS)), "Clean completed");
    HWND bar = cleaning_->Item(IDC_PG_PROGRESS);
    EXPECT_EQ(::SendMessageA(bar, PBM_GETRANGE, FALSE, 0), 3);
    EXPECT_EQ(::SendMessageA(bar, PBM_GETPOS, 0, 0), 3);
    EXPECT_EQ(wizard_->cancelText, "Finish");
    EXPECT_EQ(wizard_->enableMasks.back(), 0) << "the finish page disables Back and Next";
    // What went, by type, under the result line; the unticked file is not in it.
    ui::ListView types(::GetDlgItem(wizard_->PageWindow(pages::kFinishPage), IDC_PG_TYPE_LIST));
    ASSERT_EQ(types.Count(), 3);
    std::set<std::string> typeRows;
    for (int row = 0; row < 3; ++row) typeRows.insert(types.Text(row, 0) + " " + types.Text(row, 1));
    EXPECT_EQ(typeRows, (std::set<std::string>{"junk *.tmp 1", "junk *.log 1", "junk *.bak 1"}));

    // A new task: the same selection is scanned again and the list rebuilt.
    ::SendMessageA(wizard_->PageWindow(pages::kFinishPage), WM_COMMAND, IDC_PG_START_NEW_TASK, 0);
    EXPECT_EQ(wizard_->cancelText, "Cancel");
    Command(drive_, pages::kNextButton);
    ASSERT_TRUE(ScanEnded());
    EXPECT_EQ(list_.Count(), 1);
    EXPECT_EQ(wizard_->session.Findings().Count(), 1u);
    EXPECT_EQ(list_.StateImage(0), 2);
}

// A file of the given length whose bytes take no room: marked sparse where
// the file system can, and made long by moving its end.
void MakeLongFile(const std::string& path, uint64_t size) {
    platform::UniqueHandle file(
        ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file) << path;
    DWORD returned = 0;
    ::DeviceIoControl(file.Get(), FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
    LARGE_INTEGER end{};
    end.QuadPart = static_cast<LONGLONG>(size);
    ASSERT_TRUE(::SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN));
    ASSERT_TRUE(::SetEndOfFile(file.Get()));
}

// Sizes come from the scan's listing and travel with each finding to the
// report's column and count line, the summary, the finish page and the log:
// an empty file, one beyond 4 GB (whose low 32 bits alone would make it
// smaller than the rest) and thousands of ordinary ones.
TEST_F(FlowTest, ListedSizesReachTheReportTheSummaryTheFinishPageAndTheLog) {
    constexpr int kSmall = 2500;
    constexpr uint64_t kSmallSize = 1024;
    constexpr uint64_t kHugeSize = (4ull << 30) + 512;
    const std::string huge = folder_ + "\\huge.tmp";
    testsupport::MakeFolders(folder_ + "\\many");
    for (int i = 0; i < kSmall; ++i) {
        WriteFile(folder_ + "\\many\\" + std::to_string(i) + ".log", std::string(kSmallSize, 'x'));
    }
    WriteFile(folder_ + "\\empty.tmp", "");
    MakeLongFile(huge, kHugeSize);
    Open();
    place_->CopyShipped("JunkSweep.lng");
    wizard_->Show(pages::kDriveSelectionPage);
    Command(drive_, pages::kNextButton);
    ASSERT_TRUE(PumpUntil([&] { return !scan_->JobRunning(); }, 120000));
    ASSERT_EQ(list_.Count(), kSmall + 2);
    const int hugeRow = RowOf("huge.tmp"), emptyRow = RowOf("empty.tmp");
    EXPECT_EQ(list_.Text(hugeRow, pages::ReportPage::kSizeColumn), "4.00 GB");
    EXPECT_EQ(list_.Text(emptyRow, pages::ReportPage::kSizeColumn), "0 Bytes");
    EXPECT_EQ(list_.Text(RowOf("7.log"), pages::ReportPage::kSizeColumn), "1.00 KB");
    auto countLine = [&] {
        pagetest::PumpPending();
        return WindowText(report_->Item(IDC_PG_REPORT_COUNT));
    };
    EXPECT_EQ(countLine(), "Junk files found: 2502  (to clean: 2502 files, 4.00 GB)");

    // By size, by number: the empty file first, the one beyond 4 GB last.
    report_->SortBy(pages::ReportPage::kSizeColumn);
    EXPECT_EQ(list_.Text(0, pages::ReportPage::kNameColumn), "empty.tmp");
    EXPECT_EQ(list_.Text(list_.Count() - 1, pages::ReportPage::kNameColumn), "huge.tmp");

    const int last = list_.Count() - 1;
    pagetest::PressSpaceOn(list_.Hwnd(), last);
    EXPECT_EQ(countLine(), "Junk files found: 2502  (to clean: 2501 files, 2.44 MB)");
    pagetest::PressSpaceOn(list_.Hwnd(), last);
    // Paths compare without case: the scan spells the drive letter as the
    // drive selection does.
    auto lower = [](std::string path) {
        std::transform(path.begin(), path.end(), path.begin(),
                       [](char c) { return static_cast<char>(std::tolower(c)); });
        return path;
    };
    std::set<std::string> unticked;
    for (int row = 0; row < list_.Count() && unticked.size() < 50; ++row) {
        const std::string name = list_.Text(row, pages::ReportPage::kNameColumn);
        if (name.size() < 4 || name.compare(name.size() - 4, 4, ".log") != 0) continue;
        pagetest::PressSpaceOn(list_.Hwnd(), row);
        unticked.insert(lower(folder_ + "\\many\\" + name));
    }
    const uint64_t taken = kHugeSize + (kSmall - 50) * kSmallSize;
    EXPECT_EQ(countLine(), "Junk files found: 2502  (to clean: 2452 files, 4.00 GB)");

    Command(report_, pages::kNextButton);
    HWND summary = wizard_->PageWindow(pages::kCleanSummaryPage);
    EXPECT_EQ(WindowText(::GetDlgItem(summary, IDC_PG_PAGE_INFO)), "Files to clean: 2452 (4.00 GB)");
    ::SendMessageA(summary, WM_COMMAND, pages::kNextButton, 0);
    ASSERT_TRUE(PumpUntil([&] { return !cleaning_->JobRunning(); }, 120000));
    PumpUntil([&] { return wizard_->Current() == pages::kFinishPage; });
    EXPECT_EQ(WindowText(::GetDlgItem(wizard_->PageWindow(pages::kFinishPage), IDC_PG_RESULT_LINE)),
              "Cleaned 2452 files, 4.00 GB.");
    EXPECT_FALSE(FileExists(huge));
    EXPECT_TRUE(FileExists(*unticked.begin()));  // case-blind, as the drive is

    // The log: every file cleaned with its size in bytes, and the sum.
    WIN32_FIND_DATAA entry{};
    platform::FindHandle find(::FindFirstFileA((clean::LogRoot() + "*.log").c_str(), &entry));
    ASSERT_TRUE(find);
    const auto log = testsupport::TabRowsOf(testsupport::ReadFile(clean::LogRoot() + entry.cFileName));
    EXPECT_FALSE(::FindNextFileA(find.Get(), &entry)) << "one log";
    ASSERT_EQ(log.size(), 2453u);
    const std::map<std::string, std::string> oddSizes = {{lower(huge), "4294967808"},
                                                         {lower(folder_ + "\\empty.tmp"), "0"}};
    std::set<std::string> logged;
    for (size_t i = 0; i + 1 < log.size(); ++i) {
        ASSERT_GE(log[i].size(), 4u);
        const std::string path = lower(log[i][0]);
        auto odd = oddSizes.find(path);
        EXPECT_EQ(log[i][1], odd != oddSizes.end() ? odd->second : "1024") << path;
        EXPECT_EQ(log[i][3], "cleaned") << path;
        EXPECT_FALSE(unticked.count(path)) << path;
        logged.insert(path);
    }
    EXPECT_EQ(logged.size(), 2452u);
    EXPECT_TRUE(logged.count(lower(huge)));
    const auto& summaryLine = log.back();
    EXPECT_NE(std::find(summaryLine.begin(), summaryLine.end(), "cleaned=2452"), summaryLine.end());
    EXPECT_NE(std::find(summaryLine.begin(), summaryLine.end(), "cleaned_bytes=" + std::to_string(taken)),
              summaryLine.end());
}

TEST_F(FlowTest, WhileAJobRunsTheWizardCannotCloseNorTheUserLeaveOrStartAgain) {
    for (int i = 0; i < 20; ++i) WriteFile(folder_ + "\\" + std::to_string(i) + ".tmp", "x");
    Open();
    wizard_->Show(pages::kScanningPage);
    testsupport::ModalAnswerer boxes;
    // The page takes the job's result on this thread: until this thread
    // serves its messages, the job counts as running.
    ::SendMessageA(scan_->Hwnd(), pages::WM_SCANPAGE_STARTSCAN, 0, 0);
    ASSERT_TRUE(scan_->JobRunning());
    Command(scan_, pages::kBackButton);
    Command(scan_, pages::kNextButton);
    ::SendMessageA(scan_->Hwnd(), pages::WM_SCANPAGE_STARTSCAN, 0, 0);
    EXPECT_TRUE(wizard_->showRequests.empty());
    EXPECT_NE(QueryCancel(scan_), 0);
    EXPECT_EQ(boxes.Messages(), std::vector<std::string>{"Please wait while scanning"});
    ASSERT_TRUE(ScanEnded());
    EXPECT_EQ(std::count(wizard_->enableMasks.begin(), wizard_->enableMasks.end(), 0), 1) << "one job only";
    EXPECT_EQ(QueryCancel(scan_), 0);
    EXPECT_EQ(list_.Count(), 20);

    wizard_->Show(pages::kCleaningPage);
    ::SendMessageA(cleaning_->Hwnd(), pages::WM_CLEANPAGE_START, 0, 0);
    ASSERT_TRUE(cleaning_->JobRunning());
    size_t requests = wizard_->showRequests.size();
    Command(cleaning_, pages::kBackButton);
    EXPECT_EQ(wizard_->showRequests.size(), requests);
    EXPECT_NE(QueryCancel(cleaning_), 0);
    EXPECT_EQ(boxes.Messages().back(), "Please wait while cleaning");
    ASSERT_TRUE(CleanEnded());
    EXPECT_EQ(QueryCancel(cleaning_), 0);
    EXPECT_EQ(boxes.Messages().size(), 2u);
    EXPECT_FALSE(FileExists(folder_ + "\\7.tmp"));
}

// Runs the action (once) when the control is first given a text that is
// not empty, right after the control took it.
LRESULT CALLBACK OnFirstText(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
    auto& action = *reinterpret_cast<std::function<void()>*>(data);
    if (message == WM_SETTEXT && lParam && *reinterpret_cast<const char*>(lParam) && action) {
        std::function<void()> once = std::move(action);
        action = nullptr;
        once();
    }
    return result;
}

// The real scan, held after its first count until a stop is requested (or
// a long time has passed): the count reaches the window, and the user
// presses Stop, before the walk goes on, however fast it is.
scan::ScanResult ScanHeldAtItsFirstCount(const scan::ScanRequest& request, platform::JobProgress& progress,
                                         const platform::StopFlag& stop) {
    class Held : public platform::JobProgress {
    public:
        Held(platform::JobProgress& owner, const platform::StopFlag& stop) : owner_(owner), stop_(stop) {}
        void SetStatus(const std::string& text) override { owner_.SetStatus(text); }
        void SetRange(uint32_t steps) override { owner_.SetRange(steps); }
        void SetPosition(int position) override { owner_.SetPosition(position); }
        void SetCount(uint64_t count) override {
            owner_.SetCount(count);
            for (int waited = 0; !held_ && waited < 20000 && !platform::StopRequested(stop_); ++waited) ::Sleep(1);
            held_ = true;
        }

    private:
        platform::JobProgress& owner_;
        const platform::StopFlag& stop_;
        bool held_ = false;
    } held(progress, stop);
    return scan::RunScan(request, held, stop);
}

TEST_F(FlowTest, StopEndsTheScanWithWhatWasFoundSoFar) {
    for (const char* sub : {"one", "two", "three"}) {
        testsupport::MakeFolders(folder_ + "\\" + sub);
        for (int i = 0; i < 40; ++i) WriteFile(folder_ + "\\" + sub + "\\" + std::to_string(i) + ".tmp", "x");
    }
    Open({}, pages::RunMode::Interactive, ScanHeldAtItsFirstCount);
    wizard_->Show(pages::kScanningPage);
    // Stop is pressed when the first count shows, while the job waits.
    bool stopWasEnabled = false, stopGreyedAtOnce = false;
    std::function<void()> pressStop = [&] {
        stopWasEnabled = ::IsWindowEnabled(scan_->Item(IDC_PG_STOP));
        Command(scan_, IDC_PG_STOP);
        stopGreyedAtOnce = !::IsWindowEnabled(scan_->Item(IDC_PG_STOP));
    };
    HWND count = scan_->Item(IDC_PG_COUNT);
    ::SetWindowSubclass(count, OnFirstText, 1, reinterpret_cast<DWORD_PTR>(&pressStop));
    ::SendMessageA(scan_->Hwnd(), pages::WM_SCANPAGE_STARTSCAN, 0, 0);
    ASSERT_TRUE(ScanEnded());
    ::RemoveWindowSubclass(count, OnFirstText, 1);
    EXPECT_TRUE(stopWasEnabled);
    EXPECT_TRUE(stopGreyedAtOnce) << "greys out at once";
    EXPECT_EQ(WindowText(scan_->Item(IDC_PG_STATUS)), "Scan stopped");
    EXPECT_EQ(wizard_->Current(), pages::kReportPage);
    EXPECT_GT(list_.Count(), 0);
    EXPECT_LT(list_.Count(), 120);
}

// The clean's plan: the ticked findings in the order the report shows
// them, and the settings as they are when the clean starts.
TEST_F(FlowTest, TheCleanTakesTheTickedFindingsInTheReportsOrderAndTheSettingsOfItsStart) {
    std::vector<std::string> taken;
    clean::CleanSettings planned;
    SettingsPlan settings;
    settings.clean = 0;
    settings.moveToFolder = 1;
    settings.moveToFolderPath = "e:\\moved";
    settings.traces[4] = 1;
    Open(settings, pages::RunMode::Interactive, scan::RunScan,
         [&](clean::CleanPlan plan, platform::JobProgress&, const platform::StopFlag&) {
             for (const clean::CleanItem& item : plan.files) taken.push_back(item.path);
             planned = plan.settings;
             clean::CleanResult result;
             result.files = std::move(plan.files);
             return result;
         });
    std::vector<pagetest::Found> files;
    for (int i = 0; i < 4; ++i) files.push_back({folder_ + "\\" + std::to_string(i) + ".tmp"});
    wizard_->session.SetFindings(pagetest::FindingsOf(files));
    wizard_->Show(pages::kReportPage);
    pagetest::PressSpaceOn(list_.Hwnd(), 1);
    report_->SortBy(pages::ReportPage::kNameColumn);
    report_->SortBy(pages::ReportPage::kNameColumn);  // 3, 2, 1, 0
    Command(report_, pages::kNextButton);
    ::SendMessageA(wizard_->PageWindow(pages::kCleanSummaryPage), WM_COMMAND, pages::kNextButton, 0);
    ASSERT_TRUE(CleanEnded());
    EXPECT_EQ(taken, (std::vector<std::string>{files[3].path, files[2].path, files[0].path}));
    EXPECT_FALSE(planned.deleteFiles);
    EXPECT_TRUE(planned.moveToFolder);
    EXPECT_EQ(planned.moveTarget, "e:\\moved");
    EXPECT_TRUE(planned.traces[4]);
    EXPECT_EQ(wizard_->Current(), pages::kFinishPage);
    ASSERT_NE(wizard_->session.LastClean(), nullptr);
    EXPECT_EQ(wizard_->session.LastClean()->files.size(), 3u);
}

TEST_F(FlowTest, TheProgressBarKeepsRangesBeyondSixteenBits) {
    Open();
    cleaning_->Progress().SetRange(70000);
    cleaning_->Progress().SetPosition(69999);
    pagetest::PumpPending();
    HWND bar = cleaning_->Item(IDC_PG_PROGRESS);
    EXPECT_EQ(::SendMessageA(bar, PBM_GETRANGE, FALSE, 0), 70000);
    EXPECT_EQ(::SendMessageA(bar, PBM_GETPOS, 0, 0), 69999);
}

TEST_F(FlowTest, WithAutoTheWholeRunGoesOnByItselfAndNoButtonComesBackDuringTheClean) {
    for (int i = 0; i < 30; ++i) WriteFile(folder_ + "\\" + std::to_string(i) + ".log", "x");
    WriteFile(folder_ + "\\keep.txt", "x");
    Open({}, pages::RunMode::Unattended);
    int enabledDuringClean = 0, shownDuringAJob = 0;
    wizard_->onEnable = [&](int mask) {
        if (mask != 0 && cleaning_->JobRunning()) ++enabledDuringClean;
    };
    // No page moves the run on while a job has not handed back its result.
    wizard_->onShow = [&](int) { shownDuringAJob += scan_->JobRunning() || cleaning_->JobRunning(); };
    wizard_->Show(pages::kDriveSelectionPage);
    ASSERT_TRUE(PumpUntil([&] { return wizard_->closeRequests > 0; }));
    EXPECT_EQ(enabledDuringClean, 0);
    EXPECT_EQ(shownDuringAJob, 0);
    EXPECT_EQ(wizard_->showRequests,
              (std::vector<int>{pages::kScanningPage, pages::kReportPage, pages::kCleanSummaryPage, pages::kCleaningPage,
                                pages::kFinishPage}));
    EXPECT_FALSE(FileExists(folder_ + "\\29.log"));
    EXPECT_TRUE(FileExists(folder_ + "\\keep.txt"));
    // Every job has said its last word; closing now leaves nothing behind.
    EXPECT_TRUE(ScanEnded());
    EXPECT_TRUE(CleanEnded());
}

TEST_F(FlowTest, ClosingTheProgramDuringAScanStopsAndJoinsTheJob) {
    // A scan that counts and goes on until it is stopped.
    std::atomic<bool> stopSeen{false};
    Open({}, pages::RunMode::Interactive,
         [&](const scan::ScanRequest&, platform::JobProgress& progress, const platform::StopFlag& stop) {
             progress.SetCount(1);
             while (!platform::StopRequested(stop)) ::Sleep(1);
             stopSeen = true;
             return scan::ScanResult{};
         });
    ::SendMessageA(scan_->Hwnd(), pages::WM_SCANPAGE_STARTSCAN, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return !WindowText(scan_->Item(IDC_PG_COUNT)).empty(); }));
    ASSERT_TRUE(scan_->JobRunning());
    // Windows first, then the page objects, whose jobs end without a hang.
    ULONGLONG start = ::GetTickCount64();
    wizard_->Close();
    EXPECT_LT(::GetTickCount64() - start, 10000u);
    EXPECT_TRUE(stopSeen);
}

}  // namespace
