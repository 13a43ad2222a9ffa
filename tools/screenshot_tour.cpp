// Walks a running JunkSweep through its wizard pages and dialogs for
// screenshots. For each view it prints one line
//     shot <name> <left> <top> <width> <height>
// and waits for a line on its input before going on; scripts/screenshots
// takes the picture in between. Drives the program with window messages
// only, as a user would with the mouse.
//     screenshot_tour <path of JunkSweep.exe>
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "app/app_resources.h"
#include "options/options_ids.h"
#include "pages/page_protocol.h"
#include "pages/resource_ids.h"
#include "platform/handle.h"

namespace {

DWORD g_process = 0;

std::vector<HWND> DialogsOfProgram() {
    struct Search {
        std::vector<HWND> found;
    } search;
    ::EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            char name[16] = {};
            ::GetClassNameA(window, name, sizeof name);
            if (owner == g_process && ::IsWindowVisible(window) &&
                (std::string(name) == "#32770" || std::string(name) == "#32768")) {
                reinterpret_cast<Search*>(context)->found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitFor(const std::function<HWND()>& found, DWORD milliseconds = 20000) {
    for (DWORD waited = 0; waited < milliseconds; waited += 100) {
        if (HWND window = found()) {
            ::Sleep(600);  // let it paint
            return window;
        }
        ::Sleep(100);
    }
    return nullptr;
}

// A window of the program that was not there before.
HWND WaitForNewWindow(const std::set<HWND>& before) {
    return WaitFor([&]() -> HWND {
        for (HWND window : DialogsOfProgram()) {
            if (!before.count(window)) return window;
        }
        return nullptr;
    });
}

std::set<HWND> Current() {
    auto all = DialogsOfProgram();
    return {all.begin(), all.end()};
}

void Shot(const char* name, RECT area) {
    std::printf("shot %s %ld %ld %ld %ld\n", name, area.left, area.top, area.right - area.left,
                area.bottom - area.top);
    std::fflush(stdout);
    char line[64];
    if (!std::fgets(line, sizeof line, stdin)) std::exit(1);
}

RECT RectOf(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
}

void Shot(const char* name, HWND window) { Shot(name, RectOf(window)); }

class Tour {
public:
    explicit Tour(HWND wizard) : wizard_(wizard) {
        host_ = ::GetDlgItem(wizard, IDC_PAGE_AREA);
        header_ = ::GetWindow(::GetDlgItem(wizard, IDC_HEADER_STRIP), GW_CHILD);
    }

    HWND Page(int index) const {
        return reinterpret_cast<HWND>(::SendMessageA(host_, pages::WM_PAGEHOST_GETPAGE, index, 0));
    }
    bool WaitForPage(int index, DWORD milliseconds = 60000) const {
        return WaitFor(
                   [&]() -> HWND {
                       HWND current = reinterpret_cast<HWND>(::SendMessageA(wizard_, pages::WM_WIZARD_GETCURRENTPAGE, 0, 0));
                       bool ready = current && current == Page(index) &&
                                    ::IsWindowEnabled(::GetDlgItem(wizard_, IDCANCEL));
                       return ready ? current : nullptr;
                   },
                   milliseconds) != nullptr;
    }
    void Click(HWND button) const { ::PostMessageA(button, BM_CLICK, 0, 0); }
    void Next() const { Click(::GetDlgItem(wizard_, pages::kNextButton)); }
    void ShowPage(int index) const {
        ::SendMessageA(host_, pages::WM_PAGEHOST_SHOWPAGE, index, 0);
        ::Sleep(600);
    }

    void Pages() const {
        const char* names[] = {"1-welcome", "2-drive-selection", "3-scanning", "4-report",
                               "5-clean-summary", "6-cleaning", "7-finish"};
        if (!WaitForPage(pages::kWelcomePage, 5000)) ShowPage(pages::kWelcomePage);
        Shot(names[0], wizard_);
        Next();
        if (!WaitForPage(pages::kDriveSelectionPage)) return;
        Shot(names[1], wizard_);
        Next();  // scans, then shows the report
        if (!WaitForPage(pages::kReportPage)) return;
        Shot(names[3], wizard_);
        // The same findings by type, then back to the files for the clean.
        HWND report = Page(pages::kReportPage);
        Click(::GetDlgItem(report, IDC_PG_VIEW_BY_TYPE));
        ::Sleep(600);
        Shot("4-report-by-type", wizard_);
        Click(::GetDlgItem(report, IDC_PG_VIEW_FILES));
        ::Sleep(300);
        ShowPage(pages::kScanningPage);
        Shot(names[2], wizard_);
        ShowPage(pages::kReportPage);
        Next();
        if (!WaitForPage(pages::kCleanSummaryPage)) return;
        Shot(names[4], wizard_);
        // Three files of the demo drive the clean cannot take, so that the
        // finish page has files not cleaned to show.
        platform::UniqueHandle inUse(::CreateFileA("d:\\Projects\\tool\\crash.dmp", GENERIC_READ, 0, nullptr,
                                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ::DeleteFileA("d:\\Documents\\Reports\\2023\\~WRL0001.tmp");
        if (HANDLE changed = ::CreateFileA("d:\\Downloads\\setup.exe.temp", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                           FILE_ATTRIBUTE_NORMAL, nullptr);
            changed != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            ::WriteFile(changed, "written since the scan\n", 23, &written, nullptr);
            ::CloseHandle(changed);
        }
        Next();  // cleans, then shows the finish page
        if (!WaitForPage(pages::kFinishPage)) return;
        Shot(names[6], wizard_);
        auto before = Current();
        Click(::GetDlgItem(Page(pages::kFinishPage), IDC_PG_NOT_CLEANED));
        CloseAfterShot("files-not-cleaned", WaitForNewWindow(before));
        ShowPage(pages::kCleaningPage);
        Shot(names[5], wizard_);
        ShowPage(pages::kFinishPage);
    }

    void OptionsDialog() const {
        auto before = Current();
        Click(::GetDlgItem(header_, IDC_OPTIONS_BUTTON));
        HWND options = WaitForNewWindow(before);
        if (!options) return;
        HWND tabs = ::GetDlgItem(options, IDC_OPTION_TABS);
        const char* names[] = {"options-junk-types", "options-search", "options-skip-folders", "options-clean",
                               "options-applications", "options-schedule", "options-language"};
        for (int tab = 0; tab < static_cast<int>(std::size(names)); ++tab) {
            ::SendMessageA(tabs, TCM_SETCURFOCUS, tab, 0);
            ::Sleep(500);
            // The schedule page as the user fills it in (the dialog is cancelled after).
            if (HWND weekly = ::GetDlgItem(VisiblePageOf(options, IDC_SCHEDULE_WEEKLY), IDC_SCHEDULE_WEEKLY)) {
                Click(weekly);
                ::Sleep(300);
            }
            // The applications page once it measured every rule.
            if (HWND page = VisiblePageOf(options, IDC_APP_PROGRESS)) {
                HWND progress = ::GetDlgItem(page, IDC_APP_PROGRESS);
                WaitFor([&]() -> HWND {
                    const LRESULT upper = ::SendMessageA(progress, PBM_GETRANGE, FALSE, 0);
                    return ::SendMessageA(progress, PBM_GETPOS, 0, 0) >= upper ? page : nullptr;
                });
            }
            Shot(names[tab], options);
            if (tab == 0) JunkTypeEditor(options);
            if (tab == 3) AdvancedSettings(options);
        }
        ::PostMessageA(options, WM_COMMAND, IDCANCEL, 0);
        WaitFor([&]() -> HWND { return ::IsWindow(options) ? nullptr : wizard_; });
    }

    void JunkTypeEditor(HWND options) const {
        HWND page = VisiblePageOf(options, IDC_JUNK_LIST);
        if (!page) return;
        auto before = Current();
        ::PostMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_ADD_ENTRY, STN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(page, IDC_ADD_ENTRY)));
        CloseAfterShot("junk-type-editor", WaitForNewWindow(before));
    }

    void AdvancedSettings(HWND options) const {
        HWND page = VisiblePageOf(options, IDC_ADVANCED);
        if (!page) return;
        auto before = Current();
        Click(::GetDlgItem(page, IDC_ADVANCED));
        CloseAfterShot("advanced-settings", WaitForNewWindow(before));
    }

    void RescueCenter() const {
        auto before = Current();
        Click(::GetDlgItem(header_, IDC_RESCUE_BUTTON));
        CloseAfterShot("rescue-center", WaitForNewWindow(before));
    }

    void HelpMenu() const {
        auto before = Current();
        ::ShowWindow(wizard_, SW_SHOW);
        Click(::GetDlgItem(header_, IDC_HELP_BUTTON));
        HWND menu = WaitForNewWindow(before);
        if (!menu) return;
        RECT area = RectOf(wizard_), menuRect = RectOf(menu);
        ::UnionRect(&area, &area, &menuRect);
        Shot("help-menu", area);
        ::PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        ::SendMessageA(wizard_, WM_CANCELMODE, 0, 0);
        ::Sleep(300);
    }

    void Close() const { ::SendMessageA(wizard_, pages::WM_WIZARD_CLOSE, 0, 0); }

private:
    // The page of a tabbed dialog (at any depth) that holds the control and is shown.
    static HWND VisiblePageOf(HWND dialog, int controlId) {
        struct Search {
            int id;
            HWND found;
        } search{controlId, nullptr};
        ::EnumChildWindows(
            dialog,
            [](HWND child, LPARAM context) -> BOOL {
                auto* s = reinterpret_cast<Search*>(context);
                if (::IsWindowVisible(child) && ::GetDlgItem(child, s->id)) {
                    s->found = child;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }
    static void CloseAfterShot(const char* name, HWND dialog) {
        if (!dialog) return;
        Shot(name, dialog);
        ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        WaitFor([&]() -> HWND { return ::IsWindow(dialog) ? nullptr : dialog; }, 5000);
    }

    HWND wizard_;
    HWND host_;
    HWND header_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: screenshot_tour <path of JunkSweep.exe>\n");
        return 2;
    }
    std::string program = argv[1];
    std::string folder = program.substr(0, program.find_last_of('\\'));
    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                          &info)) {
        std::fprintf(stderr, "cannot start %s\n", program.c_str());
        return 1;
    }
    ::CloseHandle(info.hThread);
    g_process = info.dwProcessId;
    HWND wizard = WaitFor([]() -> HWND {
        for (HWND window : DialogsOfProgram()) {
            if (::GetDlgItem(window, IDC_PAGE_AREA)) return window;
        }
        return nullptr;
    });
    if (!wizard) {
        std::fprintf(stderr, "the wizard did not come up\n");
        ::TerminateProcess(info.hProcess, 1);
        return 1;
    }
    ::WaitForInputIdle(info.hProcess, 10000);
    Tour tour(wizard);
    tour.Pages();
    tour.OptionsDialog();
    tour.RescueCenter();
    tour.HelpMenu();
    tour.Close();
    DWORD code = ::WaitForSingleObject(info.hProcess, 20000) == WAIT_OBJECT_0 ? 0 : 1;
    ::CloseHandle(info.hProcess);
    std::printf("done\n");
    return static_cast<int>(code);
}
