#pragma once
// What the options tests share: a settings file on a scratch drive whose
// factory and user values all differ, folder browsers answered by the test,
// and the options dialog opened without a modal loop.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "options/options_ids.h"
#include "options/options_sheet.h"
#include "platform/task_scheduler.h"
#include "platform/window_text.h"
#include "support/scratch.h"
#include "ui/file_chooser.h"
#include "ui/folder_browser.h"

namespace optest {

// Factory and user values that differ everywhere, so that a page showing the
// wrong set is caught.
extern const std::string kSettingsXml;

// The program's files in a scratch folder, with the settings above (or none).
class ProgramBed {
public:
    enum class Settings { Fixture, Shipped, Missing, Malformed };
    explicit ProgramBed(Settings settings = Settings::Fixture);

    const testsupport::ProgramPlace& Place() const { return place_; }
    std::string SettingsPath() const { return place_.SettingsPath(); }
    std::string SettingsBytes() const { return testsupport::ReadFile(place_.SettingsPath()); }

private:
    testsupport::ProgramPlace place_;
};

// A folder browser, and a file dialog, that fail the test when asked.
ui::FolderBrowser UnexpectedBrowser();
ui::FileChooser UnexpectedChooser();

// A folder browser that answers with the given folders in turn; nothing
// stands for the user cancelling it.
class BrowserAnswers {
public:
    explicit BrowserAnswers(std::vector<std::optional<std::string>> answers) : answers_(std::move(answers)) {}
    BrowserAnswers(const BrowserAnswers&) = delete;
    BrowserAnswers& operator=(const BrowserAnswers&) = delete;
    int Asked() const { return asked_; }
    // The browser to hand to the dialog; it must not outlive this object.
    ui::FolderBrowser Browser();

private:
    std::vector<std::optional<std::string>> answers_;
    int asked_ = 0;
};

// The options dialog as a modeless window, hidden, opened on a tab; its
// schedule page reaches the given Task Scheduler (the system's when null).
class OpenSheet {
public:
    explicit OpenSheet(int firstTab = 0, const ui::FolderBrowser& browse = UnexpectedBrowser(),
                       platform::TaskFolder* tasks = nullptr, ui::FileChooser chooseFile = UnexpectedChooser(),
                       std::optional<scan::AppFolders> appFolders = std::nullopt);
    options::OptionsSheet& operator*() { return sheet_; }
    options::OptionsSheet* operator->() { return &sheet_; }
    HWND Hwnd() const { return sheet_.Hwnd(); }
    HWND Item(int id) const { return ::GetDlgItem(sheet_.Hwnd(), id); }
    // A control of the page on the given tab.
    HWND PageItem(int tab, int id) { return ::GetDlgItem(sheet_.Page(tab).Hwnd(), id); }
    void SelectTab(int tab);

private:
    options::OptionsSheet sheet_;
};

// A check-list tab of an open options dialog (junk types, skip folders).
struct CheckListTab {
    CheckListTab(int tab, int listId, const ui::FolderBrowser& browse = UnexpectedBrowser(),
                 ui::FileChooser chooseFile = UnexpectedChooser())
        : sheet(tab, browse, nullptr, std::move(chooseFile)), tab_(tab), listId_(listId) {}
    HWND List() { return sheet.PageItem(tab_, listId_); }
    HWND Add() { return sheet.PageItem(tab_, IDC_ADD_ENTRY); }
    HWND Delete() { return sheet.PageItem(tab_, IDC_DELETE_ENTRY); }
    // The image index of a row's icon.
    int Image(int row);
    void Ok();

    OpenSheet sheet;

private:
    int tab_;
    int listId_;
};

// Sends a click to a button and waits until it was handled.
void Click(HWND button);
// Clicks an icon static (the page's add and delete icons).
void ClickIcon(HWND iconStatic);
// Sends a right-click notification of a list view to its parent.
void RightClickList(HWND list);

// Carries out this thread's messages until the condition holds; false when
// it did not within the time.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 30000);

bool IsChecked(HWND box);
// Rows of a list view: text of column 0 and the check box.
std::vector<std::pair<std::string, bool>> ListRows(HWND list);
int SelectedRow(HWND list);
void SelectRow(HWND list, int row);

}  // namespace optest
