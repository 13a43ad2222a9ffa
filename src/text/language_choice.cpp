#include "text/language_choice.h"

#include <windows.h>

#include <algorithm>

#include "paths/module_paths.h"
#include "platform/folder_listing.h"
#include "text/ascii_text.h"
#include "text/language_table.h"

namespace text {

namespace {

constexpr std::string_view kExtension = ".lng";

bool EndsWithNoCase(std::string_view text, std::string_view end) {
    return text.size() > end.size() && SameTag(text.substr(text.size() - end.size()), end);
}

// The parts of a tag: "zh-Hans-CN" (or "zh_Hans_CN") gives zh, Hans, CN.
std::vector<std::string> TagParts(std::string_view tag) {
    const std::vector<std::string_view> parts = NonEmptyParts(tag, "-_");
    return {parts.begin(), parts.end()};
}

// The script Chinese is written in where the display language names none.
std::string ChineseScript(const std::vector<std::string>& parts) {
    for (size_t i = 1; i < parts.size(); ++i) {
        for (const char* script : {"Hans", "Hant"}) {
            if (SameTag(parts[i], script)) return script;
        }
    }
    for (size_t i = 1; i < parts.size(); ++i) {
        for (const char* region : {"TW", "HK", "MO"}) {
            if (SameTag(parts[i], region)) return "Hant";
        }
    }
    return "Hans";  // mainland China and Singapore
}

}  // namespace

bool SameTag(std::string_view a, std::string_view b) { return SameAsciiIgnoringCase(a, b); }

std::string LanguagesFolder() { return paths::ModuleDirectory() + "\\Languages"; }

std::string TranslationPath(std::string_view tag) {
    return LanguagesFolder() + "\\" + std::string(tag) + std::string(kExtension);
}

std::vector<std::string> InstalledTranslations() {
    std::vector<std::string> tags;
    platform::FolderListing listing(LanguagesFolder());
    while (listing.Next()) {
        std::string_view name = listing.Name();
        if (!listing.Addressable() || listing.IsFolder() || !EndsWithNoCase(name, kExtension)) continue;
        std::string tag(name.substr(0, name.size() - kExtension.size()));
        // The English file is the one beside the program, never a copy here.
        if (!SameTag(tag, kEnglishTag)) tags.push_back(std::move(tag));
    }
    std::sort(tags.begin(), tags.end());
    return tags;
}

std::string DisplayLanguageName() {
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    if (!::LCIDToLocaleName(MAKELCID(::GetUserDefaultUILanguage(), SORT_DEFAULT), name, LOCALE_NAME_MAX_LENGTH, 0)) {
        return {};
    }
    std::string narrow;
    for (const wchar_t* c = name; *c; ++c) narrow += static_cast<char>(*c < 0x80 ? *c : '?');
    return narrow;
}

std::vector<std::string> CandidateTags(std::string_view displayLanguage) {
    std::vector<std::string> parts = TagParts(displayLanguage);
    if (parts.empty()) return {};
    std::vector<std::string> candidates;
    std::string full = parts[0];
    for (size_t i = 1; i < parts.size(); ++i) full += "-" + parts[i];
    candidates.push_back(full);
    if (SameTag(parts[0], "zh")) {
        candidates.push_back("zh-" + ChineseScript(parts));
    } else if (parts.size() > 1) {
        candidates.push_back(parts[0]);
    }
    return candidates;
}

std::string ResolveLanguage(std::string_view choice, std::string_view displayLanguage,
                            const std::vector<std::string>& installed) {
    auto find = [&](std::string_view tag) -> const std::string* {
        for (const std::string& one : installed) {
            if (SameTag(one, tag)) return &one;
        }
        return nullptr;
    };
    if (SameTag(choice, kEnglishTag)) return std::string(kEnglishTag);
    if (!choice.empty()) {
        if (const std::string* chosen = find(choice)) return *chosen;
    }
    for (const std::string& candidate : CandidateTags(displayLanguage)) {
        // An English display language reads the English file, even when
        // someone put a translation of that tag in the folder.
        if (SameTag(TagParts(candidate)[0], kEnglishTag)) break;
        if (const std::string* found = find(candidate)) return *found;
    }
    return std::string(kEnglishTag);
}

void UseLanguage(std::string_view tag) {
    if (SameTag(tag, kEnglishTag) || tag.empty()) {
        LanguageTable::Instance().SetFilePath(LanguageFilePath());
    } else {
        LanguageTable::Instance().SetFiles(TranslationPath(tag), LanguageFilePath());
    }
}

std::vector<LanguageEntry> OfferedLanguages() {
    auto ownName = [](const std::string& file, std::string_view fallback) {
        std::string name = LookupTextIn(file, "_LanguageName");
        return name.empty() ? std::string(fallback) : name;
    };
    std::vector<LanguageEntry> offered{{std::string(kEnglishTag), ownName(LanguageFilePath(), "English")}};
    for (std::string& tag : InstalledTranslations()) {
        std::string name = ownName(TranslationPath(tag), tag);
        offered.push_back({std::move(tag), std::move(name)});
    }
    return offered;
}

}  // namespace text
