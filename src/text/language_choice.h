#pragma once
// Which language the program speaks. English is the language file beside the
// program (<dir>\<base>.lng, which a user may edit); each translation is a
// file of the same format in the Languages folder beside it, named by its
// language tag ("de.lng", "zh-Hans.lng"). The user's choice is a tag, or
// empty for the language of Windows.
#include <string>
#include <string_view>
#include <vector>

namespace text {

// The tag that stands for the English file beside the program.
inline constexpr std::string_view kEnglishTag = "en";

// Whether two tags are the same: they are ASCII, and case does not matter
// in them.
bool SameTag(std::string_view a, std::string_view b);

// <dir>\Languages
std::string LanguagesFolder();
// <dir>\Languages\<tag>.lng
std::string TranslationPath(std::string_view tag);

// The tags of the translations in the Languages folder, sorted.
std::vector<std::string> InstalledTranslations();

// The name of the Windows display language ("de-DE", "zh-CN"); empty when
// the system does not tell.
std::string DisplayLanguageName();

// The tags a translation for a display language may carry, most exact
// first: "de-AT" gives "de-AT" and "de"; Chinese is told apart by its
// script, never by the language alone ("zh-CN" gives "zh-CN" and "zh-Hans",
// "zh-TW" gives "zh-TW" and "zh-Hant").
std::vector<std::string> CandidateTags(std::string_view displayLanguage);

// The language to speak: the chosen translation when it is installed; with
// no choice (or one not installed) the first installed candidate of the
// display language; English otherwise. Returns a tag of `installed`, or
// kEnglishTag. Tags compare without regard to case.
std::string ResolveLanguage(std::string_view choice, std::string_view displayLanguage,
                            const std::vector<std::string>& installed);

// Points the language table at the files of a resolved language.
void UseLanguage(std::string_view tag);

// What the options offer: the English file and every installed translation,
// each with the name of the language in itself (the file's "_LanguageName").
struct LanguageEntry {
    std::string tag;
    std::string ownName;
};
std::vector<LanguageEntry> OfferedLanguages();

}  // namespace text
