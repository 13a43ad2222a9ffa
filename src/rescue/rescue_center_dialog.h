#pragma once
// The rescue center's dialog: one row per backup set, Delete and Restore
// for the selected one, and its clean's log to open (a button, and the
// list's context menu). The work runs on the dialog's own thread.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/dialog.h"
#include "ui/gdi.h"
#include "ui/list_view.h"

namespace rescue {

class RescueCenter : public ui::Dialog {
public:
    // How a set's folder (on a double click) and its log are opened: the
    // shell by default, so that the log opens in the user's text editor.
    using FolderOpener = std::function<void(const std::string& folder)>;
    enum Command : int { kOpenLog = 1 };

    RescueCenter();
    explicit RescueCenter(FolderOpener openFolder);

    // Lists the sets of the backup root again, keeping the selected index.
    void FillList();

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    struct SetAction {
        const char* questionKey;
        void (*work)(const std::string& setPath);
    };
    static const SetAction kDelete;
    static const SetAction kRestore;

    void Run(const SetAction& action);
    // Opens the log of the selected set's clean, or says it has none.
    void OpenLog();
    void ShowMenu(POINT at);
    void SetBusy(bool busy);
    // The set path of a row; null for the placeholder row.
    const std::string* PathOfRow(int row) const;
    // The selected row's set path; null for the placeholder row, and when no
    // row is selected (the user is asked to select one).
    const std::string* SelectedSetPath() const;

    FolderOpener openFolder_;
    ui::ListView list_;
    ui::ImageList images_;
    std::vector<std::string> setPaths_;  // row data is an index + 1 into it
    bool busy_ = false;
};

}  // namespace rescue
