// Which language file the program reads, and how a translation stands in
// front of the English file without ever breaking a template.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/scratch.h"
#include "text/format_template.h"
#include "text/language_choice.h"
#include "text/language_table.h"

namespace {

using text::LookupText;

TEST(LanguageChoice, FollowsTheChoiceThenTheDisplayLanguageThenEnglish) {
    const std::vector<std::string> shipped = {"de", "es", "ru", "zh-Hans"};
    struct Case {
        const char* choice;
        const char* display;
        std::vector<std::string> installed;
        const char* expected;
    };
    const Case cases[] = {
        // Automatic: the display language, by language or by exact tag.
        {"", "de-AT", shipped, "de"},
        {"", "ru", shipped, "ru"},
        {"", "pt-BR", {"pt", "pt-BR"}, "pt-BR"},
        {"", "PT_br", {"pt"}, "pt"},
        // Chinese goes by its script: Traditional is not Simplified.
        {"", "zh-CN", shipped, "zh-Hans"},
        {"", "zh-Hans-HK", shipped, "zh-Hans"},
        {"", "zh-TW", shipped, "en"},
        {"", "zh-HK", {"zh-Hant"}, "zh-Hant"},
        // English, languages without a translation, and no answer at all.
        {"", "en-GB", {"en-GB"}, "en"},
        {"", "fr-FR", shipped, "en"},
        {"", "", shipped, "en"},
        // A choice wins over the display language, whatever its case...
        {"ru", "de-DE", shipped, "ru"},
        {"ZH-hans", "en-US", shipped, "zh-Hans"},
        {"en", "de-DE", shipped, "en"},
        // ...unless its file is gone: then it is as if none was made.
        {"es", "de-DE", {"de"}, "de"},
        {"es", "fr-FR", {"de"}, "en"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(text::ResolveLanguage(c.choice, c.display, c.installed), c.expected)
            << "choice [" << c.choice << "] display [" << c.display << "]";
    }
}

TEST(LanguageChoice, ATranslationIsUsedKeyByKeyOnlyWhereItFitsTheEnglishTemplate) {
    testsupport::ProgramPlace place("translated");
    testsupport::WriteFile(place.LanguagePath(),
                           "[String]\r\n"
                           "_Plain=Clean\r\n"
                           "_Count=%d files found\r\n"
                           "_Pair=%d files, %s\r\n"
                           "_Date=%02d/%02d/%04d\r\n"
                           "_Missing=Only in English\r\n"
                           "_Empty=English for an empty text\r\n"
                           "_Percent=%d%% done\r\n");
    testsupport::MakeFolders(text::LanguagesFolder());
    const std::string longText(10000, 'L');
    testsupport::WriteFile(text::TranslationPath("xx"),
                           "[String]\r\n"
                           "_Plain=Bereinigen\r\n"
                           "_Count=%d Dateien\r\n"
                           "_Pair=%s, %d Dateien\r\n"    // order swapped
                           "_Date=%02d.%02d.%04d %d\r\n"  // one too many
                           "_Empty=\r\n"
                           "_Percent=%s fertig\r\n"       // a text for a number
                           "_Long=" + longText + "%d\r\n"
                           "_OnlyHere=%s only translated\r\n");
    text::UseLanguage("xx");
    struct Case {
        const char* key;
        std::string expected;
    };
    const Case cases[] = {
        {"_Plain", "Bereinigen"},
        {"_Count", "%d Dateien"},
        {"_Pair", "%d files, %s"},
        {"_Date", "%02d/%02d/%04d"},
        {"_Missing", "Only in English"},
        {"_Empty", "English for an empty text"},
        {"_Percent", "%d%% done"},
        // The English file lacks these: nothing to compare with.
        {"_Long", longText + "%d"},
        {"_OnlyHere", "%s only translated"},
        {"_Nowhere", "_Nowhere"},
    };
    for (const Case& c : cases) EXPECT_EQ(LookupText(c.key), c.expected) << c.key;
    EXPECT_EQ(text::FormatTemplate(LookupText("_Long"), {7}), longText + "7");

    // The English file alone again: the translation no longer counts.
    text::UseLanguage(text::kEnglishTag);
    EXPECT_EQ(LookupText("_Plain"), "Clean");
    EXPECT_EQ(LookupText("_OnlyHere"), "_OnlyHere");
}

TEST(LanguageChoice, OffersEnglishAndEveryTranslationByItsOwnName) {
    testsupport::ProgramPlace place("offered");
    testsupport::WriteFile(place.LanguagePath(), "[String]\r\n_LanguageName=English (edited)\r\n");
    const std::string folder = text::LanguagesFolder();
    testsupport::MakeFolders(folder + "\\sub.lng");  // a folder, not a file
    testsupport::WriteFile(folder + "\\ru.lng", "[String]\r\n_LanguageName=Russian here\r\n");
    testsupport::WriteFile(folder + "\\de.LNG", "[String]\r\n_LanguageName=Deutsch\r\n");
    testsupport::WriteFile(folder + "\\xx.lng", "[String]\r\n_AppName=no name of its own\r\n");
    testsupport::WriteFile(folder + "\\en.lng", "[String]\r\n_LanguageName=a second English\r\n");
    testsupport::WriteFile(folder + "\\notes.txt", "not a language");

    std::vector<std::string> offered;
    for (const text::LanguageEntry& e : text::OfferedLanguages()) offered.push_back(e.tag + "=" + e.ownName);
    EXPECT_EQ(offered, (std::vector<std::string>{"en=English (edited)", "de=Deutsch", "ru=Russian here", "xx=xx"}));
}

TEST(PlaceholderKinds, NameWhatFormatTemplateFills) {
    struct Case {
        const char* pattern;
        const char* kinds;
    };
    const Case cases[] = {
        {"no placeholders", ""},
        {"%d of %s", "ds"},
        {"%02d/%02d/%04d", "ddd"},
        {"%u %i %lld %I64d", "dddd"},
        {"%x %X %o %c", "xxxc"},
        {"100%% %-5.3s", "s"},
        {"100 % sicher", "s"},  // "% s" is a conversion with a blank flag
        {"%n %p %f %*d 50%", ""},
        {"%", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(text::PlaceholderKinds(c.pattern), c.kinds) << c.pattern;
}

}  // namespace
