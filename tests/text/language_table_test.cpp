// Looking texts up in a language file, as the platform's INI reader reads it.
#include <gtest/gtest.h>

#include <string>

#include "support/scratch.h"
#include "text/language_table.h"

namespace {

using text::LookupText;

const char kLanguageFile[] =
    "; a comment line\r\n"
    "_Outside=before any section\r\n"
    "[Other]\r\n"
    "_Elsewhere=other section\r\n"
    "[string]\r\n"
    "_AppName=JunkSweep\r\n"
    "_TwoLines=First line\\r\\nSecond line\r\n"
    "_Tab=a\\tb\r\n"
    "_Backslashes=C:\\Temp\\new\r\n"
    "_SkipReadOnlyFiles=Skip read-only files\r\n"
    "  _Padded   =   padded value   \r\n"
    "_DoubleQuoted=\"quoted text\"\r\n"
    "_SingleQuoted='single'\r\n"
    "_Empty=\r\n"
    "_Twice=first\r\n"
    "_Twice=second\r\n"
    "_Percent=%d files\r\n";

TEST(LookupText, ReadsLikeTheIniReader) {
    testsupport::ProgramPlace place("language");
    testsupport::WriteFile(place.LanguagePath(), kLanguageFile);
    struct Case {
        const char* key;
        const char* expected;
    };
    const Case cases[] = {
        {"_AppName", "JunkSweep"},
        {"_appname", "JunkSweep"},
        {"_APPNAME", "JunkSweep"},
        {"_TwoLines", "First line\r\nSecond line"},
        {"_Tab", "a\\tb"},
        {"_Backslashes", "C:\\Temp\n"
                         "ew"},
        {"_SkipReadOnlyFiles ", "Skip read-only files"},
        {" _SkipReadOnlyFiles", "Skip read-only files"},
        {"_Padded", "padded value"},
        {"_DoubleQuoted", "quoted text"},
        {"_SingleQuoted", "single"},
        {"_Twice", "first"},
        {"_Percent", "%d files"},
        // Missing keys, empty values and other sections give the key back.
        {"_Missing", "_Missing"},
        {"_Empty", "_Empty"},
        {"_Elsewhere", "_Elsewhere"},
        {"_Outside", "_Outside"},
        {"", ""},
        {"List1", "List1"},
    };
    for (const Case& c : cases) EXPECT_EQ(LookupText(c.key), c.expected) << "key [" << c.key << "]";
}

TEST(LookupText, WithoutAFileEveryKeyStandsForItself) {
    testsupport::ProgramPlace place("nolanguage");
    for (const char* key : {"_Next", "_Back", "_Cancel", "_SkipHideFiles "}) EXPECT_EQ(LookupText(key), key);
    text::LanguageTable::Instance().SetFilePath("");
    EXPECT_EQ(LookupText("_Next"), "_Next");
}

TEST(LookupText, LongValuesAreCutAt65534Characters) {
    testsupport::ProgramPlace place("longvalue");
    std::string value(70000, 'x');
    value[65533] = 'L';  // the last character kept
    testsupport::WriteFile(place.LanguagePath(), "[String]\r\n_Long=" + value + "\r\n_After=still read\r\n");
    std::string got = LookupText("_Long");
    ASSERT_EQ(got.size(), 65534u);
    EXPECT_EQ(got.back(), 'L');
    EXPECT_EQ(LookupText("_After"), "still read");
}

TEST(LookupText, FollowsTheFileItWasGiven) {
    testsupport::ProgramPlace place("renamed");
    EXPECT_EQ(text::LanguageFilePath(), place.LanguagePath());
    testsupport::WriteFile(place.LanguagePath(), "[String]\r\n_AppName=First\r\n");
    EXPECT_EQ(LookupText("_AppName"), "First");
    // Nothing is cached: a changed file is read again.
    testsupport::WriteFile(place.LanguagePath(), "[String]\r\n_AppName=Second text\r\n");
    EXPECT_EQ(LookupText("_AppName"), "Second text");
}

TEST(ConvertEscapes, OnlyBackslashRAndBackslashNAreEscapes) {
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {"a\\rb", "a\rb"},       {"a\\nb", "a\nb"},   {"\\n\\r", "\n\r"},   {"\\t\\x\\", "\\t\\x\\"},
        {"\\\\n", "\\\n"},       {"\\R\\N", "\\R\\N"}, {"", ""},             {"no escapes", "no escapes"},
        {"\\r\\n\\r\\n", "\r\n\r\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(text::ConvertEscapes(c.in), c.out) << c.in;
}

}  // namespace
