#pragma once
// A tab page built around one check list (the junk types and the skip
// folders): the add and delete icons, the Default button, the right-click
// menu and the Delete key, and filling the list anew from either set while
// keeping the selection where it was.
#include <vector>

#include "options/check_list.h"
#include "options/option_page.h"
#include "ui/popup_menu.h"

namespace options {

class CheckListPage : public OptionPage {
public:
    void LoadPage(config::ValueSet set) final;

protected:
    struct ListSetup {
        int listId;
        int fallbackIconId;
        // Shown when Delete finds no row selected.
        const char* selectFirstKey;
    };
    explicit CheckListPage(const ListSetup& setup) : setup_(setup) {}

    // Sets up the list control; OnInit calls it before adding columns.
    void AttachList() { list_.Attach(Item(setup_.listId), setup_.fallbackIconId); }
    const CheckList& List() const { return list_; }

    // Appends the rows of the given set to the emptied list.
    virtual void FillRows(config::ValueSet set) = 0;
    virtual void Add() = 0;
    virtual void FitColumns() const = 0;
    virtual std::vector<ui::MenuEntry> Menu(bool rowSelected) const = 0;
    virtual void RunMenuCommand(int command) = 0;

    void Delete();

    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnSize(int width, int height) override;

private:
    const ListSetup setup_;
    CheckList list_;
};

}  // namespace options
