#pragma once
// A non-owning wrapper over a list-view control.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "ui/gdi.h"

namespace ui {

class ListView {
public:
    ListView() = default;
    explicit ListView(HWND window) : hwnd_(window) {}
    HWND Hwnd() const { return hwnd_; }
    void Attach(HWND window) { hwnd_ = window; }

    int Count() const { return ListView_GetItemCount(hwnd_); }
    void InsertColumn(int index, const std::string& text, int width, int format = LVCFMT_LEFT) const;
    void SetColumnWidth(int index, int width) const { ListView_SetColumnWidth(hwnd_, index, width); }
    void SetExtendedStyle(DWORD style) const { ListView_SetExtendedListViewStyleEx(hwnd_, style, style); }
    // Who destroys the small icons' image list depends on the list's style.
    // A list with LVS_SHAREIMAGELISTS leaves it to its owner, who keeps it
    // until the list is gone: it is lent. A list without that style destroys
    // it with itself: it is given.
    void LendSmallImages(const ImageList& images) const;
    void GiveSmallImages(ImageList images) const;
    HIMAGELIST SmallImages() const { return ListView_GetImageList(hwnd_, LVSIL_SMALL); }

    // Inserts a row at index (Count() appends); returns its index or -1.
    int InsertItem(int index, const std::string& text, int image, LPARAM data = 0) const;
    // The same for a row whose texts the list asks its owner for when it
    // needs them (LVN_GETDISPINFO): the list keeps no copy of them.
    int InsertItemAskingText(int index, int image, LPARAM data) const;
    void SetText(int row, int column, const std::string& text) const;
    std::string Text(int row, int column) const;
    LPARAM Data(int row) const;
    void DeleteItem(int row) const { ListView_DeleteItem(hwnd_, row); }
    void DeleteAll() const { ListView_DeleteAllItems(hwnd_); }

    // Check boxes: state image 2 is ticked, 1 unticked, 0 none.
    int StateImage(int row) const { return static_cast<int>((ListView_GetItemState(hwnd_, row, LVIS_STATEIMAGEMASK) >> 12)); }
    bool Checked(int row) const { return StateImage(row) == 2; }
    void SetChecked(int row, bool checked) const { ListView_SetCheckState(hwnd_, row, checked ? TRUE : FALSE); }

    // A third check-box picture, state image 3, for a row that stands for
    // several items of which only some are ticked: the empty box with a
    // filled square inside. Needs LVS_EX_CHECKBOXES set first; false when
    // the picture could not be made.
    static constexpr int kPartlyTicked = 3;
    bool AddPartlyTickedImage() const;

    int Selected() const { return ListView_GetNextItem(hwnd_, -1, LVNI_SELECTED); }
    // Selects and focuses the row and scrolls it into view.
    void Select(int row) const;
    int ClientWidth() const;

private:
    HWND hwnd_ = nullptr;
};

// For lists whose rows are their owner's, which ask for what they draw
// (LVN_GETDISPINFOA or LVN_GETDISPINFOW; the two share a layout but for the
// form of the text). The question is the notification's item; wide is true
// for the W form.
inline LVITEMA& AskedItem(const NMHDR& header) {
    return const_cast<NMLVDISPINFOA&>(reinterpret_cast<const NMLVDISPINFOA&>(header)).item;
}
inline bool AsksWide(const NMHDR& header) { return header.code == LVN_GETDISPINFOW; }
// Whether the question asks for a text and gives room for one.
inline bool AsksText(const LVITEMA& item) { return (item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0; }
// Copies the text into the list's buffer, in the form asked, cut to its size.
void GiveText(LVITEMA& item, const std::string& text, bool wide);

// For lists that keep no ticks of their own: the row whose check box a
// notification of the list asks to turn, a click on a row's box (NM_CLICK)
// or the space bar on the focused row (LVN_KEYDOWN); -1 when it asks none.
int RowToToggle(const NMHDR& header);

}  // namespace ui
