#pragma once
// The skip folders tab: folders the search leaves out, each with a check box,
// added through the system's folder browser; and below them the files and
// folders always kept (the keep list), which the report adds to and which
// can be removed here or added by hand.
#include <vector>

#include <utility>

#include "options/check_list_page.h"
#include "options/kept_list.h"
#include "ui/file_chooser.h"
#include "ui/folder_browser.h"

namespace options {

class SkipFoldersPage : public CheckListPage {
public:
    explicit SkipFoldersPage(ui::FolderBrowser browse, ui::FileChooser chooseFile = ui::SystemFileChooser);
    bool SavePage() override;
    // The rows as entries, in list order.
    std::vector<config::SkipFolder> Rows() const;
    std::vector<config::KeptEntry> KeptRows() const { return kept_.Rows(); }
    void RunKeepCommand(int command);

protected:
    bool OnInit() override;
    void FillRows(config::ValueSet set) override;
    void Add() override;
    void FitColumns() const override;
    std::vector<ui::MenuEntry> Menu(bool rowSelected) const override;
    void RunMenuCommand(int command) override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void AddKept(std::optional<std::string> path, bool folder);
    void RemoveKept();

    ui::FolderBrowser browse_;
    ui::FileChooser chooseFile_;
    KeptList kept_;
};

}  // namespace options
