// The language tab: Automatic or a language by its own name, saved on OK.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "config/settings.h"
#include "options/language_page.h"
#include "options/options_dialog.h"
#include "options_bed.h"

namespace {

using config::ValueSet;

std::vector<std::string> Entries(HWND combo) {
    std::vector<std::string> entries;
    const LRESULT count = ::SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::string entry(static_cast<size_t>(::SendMessageA(combo, CB_GETLBTEXTLEN, i, 0)) + 1, '\0');
        entry.resize(static_cast<size_t>(::SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry.data()))));
        entries.push_back(entry);
    }
    return entries;
}

TEST(LanguagePage, OffersEveryLanguageByItsOwnNameAndSavesTheChoiceOnOk) {
    optest::ProgramBed bed(optest::ProgramBed::Settings::Shipped);
    bed.Place().CopyShipped("JunkSweep.lng");
    bed.Place().CopyShippedLanguages();
    {
        optest::OpenSheet sheet(options::kLanguageTab);
        HWND list = sheet.PageItem(options::kLanguageTab, IDC_LANGUAGE_LIST);
        EXPECT_EQ(Entries(list),
                  (std::vector<std::string>{"Automatic (the language of Windows)", "English", "Deutsch",
                                            "Espa\xC3\xB1ol", "\xD0\xA0\xD1\x83\xD1\x81\xD1\x81\xD0\xBA\xD0\xB8\xD0\xB9",
                                            "\xE4\xB8\xAD\xE6\x96\x87(\xE7\xAE\x80\xE4\xBD\x93)"}));
        EXPECT_EQ(::SendMessageA(list, CB_GETCURSEL, 0, 0), 0);
    }
    // Each row chosen and confirmed is the tag saved, and shows again on the
    // next opening; Default goes back to Automatic.
    struct Case {
        int row;
        const char* saved;
    } cases[] = {{4, "ru"}, {1, "en"}, {5, "zh-Hans"}, {0, ""}};
    for (const Case& c : cases) {
        optest::OpenSheet sheet(options::kLanguageTab);
        HWND list = sheet.PageItem(options::kLanguageTab, IDC_LANGUAGE_LIST);
        ::SendMessageA(list, CB_SETCURSEL, c.row, 0);
        optest::Click(sheet.Item(IDOK));
        EXPECT_EQ(config::LoadLanguage(ValueSet::Custom), c.saved);
        optest::OpenSheet again(options::kLanguageTab);
        EXPECT_EQ(::SendMessageA(again.PageItem(options::kLanguageTab, IDC_LANGUAGE_LIST), CB_GETCURSEL, 0, 0), c.row);
        optest::Click(again.PageItem(options::kLanguageTab, IDC_PAGE_DEFAULT));
        EXPECT_EQ(::SendMessageA(again.PageItem(options::kLanguageTab, IDC_LANGUAGE_LIST), CB_GETCURSEL, 0, 0), 0);
        optest::Click(again.Item(IDCANCEL));
    }
}

}  // namespace
