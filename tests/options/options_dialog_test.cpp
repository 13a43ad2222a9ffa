#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <cstring>

#include "config/settings.h"
#include "options/option_rules.h"
#include "options/options_dialog.h"
#include "options/options_ids.h"
#include "support/modal_answerer.h"
#include "options_bed.h"

namespace {

using config::ValueSet;
using optest::ProgramBed;

constexpr int kPageMarkers[] = {IDC_JUNK_LIST, IDC_MONTHS, IDC_SKIP_FOLDER_LIST, IDC_TARGET_FOLDER};

// Which page of a running options dialog is visible, told by a control only
// that page has; 0 when none is.
int VisiblePageMarker(HWND dialog, int* visiblePages = nullptr) {
    int found = 0;
    HWND tabs = ::GetDlgItem(dialog, IDC_OPTION_TABS);
    for (HWND page = ::GetWindow(tabs, GW_CHILD); page; page = ::GetWindow(page, GW_HWNDNEXT)) {
        if (!::IsWindowVisible(page)) continue;
        if (visiblePages) ++*visiblePages;
        for (int marker : kPageMarkers) {
            if (::GetDlgItem(page, marker)) found = marker;
        }
    }
    return found;
}

bool HasStyle(HWND window, LONG style) { return (::GetWindowLongA(window, GWL_STYLE) & style) == style; }

// Everything the options dialog edits, as the settings file holds it.
struct UserValues {
    config::SearchOptions search;
    config::CleanOptions clean;
    config::AdvCleanOptions traces;
    std::vector<config::JunkType> junkTypes;
    std::vector<config::SkipFolder> skipFolders;
    bool operator==(const UserValues&) const = default;
};

UserValues Load(ValueSet set) {
    return {config::LoadSearchOptions(set), config::LoadCleanOptions(set), config::LoadAdvCleanOptions(set),
            config::LoadJunkTypes(set), config::LoadSkipFolders(set)};
}

TEST(OptionsDialog, ShowsOnlyThePageOfTheTabItOpensOnOrIsSwitchedTo) {
    ProgramBed bed;
    auto expectShown = [](optest::OpenSheet& sheet, int shown, int step) {
        EXPECT_EQ(sheet->ShownTab(), shown) << step;
        EXPECT_EQ(TabCtrl_GetCurSel(sheet.Item(IDC_OPTION_TABS)), shown) << step;
        for (int tab = 0; tab < options::OptionsSheet::kTabCount; ++tab) {
            EXPECT_EQ(HasStyle(sheet->Page(tab).Hwnd(), WS_VISIBLE), tab == shown) << step << " " << tab;
        }
    };
    struct Case {
        int firstTab, shown;
    } cases[] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 0}, {-1, 0}};
    for (const Case& c : cases) {
        optest::OpenSheet sheet(c.firstTab);
        expectShown(sheet, c.shown, c.firstTab);
    }
    optest::OpenSheet sheet(0);
    for (int tab : {3, 5, 4, 1, 2, 0}) {
        sheet.SelectTab(tab);
        expectShown(sheet, tab, 10 + tab);
    }
}

TEST(OptionsDialog, OpenedFromTheProgramOnTheSkipFoldersTabShowsThatPageFirst) {
    ProgramBed bed;
    testsupport::ModalAnswerer answerer;
    std::atomic<int> visibleMarker{0};
    int visiblePages = 0;
    answerer.Expect("_Options", [&](HWND dialog) {
        visibleMarker = VisiblePageMarker(dialog, &visiblePages);
        optest::Click(::GetDlgItem(dialog, IDCANCEL));
    });
    EXPECT_EQ(options::ShowOptionsDialog(nullptr, options::kSkipFoldersTab, optest::UnexpectedBrowser()), IDCANCEL);
    EXPECT_EQ(answerer.Pending(), 0u);
    EXPECT_EQ(visiblePages, 1);
    EXPECT_EQ(visibleMarker.load(), IDC_SKIP_FOLDER_LIST);
}

TEST(OptionsDialog, CtrlWithTabOrPageKeysGoesRoundTheTabs) {
    ProgramBed bed;
    optest::OpenSheet sheet(0);
    struct Step {
        UINT key;
        bool control, shift, taken;
        int shown;
    } steps[] = {
        {VK_TAB, true, false, true, 1},   {VK_TAB, true, true, true, 0},    {VK_PRIOR, true, false, true, options::OptionsSheet::kTabCount - 1},
        {VK_NEXT, true, false, true, 0},  {VK_TAB, false, false, false, 0}, {'A', true, false, false, 0},
    };
    for (const Step& step : steps) {
        EXPECT_EQ(sheet->OnTabKey(step.key, step.control, step.shift), step.taken) << step.key;
        EXPECT_EQ(sheet->ShownTab(), step.shown) << step.key;
    }

    // In the modal dialog the keys reach it before any control sees them.
    BYTE keys[256] = {}, held[256] = {};
    ::GetKeyboardState(keys);
    memcpy(held, keys, sizeof held);
    held[VK_CONTROL] = 0x80;
    ::SetKeyboardState(held);
    testsupport::ModalAnswerer answerer;
    std::atomic<int> visibleMarker{0};
    answerer.Expect("_Options", [&](HWND dialog) {
        ::PostMessageA(::GetDlgItem(dialog, IDOK), WM_KEYDOWN, VK_TAB, 0);
        // The key is handled on the dialog's thread: look until the page changes.
        const ULONGLONG start = ::GetTickCount64();
        while (visibleMarker != IDC_SKIP_FOLDER_LIST && ::GetTickCount64() - start < 30000) {
            ::Sleep(10);
            visibleMarker = VisiblePageMarker(dialog);
        }
        optest::Click(::GetDlgItem(dialog, IDCANCEL));
    });
    options::ShowOptionsDialog(nullptr, options::kSearchOptionsTab, optest::UnexpectedBrowser());
    ::SetKeyboardState(keys);
    EXPECT_EQ(visibleMarker.load(), IDC_SKIP_FOLDER_LIST);
}

TEST(OptionsDialog, ThePageLiesInsideTheTabBelowItsRowsOnShowAndOnResize) {
    ProgramBed bed;
    optest::OpenSheet sheet(1);
    HWND tabs = sheet.Item(IDC_OPTION_TABS);
    auto expectPlaced = [&](const char* when) {
        RECT client{}, item{}, page{};
        ::GetClientRect(tabs, &client);
        TabCtrl_GetItemRect(tabs, 0, &item);
        HWND shown = sheet->Page(sheet->ShownTab()).Hwnd();
        ::GetWindowRect(shown, &page);
        ::MapWindowPoints(nullptr, tabs, reinterpret_cast<POINT*>(&page), 2);
        int rows = TabCtrl_GetRowCount(tabs);
        EXPECT_GE(rows, 1) << when;
        EXPECT_EQ(page.left, 5) << when;
        EXPECT_EQ(page.top, (item.bottom - item.top) * rows + 5) << when;
        EXPECT_EQ(page.right, client.right - 5) << when;
        EXPECT_EQ(page.bottom, client.bottom - 5) << when;
    };
    expectPlaced("opened");
    sheet.SelectTab(2);
    expectPlaced("shown");
    RECT window{};
    ::GetWindowRect(sheet.Hwnd(), &window);
    ::SetWindowPos(sheet.Hwnd(), nullptr, 0, 0, window.right - window.left + 120, window.bottom - window.top + 80,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    expectPlaced("resized");
}

TEST(OptionsDialog, OkWithoutChangesKeepsEveryUserValue) {
    for (auto source : {ProgramBed::Settings::Fixture, ProgramBed::Settings::Shipped}) {
        ProgramBed bed(source);
        UserValues before = Load(ValueSet::Custom);
        optest::OpenSheet sheet;
        optest::Click(sheet.Item(IDOK));
        EXPECT_EQ(sheet->Result(), IDOK);
        EXPECT_FALSE(::IsWindow(sheet.Hwnd()));
        EXPECT_TRUE(Load(ValueSet::Custom) == before);
    }
}

TEST(OptionsDialog, DefaultAllThenCancelLeavesTheFileAsItWas) {
    for (auto source : {ProgramBed::Settings::Fixture, ProgramBed::Settings::Shipped}) {
        ProgramBed bed(source);
        std::string before = bed.SettingsBytes();
        optest::OpenSheet sheet;
        optest::Click(sheet.Item(IDC_DEFAULT_ALL));
        optest::Click(sheet.Item(IDCANCEL));
        EXPECT_EQ(sheet->Result(), IDCANCEL);
        EXPECT_EQ(bed.SettingsBytes(), before);
    }
}

TEST(OptionsDialog, DefaultAllThenOkMakesTheUserValuesTheFactoryValuesButNotTheTraceSwitches) {
    for (auto source : {ProgramBed::Settings::Fixture, ProgramBed::Settings::Shipped}) {
        ProgramBed bed(source);
        UserValues factory = Load(ValueSet::Default);
        config::AdvCleanOptions traces = config::LoadAdvCleanOptions(ValueSet::Custom);
        optest::OpenSheet sheet;
        optest::Click(sheet.Item(IDC_DEFAULT_ALL));
        optest::Click(sheet.Item(IDOK));
        UserValues user = Load(ValueSet::Custom);
        EXPECT_EQ(user.search, factory.search);
        EXPECT_EQ(user.clean, factory.clean);
        EXPECT_EQ(user.junkTypes, factory.junkTypes);
        EXPECT_EQ(user.skipFolders, factory.skipFolders);
        EXPECT_EQ(user.traces, traces);
    }
    // The fixture's two sets differ everywhere, so the copy really happened.
    ProgramBed bed;
    EXPECT_NE(config::LoadJunkTypes(ValueSet::Custom), config::LoadJunkTypes(ValueSet::Default));
}

TEST(OptionsDialog, AnUnreadableSettingsFileShowsEmptyPagesAndNeitherDialogWritesOnOk) {
    for (auto source : {ProgramBed::Settings::Missing, ProgramBed::Settings::Malformed}) {
        ProgramBed bed(source);
        std::string before = bed.SettingsBytes();
        optest::OpenSheet sheet;
        EXPECT_TRUE(optest::ListRows(sheet.PageItem(options::kJunkTypesTab, IDC_JUNK_LIST)).empty());
        EXPECT_TRUE(optest::ListRows(sheet.PageItem(options::kSkipFoldersTab, IDC_SKIP_FOLDER_LIST)).empty());
        for (int box : {IDC_SKIP_READONLY, IDC_SKIP_HIDDEN, IDC_SKIP_SYSTEM, IDC_FIND_NOT_ACCESSED,
                        IDC_FIND_ZERO_LENGTH, IDC_FIND_INVALID_SHORTCUTS}) {
            EXPECT_FALSE(optest::IsChecked(sheet.PageItem(options::kSearchOptionsTab, box))) << box;
        }
        EXPECT_EQ(platform::WindowText(sheet.PageItem(options::kSearchOptionsTab, IDC_MONTHS)), "0");
        for (int box : {IDC_CLEAN_FROM_DISK, IDC_MOVE_TO_RECYCLE, IDC_MOVE_TO_FOLDER, IDC_BACKUP}) {
            EXPECT_FALSE(optest::IsChecked(sheet.PageItem(options::kCleanOptionsTab, box))) << box;
        }
        EXPECT_EQ(platform::WindowText(sheet.PageItem(options::kCleanOptionsTab, IDC_TARGET_FOLDER)), "");
        optest::Click(sheet.Item(IDOK));
        EXPECT_EQ(sheet->Result(), IDOK);

        int checkedSwitches = 0;
        testsupport::ModalAnswerer answerer;
        answerer.Expect("_AdvSettingCaption", [&checkedSwitches](HWND dialog) {
            for (int i = 0; i < 13; ++i) {
                checkedSwitches += optest::IsChecked(::GetDlgItem(dialog, IDC_TRACE_SWITCH_FIRST + i));
            }
            optest::Click(::GetDlgItem(dialog, IDC_TRACE_SWITCH_FIRST));
            optest::Click(::GetDlgItem(dialog, IDOK));
        });
        EXPECT_EQ(options::ShowAdvancedSettings(nullptr), IDOK);
        EXPECT_EQ(checkedSwitches, 0);
        EXPECT_EQ(testsupport::FileExists(bed.SettingsPath()), source == ProgramBed::Settings::Malformed);
        EXPECT_EQ(bed.SettingsBytes(), before);
    }
}

TEST(OptionsDialog, TraceSwitchesConfirmedInTheAdvancedDialogStayWhenTheOptionsAreCancelled) {
    ProgramBed bed;
    UserValues before = Load(ValueSet::Custom);
    testsupport::ModalAnswerer answerer;
    answerer.Expect("_AdvSettingCaption", [](HWND dialog) {
        optest::Click(::GetDlgItem(dialog, IDC_TRACE_SWITCH_FIRST));       // clipboard: off -> on
        optest::Click(::GetDlgItem(dialog, IDC_TRACE_SWITCH_FIRST + 12));  // browser cache: off -> on
        optest::Click(::GetDlgItem(dialog, IDOK));
    });
    optest::OpenSheet sheet(options::kCleanOptionsTab);
    optest::Click(sheet.PageItem(options::kCleanOptionsTab, IDC_ADVANCED));
    EXPECT_EQ(answerer.Pending(), 0u);
    optest::Click(sheet.PageItem(options::kCleanOptionsTab, IDC_BACKUP));  // an unsaved change
    optest::Click(sheet.Item(IDCANCEL));

    UserValues after = Load(ValueSet::Custom);
    config::AdvCleanOptions expected = before.traces;
    expected[0] = 1;
    expected[12] = 1;
    EXPECT_EQ(after.traces, expected);
    after.traces = before.traces;
    EXPECT_TRUE(after == before);
}

TEST(AdvancedSettings, DefaultThenCancelKeepsAndDefaultThenOkWritesTheFactorySwitches) {
    struct Case {
        int button;
        INT_PTR result;
        bool factory;
    } cases[] = {{IDCANCEL, IDCANCEL, false}, {IDOK, IDOK, true}};
    for (const Case& c : cases) {
        ProgramBed bed;
        config::AdvCleanOptions user = config::LoadAdvCleanOptions(ValueSet::Custom);
        config::AdvCleanOptions factory = config::LoadAdvCleanOptions(ValueSet::Default);
        ASSERT_NE(user, factory);
        testsupport::ModalAnswerer answerer;
        answerer.Expect("_AdvSettingCaption", [&c](HWND dialog) {
            optest::Click(::GetDlgItem(dialog, IDC_PAGE_DEFAULT));
            optest::Click(::GetDlgItem(dialog, c.button));
        });
        EXPECT_EQ(options::ShowAdvancedSettings(nullptr), c.result);
        EXPECT_EQ(config::LoadAdvCleanOptions(ValueSet::Custom), c.factory ? factory : user);
    }
}

TEST(AdvancedSettings, ShowsEachSwitchInItsOwnBoxAndClampsStrangeValues) {
    ProgramBed bed;
    std::string xml = optest::kSettingsXml;
    // The clipboard switch holds 7 (not trusted: off), the Ras switch 2 (on).
    auto replace = [&xml](const std::string& from, const std::string& to) {
        xml.replace(xml.find(from), from.size(), to);
    };
    replace(R"(<CleanClipBoard default="1" custom="0"/>)", R"(<CleanClipBoard default="1" custom="7"/>)");
    replace(R"(<CleanRas default="0" custom="1"/>)", R"(<CleanRas default="0" custom="2"/>)");
    bed.Place().WriteSettings(xml);
    config::AdvCleanOptions shown{};
    testsupport::ModalAnswerer answerer;
    answerer.Expect("_AdvSettingCaption", [&shown](HWND dialog) {
        for (size_t i = 0; i < shown.size(); ++i) {
            shown[i] = optest::IsChecked(::GetDlgItem(dialog, IDC_TRACE_SWITCH_FIRST + static_cast<int>(i)));
        }
        optest::Click(::GetDlgItem(dialog, IDOK));
    });
    options::ShowAdvancedSettings(nullptr);
    const config::AdvCleanOptions alternating{0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0};
    EXPECT_EQ(shown, alternating);
    EXPECT_EQ(config::LoadAdvCleanOptions(ValueSet::Custom), alternating);
}

}  // namespace
