#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "config/settings.h"
#include "options/applications_page.h"
#include "options/options_dialog.h"
#include "options/options_ids.h"
#include "scan/app_folders.h"
#include "text/size_text.h"
#include "options_bed.h"

namespace {

using config::ValueSet;

// Rows as the list shows them: name, size text, and 'x' ticked, 'o'
// unticked, '-' no check box.
struct Row {
    std::string name;
    std::string size;
    char box;
    bool operator==(const Row&) const = default;
};

std::vector<Row> Rows(HWND list) {
    std::vector<Row> rows;
    ui::ListView view(list);
    for (int row = 0; row < view.Count(); ++row) {
        const int image = view.StateImage(row);
        rows.push_back({view.Text(row, 0), view.Text(row, 1), image == 2 ? 'x' : image == 1 ? 'o' : '-'});
    }
    return rows;
}

void PrintTo(const Row& row, std::ostream* out) { *out << row.name << "|" << row.size << "|" << row.box; }

// A profile on the scratch drive with a browser's caches, a tool's logs and
// a player's cache, and the rule files that name them.
struct AppsBed {
    optest::ProgramBed bed;
    std::string profile = testsupport::NewScratchFolder("pageprofile") + "\\Users\\someone";
    scan::AppFolders folders;

    AppsBed() {
        folders.Set("%UserProfile%", {profile});
        folders.Set("%LocalAppData%", {profile + "\\AppData\\Local"});
        folders.Set("%AppData%", {profile + "\\AppData\\Roaming"});
        const std::string local = profile + "\\AppData\\Local";
        Write(local + "\\Browser\\Default\\Cache\\data_0", 100);
        Write(local + "\\Browser\\Profile 1\\Cache\\data_1", 20);
        Write(local + "\\Browser\\Default\\GPUCache\\data_0", 3);
        Write(local + "\\Browser\\Default\\Cookies", 50);
        Write(local + "\\Zeta\\Logs\\a.log", 7);
        Write(profile + "\\AppData\\Roaming\\Alpha\\Cache\\x.bin", 1000);
        const std::string folder = bed.Place().Folder();
        testsupport::WriteFile(folder + "\\JunkSweep.rules.ini",
                               "[Browser: cache]\nDetectFile=%LocalAppData%\\Browser\n"
                               "FileKey1=%LocalAppData%\\Browser\\*\\Cache|*.*|RECURSE\n"
                               "[Browser: GPU cache]\nDetectFile=%LocalAppData%\\Browser\n"
                               "FileKey1=%LocalAppData%\\Browser\\*\\GPUCache|*.*|RECURSE\n"
                               "[Absent: cache]\nDetectFile=%LocalAppData%\\Absent\nFileKey1=%LocalAppData%\\Absent|*\n"
                               "[Zeta tool: logs]\nFileKey1=%LocalAppData%\\Zeta\\Logs|*.log\n"
                               "[Bad: everything]\nFileKey1=%UserProfile%|*.*|RECURSE\n");
        testsupport::WriteFile(folder + "\\winapp2.ini",
                               "[Alpha Player *]\nDetectFile=%AppData%\\Alpha\nFileKey1=%AppData%\\Alpha\\Cache|*.*\n"
                               "RegKey1=HKCU\\Software\\Alpha\n[Broken *]\nFileKey1=nowhere\n");
    }
    static void Write(const std::string& path, size_t bytes) {
        testsupport::MakeFolders(path.substr(0, path.find_last_of('\\')));
        testsupport::WriteFile(path, std::string(bytes, 'c'));
    }
};

TEST(ApplicationsPage, ListsThePresentRulesByApplicationWithTheirSizesAndKeepsTheTicks) {
    AppsBed apps;
    // A rule ticked before whose application is gone for now stays ticked.
    config::SaveCheckedRules({"Gone: cache", "Zeta tool: logs"});
    optest::OpenSheet sheet(options::kApplicationsTab, optest::UnexpectedBrowser(), nullptr, optest::UnexpectedChooser(),
                            apps.folders);
    auto& page = static_cast<options::ApplicationsPage&>(sheet->Page(options::kApplicationsTab));
    ASSERT_TRUE(optest::PumpUntil([&] { return page.Finished(); }));
    HWND list = sheet.PageItem(options::kApplicationsTab, IDC_APP_LIST);

    using text::FormatSize;
    const std::vector<Row> expected = {
        {"Alpha Player", FormatSize(1000), '-'}, {"Alpha Player *", FormatSize(1000), 'o'},
        {"Bad", "", '-'},                        {"everything", "_appRefusedBase", '-'},
        {"Browser", FormatSize(123), '-'},       {"cache", FormatSize(120), 'o'},
        {"GPU cache", FormatSize(3), 'o'},       {"Zeta tool", FormatSize(7), '-'},
        {"logs", FormatSize(7), 'x'},
    };
    EXPECT_EQ(Rows(list), expected);
    EXPECT_EQ(platform::WindowText(sheet.PageItem(options::kApplicationsTab, IDC_APP_FILES)), "_appCommunityRead");

    // Ticking a rule counts it; a heading or a refused rule takes no tick.
    for (int row : {0, 2, 3, 5}) ListView_SetCheckState(list, row, TRUE);
    EXPECT_EQ(Rows(list)[0].box, '-');
    EXPECT_EQ(Rows(list)[3].box, '-');
    EXPECT_EQ(page.CheckedNames(), (std::vector<std::string>{"Gone: cache", "Zeta tool: logs", "Browser: cache"}));
    ListView_SetCheckState(list, 8, FALSE);
    sheet->ShowTab(options::kJunkTypesTab);
    optest::Click(sheet.Item(IDOK));
    EXPECT_EQ(config::LoadCheckedRules(ValueSet::Custom), (std::vector<std::string>{"Gone: cache", "Browser: cache"}));
    EXPECT_TRUE(config::LoadCheckedRules(ValueSet::Default).empty());
}

TEST(ApplicationsPage, DefaultTicksNothing) {
    AppsBed apps;
    config::SaveCheckedRules({"Browser: cache", "Gone: cache"});
    optest::OpenSheet sheet(options::kApplicationsTab, optest::UnexpectedBrowser(), nullptr, optest::UnexpectedChooser(),
                            apps.folders);
    auto& page = static_cast<options::ApplicationsPage&>(sheet->Page(options::kApplicationsTab));
    ASSERT_TRUE(optest::PumpUntil([&] { return page.Finished(); }));
    HWND list = sheet.PageItem(options::kApplicationsTab, IDC_APP_LIST);
    EXPECT_EQ(Rows(list)[5].box, 'x');
    optest::Click(sheet.PageItem(options::kApplicationsTab, IDC_PAGE_DEFAULT));
    for (const Row& row : Rows(list)) EXPECT_NE(row.box, 'x') << row.name;
    optest::Click(sheet.Item(IDOK));
    EXPECT_TRUE(config::LoadCheckedRules(ValueSet::Custom).empty());
}

}  // namespace
