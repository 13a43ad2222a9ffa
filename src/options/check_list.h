#pragma once
// A list view of entries with check boxes and one shell icon per row, as the
// junk types and skip folders pages show them. Image 0 is a plain picture
// for rows whose icon the shell could not give.
#include <windows.h>

#include <string>

#include "ui/gdi.h"
#include "ui/list_view.h"

namespace options {

class CheckList {
public:
    // Sets up the list: check boxes, full-row selection and an image list
    // (owned by the control) holding the fallback picture as image 0.
    void Attach(HWND list, int fallbackIconId);

    const ui::ListView& View() const { return view_; }
    int Count() const { return view_.Count(); }
    int Selected() const { return view_.Selected(); }

    // Removes every row and every picture but the fallback.
    void Clear() const;
    // Inserts a row at index (Count() appends) with its icon; returns its index.
    int Insert(int index, const std::string& text, ui::Icon icon, bool checked) const;
    // Selects and focuses the row and scrolls it into view; -1 selects nothing.
    void SelectRow(int row) const;
    void CheckAll(bool checked) const;

private:
    ui::ListView view_;
    int fallbackIconId_ = 0;
};

}  // namespace options
