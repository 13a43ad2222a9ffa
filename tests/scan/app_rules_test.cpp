// Rule files: the syntax, and what a broken or foreign file does.
#include <gtest/gtest.h>

#include <string>

#include "scan/app_catalog.h"
#include "scan/app_rules.h"
#include "support/scratch.h"

namespace {

using scan::EntryProblem;
using scan::FileRefusal;
using scan::ParseRuleText;
using scan::RuleFile;

const char* ProblemName(EntryProblem problem) {
    switch (problem) {
        case EntryProblem::Malformed: return "malformed";
        case EntryProblem::RegistryOnly: return "registry-only";
        case EntryProblem::NothingToClean: return "nothing";
        case EntryProblem::Duplicate: return "duplicate";
    }
    return "?";
}

std::string Joined(const std::vector<std::string>& parts, char separator) {
    std::string text;
    for (const std::string& part : parts) text += (text.empty() ? "" : std::string(1, separator)) + part;
    return text;
}

// One line per rule and per skipped entry, in a compact form:
//   name {application} file:folder|masks|R|S ex:F|folder|masks detect:... os:lo-hi reg:n
//   - name @line problem
std::string Describe(const RuleFile& file) {
    std::string out;
    for (const scan::AppRule& rule : file.rules) {
        out += rule.name + " {" + rule.application + "}";
        for (const scan::FileKey& key : rule.files) {
            out += " file:" + key.folder + "|" + Joined(key.masks, ';') + (key.recurse ? "|R" : "") +
                   (key.removeSelf ? "|S" : "");
        }
        for (const scan::ExcludeKey& key : rule.excludes) {
            out += std::string(" ex:") + (key.subfolders ? "P|" : "F|") + key.folder + "|" + Joined(key.masks, ';');
        }
        for (const std::string& d : rule.detectFiles) out += " detectfile:" + d;
        for (const std::string& d : rule.detectKeys) out += " detect:" + d;
        if (!rule.specialDetect.empty()) out += " special:" + rule.specialDetect;
        if (rule.os) {
            out += " os:" + (rule.os->lowest ? std::to_string(*rule.os->lowest) : std::string()) + "-" +
                   (rule.os->highest ? std::to_string(*rule.os->highest) : std::string());
        }
        if (rule.registryKeys) out += " reg:" + std::to_string(rule.registryKeys);
        out += "\n";
    }
    for (const scan::SkippedEntry& s : file.skipped) {
        out += "- " + s.name + " @" + std::to_string(s.line) + " " + ProblemName(s.problem) + "\n";
    }
    return out;
}

TEST(AppRules, EntriesParseAndABrokenLineSkipsOnlyItsEntry) {
    struct Case {
        const char* what;
        const char* text;
        const char* parsed;
    };
    const Case cases[] = {
        {"our own form",
         "[Google Chrome: cache]\nApplication=Chrome\nDetectFile=%LocalAppData%\\Google\\Chrome\\User Data\n"
         "FileKey1=%LocalAppData%\\Google\\Chrome\\User Data\\*\\Cache|*.*|RECURSE\n",
         "Google Chrome: cache {Chrome} file:%LocalAppData%\\Google\\Chrome\\User Data\\*\\Cache|*|R "
         "detectfile:%LocalAppData%\\Google\\Chrome\\User Data\n"},
        {"the application from the name; masks lower-cased, blanks and a trailing backslash dropped",
         "[Tool: logs]\n FileKey1 = %Temp%\\Tool\\ | *.LOG ; Trace?.txt \n",
         "Tool: logs {Tool} file:%Temp%\\Tool|*.log;trace?.txt\n"},
        {"community form: marker, flags, exclusions, detections and the OS range",
         "\xEF\xBB\xBF; comment\r\n[Some Player *]\r\nLangSecRef=3021\r\nDetect=HKCU\\Software\\Player\r\n"
         "Detect2=HKLM\\Software\\Player\r\nDetectFile=%ProgramFiles%\\Player*\r\nDetectOS=6.2|\r\n"
         "SpecialDetect=det_chrome\r\nFileKey1=%AppData%\\Player\\Cache|*.*|REMOVESELF\r\n"
         "FileKey2=D:\\Player|*.tmp\r\nExcludeKey1=FILE|%AppData%\\Player\\Cache\\|keep.dat\r\n"
         "ExcludeKey2=PATH|%AppData%\\Player\\Cache\\Saved\\\r\nExcludeKey3=REG|HKCU\\Software\\Player\r\n"
         "RegKey1=HKCU\\Software\\Player\\MRU\r\nWarning=Read this first.\r\n",
         "Some Player * {Some Player} file:%AppData%\\Player\\Cache|*|R|S file:D:\\Player|*.tmp "
         "ex:F|%AppData%\\Player\\Cache|keep.dat ex:P|%AppData%\\Player\\Cache\\Saved| "
         "detectfile:%ProgramFiles%\\Player* detect:HKCU\\Software\\Player detect:HKLM\\Software\\Player "
         "special:DET_CHROME os:602- reg:1\n"},
        {"OS ranges: up to, between",
         "[A]\nDetectOS=|6.1\nFileKey1=C:\\A|*\n[B]\nDetectOS=6.1|10.0\nFileKey1=C:\\B|*\n",
         "A {A} file:C:\\A|* os:-601\nB {B} file:C:\\B|* os:601-1000\n"},
        {"a drive alone names its root (which planning refuses)", "[Root]\nFileKey1=C:|*.tmp\n",
         "Root {Root} file:C:\\|*.tmp\n"},
        {"registry-only and empty entries are not offered",
         "[Reg]\nRegKey1=HKCU\\Software\\X\n[Empty]\nDetectFile=C:\\X\n[Ok]\nFileKey1=C:\\Ok|*\n",
         "Ok {Ok} file:C:\\Ok|*\n- Reg @1 registry-only\n- Empty @3 nothing\n"},
        {"a second entry of a name (in any case) is passed over",
         "[Twin]\nFileKey1=C:\\One|*\n[TWIN]\nFileKey1=C:\\Two|*\n", "Twin {Twin} file:C:\\One|*\n- TWIN @3 duplicate\n"},
        {"text before the first entry, and an unclosed header",
         "stray line\n[Broken\nFileKey1=C:\\X|*\n[Next]\nFileKey1=C:\\N|*\n",
         "Next {Next} file:C:\\N|*\n-  @1 malformed\n- [Broken @2 malformed\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Describe(ParseRuleText(c.text, "test.ini")), c.parsed) << c.what;
    }

    // Each line below breaks the entry it is in, and only that entry.
    const char* broken[] = {
        "FileKey1=%LocalAppData%\\Cache",                   // no masks
        "FileKey1=%LocalAppData%\\Cache|*|RECURSE|MORE",    // too many parts
        "FileKey1=%LocalAppData%\\Cache|*|DEEP",            // unknown flag
        "FileKey1=%LocalAppData%\\Cache|*.tmp;;*.log",      // an empty mask
        "FileKey1=%LocalAppData%\\Cache|sub\\*.tmp",        // a mask with a folder
        "FileKey1=%LocalAppData%\\..\\Roaming|*",           // a way out of the folder
        "FileKey1=%LocalAppData%\\.\\Cache|*",
        "FileKey1=%LocalAppData%\\Cache.|*",              // names another folder
        "FileKey1=%LocalAppData%\\Cache \\Data|*",
        "FileKey1=%LocalAppData%\\\\Cache|*",               // an empty part
        "FileKey1=%LocalAppData%/Cache|*",
        "FileKey1=Cache|*",                                 // relative
        "FileKey1=\\\\server\\share\\Cache|*",              // no environment folder or drive
        "FileKey1=C:\\a:b|*",
        "FileKey=C:\\Cache|*",                              // no number
        "FileKeyA=C:\\Cache|*",
        "ExcludeKey1=FILE|%LocalAppData%\\Cache",           // a file exclusion names no file
        "ExcludeKey1=DIR|%LocalAppData%\\Cache",
        "ExcludeKey1=PATH|..\\Cache",
        "DetectOS=six",
        "DetectOS=6.1|6.2|6.3",
        "DetectOS=|",
        "DetectFile=Chrome",
        "Application=",
        "a line without an equals sign",
        "=no key",
    };
    for (const char* line : broken) {
        const std::string text = std::string("[Before]\nFileKey1=C:\\B|*\n[Bad]\nFileKey1=C:\\Good|*\n") + line +
                                 "\nFileKey3=C:\\More|*\n[After]\nFileKey1=C:\\A|*\n";
        EXPECT_EQ(Describe(ParseRuleText(text, "test.ini")),
                  "Before {Before} file:C:\\B|*\nAfter {After} file:C:\\A|*\n- Bad @5 malformed\n")
            << line;
    }
}

TEST(AppRules, FilesThatAreNotRuleTextAreRefusedWhole) {
    const std::string folder = testsupport::NewScratchFolder("rulefiles");
    const std::string entry = "[Cache]\r\nFileKey1=C:\\Cache|*.*|RECURSE\r\n";
    struct Case {
        const char* name;
        std::string bytes;  // empty: no file at all
        FileRefusal refused;
        size_t rules;
    };
    std::string utf16 = "\xFF\xFE";
    for (char c : entry) utf16 += std::string(1, c) + '\0';
    std::string huge(scan::kMaxRuleFileBytes + 1, ';');
    huge.replace(0, entry.size(), entry);
    const Case cases[] = {
        {"plain.ini", entry, FileRefusal::None, 1},
        {"utf16.ini", utf16, FileRefusal::None, 1},
        {"missing.ini", "", FileRefusal::Missing, 0},
        {"binary.ini", entry + std::string("\0\x01\x02", 3) + entry, FileRefusal::NotText, 0},
        {"huge.ini", huge, FileRefusal::TooLarge, 0},
    };
    for (const Case& c : cases) {
        const std::string path = folder + "\\" + c.name;
        if (!c.bytes.empty()) testsupport::WriteFile(path, c.bytes);
        const RuleFile file = scan::ReadRuleFile(path);
        EXPECT_EQ(file.refused, c.refused) << c.name;
        EXPECT_EQ(file.rules.size(), c.rules) << c.name;
        EXPECT_EQ(file.source, c.name);
    }
}

TEST(AppRules, TheCommunityFileAddsRulesButNeverReplacesOurs) {
    const std::string folder = testsupport::NewScratchFolder("catalog");
    testsupport::WriteFile(folder + "\\own.ini", "[Chrome: cache]\nFileKey1=C:\\Ours|*\n");
    testsupport::WriteFile(folder + "\\winapp2.ini",
                           "[chrome: CACHE]\nFileKey1=C:\\Theirs|*\nRegKey1=HKCU\\X\n[Other *]\nFileKey1=C:\\O|*\n");
    const scan::AppRuleFiles files = scan::LoadAppRuleFiles(folder + "\\own.ini", folder + "\\winapp2.ini");
    std::vector<std::string> names;
    for (const scan::AppRule* rule : files.Rules()) names.push_back(rule->name + "<" + rule->source);
    EXPECT_EQ(names, (std::vector<std::string>{"Chrome: cache<own.ini", "Other *<winapp2.ini"}));
    EXPECT_EQ(files.community.rulesWithRegistryKeys, 0u);
    ASSERT_EQ(files.community.skipped.size(), 1u);
    EXPECT_EQ(files.community.skipped[0].problem, EntryProblem::Duplicate);

    const std::vector<scan::AppRule> chosen = scan::SelectRules(files, {"OTHER *", "not there"});
    ASSERT_EQ(chosen.size(), 1u);
    EXPECT_EQ(chosen[0].files[0].folder, "C:\\O");
}

}  // namespace
