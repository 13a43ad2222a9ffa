#pragma once
// The tabs of the options dialog, in their order. A new page is one entry
// here (and its tab constant in options_dialog.h).
#include <iterator>
#include <memory>
#include <optional>

#include "options/applications_page.h"
#include "options/clean_options_page.h"
#include "options/junk_types_page.h"
#include "options/language_page.h"
#include "options/options_ids.h"
#include "options/schedule_page.h"
#include "options/search_options_page.h"
#include "options/skip_folders_page.h"
#include "platform/task_scheduler.h"
#include "ui/file_chooser.h"
#include "ui/folder_browser.h"

namespace options {

// What the dialog hands its pages when it makes them.
struct PageServices {
    const ui::FolderBrowser& browse;
    platform::TaskFolder& tasks;
    const ui::FileChooser& chooseFile;
    // The environment folders application rules start from; the system's
    // when none are given.
    const std::optional<scan::AppFolders>& appFolders;
};

struct OptionTab {
    const char* textKey;  // the tab's title
    int templateId;       // the page's dialog template
    int image;            // its picture in the tab image strip
    std::unique_ptr<OptionPage> (*make)(const PageServices& services);
};

inline constexpr OptionTab kOptionTabs[] = {
    {"_OptSelectJunk", IDD_JUNK_TYPES_PAGE, 0,
     [](const PageServices&) -> std::unique_ptr<OptionPage> { return std::make_unique<JunkTypesPage>(); }},
    {"_OptSearchOpt", IDD_SEARCH_OPTIONS_PAGE, 1,
     [](const PageServices&) -> std::unique_ptr<OptionPage> { return std::make_unique<SearchOptionsPage>(); }},
    {"_OptSkipFolder", IDD_SKIP_FOLDERS_PAGE, 2,
     [](const PageServices& s) -> std::unique_ptr<OptionPage> { return std::make_unique<SkipFoldersPage>(s.browse, s.chooseFile); }},
    {"_OptCleanopt", IDD_CLEAN_OPTIONS_PAGE, 3,
     [](const PageServices& s) -> std::unique_ptr<OptionPage> { return std::make_unique<CleanOptionsPage>(s.browse); }},
    {"_OptApplications", IDD_APPLICATIONS_PAGE, 5,
     [](const PageServices& s) -> std::unique_ptr<OptionPage> {
         return std::make_unique<ApplicationsPage>(s.appFolders);
     }},
    {"_OptSchedule", IDD_SCHEDULE_PAGE, 4,
     [](const PageServices& s) -> std::unique_ptr<OptionPage> { return std::make_unique<SchedulePage>(s.tasks); }},
    {"_OptLanguage", IDD_LANGUAGE_PAGE, 6,
     [](const PageServices&) -> std::unique_ptr<OptionPage> { return std::make_unique<LanguagePage>(); }},
};

inline constexpr int kOptionTabCount = static_cast<int>(std::size(kOptionTabs));

}  // namespace options
