#include <gtest/gtest.h>
#include <windows.h>

#include "config/settings.h"
#include "options/options_dialog.h"
#include "options/options_ids.h"
#include "support/modal_answerer.h"
#include "options_bed.h"

namespace {

using config::ValueSet;

struct SearchPage {
    optest::OpenSheet sheet{options::kSearchOptionsTab};
    HWND Item(int id) { return sheet.PageItem(options::kSearchOptionsTab, id); }
    HWND Months() { return Item(IDC_MONTHS); }
    HWND NotAccessed() { return Item(IDC_FIND_NOT_ACCESSED); }
    bool MonthsEnabled() { return ::IsWindowEnabled(Months()) != FALSE; }
    void SetMonths(const char* text) { ::SendMessageA(Months(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)); }
};

std::string WithSkipHidden(const char* custom) {
    std::string xml = optest::kSettingsXml;
    std::string from = R"(<SkipHiddenFiles default="0" custom="1"/>)";
    xml.replace(xml.find(from), from.size(), std::string(R"(<SkipHiddenFiles default="0" custom=")") + custom + "\"/>");
    return xml;
}

TEST(SearchOptionsPage, AStoredSwitchOutsideZeroToTwoShowsUncheckedAndIsSavedAsZero) {
    struct Case {
        const char* stored;
        bool shown;
        int32_t saved;
    } cases[] = {{"5", false, 0}, {"-1", false, 0}, {"2", true, 1}, {"1", true, 1}, {"0", false, 0}, {"x", false, 0}};
    for (const Case& c : cases) {
        optest::ProgramBed bed;
        bed.Place().WriteSettings(WithSkipHidden(c.stored));
        SearchPage page;
        EXPECT_EQ(optest::IsChecked(page.Item(IDC_SKIP_HIDDEN)), c.shown) << c.stored;
        optest::Click(page.sheet.Item(IDOK));
        EXPECT_EQ(config::LoadSearchOptions(ValueSet::Custom).skipHiddenFiles, c.saved) << c.stored;
    }
}

TEST(SearchOptionsPage, TheMonthsBoxIsEnabledExactlyWhileNotAccessedIsChecked) {
    optest::ProgramBed bed;
    SearchPage page;
    EXPECT_FALSE(page.MonthsEnabled());  // user value 0
    optest::Click(page.NotAccessed());
    EXPECT_TRUE(page.MonthsEnabled());
    optest::Click(page.NotAccessed());
    EXPECT_FALSE(page.MonthsEnabled());
    // The factory value is 1: Default turns the box on, with the factory month count.
    optest::Click(page.Item(IDC_PAGE_DEFAULT));
    EXPECT_TRUE(optest::IsChecked(page.NotAccessed()));
    EXPECT_TRUE(page.MonthsEnabled());
    EXPECT_EQ(platform::WindowText(page.Months()), "6");
    optest::Click(page.NotAccessed());
    EXPECT_FALSE(page.MonthsEnabled());
}

TEST(SearchOptionsPage, ADisabledMonthsBoxKeepsItsNumberAndOkSavesIt) {
    optest::ProgramBed bed;
    SearchPage page;
    optest::Click(page.NotAccessed());
    page.SetMonths("24");
    optest::Click(page.NotAccessed());
    EXPECT_FALSE(page.MonthsEnabled());
    EXPECT_EQ(platform::WindowText(page.Months()), "24");
    optest::Click(page.sheet.Item(IDOK));
    config::SearchOptions saved = config::LoadSearchOptions(ValueSet::Custom);
    EXPECT_EQ(saved.findFilesNotAccessed, 0);
    EXPECT_EQ(saved.months, 24u);
}

TEST(SearchOptionsPage, AMonthsBoxWithoutANumberTakesTheFocusAndOkSavesZero) {
    for (const char* text : {"", "   ", "3x"}) {
        optest::ProgramBed bed;
        SearchPage page;
        ::ShowWindow(page.sheet.Hwnd(), SW_SHOW);
        optest::Click(page.NotAccessed());
        page.SetMonths(text);
        page.sheet->SearchOptions().SavePage();
        EXPECT_EQ(::GetFocus(), page.Months()) << '"' << text << '"';
        EXPECT_EQ(config::LoadSearchOptions(ValueSet::Custom).months, 0u);

        bed.Place().WriteSettings(optest::kSettingsXml);
        optest::Click(page.sheet.Item(IDOK));  // goes ahead all the same
        EXPECT_EQ(page.sheet->Result(), IDOK);
        config::SearchOptions saved = config::LoadSearchOptions(ValueSet::Custom);
        EXPECT_EQ(saved.months, 0u);
        EXPECT_EQ(saved.findFilesNotAccessed, 1);
    }
}

}  // namespace
