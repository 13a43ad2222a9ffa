#pragma once
// The options dialog: its pages in a tab control, OK (saves every page),
// Cancel (saves nothing) and "default all" (shows the factory values).
#include <array>
#include <memory>
#include <optional>

#include "options/option_tabs.h"
#include "options/options_dialog.h"
#include "platform/task_scheduler.h"
#include "ui/dialog.h"
#include "ui/gdi.h"
#include "ui/layout.h"

namespace options {

class OptionsSheet : public ui::Dialog {
public:
    static constexpr int kTabCount = kOptionTabCount;

    // browse: the folder browser the skip folders and clean options pages
    // offer; tasks: the Task Scheduler the schedule page reaches (the
    // system's when null); chooseFile: the file dialog of the keep list;
    // appFolders: the environment folders application rules start from (the
    // system's when none are given).
    OptionsSheet(int firstTab, const ui::FolderBrowser& browse, platform::TaskFolder* tasks = nullptr,
                 ui::FileChooser chooseFile = ui::SystemFileChooser,
                 std::optional<scan::AppFolders> appFolders = std::nullopt);

    // Runs the dialog modally; returns IDOK or IDCANCEL.
    INT_PTR Run(HWND owner);
    // How the dialog ended (IDCANCEL until it ends with OK).
    INT_PTR Result() const { return result_; }

    OptionPage& Page(int tab) const { return *pages_[static_cast<size_t>(tab)]; }
    SearchOptionsPage& SearchOptions() { return static_cast<SearchOptionsPage&>(Page(kSearchOptionsTab)); }
    // The tab whose page is shown, or -1.
    int ShownTab() const { return shown_; }
    // Shows the page of a tab, as a click on the tab does.
    void ShowTab(int tab);
    // Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+Page Down and Ctrl+Page Up go through
    // the tabs; true when the key was one of them.
    bool OnTabKey(UINT key, bool control, bool shift);

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;
    void OnSize(int width, int height) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void AttachTabImages();
    void CreatePages();
    void PlaceShownPage() const;
    void Close(INT_PTR code);

    platform::SystemTaskFolder systemTasks_;
    ui::FileChooser chooseFile_;
    std::array<std::unique_ptr<OptionPage>, kTabCount> pages_;
    ui::ImageList tabImages_;
    ui::Layout layout_;
    HWND tabs_ = nullptr;
    int firstTab_;
    int shown_ = -1;
    SIZE minimumSize_{};
    INT_PTR result_ = IDCANCEL;
};

}  // namespace options
