#pragma once
// The files a clean did not clean, each with its size and the reason, in a
// small dialog that the finish page opens. It can open the clean's log.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "pages/clean_result_text.h"
#include "ui/dialog.h"
#include "ui/layout.h"
#include "ui/list_view.h"

namespace pages {

class NotCleanedDialog : public ui::Dialog {
public:
    // Opens a file with the shell (the log, in the user's text editor).
    using FileOpener = std::function<void(const std::string& path)>;

    // An empty logPath leaves the log's button disabled.
    NotCleanedDialog(std::vector<NotCleanedRow> rows, std::string logPath, FileOpener openFile);

    // Runs the dialog modally over owner.
    INT_PTR Show(HWND owner);

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;
    void OnSize(int width, int height) override;

private:
    // The text of a cell; the list asks for the rows it shows (it holds none).
    const std::string* Cell(int row, int column) const;

    std::vector<NotCleanedRow> rows_;
    std::string logPath_;
    FileOpener openFile_;
    ui::ListView list_;
    ui::Layout layout_;
    std::wstring wideCell_;  // a cell handed to the list in the wide form
};

}  // namespace pages
