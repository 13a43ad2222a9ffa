// How much filling the report list costs over inserting the same rows bare.
//
// Lays 20,000 files on the scratch drive d: (mostly .tmp, .log and .bak, with
// 1 % programs and 1 % shortcuts to them), then times, alternating and after
// a warm-up, fills of a fresh report page each round:
//   - the report page's own fill: the findings handed to the session and the
//     page shown, every row ticked (the list asks for texts, icons and ticks
//     as it draws rows);
//   - the same for 200,000 findings (the 20,000 ten times over), with the
//     list's first drawing of its rows;
//   - a bare loop over the same list control: the 20,000 rows inserted with
//     their texts and ticks, no icons and no row data.
//   - both page fills again with the view by type shown: the findings summed
//     by type and the type rows drawn, and for the 200,000 one type ticked
//     whole and unticked again by the space bar on its row.
// After each fill every row must show a text and an icon, and the view by
// type its three types.
// Prints on stdout:
//   report.ratio               page fill time / bare loop time (median of the rounds)
//   report.ratio_200k          fill and first draw of 200,000 / bare loop of 20,000
//   report.ratio_by_type       page fill by type / bare loop time
//   report.ratio_by_type_200k  fill, draw and a type's ticks of 200,000 by type / bare loop
//   report.fill_ms             median page fill time
//   report.bare_ms             median bare loop time
// Everything else goes to stderr.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench_support.h"
#include "pages/page_protocol.h"
#include "pages/report_page.h"
#include "pages/resource_ids.h"
#include "pages/session.h"
#include "platform/com.h"
#include "scan/findings.h"
#include "ui/list_view.h"

namespace {

constexpr const char* kRoot = "d:\\reportbench";
constexpr int kFindings = 20000;
constexpr int kPrograms = 200;
constexpr int kShortcuts = 200;
constexpr int kTimesOver = 10;  // the large report: the findings ten times over
constexpr int kRounds = 5;
const char* const kJunkExtensions[] = {".tmp", ".log", ".bak"};

// A finding of a file laid here.
struct Laid {
    std::string folder, name;
    const char* reason;
};

// The files in a scan's order: 100 folders of 200 files each.
std::vector<Laid> LayFiles() {
    std::vector<Laid> files;
    ::CreateDirectoryA(kRoot, nullptr);
    int programs = 0, shortcuts = 0;
    for (int folderIndex = 0; files.size() < kFindings; ++folderIndex) {
        std::string folder = std::string(kRoot) + "\\folder " + std::to_string(folderIndex);
        ::CreateDirectoryA(folder.c_str(), nullptr);
        for (int i = 0; i < 200 && files.size() < kFindings; ++i) {
            size_t n = files.size();
            if (n % 100 == 50 && programs < kPrograms) {
                std::string name = "setup" + std::to_string(programs++) + ".exe";
                bench::WriteSmallFile(folder + "\\" + name, "junk");
                files.push_back({folder, name, "Old installers"});
            } else if (n % 100 == 99 && shortcuts < kShortcuts) {
                std::string name = "shortcut" + std::to_string(shortcuts++) + ".lnk";
                bench::WriteShortcut(folder + "\\" + name, folder + "\\setup" + std::to_string(programs - 1) + ".exe");
                files.push_back({folder, name, "Invalid Shortcut"});
            } else {
                std::string name = "file" + std::to_string(n) + kJunkExtensions[n % 3];
                bench::WriteSmallFile(folder + "\\" + name, "junk");
                files.push_back({folder, name, "Temporary files"});
            }
        }
    }
    return files;
}

// The files' findings as a scan hands them back, the files timesOver times.
scan::Findings FindingsOf(const std::vector<Laid>& files, int timesOver) {
    scan::Findings findings;
    for (int round = 0; round < timesOver; ++round) {
        for (const Laid& file : files) findings.Add(file.folder, file.name, file.reason, {4, 0}, FILE_ATTRIBUTE_ARCHIVE);
    }
    return findings;
}

// The same rows without icons or row data, into a plain list control with
// the report list's columns and check boxes.
void BareFill(HWND list, const std::vector<Laid>& files) {
    ::SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    ListView_SetItemCountEx(list, static_cast<int>(files.size()), LVSICF_NOINVALIDATEALL);
    ui::ListView view(list);
    for (const Laid& file : files) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = view.Count();
        std::string name = file.name;
        item.pszText = name.data();
        int row = static_cast<int>(::SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        view.SetText(row, 1, file.folder);
        view.SetText(row, 2, file.reason);
    }
    ListView_SetItemState(list, -1, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK);
    ::SendMessageA(list, WM_SETREDRAW, TRUE, 0);
}

void Pump() {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

// Checks that every stride-th row of a filled list shows a text and an icon
// (the list asks the page for them); false when one does not.
bool RowsShown(HWND list, int expectedRows, int stride) {
    ui::ListView view(list);
    if (view.Count() != expectedRows) {
        std::fprintf(stderr, "bench_report: %d rows instead of %d\n", view.Count(), expectedRows);
        return false;
    }
    for (int row = 0; row < view.Count(); row += stride) {
        char text[MAX_PATH] = {};
        LVITEMA item{};
        item.mask = LVIF_IMAGE | LVIF_TEXT;
        item.iItem = row;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        ::SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        // Asked now, an icon of a file that brings its own was just added.
        if (item.iImage < 0 || item.iImage >= ImageList_GetImageCount(view.SmallImages()) || text[0] == '\0') {
            std::fprintf(stderr, "bench_report: row %d shows no icon or no name\n", row);
            return false;
        }
    }
    return true;
}

// A report page made fresh in the host, shown and sized, with its session.
struct FreshPage {
    FreshPage(HWND host, pages::ReportPage::View view) : page(session, pages::Services{}) {
        window = page.CreatePage(host, IDD_PG_REPORT);
        ::SetWindowPos(window, nullptr, 0, 0, 780, 560, SWP_NOZORDER | SWP_SHOWWINDOW);
        page.ShowView(view);
        Pump();
        list = page.Item(view == pages::ReportPage::View::ByType ? IDC_PG_TYPE_LIST : IDC_PG_LIST);
    }
    ~FreshPage() { ::DestroyWindow(window); }

    pages::Session session;
    pages::ReportPage page;
    HWND window = nullptr;
    HWND list = nullptr;
};

// Ticks the type of a row whole, or unticks it, as the space bar does.
void PressSpaceOn(HWND list, int row) {
    ListView_SetItemState(list, row, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    ::SendMessageA(list, WM_KEYDOWN, VK_SPACE, 0);
    ::SendMessageA(list, WM_KEYUP, VK_SPACE, 0);
}

// The page's own fill: the findings into the session, the page shown with
// them; with firstDraw, until the list has drawn its rows. By type, the
// largest type is then unticked and ticked again, each redrawn.
double PageFill(HWND host, scan::Findings findings, pages::ReportPage::View view, bool firstDraw, int* rows) {
    FreshPage fresh(host, view);
    const bool byType = view == pages::ReportPage::View::ByType;
    bool ticksFollow = true;
    const double took = bench::Time([&] {
        fresh.session.SetFindings(std::move(findings));
        ::SendMessageA(fresh.window, pages::WM_PAGE_ACTIVATED, 0, 0);
        if (firstDraw) ::UpdateWindow(fresh.list);
        if (byType && firstDraw) {
            PressSpaceOn(fresh.list, 0);
            ::UpdateWindow(fresh.list);
            ticksFollow = fresh.session.Taken().files < fresh.session.RowCount();
            PressSpaceOn(fresh.list, 0);
            ::UpdateWindow(fresh.list);
            ticksFollow = ticksFollow && fresh.session.Taken().files == fresh.session.RowCount();
        }
    });
    Pump();
    const int count = static_cast<int>(fresh.session.RowCount());
    if (byType) {
        // Temporary files first, then old installers and invalid shortcuts.
        const uint64_t temporary = static_cast<uint64_t>(count - (kPrograms + kShortcuts) * (count / kFindings));
        const auto& types = fresh.page.Types().Rows();
        const bool shown = ticksFollow && types.size() == 3 && types[0].files == temporary;
        if (!shown) std::fprintf(stderr, "bench_report: the view by type is not as found\n");
        *rows = shown ? count : -1;
        return took;
    }
    // Every row of the small report; a sample of the large one, whose programs
    // would each cost the shell a question.
    *rows = RowsShown(fresh.list, count, count > kFindings ? 97 : 1) ? count : -1;
    return took;
}

// The bare loop, into a plain list control made like the report's.
double BareFillTimed(HWND host, const std::vector<Laid>& files) {
    HWND list = ::CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL, 0, 0, 760,
                                  500, host, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ui::ListView view(list);
    for (int column = 0; column < 4; ++column) view.InsertColumn(column, "", 150);
    view.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    Pump();
    const double took = bench::Time([&] { BareFill(list, files); });
    Pump();
    ::DestroyWindow(list);
    return took;
}

}  // namespace

int main() {
    platform::ComApartment com;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    HWND host = ::CreateWindowExA(WS_EX_CONTROLPARENT, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600, nullptr,
                                  nullptr, ::GetModuleHandleA(nullptr), nullptr);
    if (!host) {
        std::fprintf(stderr, "bench_report: no window\n");
        return 1;
    }

    auto layStart = bench::Clock::now();
    const std::vector<Laid> files = LayFiles();
    std::fprintf(stderr, "bench_report: laid %zu files in %.1f s\n", files.size(), bench::SecondsSince(layStart));
    const scan::Findings findings = FindingsOf(files, 1);
    const scan::Findings many = FindingsOf(files, kTimesOver);

    using View = pages::ReportPage::View;
    int rows = 0;
    PageFill(host, findings, View::Files, false, &rows);  // warm-up of every kind
    PageFill(host, many, View::Files, true, &rows);
    PageFill(host, many, View::ByType, true, &rows);
    BareFillTimed(host, files);

    std::vector<double> fillTimes, manyTimes, typeTimes, manyTypeTimes, bareTimes;
    for (int round = 0; round < kRounds; ++round) {
        fillTimes.push_back(PageFill(host, findings, View::Files, false, &rows));
        if (rows != kFindings) return 1;
        manyTimes.push_back(PageFill(host, many, View::Files, true, &rows));
        if (rows != kFindings * kTimesOver) return 1;
        typeTimes.push_back(PageFill(host, findings, View::ByType, false, &rows));
        if (rows != kFindings) return 1;
        manyTypeTimes.push_back(PageFill(host, many, View::ByType, true, &rows));
        if (rows != kFindings * kTimesOver) return 1;
        bareTimes.push_back(BareFillTimed(host, files));
        std::fprintf(stderr,
                     "bench_report: round %d: fill %.3f s, 200k fill and draw %.3f s, by type %.3f s, "
                     "200k by type %.3f s, bare %.3f s\n",
                     round + 1, fillTimes.back(), manyTimes.back(), typeTimes.back(), manyTypeTimes.back(),
                     bareTimes.back());
    }
    const double fill = bench::Median(fillTimes), manyFill = bench::Median(manyTimes), bare = bench::Median(bareTimes);
    std::printf("report.ratio %.3f\n", fill / bare);
    std::printf("report.ratio_200k %.3f\n", manyFill / bare);
    std::printf("report.ratio_by_type %.3f\n", bench::Median(typeTimes) / bare);
    std::printf("report.ratio_by_type_200k %.3f\n", bench::Median(manyTypeTimes) / bare);
    std::printf("report.fill_ms %.1f\n", fill * 1000);
    std::printf("report.bare_ms %.1f\n", bare * 1000);
    ::DestroyWindow(host);
    return 0;
}
