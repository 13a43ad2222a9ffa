#pragma once
// A non-owning wrapper over a tree-view control.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "ui/gdi.h"

namespace ui {

class TreeView {
public:
    TreeView() = default;
    explicit TreeView(HWND window) : hwnd_(window) {}
    HWND Hwnd() const { return hwnd_; }
    void Attach(HWND window) { hwnd_ = window; }

    // A tree view never destroys its image lists: they are lent, and their
    // owner keeps them until the tree is gone.
    void LendImages(const ImageList& normal, const ImageList& state) const;

    // Appends an item below parent (TVI_ROOT for the top level); state is the
    // index of its state image (0 for none).
    HTREEITEM Append(HTREEITEM parent, const std::string& text, int image, int selectedImage, int state,
                     LPARAM data) const;
    // Appends an item that shows neither image nor state image.
    HTREEITEM AppendPlain(HTREEITEM parent, const std::string& text) const;
    void DeleteChildren(HTREEITEM item) const;

    HTREEITEM FirstRoot() const { return TreeView_GetRoot(hwnd_); }
    HTREEITEM FirstChild(HTREEITEM item) const { return TreeView_GetChild(hwnd_, item); }
    HTREEITEM NextSibling(HTREEITEM item) const { return TreeView_GetNextSibling(hwnd_, item); }
    HTREEITEM Parent(HTREEITEM item) const { return TreeView_GetParent(hwnd_, item); }
    HTREEITEM Selected() const { return TreeView_GetSelection(hwnd_); }
    void Select(HTREEITEM item) const { TreeView_SelectItem(hwnd_, item); }

    std::string Text(HTREEITEM item) const;
    LPARAM Data(HTREEITEM item) const;
    int StateImage(HTREEITEM item) const;
    void SetStateImage(HTREEITEM item, int index) const;
    bool Expanded(HTREEITEM item) const;
    void Expand(HTREEITEM item) const { TreeView_Expand(hwnd_, item, TVE_EXPAND); }

    // The item under a point of the tree's client area, with TVHT_* flags.
    HTREEITEM HitTest(POINT client, UINT* flags) const;
    // The rectangle of an item's text (textOnly) or of its whole line.
    RECT ItemRect(HTREEITEM item, bool textOnly) const;

private:
    HWND hwnd_ = nullptr;
};

}  // namespace ui
