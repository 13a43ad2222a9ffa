#pragma once
// The junk types tab: the user's junk-type list with check boxes, icons,
// add, edit, delete, check all, uncheck all and the factory list.
#include <vector>

#include "options/check_list.h"
#include "options/option_page.h"

namespace options {

class JunkTypesPage : public OptionPage {
public:
    void LoadPage(config::ValueSet set) override;
    void SavePage() override;
    // The rows as entries, in list order.
    std::vector<config::JunkType> Rows() const;

protected:
    bool OnInit() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;
    void OnSize(int width, int height) override;

private:
    void Add();
    void Edit();
    void Delete();
    void ShowContextMenu();
    void RunMenuCommand(int command);
    void FitColumns() const;

    CheckList list_;
};

}  // namespace options
