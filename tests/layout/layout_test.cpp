// Every window and page of the program, opened in every shipped language at
// 96 and at 144 DPI: a text cut off by its control is a failure. The 144 DPI
// run is a second process of this program, started while the test bed's
// display setting says 144 DPI (Wine reads it when a process starts).
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/app_resources.h"
#include "app/welcome_page.h"
#include "app/wizard_window.h"
#include "options/advanced_settings_dialog.h"
#include "options/junk_type_editor.h"
#include "options/options_ids.h"
#include "options/options_sheet.h"
#include "pages/not_cleaned_dialog.h"
#include "pages/page_protocol.h"
#include "pages/resource_ids.h"
#include "pages/wizard_pages.h"
#include "rescue/rescue_center_dialog.h"
#include "rescue/rescue_resources.h"
#include "support/scratch.h"
#include "support/ui/unexpected_services.h"
#include "text/language_choice.h"
#include "text_fit.h"

namespace {

const char* const kLanguages[] = {"en", "de", "es", "ru", "zh-Hans"};
constexpr const char* kChildDpiVariable = "JS_LAYOUT_DPI";
constexpr const char* kChildReportVariable = "JS_LAYOUT_REPORT";

int ScreenDpi() {
    HDC screen = ::GetDC(nullptr);
    int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi;
}

void Drain() {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

// Collects what does not fit, one line per control: "<language> <view>: ...".
class Report {
public:
    explicit Report(std::string language) : language_(std::move(language)) {}
    void Check(const std::string& view, HWND window) {
        if (!window) {
            lines_.push_back(language_ + " " + view + ": did not open");
            return;
        }
        Drain();
        for (const layouttest::Misfit& misfit : layouttest::MisfitsIn(window)) {
            lines_.push_back(language_ + " " + view + ": " + misfit.control + " " + misfit.problem);
        }
    }
    std::vector<std::string>& Lines() { return lines_; }

private:
    std::string language_;
    std::vector<std::string> lines_;
};

// The control with this id anywhere below the window, not hidden itself, or null.
HWND ControlIn(HWND window, int id) {
    struct Search {
        int id;
        HWND found;
    } search{id, nullptr};
    ::EnumChildWindows(
        window,
        [](HWND child, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (::GetDlgCtrlID(child) != s->id || (::GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE) == 0) return TRUE;
            s->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void CheckWizard(Report& report) {
    const pages::Services services = testsupport::UnexpectedServices();
    app::WizardWindow wizard(
        [&](pages::Session& session) {
            std::vector<pages::PageSlot> slots;
            slots.push_back({pages::MakePage<app::WelcomePage>(pages::RunMode::Interactive), IDD_WELCOME_PAGE});
            for (pages::PageSlot& page : pages::CreateScanAndCleanPages(session, services, pages::RunMode::Interactive)) {
                slots.push_back(std::move(page));
            }
            return slots;
        },
        services, false);
    HWND window = wizard.Create();
    if (!window) return report.Check("wizard", nullptr);
    HWND host = ::GetDlgItem(window, IDC_PAGE_AREA);
    const char* names[] = {"welcome", "drive selection", "scanning", "report", "summary", "cleaning", "finish"};
    for (int page = 0; page < 7; ++page) {
        ::SendMessageA(host, pages::WM_PAGEHOST_SHOWPAGE, page, 0);
        report.Check(std::string("wizard, ") + names[page] + " page", window);
        if (page == 3) {
            // The report's second view shows its own list in place of the files.
            HWND byType = ControlIn(host, IDC_PG_VIEW_BY_TYPE);
            if (!byType) {
                report.Check("wizard, report page by type", nullptr);
                continue;
            }
            ::SendMessageA(::GetParent(byType), WM_COMMAND, MAKEWPARAM(IDC_PG_VIEW_BY_TYPE, BN_CLICKED),
                           reinterpret_cast<LPARAM>(byType));
            report.Check("wizard, report page by type", window);
        }
    }
    ::DestroyWindow(window);
    Drain();
}

void CheckOptions(Report& report) {
    const ui::FolderBrowser browse = []() -> std::optional<std::string> { return std::nullopt; };
    options::OptionsSheet sheet(0, browse);
    sheet.Create(nullptr, IDD_OPTIONS);
    for (int tab = 0; tab < options::OptionsSheet::kTabCount; ++tab) {
        sheet.ShowTab(tab);
        report.Check("options, tab " + std::to_string(tab), sheet.Hwnd());
    }
    options::JunkTypeEditor editor("_AddJunkFileDialogCaption", "*.tmp", "Temporary file");
    editor.Create(nullptr, IDD_JUNK_TYPE_EDITOR);
    report.Check("junk type editor", editor.Hwnd());
    options::AdvancedSettingsDialog advanced;
    advanced.Create(nullptr, IDD_ADVANCED_SETTINGS);
    report.Check("advanced settings", advanced.Hwnd());
}

void CheckOtherDialogs(Report& report) {
    rescue::RescueCenter rescueCenter([](const std::string&) {});
    rescueCenter.Create(nullptr, IDD_RESCUE_CENTER);
    report.Check("rescue center", rescueCenter.Hwnd());
    pages::NotCleanedDialog notCleaned({{"d:\\Temp\\a.tmp", "1 KB", "In use"}}, "", [](const std::string&) {});
    notCleaned.Create(nullptr, IDD_PG_NOT_CLEANED);
    report.Check("files not cleaned", notCleaned.Hwnd());
}

// Opens every window in every language at the display's DPI.
std::vector<std::string> MisfitsInEveryLanguage() {
    std::vector<std::string> lines;
    for (const char* language : kLanguages) {
        testsupport::ProgramPlace place(std::string("layout-") + language);
        place.CopyShipped("JunkSweep.lng");
        place.CopyShipped("JunkSweep.xml");
        place.CopyShippedLanguages();
        text::UseLanguage(language);
        Report report(language);
        CheckWizard(report);
        CheckOptions(report);
        CheckOtherDialogs(report);
        lines.insert(lines.end(), report.Lines().begin(), report.Lines().end());
    }
    return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

// The display's DPI in the test bed's settings, put back as it was.
class DisplayDpi {
public:
    explicit DisplayDpi(DWORD dpi) {
        ::RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                          &key_, nullptr);
        DWORD size = sizeof old_;
        had_ = ::RegQueryValueExA(key_, "LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&old_), &size) ==
               ERROR_SUCCESS;
        ::RegSetValueExA(key_, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    }
    ~DisplayDpi() {
        if (had_) {
            ::RegSetValueExA(key_, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&old_), sizeof old_);
        } else {
            ::RegDeleteValueA(key_, "LogPixels");
        }
        ::RegCloseKey(key_);
    }

private:
    HKEY key_ = nullptr;
    DWORD old_ = 0;
    bool had_ = false;
};

TEST(Layout, EveryTextFitsInEveryLanguageAt96Dpi) {
    if (::GetEnvironmentVariableA(kChildDpiVariable, nullptr, 0)) GTEST_SKIP() << "the 144 DPI run";
    ASSERT_EQ(ScreenDpi(), 96);
    const std::vector<std::string> misfits = MisfitsInEveryLanguage();
    EXPECT_TRUE(misfits.empty()) << Joined(misfits);
}

TEST(Layout, EveryTextFitsInEveryLanguageAt144Dpi) {
    if (::GetEnvironmentVariableA(kChildDpiVariable, nullptr, 0)) GTEST_SKIP() << "the 144 DPI run";
    const std::string reportPath = testsupport::NewScratchFolder("layout144") + "\\misfits.txt";
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string commandLine = std::string("\"") + self + "\" --gtest_filter=LayoutAtThisDpi.*";
    ::SetEnvironmentVariableA(kChildDpiVariable, "144");
    ::SetEnvironmentVariableA(kChildReportVariable, reportPath.c_str());
    DWORD exitCode = 1;
    {
        DisplayDpi dpi(144);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        ASSERT_TRUE(::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                     &startup, &process));
        ::WaitForSingleObject(process.hProcess, INFINITE);
        ::GetExitCodeProcess(process.hProcess, &exitCode);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    ::SetEnvironmentVariableA(kChildDpiVariable, nullptr);
    ::SetEnvironmentVariableA(kChildReportVariable, nullptr);
    ASSERT_TRUE(testsupport::FileExists(reportPath)) << "the 144 DPI run wrote no report (exit code " << exitCode << ")";
    const std::string misfits = testsupport::ReadFile(reportPath);
    EXPECT_EQ(misfits, "at 144 DPI\n");
}

// Run only as the second process of the test above.
TEST(LayoutAtThisDpi, WritesWhatDoesNotFit) {
    char report[MAX_PATH] = {};
    if (!::GetEnvironmentVariableA(kChildReportVariable, report, MAX_PATH)) GTEST_SKIP() << "started by the 144 DPI test";
    std::string text = "at " + std::to_string(ScreenDpi()) + " DPI\n" + Joined(MisfitsInEveryLanguage());
    testsupport::WriteFile(report, text);
}

}  // namespace

namespace {

// The pixels of one character drawn in the dialogs' font, Tahoma 8, at a weight.
std::vector<COLORREF> Drawn(const wchar_t* character, int weight) {
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 24, 24);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ oldBitmap = ::SelectObject(dc, bitmap);
    HFONT font = ::CreateFontW(-::MulDiv(8, ::GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, weight, FALSE, FALSE,
                               FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    HGDIOBJ oldFont = ::SelectObject(dc, font);
    RECT all{0, 0, 24, 24};
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::SetBkMode(dc, TRANSPARENT);
    ::TextOutW(dc, 2, 2, character, 1);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 24; ++x) pixels.push_back(::GetPixel(dc, x, y));
    }
    ::SelectObject(dc, oldFont);
    ::SelectObject(dc, oldBitmap);
    ::DeleteObject(font);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    return pixels;
}

bool HasInk(const std::vector<COLORREF>& pixels) {
    for (COLORREF pixel : pixels) {
        if (pixel != RGB(255, 255, 255)) return true;
    }
    return false;
}

// A font without Chinese glyphs draws every character as the same empty
// box (or nothing); with them, each character has its own shape.
TEST(ChineseText, DrawsInTheDialogFontWithGlyphsOfItsOwn) {
    const wchar_t* characters[] = {L"\x4E2D", L"\x6587", L"\x6E05", L"\x7406"};  // the words "Chinese", "clean"
    // Labels and headings draw in the dialog font and in its bold weight.
    for (int weight : {FW_NORMAL, FW_BOLD}) {
        SCOPED_TRACE(weight);
        const std::vector<COLORREF> missing = Drawn(L"\xE000", weight);  // a private character no font has
        std::vector<std::vector<COLORREF>> drawn;
        for (const wchar_t* character : characters) drawn.push_back(Drawn(character, weight));
        for (size_t i = 0; i < drawn.size(); ++i) {
            EXPECT_TRUE(HasInk(drawn[i])) << i;
            EXPECT_NE(drawn[i], missing) << i;
            for (size_t j = 0; j < i; ++j) EXPECT_NE(drawn[i], drawn[j]) << i << " " << j;
        }
    }
}

}  // namespace
