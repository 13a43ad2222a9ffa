#pragma once
// The junk types tab: the user's junk-type list with check boxes, icons,
// add, edit, delete, check all, uncheck all and the factory list.
#include <vector>

#include "options/check_list_page.h"

namespace options {

class JunkTypesPage : public CheckListPage {
public:
    JunkTypesPage();
    bool SavePage() override;
    // The rows as entries, in list order.
    std::vector<config::JunkType> Rows() const;

protected:
    bool OnInit() override;
    void FillRows(config::ValueSet set) override;
    void Add() override;
    void FitColumns() const override;
    std::vector<ui::MenuEntry> Menu(bool rowSelected) const override;
    void RunMenuCommand(int command) override;

private:
    void Edit();
};

}  // namespace options
