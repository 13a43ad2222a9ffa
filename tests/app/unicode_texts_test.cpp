// With UTF-8 as the program's code page, texts in any script pass through
// the language file, the settings document and window texts unchanged.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "config/settings.h"
#include "support/scratch.h"
#include "text/language_table.h"

namespace {

const std::string kCleanup = "\xD0\x9E\xD1\x87\xD0\xB8\xD1\x81\xD1\x82\xD0\xBA\xD0\xB0 \xE6\xB8\x85\xE7\x90\x86";

TEST(UnicodeTexts, LanguageTextsSettingsAndWindowTextsKeepEveryScript) {
    ASSERT_EQ(GetACP(), static_cast<UINT>(CP_UTF8)) << "the program's manifest sets the code page";
    testsupport::ProgramPlace place;
    testsupport::WriteFile(place.LanguagePath(), "[String]\r\n_AppName=" + kCleanup + "\r\n");
    const std::string text = text::LookupText("_AppName");
    EXPECT_EQ(text, kCleanup);

    HWND label = CreateWindowA("STATIC", text.c_str(), 0, 0, 0, 100, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(label);
    wchar_t shown[64] = {};
    GetWindowTextW(label, shown, 64);
    DestroyWindow(label);
    EXPECT_EQ(std::wstring(shown), testsupport::Utf8ToWide(kCleanup));

    place.CopyShipped("JunkSweep.xml");
    const std::vector<std::string> selected = {"d:\\" + kCleanup, "e:\\\xF0\x9F\x98\x80"};
    config::SaveSelectedPaths(selected);
    EXPECT_EQ(config::LoadSelectedPaths(), selected);
}

}  // namespace
