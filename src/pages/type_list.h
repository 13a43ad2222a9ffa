#pragma once
// A list of junk types, one row each: what the files were found as, how
// many there are, their size and a bar for the size against the largest
// type's, largest first. The report's view by type shows the findings so,
// with a check box per type (partly ticked when only some of its files
// are); the finish page shows what a clean cleaned so. The list holds no
// rows of its own (LVS_OWNERDATA): it asks for what it draws.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "pages/type_totals.h"
#include "ui/bar_cells.h"
#include "ui/list_view.h"

namespace pages {

class TypeList {
public:
    struct Row {
        size_t type = 0;  // the "found as" index it stands for
        std::string foundAs;
        uint64_t files = 0;
        uint64_t bytes = 0;
        TickState ticks = TickState::All;
    };

    // Sets up the list: the four columns, full-row selection, and with
    // checkBoxes the check boxes and their partly ticked picture.
    void Attach(HWND list, bool checkBoxes);
    HWND Hwnd() const { return list_.Hwnd(); }

    void Show(std::vector<Row> rows);
    const std::vector<Row>& Rows() const { return rows_; }
    void SetTicks(size_t row, TickState ticks);

    // Gives each column its share of the list's width; nothing before the
    // list is attached.
    void FitColumns() const;
    // Answers the list's own questions, a row's texts and tick
    // (LVN_GETDISPINFO) and its drawing (NM_CUSTOMDRAW); false for any other
    // notification, which is the page's.
    bool OnNotify(const NMHDR& header, LRESULT& result);

private:
    void GiveRow(LVITEMA& item, bool wide) const;

    ui::ListView list_;
    ui::ListBarColumn bars_;
    std::vector<Row> rows_;
    bool checkBoxes_ = false;
};

// The rows of the session's findings by type, and of what a clean cleaned.
std::vector<TypeList::Row> TypeRowsOf(const Session& session);
std::vector<TypeList::Row> TypeRowsOf(const clean::CleanResult& result);

}  // namespace pages
