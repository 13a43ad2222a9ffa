// The settings document through its typed accessors, on real files.
#include <gtest/gtest.h>

#include <climits>
#include <regex>
#include <string>
#include <vector>

#include "config/config_document.h"
#include "config/settings.h"
#include "config/settings_paths.h"
#include "support/scratch.h"
#include "support/settings_xml.h"

namespace {

using namespace config;
namespace cp = config::path;
using testsupport::ProgramPlace;
using testsupport::ReadFile;

const AdvCleanOptions kFactoryTraces = {1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1};
const AdvCleanOptions kUserTraces = {0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0};

// Every factory value differs from its user value, so a read from the wrong
// attribute shows.
const std::string kSettings = R"(<?xml version="1.0" encoding="utf-8"?>
<Config>
  <Welcome><ShowWelcome default="1" custom="0"/></Welcome>
  <Options>
    <Search>
      <SkipReadOnlyFiles default="1" custom="0"/>
      <SkipHiddenFiles default="0" custom="1"/>
      <SkipSystemFiles default="1" custom="0"/>
      <FindZeroLengthFiles default="0" custom="1"/>
      <FindInvalidShortcuts default="1" custom="0"/>
      <FindFilesHaveNotAccessed default="0" custom="1" monthdefault="6" month="3"/>
    </Search>
    <JunkFiles>
      <Default>
        <item checked="1" description="Temporary file" file="*.tmp"/>
        <item checked="0" description="Backup file" file="*.bak"/>
      </Default>
      <Custom>
        <item checked="1" description="Log file" file="*.log"/>
      </Custom>
    </JunkFiles>
    <SkipFolders>
      <default><item checked="1" folder="c:\windows"/></default>
      <items><note/><item checked="0" folder="d:\keep"/></items>
    </SkipFolders>
    <CleanOpt>
      <Clean default="0" custom="1"/>
      <MoveToRecycle default="1" custom="0"/>
      <MoveToFolder default="0" custom="0"/>
      <MoveToFolderPath default="" custom="D:\Old files\"/>
      <Backup default="1" custom="0"/>
    </CleanOpt>
    )" + testsupport::TraceSwitchesXml(kUserTraces, kFactoryTraces) + R"(
  </Options>
  <SelectDrive><PathItem name="C:\"/><PathItem name="D:\Data"/></SelectDrive>
</Config>
)";

struct Place : ProgramPlace {
    explicit Place(const char* hint, const char* xml = kSettings.c_str()) : ProgramPlace(hint) {
        if (xml) WriteSettings(xml);
    }
};

TEST(Settings, EachSetReadsItsOwnAttributes) {
    Place place("sets");
    EXPECT_EQ(LoadShowWelcome(ValueSet::Default), 1);
    EXPECT_EQ(LoadShowWelcome(ValueSet::Custom), 0);
    EXPECT_EQ(LoadSearchOptions(ValueSet::Default), (SearchOptions{1, 0, 1, 0, 1, 0, 6}));
    EXPECT_EQ(LoadSearchOptions(ValueSet::Custom), (SearchOptions{0, 1, 0, 1, 0, 1, 3}));
    EXPECT_EQ(LoadCleanOptions(ValueSet::Default), (CleanOptions{0, 1, 0, 1, ""}));
    EXPECT_EQ(LoadCleanOptions(ValueSet::Custom), (CleanOptions{1, 0, 0, 0, "D:\\Old files\\"}));
    EXPECT_EQ(LoadAdvCleanOptions(ValueSet::Default), kFactoryTraces);
    EXPECT_EQ(LoadAdvCleanOptions(ValueSet::Custom), kUserTraces);
    EXPECT_EQ(LoadJunkTypes(ValueSet::Default),
              (std::vector<JunkType>{{"*.tmp", "Temporary file", 1}, {"*.bak", "Backup file", 0}}));
    EXPECT_EQ(LoadJunkTypes(ValueSet::Custom), (std::vector<JunkType>{{"*.log", "Log file", 1}}));
    EXPECT_EQ(LoadSkipFolders(ValueSet::Default), (std::vector<SkipFolder>{{"c:\\windows", 1}}));
    EXPECT_EQ(LoadSkipFolders(ValueSet::Custom), (std::vector<SkipFolder>{{"d:\\keep", 0}}));
    EXPECT_EQ(LoadSelectedPaths(), (std::vector<std::string>{"C:\\", "D:\\Data"}));
    EXPECT_EQ(ReadText(cp::kMoveToFolderPath, ValueSet::Custom), "D:\\Old files\\");
    EXPECT_EQ(ReadFlag(cp::kSkipHiddenFiles, ValueSet::Custom), 1);
    EXPECT_EQ(ReadMonths(ValueSet::Default), 6);
    EXPECT_EQ(ReadMonths(ValueSet::Custom), 3);
}

// Everything the factory set holds, to compare before and after writes.
struct FactoryValues {
    int32_t welcome = LoadShowWelcome(ValueSet::Default);
    SearchOptions search = LoadSearchOptions(ValueSet::Default);
    CleanOptions clean = LoadCleanOptions(ValueSet::Default);
    AdvCleanOptions traces = LoadAdvCleanOptions(ValueSet::Default);
    std::vector<JunkType> junk = LoadJunkTypes(ValueSet::Default);
    std::vector<SkipFolder> skip = LoadSkipFolders(ValueSet::Default);
    bool operator==(const FactoryValues&) const = default;
};

TEST(Settings, EveryWriterRoundTripsAndLeavesFactoryValuesAlone) {
    Place place("roundtrip");
    const FactoryValues factory;

    SaveShowWelcome(1);
    EXPECT_EQ(LoadShowWelcome(ValueSet::Custom), 1);

    const SearchOptions search{1, 1, 1, 0, 1, 0, 42};
    SaveSearchOptions(search);
    EXPECT_EQ(LoadSearchOptions(ValueSet::Custom), search);

    const CleanOptions clean{0, 0, 1, 1, "E:\\Caf\xE9 & <old>\\"};
    SaveCleanOptions(clean);
    EXPECT_EQ(LoadCleanOptions(ValueSet::Custom), clean);

    // One switch at a time, so that each lands on its own element.
    for (size_t i = 0; i < kTraceSwitchCount; ++i) {
        AdvCleanOptions one{};
        one[i] = 1;
        SaveAdvCleanOptions(one);
        EXPECT_EQ(LoadAdvCleanOptions(ValueSet::Custom), one) << i;
        EXPECT_EQ(ReadFlag(cp::kAdvClean[i], ValueSet::Custom), 1) << cp::kAdvClean[i];
    }

    WriteFlag(cp::kBackup, 7);
    EXPECT_EQ(ReadFlag(cp::kBackup, ValueSet::Custom), 7);
    WriteText(cp::kMoveToFolderPath, "F:\\x");
    EXPECT_EQ(ReadText(cp::kMoveToFolderPath, ValueSet::Custom), "F:\\x");

    const std::vector<JunkType> junk = {{"*.old", "Old", 1}, {"~*", "", 0}};
    SaveJunkTypes(junk);
    EXPECT_EQ(LoadJunkTypes(ValueSet::Custom), junk);
    const std::vector<SkipFolder> skip = {{"e:\\a", 1}, {"e:\\a", 1}, {"\\appdata\\", 0}};
    SaveSkipFolders(skip);
    EXPECT_EQ(LoadSkipFolders(ValueSet::Custom), skip);
    const std::vector<std::string> selected = {"E:\\", "D:\\Some folder", "E:\\"};
    SaveSelectedPaths(selected);
    EXPECT_EQ(LoadSelectedPaths(), selected);

    EXPECT_EQ(FactoryValues{}, factory);
    std::string xml = ReadFile(place.SettingsPath());
    EXPECT_NE(xml.find("monthdefault=\"6\""), std::string::npos);
    EXPECT_NE(xml.find("month=\"42\""), std::string::npos);
}

TEST(Settings, ListEntriesAreWrittenWithSortedAttributesAndNoText) {
    Place place("entries");
    SaveJunkTypes({{"*.tmp", "Caf\xE9", 2}, {"*.bak", "Backup", 0}, {"*.tmp", "Again", 1}});
    SaveSkipFolders({{"c:\\temp", 1}});
    std::string xml = ReadFile(place.SettingsPath());

    size_t from = xml.find("<Custom>"), to = xml.find("</Custom>");
    ASSERT_TRUE(from != std::string::npos && to != std::string::npos) << xml;
    const std::string custom = xml.substr(from, to - from);
    std::regex junkItem(R"re(<item checked="([01])" description="([^"]*)" file="([^"]*)"\s*/>)re");
    std::vector<std::string> seen;
    for (std::sregex_iterator it(custom.begin(), custom.end(), junkItem), end; it != end; ++it) {
        seen.push_back((*it)[1].str() + "|" + (*it)[2].str() + "|" + (*it)[3].str());
    }
    // Nothing but the three entries (and the line breaks between them), and
    // the description as UTF-8.
    EXPECT_EQ(std::regex_replace(std::regex_replace(custom, junkItem, ""), std::regex(R"(\s+)"), ""), "<Custom>")
        << custom;
    EXPECT_EQ(seen, (std::vector<std::string>{"1|Caf\xC3\xA9|*.tmp", "0|Backup|*.bak", "1|Again|*.tmp"}));
    EXPECT_NE(xml.find(R"(<item checked="1" folder="c:\temp"/>)"), std::string::npos) << xml;
    // The factory list keeps its own entry.
    EXPECT_NE(xml.find(R"(<item checked="1" folder="c:\windows"/>)"), std::string::npos);
    EXPECT_EQ(LoadJunkTypes(ValueSet::Custom),
              (std::vector<JunkType>{{"*.tmp", "Caf\xE9", 1}, {"*.bak", "Backup", 0}, {"*.tmp", "Again", 1}}));
}

TEST(Settings, AListSavedEmptyStaysEmpty) {
    Place place("emptylist");
    SaveJunkTypes({});
    SaveSkipFolders({});
    SaveSelectedPaths({});
    EXPECT_TRUE(LoadJunkTypes(ValueSet::Custom).empty());
    EXPECT_TRUE(LoadSkipFolders(ValueSet::Custom).empty());
    EXPECT_TRUE(LoadSelectedPaths().empty());
    EXPECT_EQ(LoadJunkTypes(ValueSet::Default).size(), 2u);
    EXPECT_EQ(LoadSkipFolders(ValueSet::Default).size(), 1u);

    ConfigDocument doc;
    ASSERT_TRUE(doc.Open(place.SettingsPath()));
    EXPECT_TRUE(doc.SelectSingleNode(cp::kJunkFilesCustom));
    EXPECT_TRUE(doc.SelectSingleNode(cp::kSelectDrive));
    // Children of a section that are not entries stay.
    EXPECT_TRUE(doc.SelectSingleNode("/Config/Options/SkipFolders/items/note"));
}

TEST(Settings, AttributeTextsReadAsLenientDecimalIntegers) {
    struct Case {
        const char* text;
        int32_t value;
    };
    const Case cases[] = {{"1", 1},          {"0", 0},    {"2", 2},   {"", 0},        {"abc", 0},
                          {" 7x", 7},        {"-3", -3},  {"+4", 4},  {"0x10", 0},    {"99999999999", INT_MAX},
                          {"-99999999999", INT_MIN}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::string xml = std::string(R"(<Config><Welcome><ShowWelcome default="0" custom=")") + c.text +
                          R"("/></Welcome><Options><JunkFiles><Custom><item file="*.a" checked=")" + c.text +
                          R"("/></Custom></JunkFiles></Options></Config>)";
        Place place("numbers", xml.c_str());
        EXPECT_EQ(LoadShowWelcome(ValueSet::Custom), c.value);
        auto junk = LoadJunkTypes(ValueSet::Custom);
        ASSERT_EQ(junk.size(), 1u);
        EXPECT_EQ(junk[0].checked, c.value);
        EXPECT_EQ(junk[0].description, "");
    }
}

// Calls every writer once.
void WriteEverything() {
    SaveShowWelcome(1);
    SaveSearchOptions({1, 1, 1, 1, 1, 1, 9});
    SaveCleanOptions({1, 1, 1, 1, "X:\\"});
    SaveAdvCleanOptions(AdvCleanOptions{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1});
    WriteFlag(cp::kClean, 1);
    WriteText(cp::kMoveToFolderPath, "Y:\\");
    SaveJunkTypes({{"*.x", "x", 1}});
    SaveSkipFolders({{"x", 1}});
    SaveSelectedPaths({"X:\\"});
}

TEST(Settings, WithoutAFileEverythingReadsEmptyAndNothingIsWritten) {
    Place place("nofile", nullptr);
    EXPECT_EQ(LoadShowWelcome(ValueSet::Custom), 0);
    EXPECT_EQ(LoadSearchOptions(ValueSet::Custom), SearchOptions{});
    EXPECT_EQ(LoadSearchOptions(ValueSet::Default), SearchOptions{});
    EXPECT_EQ(LoadCleanOptions(ValueSet::Custom), CleanOptions{});
    EXPECT_EQ(LoadAdvCleanOptions(ValueSet::Custom), AdvCleanOptions{});
    EXPECT_TRUE(LoadJunkTypes(ValueSet::Custom).empty());
    EXPECT_TRUE(LoadSkipFolders(ValueSet::Default).empty());
    EXPECT_TRUE(LoadSelectedPaths().empty());
    EXPECT_EQ(ReadMonths(ValueSet::Custom), 0);
    WriteEverything();
    EXPECT_FALSE(testsupport::FileExists(place.SettingsPath()));
}

TEST(Settings, BadOrReadOnlyFilesAreNeverChanged) {
    struct Case {
        const char* name;
        const char* xml;
        bool readOnly;
        bool readable;
    };
    const Case cases[] = {
        {"not well-formed", "<Config><Welcome><ShowWelcome custom=\"1\"></Config>", false, false},
        {"not XML", "[String]\r\n_AppName=x\r\n", false, false},
        {"empty file", "", false, false},
        {"read-only", kSettings.c_str(), true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Place place("bad", c.xml);
        if (c.readOnly) ::SetFileAttributesA(place.SettingsPath().c_str(), FILE_ATTRIBUTE_READONLY);
        EXPECT_EQ(LoadShowWelcome(ValueSet::Default), c.readable ? 1 : 0);
        EXPECT_EQ(LoadJunkTypes(ValueSet::Default).size(), c.readable ? 2u : 0u);
        WriteEverything();
        EXPECT_EQ(ReadFile(place.SettingsPath()), c.xml);
        ::SetFileAttributesA(place.SettingsPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

// A save puts a whole new file in place of the old one; when it cannot, it
// still writes the file in place. Either way the change is kept, the file
// keeps its attributes and nothing is left beside it.
TEST(Settings, SavesReplaceTheWholeFileAndKeepItsAttributes) {
    for (bool scratchNameTaken : {false, true}) {
        SCOPED_TRACE(scratchNameTaken);
        Place place("replace");
        const std::string path = place.SettingsPath();
        const std::string scratch = path + ".saving";
        ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
        if (scratchNameTaken) ::CreateDirectoryA(scratch.c_str(), nullptr);

        SaveShowWelcome(1);
        EXPECT_EQ(LoadShowWelcome(ValueSet::Custom), 1);
        EXPECT_EQ(LoadJunkTypes(ValueSet::Custom), (std::vector<JunkType>{{"*.log", "Log file", 1}}));
        EXPECT_TRUE(::GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN);
        EXPECT_EQ(testsupport::FileExists(scratch), false);
        ::RemoveDirectoryA(scratch.c_str());
        ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

// The folder's name is a file name, not a URL: escapes and fragment marks in
// it must not send the reader to another file.
TEST(Settings, FolderNamesWithUrlCharactersReadAndWrite) {
    for (const char* hint : {"hundred%41", "a%20b", "hash#1", "caf\xE9", "amp&semi;"}) {
        SCOPED_TRACE(hint);
        Place place(hint);
        EXPECT_EQ(LoadShowWelcome(ValueSet::Default), 1);
        EXPECT_EQ(LoadJunkTypes(ValueSet::Custom), (std::vector<JunkType>{{"*.log", "Log file", 1}}));
        EXPECT_EQ(LoadShowWelcome(ValueSet::Custom), 0);
        SaveShowWelcome(1);
        EXPECT_EQ(LoadShowWelcome(ValueSet::Custom), 1);
    }
}

TEST(Settings, MissingElementsAreNeverCreated) {
    Place place("sparse", R"(<?xml version="1.0" encoding="utf-8"?>
<Config><Options><Search><SkipHiddenFiles default="1"/></Search></Options></Config>
)");
    EXPECT_EQ(ReadFlag(cp::kSkipHiddenFiles, ValueSet::Custom), 0);
    EXPECT_EQ(ReadFlag(cp::kSkipHiddenFiles, ValueSet::Default), 1);
    WriteEverything();
    EXPECT_EQ(ReadFlag(cp::kSkipHiddenFiles, ValueSet::Custom), 1);  // the attribute is added
    EXPECT_EQ(LoadSearchOptions(ValueSet::Custom), (SearchOptions{0, 1, 0, 0, 0, 0, 0}));

    ConfigDocument doc;
    ASSERT_TRUE(doc.Open(place.SettingsPath()));
    for (const char* path : {cp::kShowWelcome, cp::kSkipReadOnlyFiles, cp::kFindFilesHaveNotAccessed, cp::kClean,
                             cp::kAdvClean[0], cp::kJunkFilesCustom, cp::kSkipFoldersCustom, cp::kSelectDrive,
                             "/Config/Options/JunkFiles/Custom/item", "/Config/SelectDrive/PathItem"}) {
        EXPECT_FALSE(doc.SelectSingleNode(path)) << path;
    }
}

TEST(ConfigDocument, OperationsOnANotLoadedDocumentDoNothing) {
    ConfigDocument doc;
    EXPECT_FALSE(doc.IsLoaded());
    EXPECT_FALSE(doc.Open("d:\\missing\\settings.xml"));
    EXPECT_FALSE(doc.SelectSingleNode("/Config"));
    EXPECT_TRUE(doc.SelectNodes("/Config").empty());
    EXPECT_FALSE(doc.GetAttribute("/Config", "x"));
    EXPECT_FALSE(doc.SetAttribute("/Config", "x", 1));
    EXPECT_FALSE(doc.AppendElement(XmlNode{}, "item", "", {}));
    EXPECT_FALSE(doc.Save());
    EXPECT_FALSE(testsupport::FileExists("d:\\missing\\settings.xml"));
}

TEST(ConfigDocument, AppendedElementsCarryTextOnlyWhenGiven) {
    Place place("append");
    ConfigDocument doc;
    ASSERT_TRUE(doc.Open(place.SettingsPath()));
    XmlNode section = doc.SelectSingleNode(cp::kSelectDrive);
    ASSERT_TRUE(doc.AppendElement(section, "PathItem", "body", {{L"name", L"Z:\\"}, {L"b", L"2"}, {L"a", L"1"}}));
    ASSERT_TRUE(doc.Save());
    std::string xml = ReadFile(place.SettingsPath());
    EXPECT_NE(xml.find(R"(<PathItem a="1" b="2" name="Z:\">body</PathItem>)"), std::string::npos) << xml;
    EXPECT_NE(xml.find("encoding=\"utf-8\""), std::string::npos) << xml.substr(0, 80);
    EXPECT_FALSE(doc.SetAttribute("/Config/NoSuchElement", "custom", 1));
}

}  // namespace

namespace {

// The language choice came after the first settings files: saving it adds
// the setting to a file that lacks it, and only there.
TEST(Settings, TheLanguageChoiceIsAddedToOlderFiles) {
    struct Case {
        const char* name;
        const char* config;  // the content of <Config>
        const char* saved;   // what reads back after saving "de"
    };
    const Case cases[] = {
        {"current", R"(<Options><Language default="" custom="ru"/></Options>)", "de"},
        {"older", "<Options><Search/></Options>", "de"},
        {"nooptions", "<Welcome/>", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string xml = std::string("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Config>") + c.config +
                                "</Config>\n";
        Place place(c.name, xml.c_str());
        SaveLanguage("de");
        EXPECT_EQ(LoadLanguage(ValueSet::Custom), c.saved);
        EXPECT_EQ(LoadLanguage(ValueSet::Default), "");
        SaveLanguage("");
        EXPECT_EQ(LoadLanguage(ValueSet::Custom), "");
    }
}

}  // namespace
