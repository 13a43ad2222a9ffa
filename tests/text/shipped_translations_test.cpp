// The translations shipped in the folder Languages: every key of the English
// file, each template with the English one's placeholders, and nothing the
// INI reader would change.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "language_file_checks.h"
#include "support/scratch.h"
#include "text/format_template.h"

namespace {

using texttest::LanguageFileEntries;

TEST(ShippedTranslations, HaveEveryEnglishKeyWithItsPlaceholders) {
    struct Language {
        const char* tag;
        const char* ownName;
    };
    const Language languages[] = {
        {"de", "Deutsch"},
        {"es", "Espa\xC3\xB1ol"},
        {"ru", "\xD0\xA0\xD1\x83\xD1\x81\xD1\x81\xD0\xBA\xD0\xB8\xD0\xB9"},
        {"zh-Hans", "\xE4\xB8\xAD\xE6\x96\x87(\xE7\xAE\x80\xE4\xBD\x93)"},
    };
    const std::string folder = testsupport::TestProgramFolder();
    const auto english = LanguageFileEntries(folder + "\\JunkSweep.lng");
    ASSERT_FALSE(english.empty());
    for (const Language& language : languages) {
        SCOPED_TRACE(language.tag);
        const auto translated = LanguageFileEntries(folder + "\\Languages\\" + language.tag + ".lng");
        ASSERT_FALSE(translated.empty());
        for (const auto& [key, text] : translated) EXPECT_EQ(english.count(key), 1u) << "not an English key: " << key;
        for (const auto& [key, englishText] : english) {
            SCOPED_TRACE(key);
            auto found = translated.find(key);
            ASSERT_NE(found, translated.end()) << "missing";
            const std::string& value = found->second;
            ASSERT_NO_FATAL_FAILURE(texttest::ExpectReadAsWritten(value));
            EXPECT_EQ(text::PlaceholderKinds(value), text::PlaceholderKinds(englishText)) << value;
        }
        EXPECT_EQ(translated.at("_LanguageName"), language.ownName);
        EXPECT_EQ(translated.at("_AppName"), "JunkSweep");
    }
}

}  // namespace
