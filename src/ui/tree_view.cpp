#include "ui/tree_view.h"

#include <vector>

namespace ui {

void TreeView::LendImages(const ImageList& normal, const ImageList& state) const {
    TreeView_SetImageList(hwnd_, normal.Get(), TVSIL_NORMAL);
    TreeView_SetImageList(hwnd_, state.Get(), TVSIL_STATE);
}

HTREEITEM TreeView::Append(HTREEITEM parent, const std::string& text, int image, int selectedImage, int state,
                           LPARAM data) const {
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(text.c_str());
    insert.item.iImage = image;
    insert.item.iSelectedImage = selectedImage;
    insert.item.state = INDEXTOSTATEIMAGEMASK(state);
    insert.item.stateMask = TVIS_STATEIMAGEMASK;
    insert.item.lParam = data;
    return reinterpret_cast<HTREEITEM>(
        ::SendMessageA(hwnd_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

HTREEITEM TreeView::AppendPlain(HTREEITEM parent, const std::string& text) const {
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_STATE | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(text.c_str());
    insert.item.state = INDEXTOSTATEIMAGEMASK(0);
    insert.item.stateMask = TVIS_STATEIMAGEMASK;
    return reinterpret_cast<HTREEITEM>(
        ::SendMessageA(hwnd_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

void TreeView::DeleteChildren(HTREEITEM item) const {
    for (HTREEITEM child = FirstChild(item); child;) {
        HTREEITEM next = NextSibling(child);
        TreeView_DeleteItem(hwnd_, child);
        child = next;
    }
}

std::string TreeView::Text(HTREEITEM item) const {
    std::vector<char> buffer(1024, '\0');
    TVITEMA data{};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = buffer.data();
    data.cchTextMax = static_cast<int>(buffer.size());
    if (!::SendMessageA(hwnd_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data))) return {};
    return data.pszText ? std::string(data.pszText) : std::string();
}

LPARAM TreeView::Data(HTREEITEM item) const {
    TVITEMA data{};
    data.mask = TVIF_PARAM;
    data.hItem = item;
    if (!::SendMessageA(hwnd_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data))) return 0;
    return data.lParam;
}

int TreeView::StateImage(HTREEITEM item) const {
    return static_cast<int>((TreeView_GetItemState(hwnd_, item, TVIS_STATEIMAGEMASK) & TVIS_STATEIMAGEMASK) >> 12);
}

void TreeView::SetStateImage(HTREEITEM item, int index) const {
    TreeView_SetItemState(hwnd_, item, INDEXTOSTATEIMAGEMASK(index), TVIS_STATEIMAGEMASK);
}

bool TreeView::Expanded(HTREEITEM item) const {
    return (TreeView_GetItemState(hwnd_, item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

HTREEITEM TreeView::HitTest(POINT client, UINT* flags) const {
    TVHITTESTINFO info{};
    info.pt = client;
    HTREEITEM item = TreeView_HitTest(hwnd_, &info);
    if (flags) *flags = info.flags;
    return item;
}

RECT TreeView::ItemRect(HTREEITEM item, bool textOnly) const {
    RECT rect{};
    TreeView_GetItemRect(hwnd_, item, &rect, textOnly ? TRUE : FALSE);
    return rect;
}

}  // namespace ui
