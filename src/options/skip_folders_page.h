#pragma once
// The skip folders tab: folders the search leaves out, each with a check box,
// added through the system's folder browser.
#include <vector>

#include "options/check_list.h"
#include "options/option_page.h"

namespace options {

class SkipFoldersPage : public OptionPage {
public:
    void LoadPage(config::ValueSet set) override;
    void SavePage() override;
    // The rows as entries, in list order.
    std::vector<config::SkipFolder> Rows() const;

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;
    void OnSize(int width, int height) override;

private:
    void Add();
    void Delete();
    void ShowContextMenu();
    void FitColumn() const;

    CheckList list_;
};

}  // namespace options
