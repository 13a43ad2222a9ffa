// Where application rules reach, over real folders on the scratch drives.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform/special_folders.h"
#include "scan/app_plan.h"
#include "scan/app_search.h"
#include "scan/skip_texts.h"
#include "support/scratch.h"

namespace {

using scan::PlanRefusal;
using testsupport::MakeFolders;
using testsupport::WriteFile;

constexpr int kWindows10 = 1000;

// A user profile on the scratch drive, and the environment folders that
// name its parts.
struct Profile {
    std::string root = testsupport::NewScratchFolder("appprofile") + "\\Users\\someone";
    std::string local = root + "\\AppData\\Local";
    std::string roaming = root + "\\AppData\\Roaming";
    scan::AppFolders folders;

    Profile() {
        folders.Set("%UserProfile%", {root});
        folders.Set("%LocalAppData%", {local});
        folders.Set("%AppData%", {roaming});
        folders.Set("%Temp%", {local + "\\Temp"}, false);
        for (const char* file : {"Vendor\\App\\User Data\\Default\\Cache\\data_0",
                                 "Vendor\\App\\User Data\\Default\\Cache\\sub\\f_000001",
                                 "Vendor\\App\\User Data\\Default\\Cookies",
                                 "Vendor\\App\\User Data\\Profile 1\\Cache\\data_1",
                                 "Vendor\\App\\User Data\\System Profile\\Preferences", "Temp\\setup.tmp"}) {
            Write(local + "\\" + file);
        }
    }
    static void Write(const std::string& path, std::string_view content = "cache") {
        MakeFolders(path.substr(0, path.find_last_of('\\')));
        WriteFile(path, content);
    }
    // What a path is below the profile ("~\..."), or the path itself.
    std::string Short(const std::string& path) const {
        return path.rfind(root, 0) == 0 ? "~" + path.substr(root.size()) : path;
    }
};

scan::AppRule OneRule(const std::string& text) {
    scan::RuleFile file = scan::ParseRuleText("[Rule]\n" + text, "test.ini");
    EXPECT_EQ(file.rules.size(), 1u) << text;
    return file.rules.empty() ? scan::AppRule{} : file.rules.front();
}

TEST(AppPlan, ARuleIsOfferedOnlyWhereItsApplicationIs) {
    Profile profile;
    const char* kPresentKey = "Software\\JunkSweepTest\\AppPresent";
    platform::RegistryKey::Create(HKEY_CURRENT_USER, kPresentKey);
    struct Case {
        std::string detection;
        bool present;
    };
    const Case cases[] = {
        {"", true},
        {"DetectFile=%LocalAppData%\\Vendor\\App", true},
        {"DetectFile=%LocalAppData%\\Vendor\\Gone", false},
        {"DetectFile=%LocalAppData%\\Vendor\\Gone\nDetectFile2=%LocalAppData%\\Vend*\\App", true},
        {"DetectFile=%LocalAppData%\\Vendor\\App\\User Data\\Default\\Cookies", true},  // a file will do
        {"DetectFile=%Unknown%\\Vendor", false},
        {"Detect=HKCU\\" + std::string(kPresentKey), true},
        {"Detect=HKEY_CURRENT_USER\\Software\\JunkSweepTest\\Absent", false},
        {"Detect=HKXX\\Software", false},
        {"SpecialDetect=DET_SOMETHING", false},
        {"DetectOS=|6.3", false},
        {"DetectOS=6.1|10.0", true},
        {"DetectOS=10.1|\nDetectFile=%LocalAppData%\\Vendor", false},
    };
    const scan::AppRulePlanner planner(profile.folders, kWindows10);
    for (const Case& c : cases) {
        EXPECT_EQ(planner.Present(OneRule(c.detection + "\nFileKey1=%LocalAppData%\\Vendor|*")), c.present)
            << c.detection;
    }
    platform::DeleteKeyTree(HKEY_CURRENT_USER, "Software\\JunkSweepTest");
}

TEST(AppPlan, RulesReachTheirOwnFoldersOrAreRefusedWhole) {
    Profile profile;
    const std::string windows = platform::WindowsFolder();
    const std::string realProfile = platform::SpecialFolderPath(0x28);  // CSIDL_PROFILE
    struct Case {
        std::string keys;
        PlanRefusal refusal;
        std::vector<std::string> folders;  // sorted, "~" for the profile
    };
    const Case cases[] = {
        {"FileKey1=%LocalAppData%\\Vendor\\App\\User Data\\*\\Cache|*|RECURSE", PlanRefusal::None,
         {"~\\AppData\\Local\\Vendor\\App\\User Data\\Default\\Cache",
          "~\\AppData\\Local\\Vendor\\App\\User Data\\Profile 1\\Cache"}},
        {"FileKey1=%LocalAppData%\\Vendor\\*\\User ?ata\\Default\\Cache|*", PlanRefusal::None,
         {"~\\AppData\\Local\\Vendor\\App\\User Data\\Default\\Cache"}},
        {"FileKey1=%LocalAppData%\\Vendor\\Missing\\*\\Cache|*", PlanRefusal::None, {}},
        {"FileKey1=%Temp%|*.tmp", PlanRefusal::None, {"~\\AppData\\Local\\Temp"}},
        // The profile, an application-data folder, or everything below one.
        {"FileKey1=%UserProfile%|*.tmp", PlanRefusal::Base, {}},
        {"FileKey1=%LocalAppData%|*.tmp", PlanRefusal::Base, {}},
        {"FileKey1=%LocalAppData%\\*|*|RECURSE", PlanRefusal::Base, {}},
        {"FileKey1=%UserProfile%\\*\\Local|*", PlanRefusal::Base, {}},
        // A folder holding the profile.
        {"FileKey1=" + profile.root.substr(0, profile.root.rfind('\\')) + "|*.tmp", PlanRefusal::Base, {}},
        {"FileKey1=D:\\|*.tmp", PlanRefusal::Root, {}},
        {"FileKey1=D:\\*\\Cache|*", PlanRefusal::Root, {}},
        {"FileKey1=" + windows + "|*.log", PlanRefusal::Guarded, {}},
        {"FileKey1=%Nowhere%\\Cache|*", PlanRefusal::UnknownFolder, {}},
        // One bad key refuses the good ones with it.
        {"FileKey1=%Temp%|*.tmp\nFileKey2=D:\\|*.tmp", PlanRefusal::Root, {}},
        // A folder the rule names through a link leads elsewhere; "*" never
        // matches a link.
        {"FileKey1=E:\\fixtures\\linkfarm\\tree\\link|*", PlanRefusal::Link, {}},
        {"FileKey1=E:\\fixtures\\linkfarm\\tree\\*|*.tmp", PlanRefusal::None, {"E:\\fixtures\\linkfarm\\tree\\real"}},
    };
    const scan::AppRulePlanner planner(profile.folders, kWindows10);
    for (const Case& c : cases) {
        const scan::AppRule rule = OneRule(c.keys);
        const scan::RulePlan plan = planner.Plan(rule);
        std::vector<std::string> folders;
        for (const scan::PlannedFolder& f : plan.folders) folders.push_back(profile.Short(f.folder));
        std::sort(folders.begin(), folders.end());
        EXPECT_EQ(plan.refusal, c.refusal) << c.keys << " refused for " << plan.refusedFolder;
        EXPECT_EQ(folders, c.folders) << c.keys;
    }

    // A temporary folder that is the profile itself is guarded whatever it
    // is called.
    if (!realProfile.empty()) {
        scan::AppFolders misdirected = profile.folders;
        misdirected.Set("%Temp%", {realProfile}, false);
        const scan::AppRule rule = OneRule("FileKey1=%Temp%|*.tmp");
        EXPECT_EQ(scan::AppRulePlanner(misdirected, kWindows10).Plan(rule).refusal, PlanRefusal::Guarded);
    }
}

TEST(AppPlan, TheSearchTakesMasksFlagsExclusionsAndSkipsButNeverLinks) {
    Profile profile;
    const std::string c = profile.local + "\\C";
    for (const char* file : {"a.tmp", "b.log", "keep.tmp", "sub\\c.tmp", "sub\\skipme\\d.tmp", "sub\\saved\\e.tmp",
                             "sub\\saved\\f.log", "ro.tmp"}) {
        Profile::Write(c + "\\" + file);
    }
    ::SetFileAttributesA((c + "\\ro.tmp").c_str(), FILE_ATTRIBUTE_READONLY);
    // A rule folder deeper than the narrow functions reach.
    const std::string deep = std::string(90, 'd') + "\\" + std::string(90, 'e') + "\\" + std::string(90, 'f');
    testsupport::MakeFoldersLong(profile.local + "\\Deep\\" + deep);
    testsupport::WriteFileLong(profile.local + "\\Deep\\" + deep + "\\x.tmp", "cache");
    struct Case {
        std::string keys;
        std::vector<std::string> found;  // sorted, below the folder searched
    };
    const Case cases[] = {
        {"FileKey1=%LocalAppData%\\C|*.tmp", {"a.tmp", "keep.tmp"}},
        {"FileKey1=%LocalAppData%\\C|*.LOG;a.*|RECURSE", {"a.tmp", "b.log", "sub\\saved\\f.log"}},
        {"FileKey1=%LocalAppData%\\C|*.tmp|REMOVESELF\nExcludeKey1=FILE|%LocalAppData%\\C|keep.tmp\n"
         "ExcludeKey2=PATH|%LocalAppData%\\C\\sub\\saved\\",
         {"a.tmp", "sub\\c.tmp"}},
        {"FileKey1=%LocalAppData%\\C|*|RECURSE\nExcludeKey1=PATH|%LocalAppData%\\*\\sub|*.log",
         {"a.tmp", "b.log", "keep.tmp", "sub\\c.tmp", "sub\\saved\\e.tmp"}},
        {"FileKey1=E:\\fixtures\\linkfarm\\tree|*|RECURSE", {"real\\kept.tmp"}},
        {"FileKey1=%LocalAppData%\\Deep\\" + deep + "|*.tmp", {"x.tmp"}},
    };
    // "\appdata\" keeps the drive walk out of application data, but not a rule.
    const std::vector<std::string> skips = scan::SkipFoldersForRules({"\\AppData\\", "\\skipme\\", "\\Local Settings\\"});
    EXPECT_EQ(skips, std::vector<std::string>{"\\skipme\\"});
    const scan::SkipTexts skipTexts(skips, scan::AnsiLowerCase::Instance());
    scan::SearchSwitches switches;
    switches.skipReadOnly = true;
    switches.findEmptyFiles = true;  // finding switches do not apply to rules
    const scan::AppRulePlanner planner(profile.folders, kWindows10);
    for (const Case& k : cases) {
        const scan::AppRule rule = OneRule(k.keys);
        const scan::RulePlan plan = planner.Plan(rule);
        ASSERT_EQ(plan.folders.size(), 1u) << k.keys;
        const std::string& base = plan.folders.front().folder;
        std::vector<std::string> found;
        scan::SearchRule(plan, skipTexts, switches, [&](const scan::SearchHit& hit) {
            if (hit.reason) {
                EXPECT_STREQ(hit.reason, "Rule");
                found.push_back(std::string(hit.path.substr(base.size() + 1)));
            }
            return true;
        });
        std::sort(found.begin(), found.end());
        EXPECT_EQ(found, k.found) << k.keys;
    }
    ::SetFileAttributesA((c + "\\ro.tmp").c_str(), FILE_ATTRIBUTE_NORMAL);

    // Two keys over one folder: its files count once; a stop ends the count.
    const scan::AppRule twice = OneRule("FileKey1=%LocalAppData%\\C|*.tmp\nFileKey2=%LocalAppData%\\C|a.*");
    const scan::RulePlan plan = planner.Plan(twice);
    std::atomic<int> stop{0};
    const scan::RuleSize size = scan::MeasureRule(plan, skipTexts, {}, stop);
    EXPECT_EQ(size.files, 3u);  // a.tmp, keep.tmp, ro.tmp
    EXPECT_EQ(size.bytes, 3u * 5);
    stop = 1;
    EXPECT_FALSE(scan::MeasureRule(plan, skipTexts, {}, stop).completed);
}

}  // namespace
