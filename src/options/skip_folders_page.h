#pragma once
// The skip folders tab: folders the search leaves out, each with a check box,
// added through the system's folder browser.
#include <vector>

#include <utility>

#include "options/check_list_page.h"
#include "ui/folder_browser.h"

namespace options {

class SkipFoldersPage : public CheckListPage {
public:
    explicit SkipFoldersPage(ui::FolderBrowser browse);
    bool SavePage() override;
    // The rows as entries, in list order.
    std::vector<config::SkipFolder> Rows() const;

protected:
    bool OnInit() override;
    void FillRows(config::ValueSet set) override;
    void Add() override;
    void FitColumns() const override;
    std::vector<ui::MenuEntry> Menu(bool rowSelected) const override;
    void RunMenuCommand(int command) override;

private:
    ui::FolderBrowser browse_;
};

}  // namespace options
