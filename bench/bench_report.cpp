// How much filling the report list costs over inserting the same rows bare.
//
// Lays 20,000 files on the scratch drive d: (mostly .tmp, .log and .bak, with
// 1 % programs and 1 % shortcuts to them), then times, alternating and after
// a warm-up, two fills of a fresh report list each round:
//   - the report page's own fill: one ticked row per finding with the shell's
//     icon for its file, the finding copied into the row;
//   - a bare loop over the same list control: the same rows, texts and ticks,
//     no icons and no row data.
// Prints on stdout:
//   report.ratio    page fill time / bare loop time (median of the rounds)
//   report.fill_ms  median page fill time
//   report.bare_ms  median bare loop time
// Everything else goes to stderr.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench_support.h"
#include "pages/report_page.h"
#include "pages/resource_ids.h"
#include "paths/path_text.h"
#include "platform/com.h"
#include "ui/list_view.h"

namespace {

constexpr const char* kRoot = "d:\\reportbench";
constexpr int kFindings = 20000;
constexpr int kPrograms = 200;
constexpr int kShortcuts = 200;
constexpr int kRounds = 5;
const char* const kJunkExtensions[] = {".tmp", ".log", ".bak"};

scan::FoundFile Finding(const std::string& folder, const std::string& name, const char* reason) {
    scan::FoundFile found;
    found.path = folder + "\\" + name;
    found.reason = reason;
    return found;
}

// The findings in a scan's order: 100 folders of 200 files each.
std::vector<scan::FoundFile> LayFindings() {
    std::vector<scan::FoundFile> findings;
    ::CreateDirectoryA(kRoot, nullptr);
    int programs = 0, shortcuts = 0;
    for (int folderIndex = 0; findings.size() < kFindings; ++folderIndex) {
        std::string folder = std::string(kRoot) + "\\folder " + std::to_string(folderIndex);
        ::CreateDirectoryA(folder.c_str(), nullptr);
        for (int i = 0; i < 200 && findings.size() < kFindings; ++i) {
            size_t n = findings.size();
            if (n % 100 == 50 && programs < kPrograms) {
                std::string name = "setup" + std::to_string(programs++) + ".exe";
                bench::WriteSmallFile(folder + "\\" + name, "junk");
                findings.push_back(Finding(folder, name, "Old installers"));
            } else if (n % 100 == 99 && shortcuts < kShortcuts) {
                std::string name = "shortcut" + std::to_string(shortcuts++) + ".lnk";
                bench::WriteShortcut(folder + "\\" + name, folder + "\\setup" + std::to_string(programs - 1) + ".exe");
                findings.push_back(Finding(folder, name, "Invalid Shortcut"));
            } else {
                std::string name = "file" + std::to_string(n) + kJunkExtensions[n % 3];
                bench::WriteSmallFile(folder + "\\" + name, "junk");
                findings.push_back(Finding(folder, name, "Temporary files"));
            }
        }
    }
    return findings;
}

// The same rows without icons or row data, into the list control as the
// report page sets it up.
void BareFill(HWND list, const std::vector<scan::FoundFile>& findings) {
    ::SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    ListView_SetItemCountEx(list, static_cast<int>(findings.size()), LVSICF_NOINVALIDATEALL);
    ui::ListView view(list);
    for (const scan::FoundFile& found : findings) {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = view.Count();
        std::string name(found.Name());
        item.pszText = name.data();
        int row = static_cast<int>(::SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        view.SetText(row, 1, paths::FolderPart(found.path));
        view.SetText(row, 2, found.reason);
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

// One timed fill into a freshly made report page.
template <typename Fill>
double TimedFill(HWND host, Fill fill, int* rowsShown, int* rowsWithIcons) {
    pages::ReportPage page{pages::Services{}};
    HWND window = page.CreatePage(host, IDD_PG_REPORT);
    ::SetWindowPos(window, nullptr, 0, 0, 780, 560, SWP_NOZORDER | SWP_SHOWWINDOW);
    Pump();
    HWND list = page.Item(IDC_PG_LIST);
    double took = bench::Time([&] { fill(page, list); });
    Pump();
    ui::ListView view(list);
    *rowsShown = view.Count();
    *rowsWithIcons = 0;
    for (int row = 0; row < view.Count(); ++row) {
        LVITEMA item{};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        ::SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        *rowsWithIcons += item.iImage >= 0 && item.iImage < ImageList_GetImageCount(view.SmallImages());
    }
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
    const std::vector<scan::FoundFile> findings = LayFindings();
    std::fprintf(stderr, "bench_report: laid %zu files in %.1f s\n", findings.size(), bench::SecondsSince(layStart));

    auto pageFill = [&](pages::ReportPage& page, HWND) { page.Fill(findings); };
    auto bareFill = [&](pages::ReportPage&, HWND list) { BareFill(list, findings); };

    int rows = 0, withIcons = 0;
    TimedFill(host, pageFill, &rows, &withIcons);  // warm-up of both kinds
    TimedFill(host, bareFill, &rows, &withIcons);

    std::vector<double> fillTimes, bareTimes;
    for (int round = 0; round < kRounds; ++round) {
        fillTimes.push_back(TimedFill(host, pageFill, &rows, &withIcons));
        if (rows != kFindings || withIcons != kFindings) {
            std::fprintf(stderr, "bench_report: the fill showed %d rows, %d with an icon\n", rows, withIcons);
            return 1;
        }
        int bareRows = 0, bareIcons = 0;
        bareTimes.push_back(TimedFill(host, bareFill, &bareRows, &bareIcons));
        std::fprintf(stderr, "bench_report: round %d: fill %.3f s, bare %.3f s\n", round + 1, fillTimes.back(),
                     bareTimes.back());
    }
    double fill = bench::Median(fillTimes), bare = bench::Median(bareTimes);
    std::printf("report.ratio %.3f\n", fill / bare);
    std::printf("report.fill_ms %.1f\n", fill * 1000);
    std::printf("report.bare_ms %.1f\n", bare * 1000);
    ::DestroyWindow(host);
    return 0;
}
