// The report page in its real window: rows, their findings and icons, the
// context menu's commands, the count line and the "auto" hand-over.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <shlobj.h>

#include <algorithm>

#include "page_harness.h"
#include "pages/page_protocol.h"
#include "pages/report_page.h"
#include "pages/resource_ids.h"
#include "config/job_requests.h"
#include "config/settings.h"
#include "platform/codepage.h"
#include "scan/scan_job.h"
#include "support/ui/unexpected_services.h"
#include "ui/list_view.h"

namespace {

using pagetest::FakeWizard;
using pagetest::PagePlace;
using pagetest::PumpPending;
using testsupport::WriteShortcut;

using pagetest::Found;

// Real files, so that the shell has icons for them.
std::vector<Found> MakeFiles(const std::string& folder, const std::vector<std::string>& names) {
    std::vector<Found> files;
    for (const std::string& name : names) {
        testsupport::WriteFile(folder + "\\" + name, "x");
        files.push_back({folder + "\\" + name});
    }
    return files;
}

// An image drawn on white, as 16x16 pixels.
std::vector<uint32_t> Pixels(HIMAGELIST images, int index) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 16, -16, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    RECT all{0, 0, 16, 16};
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::ImageList_Draw(images, index, dc, 0, 0, ILD_NORMAL);
    ::GdiFlush();
    std::vector<uint32_t> pixels(static_cast<uint32_t*>(bits), static_cast<uint32_t*>(bits) + 256);
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    return pixels;
}

// The shell's own small icon for the file, drawn the way the list draws it.
std::vector<uint32_t> ShellPixels(const std::string& path) {
    HIMAGELIST images = ::ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1);
    SHFILEINFOA info{};
    ::SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON);
    int index = info.hIcon ? ::ImageList_AddIcon(images, info.hIcon) : -1;
    if (info.hIcon) ::DestroyIcon(info.hIcon);
    std::vector<uint32_t> pixels = index >= 0 ? Pixels(images, index) : std::vector<uint32_t>();
    ::ImageList_Destroy(images);
    return pixels;
}

int RowImage(HWND list, int row) {
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    ::SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item.iImage;
}

struct ShellCall {
    std::string what, path;
};
std::vector<ShellCall> g_shellCalls;
std::vector<std::vector<ui::MenuEntry>> g_menus;
std::vector<POINT> g_menuPoints;
int g_menuChoice = 0;

pages::Services Recorders() {
    pages::Services services = testsupport::UnexpectedServices();
    services.properties = [](HWND, const std::string& path) { g_shellCalls.push_back({"properties", path}); };
    services.showInExplorer = [](const std::string& path) { g_shellCalls.push_back({"explorer", path}); };
    services.trackMenu = [](HWND, const std::vector<ui::MenuEntry>& entries, POINT at) {
        g_menus.push_back(entries);
        g_menuPoints.push_back(at);
        return g_menuChoice;
    };
    return services;
}

std::vector<int> Commands(const std::vector<ui::MenuEntry>& entries) {
    std::vector<int> commands;
    for (const ui::MenuEntry& entry : entries) commands.push_back(entry.command);
    return commands;
}

class ReportPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        Make(pages::RunMode::Interactive);
        folder_ = testsupport::NewScratchFolder("report", 'd');
    }
    // (Re)makes the report page for a run mode.
    void Make(pages::RunMode mode) {
        page_ = &wizard_.Add(pages::kReportPage, std::make_unique<pages::ReportPage>(wizard_.session, Recorders(), mode),
                             IDD_PG_REPORT);
        list_.Attach(page_->Item(IDC_PG_LIST));
    }
    // A scan's findings in the session, and the report shown with them.
    void Fill(const std::vector<Found>& files) {
        wizard_.session.SetFindings(pagetest::FindingsOf(files));
        wizard_.Show(pages::kScanningPage);
        wizard_.Show(pages::kReportPage);
    }
    void TearDown() override {
        g_shellCalls.clear();
        g_menus.clear();
        g_menuPoints.clear();
        g_menuChoice = 0;
    }
    void RightClick() {
        NMITEMACTIVATE click{};
        click.hdr = {list_.Hwnd(), IDC_PG_LIST, static_cast<UINT>(NM_RCLICK)};
        ::SendMessageA(page_->Hwnd(), WM_NOTIFY, IDC_PG_LIST, reinterpret_cast<LPARAM>(&click));
    }
    std::vector<int> Ticks() const {
        std::vector<int> states;
        for (int row = 0; row < list_.Count(); ++row) states.push_back(list_.StateImage(row));
        return states;
    }

    PagePlace place_;
    FakeWizard wizard_;
    pages::ReportPage* page_ = nullptr;
    ui::ListView list_;
    std::string folder_;
};

TEST_F(ReportPageTest, EveryFindingIsATickedRowWithNameFolderReasonAndItsShellIcon) {
    // txt is a type the system knows; tmp and bak are not, and look alike.
    auto files = MakeFiles(folder_, {"a.tmp", "B.TMP", "c.txt", "tool one.exe", "tool two.exe", "old.bak"});
    files.push_back({"d:\\root.tmp", "Zero Length File (Empty File)"});
    Fill(files);

    ASSERT_EQ(list_.Count(), 7);
    const pages::Session& session = wizard_.session;
    for (int row = 0; row < 7; ++row) {
        const Found& file = files[static_cast<size_t>(row)];
        SCOPED_TRACE(file.path);
        EXPECT_EQ(list_.Text(row, 0), file.path.substr(file.path.rfind('\\') + 1));
        EXPECT_EQ(list_.StateImage(row), 2);
        ASSERT_EQ(session.FindingAt(static_cast<size_t>(row)), static_cast<size_t>(row)) << "the scan's order";
        EXPECT_EQ(session.Findings().Path(static_cast<size_t>(row)), file.path);
    }
    EXPECT_EQ(list_.Text(0, 1), folder_);
    EXPECT_EQ(list_.Text(6, 1), "d:") << "a file in a drive's root";
    EXPECT_EQ(list_.Text(6, 2), "Zero Length File (Empty File)");

    for (int row = 0; row < 7; ++row) EXPECT_GE(RowImage(list_.Hwnd(), row), 0) << row;
    EXPECT_EQ(RowImage(list_.Hwnd(), 0), RowImage(list_.Hwnd(), 6)) << "one icon per type";
    EXPECT_EQ(RowImage(list_.Hwnd(), 0), RowImage(list_.Hwnd(), 5)) << "one icon for the unknown types";
    // txt once, the unknown types once together, and each program on its own.
    EXPECT_EQ(page_->Icons().ShellQueries(), 4u);
}

TEST_F(ReportPageTest, EveryRowShowsTheIconTheShellGivesItsFile) {
    std::string program = folder_ + "\\real program.exe";  // a real program with its own icon
    ASSERT_TRUE(::CopyFileA((testsupport::TestProgramFolder() + "\\test_pages.exe").c_str(), program.c_str(), FALSE));
    auto findings = MakeFiles(folder_, {"one.tmp", "two.TMP", "notes.txt", "README", "fake.exe", "x.bak"});
    WriteShortcut(folder_ + "\\to program.lnk", program);
    WriteShortcut(folder_ + "\\to notes.lnk", folder_ + "\\notes.txt");
    WriteShortcut(folder_ + "\\to nothing.lnk", folder_ + "\\gone\\gone.exe");
    for (const char* name : {"real program.exe", "to program.lnk", "to notes.lnk", "to nothing.lnk"}) {
        findings.push_back({folder_ + "\\" + name});
    }
    Fill(findings);
    HIMAGELIST images = list_.SmallImages();
    for (int row = 0; row < list_.Count(); ++row) {
        const std::string& path = findings[static_cast<size_t>(row)].path;
        SCOPED_TRACE(path);
        int image = RowImage(list_.Hwnd(), row);
        ASSERT_GE(image, 0);
        EXPECT_EQ(Pixels(images, image), ShellPixels(path));
    }
    EXPECT_NE(Pixels(images, RowImage(list_.Hwnd(), 6)), Pixels(images, RowImage(list_.Hwnd(), 4)))
        << "a program with an icon of its own does not look like one without";
    size_t asked = page_->Icons().ShellQueries();
    for (int row = 0; row < list_.Count(); ++row) RowImage(list_.Hwnd(), row);
    EXPECT_EQ(page_->Icons().ShellQueries(), asked) << "each file asked for once";
}

TEST_F(ReportPageTest, MadeUpExtensionsShareOneIconWhileTypesTheSystemKnowsKeepTheirOwn) {
    // A type a user registered is known; hundreds of made-up ones are not.
    const char* const kUserType = "Software\\Classes\\.jsmine";
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kUserType, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ::RegCloseKey(key);
    std::vector<std::string> names = {"mine.jsmine"};
    for (int i = 0; i < 300; ++i) names.push_back("backup.~" + std::to_string(i * 7919));
    Fill(MakeFiles(folder_, names));
    std::vector<int> images;
    for (int row = 0; row < list_.Count(); ++row) images.push_back(RowImage(list_.Hwnd(), row));
    ::RegDeleteKeyA(HKEY_CURRENT_USER, kUserType);
    EXPECT_EQ(page_->Icons().ShellQueries(), 2u);
    EXPECT_EQ(images[1], images[300]);
    EXPECT_GE(images[0], 0);
}

// A new scan's findings replace the rows, and what the user did to the old
// ones: every new row is ticked, in the scan's order, with no selection.
TEST_F(ReportPageTest, ANewScanReplacesTheRowsTheirTicksOrderAndSelection) {
    Fill(MakeFiles(folder_, {"1.tmp", "2.tmp", "3.tmp"}));
    pagetest::PressSpaceOn(list_.Hwnd(), 0);
    page_->SortBy(pages::ReportPage::kNameColumn);
    page_->SortBy(pages::ReportPage::kNameColumn);
    EXPECT_EQ(list_.Text(0, 0), "3.tmp");
    Fill(MakeFiles(folder_, {"a.log", "b.log"}));
    ASSERT_EQ(list_.Count(), 2);
    EXPECT_EQ(list_.Text(0, 0), "a.log");
    EXPECT_EQ(list_.Text(1, 0), "b.log");
    EXPECT_EQ(list_.StateImage(0), 2);
    EXPECT_EQ(list_.StateImage(1), 2);
    EXPECT_EQ(list_.Selected(), -1);
    HDITEMA item{};
    item.mask = HDI_FORMAT;
    Header_GetItem(ListView_GetHeader(list_.Hwnd()), pages::ReportPage::kNameColumn, &item);
    EXPECT_FALSE(item.fmt & (HDF_SORTUP | HDF_SORTDOWN)) << "no column is sorted";
}

TEST_F(ReportPageTest, ContextMenuOffersFileCommandsOnlyForASelectedRow) {
    Fill(MakeFiles(folder_, {"with space.tmp", "other.tmp"}));
    RightClick();
    ASSERT_EQ(g_menus.size(), 1u);
    EXPECT_EQ(Commands(g_menus[0]), (std::vector<int>{4, 5, 6}));

    list_.Select(1);
    g_menuChoice = pages::ReportPage::kFindInExplorer;
    RightClick();
    ASSERT_EQ(g_menus.size(), 2u);
    EXPECT_EQ(Commands(g_menus[1]), (std::vector<int>{2, 1, 0, 7, 8, 0, 4, 5, 6}));
    EXPECT_TRUE(g_menus[1][0].isDefault);
    g_menuChoice = pages::ReportPage::kProperties;
    list_.Select(0);
    RightClick();
    ASSERT_EQ(g_shellCalls.size(), 2u);
    EXPECT_EQ(g_shellCalls[0].what, "explorer");
    EXPECT_EQ(g_shellCalls[0].path, folder_ + "\\other.tmp");
    EXPECT_EQ(g_shellCalls[1].what, "properties");
    EXPECT_EQ(g_shellCalls[1].path, folder_ + "\\with space.tmp") << "passed as it is, unquoted";
}

// Shift+F10 and the menu key reach the page as WM_CONTEXTMENU without a
// point; a right click's own WM_CONTEXTMENU must not open a second menu.
TEST_F(ReportPageTest, TheKeyboardOpensTheSameMenuBelowTheSelectedRow) {
    Fill(MakeFiles(folder_, {"a.tmp", "b.tmp", "c.tmp"}));
    list_.Select(2);
    g_menuChoice = pages::ReportPage::kProperties;
    ::SendMessageA(page_->Hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list_.Hwnd()), -1);
    ASSERT_EQ(g_menus.size(), 1u);
    EXPECT_EQ(Commands(g_menus[0]), (std::vector<int>{2, 1, 0, 7, 8, 0, 4, 5, 6}));
    RECT row{};
    ListView_GetItemRect(list_.Hwnd(), 2, &row, LVIR_LABEL);
    MapWindowPoints(list_.Hwnd(), nullptr, reinterpret_cast<POINT*>(&row), 2);
    EXPECT_EQ(g_menuPoints[0].y, row.bottom);
    EXPECT_GE(g_menuPoints[0].x, row.left);
    ASSERT_EQ(g_shellCalls.size(), 1u);
    EXPECT_EQ(g_shellCalls[0].path, folder_ + "\\c.tmp");

    ::SendMessageA(page_->Hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list_.Hwnd()), MAKELPARAM(40, 40));
    EXPECT_EQ(g_menus.size(), 1u);
}

// The list keeps no ticks: the space bar on the focused row and a click on
// a check box tick and untick the row's finding in the session, which the
// row then shows; the clicks elsewhere on a row leave it as it is.
TEST_F(ReportPageTest, TheSpaceBarAndACheckBoxClickTickAndUntickTheFindingInTheSession) {
    Fill(MakeFiles(folder_, {"0.tmp", "1.tmp", "2.tmp"}));
    const pages::Session& session = wizard_.session;
    pagetest::PressSpaceOn(list_.Hwnd(), 1);
    EXPECT_EQ(Ticks(), (std::vector<int>{2, 1, 2}));
    EXPECT_FALSE(session.Ticked(1));
    ASSERT_TRUE(pagetest::ClickCheckBox(list_.Hwnd(), 2));
    EXPECT_EQ(Ticks(), (std::vector<int>{2, 1, 1}));
    pagetest::PressSpaceOn(list_.Hwnd(), 1);
    ASSERT_TRUE(pagetest::ClickCheckBox(list_.Hwnd(), 0));
    EXPECT_EQ(Ticks(), (std::vector<int>{1, 2, 1}));
    EXPECT_EQ(session.Taken().files, 1u);

    RECT label{};
    ListView_GetItemRect(list_.Hwnd(), 0, &label, LVIR_LABEL);
    const LPARAM at = MAKELPARAM(label.left + 4, (label.top + label.bottom) / 2);
    ::SendMessageA(list_.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(list_.Hwnd(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(Ticks(), (std::vector<int>{1, 2, 1})) << "a click on the name only selects";
}

TEST_F(ReportPageTest, SelectionCommandsTickUntickAndInvertEveryRow) {
    page_->RunMenuCommand(pages::ReportPage::kInvertSelection);  // no rows: nothing to do
    Fill(MakeFiles(folder_, {"0.tmp", "1.tmp", "2.tmp", "3.tmp"}));
    pagetest::PressSpaceOn(list_.Hwnd(), 0);
    pagetest::PressSpaceOn(list_.Hwnd(), 2);
    const int selected = list_.Selected();
    page_->RunMenuCommand(pages::ReportPage::kInvertSelection);
    EXPECT_EQ(Ticks(), (std::vector<int>{2, 1, 2, 1}));
    page_->RunMenuCommand(pages::ReportPage::kDeselectAll);
    EXPECT_EQ(Ticks(), (std::vector<int>{1, 1, 1, 1}));
    page_->RunMenuCommand(pages::ReportPage::kSelectAll);
    EXPECT_EQ(Ticks(), (std::vector<int>{2, 2, 2, 2}));
    EXPECT_EQ(list_.Selected(), selected) << "the selection is left alone";
    ListView_SetItemState(list_.Hwnd(), -1, 0, LVIS_SELECTED);
    page_->RunMenuCommand(pages::ReportPage::kProperties);  // no row selected: nothing
    EXPECT_TRUE(g_shellCalls.empty());
}

TEST_F(ReportPageTest, ActivationEnablesBothButtonsAndCountsAllRowsTickedOrNot) {
    std::vector<std::string> names;
    for (int i = 0; i < 12; ++i) names.push_back(std::to_string(i) + ".log");
    Fill(MakeFiles(folder_, names));
    EXPECT_EQ(wizard_.enableMasks, std::vector<int>{3});
    EXPECT_EQ(pagetest::WindowText(page_->Item(IDC_PG_REPORT_COUNT)), "12 files found");
    page_->RunMenuCommand(pages::ReportPage::kDeselectAll);
    wizard_.Show(pages::kScanningPage);
    wizard_.Show(pages::kReportPage);
    EXPECT_EQ(pagetest::WindowText(page_->Item(IDC_PG_REPORT_COUNT)), "12 files found");

    ::SendMessageA(page_->Hwnd(), WM_COMMAND, pages::kNextButton, 0);
    ::SendMessageA(page_->Hwnd(), WM_COMMAND, pages::kBackButton, 0);
    EXPECT_EQ(wizard_.showRequests, (std::vector<int>{pages::kCleanSummaryPage, pages::kScanningPage}));
}

TEST_F(ReportPageTest, ColumnsShareTheWidthAndRowsDrawOnTheirColour) {
    ::SetWindowPos(page_->Hwnd(), nullptr, 0, 0, 700, 400, SWP_NOZORDER | SWP_NOMOVE);
    int width = list_.ClientWidth();
    EXPECT_EQ(ListView_GetColumnWidth(list_.Hwnd(), 0), static_cast<int>(width * 0.3));
    EXPECT_EQ(ListView_GetColumnWidth(list_.Hwnd(), 1), static_cast<int>(width * 0.2));
    EXPECT_EQ(ListView_GetColumnWidth(list_.Hwnd(), 2), static_cast<int>(width * 0.35));
    EXPECT_EQ(ListView_GetColumnWidth(list_.Hwnd(), 3), static_cast<int>(width * 0.15));

    Fill(MakeFiles(folder_, {"x.tmp"}));
    NMLVCUSTOMDRAW draw{};
    draw.nmcd.hdr = {list_.Hwnd(), IDC_PG_LIST, static_cast<UINT>(NM_CUSTOMDRAW)};
    draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT;
    ::SendMessageA(page_->Hwnd(), WM_NOTIFY, IDC_PG_LIST, reinterpret_cast<LPARAM>(&draw));
    EXPECT_EQ(draw.clrText, RGB(0, 0, 0));
    EXPECT_EQ(draw.clrTextBk, static_cast<COLORREF>(0xEBF5FF));
}

TEST_F(ReportPageTest, WithAutoTheReportGoesOnToTheSummaryOnceShown) {
    Make(pages::RunMode::Unattended);
    Fill(MakeFiles(folder_, {"a.tmp"}));
    EXPECT_EQ(wizard_.Current(), pages::kCleanSummaryPage);
    EXPECT_EQ(wizard_.showRequests, std::vector<int>{pages::kCleanSummaryPage});
}

// Findings as the listing gave them, without files: sizes of 0 bytes and
// beyond 4 GB included.
std::vector<Found> Sized(const std::vector<std::pair<std::string, uint64_t>>& files) {
    std::vector<Found> findings;
    for (const auto& [path, size] : files) findings.push_back({path, "junk " + path.substr(path.size() - 3), size});
    return findings;
}

std::vector<std::string> Column(const ui::ListView& list, int column) {
    std::vector<std::string> texts;
    for (int row = 0; row < list.Count(); ++row) texts.push_back(list.Text(row, column));
    return texts;
}

TEST_F(ReportPageTest, SizesShowInTheFinishPagesUnitsAndEveryColumnSorts) {
    Fill(Sized({{"d:\\b\\Beta.tmp", 9},
                       {"d:\\a\\alpha.log", 0},
                       {"d:\\c\\GAMMA.bak", 5ull << 30},
                       {"d:\\a\\delta.tmp", 100},
                       {"d:\\b\\epsilon.log", 1536}}));
    EXPECT_EQ(Column(list_, pages::ReportPage::kSizeColumn),
              (std::vector<std::string>{"9 Bytes", "0 Bytes", "5.00 GB", "100 Bytes", "1.50 KB"}));
    LVCOLUMNA look{};
    look.mask = LVCF_FMT;
    ListView_GetColumn(list_.Hwnd(), pages::ReportPage::kSizeColumn, &look);
    EXPECT_EQ(look.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_RIGHT);

    struct Case {
        int column;
        std::vector<std::string> names;  // after one click, then after a second
        std::vector<std::string> reversed;
    } cases[] = {
        {pages::ReportPage::kNameColumn,
         {"alpha.log", "Beta.tmp", "delta.tmp", "epsilon.log", "GAMMA.bak"},
         {"GAMMA.bak", "epsilon.log", "delta.tmp", "Beta.tmp", "alpha.log"}},
        {pages::ReportPage::kSizeColumn,  // by number, not by text
         {"alpha.log", "Beta.tmp", "delta.tmp", "epsilon.log", "GAMMA.bak"},
         {"GAMMA.bak", "epsilon.log", "delta.tmp", "Beta.tmp", "alpha.log"}},
        {pages::ReportPage::kFolderColumn,  // equal folders keep the scan's order
         {"alpha.log", "delta.tmp", "Beta.tmp", "epsilon.log", "GAMMA.bak"},
         {"GAMMA.bak", "epsilon.log", "Beta.tmp", "delta.tmp", "alpha.log"}},
        {pages::ReportPage::kReasonColumn,
         {"GAMMA.bak", "alpha.log", "epsilon.log", "Beta.tmp", "delta.tmp"},
         {"delta.tmp", "Beta.tmp", "epsilon.log", "alpha.log", "GAMMA.bak"}},
    };
    HWND header = ListView_GetHeader(list_.Hwnd());
    for (const Case& c : cases) {
        NMLISTVIEW click{};
        click.hdr = {list_.Hwnd(), IDC_PG_LIST, static_cast<UINT>(LVN_COLUMNCLICK)};
        click.iItem = -1;
        click.iSubItem = c.column;
        ::SendMessageA(page_->Hwnd(), WM_NOTIFY, IDC_PG_LIST, reinterpret_cast<LPARAM>(&click));
        EXPECT_EQ(Column(list_, pages::ReportPage::kNameColumn), c.names) << c.column;
        HDITEMA item{};
        item.mask = HDI_FORMAT;
        Header_GetItem(header, c.column, &item);
        EXPECT_TRUE(item.fmt & HDF_SORTUP) << c.column;
        ::SendMessageA(page_->Hwnd(), WM_NOTIFY, IDC_PG_LIST, reinterpret_cast<LPARAM>(&click));
        EXPECT_EQ(Column(list_, pages::ReportPage::kNameColumn), c.reversed) << c.column;
        Header_GetItem(header, c.column, &item);
        EXPECT_TRUE(item.fmt & HDF_SORTDOWN) << c.column;
    }
    // The clean takes the ticked rows in the order they are shown.
    pagetest::PressSpaceOn(list_.Hwnd(), 0);
    std::vector<std::string> taken;
    for (const auto& item : wizard_.session.TakenFiles()) taken.push_back(item.path);
    EXPECT_EQ(taken, (std::vector<std::string>{"d:\\b\\Beta.tmp", "d:\\b\\epsilon.log", "d:\\a\\alpha.log",
                                               "d:\\c\\GAMMA.bak"}));
}

TEST_F(ReportPageTest, TheCountLineAddsTheTickedFilesAndTheirSizeAsRowsAreUnticked) {
    testsupport::WriteFile(place_.LanguagePath(), testsupport::ReadFile(place_.LanguagePath()) +
                                                      "_rptCountWithSize=%s; to clean: %d, %s\n");
    std::vector<std::pair<std::string, uint64_t>> files;
    for (int i = 0; i < 3000; ++i) files.push_back({"d:\\many\\" + std::to_string(i) + ".tmp", 1024});
    files.push_back({"d:\\many\\huge.tmp", 6ull << 30});
    Fill(Sized(files));
    auto countLine = [&] {
        PumpPending();
        return pagetest::WindowText(page_->Item(IDC_PG_REPORT_COUNT));
    };
    EXPECT_EQ(countLine(), "3001 files found; to clean: 3001, 6.00 GB");
    pagetest::PressSpaceOn(list_.Hwnd(), 3000);
    for (int row = 0; row < 10; ++row) pagetest::PressSpaceOn(list_.Hwnd(), row);
    EXPECT_EQ(countLine(), "3001 files found; to clean: 2990, 2.92 MB");
    page_->RunMenuCommand(pages::ReportPage::kInvertSelection);
    EXPECT_EQ(countLine(), "3001 files found; to clean: 11, 6.00 GB");
    page_->RunMenuCommand(pages::ReportPage::kDeselectAll);
    EXPECT_EQ(countLine(), "3001 files found; to clean: 0, 0 Bytes");
    page_->RunMenuCommand(pages::ReportPage::kSelectAll);
    EXPECT_EQ(countLine(), "3001 files found; to clean: 3001, 6.00 GB");
}

// Progress nobody looks at.
struct Unseen : platform::JobProgress {
    void SetStatus(const std::string&) override {}
    void SetCount(uint64_t) override {}
    void SetRange(uint32_t) override {}
    void SetPosition(int) override {}
};

// What a real scan of the folder finds with the program's settings file.
scan::Findings ScanOf(const std::string& folder) {
    config::SaveSelectedPaths({folder});
    Unseen progress;
    platform::StopFlag stop{0};
    return scan::RunScan(config::LoadScanRequest(), progress, stop).findings;
}

// Files of the given sizes, made in the folder (names relative to it).
void MakeSized(const std::string& folder, const std::vector<std::pair<std::string, size_t>>& files) {
    for (const auto& [name, size] : files) {
        const std::string path = folder + "\\" + name;
        testsupport::MakeFolders(path.substr(0, path.rfind('\\')));
        testsupport::WriteFile(path, std::string(size, 'j'));
    }
}

// The type rows as they read: found as, files, size, and the check box.
std::vector<std::vector<std::string>> TypeRows(HWND list) {
    ui::ListView view(list);
    std::vector<std::vector<std::string>> rows;
    for (int row = 0; row < view.Count(); ++row) {
        rows.push_back({view.Text(row, 0), view.Text(row, 1), view.Text(row, 2), std::to_string(view.StateImage(row))});
    }
    return rows;
}

// The view by type sums a real scan's findings per junk type, largest first,
// shows how each is ticked, and ticks or unticks whole types; the files
// view then shows the same ticks.
TEST_F(ReportPageTest, TheViewByTypeSumsEachTypeAndTicksWholeTypes) {
    MakeSized(folder_, {{"a.tmp", 100}, {"b.tmp", 200}, {"sub\\c.tmp", 300}, {"big.log", 5000}, {"x.bak", 10},
                        {"y.bak", 20}});
    wizard_.session.SetFindings(ScanOf(folder_));
    wizard_.Show(pages::kScanningPage);
    wizard_.Show(pages::kReportPage);
    ASSERT_EQ(list_.Count(), 6);
    const pages::Session& session = wizard_.session;
    // One temporary file unticked in the files view.
    pagetest::PressSpaceOn(list_.Hwnd(), pagetest::RowNamed(list_.Hwnd(), "b.tmp"));
    HWND types = page_->Item(IDC_PG_TYPE_LIST);
    EXPECT_FALSE(::IsWindowVisible(types));
    ::SendMessageA(page_->Item(IDC_PG_VIEW_BY_TYPE), BM_CLICK, 0, 0);
    EXPECT_EQ(page_->ShownView(), pages::ReportPage::View::ByType);
    EXPECT_TRUE(::IsWindowVisible(types));
    EXPECT_FALSE(::IsWindowVisible(list_.Hwnd()));
    using Rows = std::vector<std::vector<std::string>>;
    EXPECT_EQ(TypeRows(types), (Rows{{"junk *.log", "1", "4.88 KB", "2"},
                                     {"junk *.tmp", "3", "600 Bytes", "3"},  // partly ticked
                                     {"junk *.bak", "2", "30 Bytes", "2"}}));

    // A partly ticked type is ticked whole, then unticked whole; a click on
    // a type's box unticks every file of it.
    pagetest::PressSpaceOn(types, 1);
    EXPECT_EQ(TypeRows(types)[1][3], "2");
    EXPECT_EQ(session.Taken().files, 6u);
    pagetest::PressSpaceOn(types, 1);
    ASSERT_TRUE(pagetest::ClickCheckBox(types, 2));
    EXPECT_EQ(TypeRows(types), (Rows{{"junk *.log", "1", "4.88 KB", "2"},
                                     {"junk *.tmp", "3", "600 Bytes", "1"},
                                     {"junk *.bak", "2", "30 Bytes", "1"}}));
    EXPECT_EQ(session.Taken().files, 1u);
    EXPECT_EQ(session.Taken().bytes, 5000u);
    PumpPending();
    EXPECT_EQ(pagetest::WindowText(page_->Item(IDC_PG_REPORT_COUNT)), "6 files found") << "the count line stays";

    // The files view shows the same ticks; what it changes, the types show.
    ::SendMessageA(page_->Item(IDC_PG_VIEW_FILES), BM_CLICK, 0, 0);
    EXPECT_TRUE(::IsWindowVisible(list_.Hwnd()));
    for (int row = 0; row < list_.Count(); ++row) {
        EXPECT_EQ(list_.StateImage(row), list_.Text(row, 0) == "big.log" ? 2 : 1) << list_.Text(row, 0);
    }
    pagetest::PressSpaceOn(list_.Hwnd(), pagetest::RowNamed(list_.Hwnd(), "a.tmp"));
    page_->ShowView(pages::ReportPage::View::ByType);
    EXPECT_EQ(TypeRows(types)[0][3] + TypeRows(types)[1][3] + TypeRows(types)[2][3], "231")
        << "one file of a type ticked: partly ticked";
    // Tick commands work on every file from the view by type too.
    page_->RunMenuCommand(pages::ReportPage::kSelectAll);
    EXPECT_EQ(TypeRows(types)[1][3] + TypeRows(types)[2][3], "22");
}

// "Always keep" puts the selected file or its folder on the keep list in
// the settings file: its findings leave the report at once (a type whose
// files are all kept leaves the view by type), and the next scan, reading
// the settings anew, does not find them, in whatever spelling they were
// kept.
TEST_F(ReportPageTest, AlwaysKeptFilesAndFoldersLeaveTheReportAndLaterScans) {
    MakeSized(folder_, {{"a.tmp", 10}, {"only.log", 40}, {"Build\\b.bak", 20}, {"Build\\deep\\c.tmp", 30},
                        {"other\\d.tmp", 5}, {"Upper.TMP", 7}});
    // Kept by hand in another spelling.
    config::SaveKeepList({{platform::LowerAnsi(folder_) + "\\UPPER.tmp", false}});
    wizard_.session.SetFindings(ScanOf(folder_));
    wizard_.Show(pages::kScanningPage);
    wizard_.Show(pages::kReportPage);
    auto rowOf = [&](const std::string& name) { return pagetest::RowNamed(list_.Hwnd(), name); };
    ASSERT_EQ(list_.Count(), 5);
    EXPECT_EQ(rowOf("Upper.TMP"), -1);
    // Ticks of the rows that stay are kept.
    pagetest::PressSpaceOn(list_.Hwnd(), rowOf("d.tmp"));

    g_menuChoice = pages::ReportPage::kKeepFile;
    list_.Select(rowOf("only.log"));
    RightClick();
    g_menuChoice = pages::ReportPage::kKeepFolder;
    list_.Select(rowOf("b.bak"));
    RightClick();
    std::vector<std::string> names;
    for (int row = 0; row < list_.Count(); ++row) names.push_back(list_.Text(row, 0));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"a.tmp", "d.tmp"}));
    EXPECT_EQ(list_.StateImage(rowOf("d.tmp")), 1);
    EXPECT_EQ(wizard_.session.Taken().files, 1u);
    PumpPending();
    EXPECT_EQ(pagetest::WindowText(page_->Item(IDC_PG_REPORT_COUNT)), "2 files found");
    page_->ShowView(pages::ReportPage::View::ByType);
    EXPECT_EQ(TypeRows(page_->Item(IDC_PG_TYPE_LIST)),
              (std::vector<std::vector<std::string>>{{"junk *.tmp", "2", "15 Bytes", "3"}}))
        << "the log and backup types are all kept";

    EXPECT_EQ(config::LoadKeepList(config::ValueSet::Custom),
              (std::vector<config::KeptEntry>{{platform::LowerAnsi(folder_) + "\\UPPER.tmp", false},
                                              {folder_ + "\\only.log", false},
                                              {folder_ + "\\Build", true}}));
    const scan::Findings again = ScanOf(folder_);
    std::vector<std::string> found;
    for (size_t i = 0; i < again.Count(); ++i) found.push_back(again.Path(i));
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::string>{folder_ + "\\a.tmp", folder_ + "\\other\\d.tmp"}));
}

}  // namespace
