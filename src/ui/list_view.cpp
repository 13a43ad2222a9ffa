#include "ui/list_view.h"

#include <algorithm>
#include <vector>

#include "platform/codepage.h"
#include "platform/trace.h"

namespace ui {

namespace {

bool SharesImageLists(HWND list) { return (::GetWindowLongPtrA(list, GWL_STYLE) & LVS_SHAREIMAGELISTS) != 0; }

}  // namespace

// A mismatch of style and hand-over would free the image list twice, or
// never: it is reported to developers and done as asked.
void ListView::LendSmallImages(const ImageList& images) const {
    if (!SharesImageLists(hwnd_)) platform::Trace("list view", "an image list is lent to a list that destroys it");
    ListView_SetImageList(hwnd_, images.Get(), LVSIL_SMALL);
}

void ListView::GiveSmallImages(ImageList images) const {
    if (SharesImageLists(hwnd_)) platform::Trace("list view", "an image list is given to a list that never destroys it");
    ListView_SetImageList(hwnd_, images.Release(), LVSIL_SMALL);
}

void ListView::InsertColumn(int index, const std::string& text, int width, int format) const {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    column.fmt = format;
    column.cx = width;
    column.pszText = const_cast<char*>(text.c_str());
    column.iSubItem = index;
    ::SendMessageA(hwnd_, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

int ListView::InsertItem(int index, const std::string& text, int image, LPARAM data) const {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = index;
    item.pszText = const_cast<char*>(text.c_str());
    item.iImage = image;
    item.lParam = data;
    return static_cast<int>(::SendMessageA(hwnd_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

int ListView::InsertItemAskingText(int index, int image, LPARAM data) const {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = index;
    item.pszText = LPSTR_TEXTCALLBACKA;
    item.iImage = image;
    item.lParam = data;
    return static_cast<int>(::SendMessageA(hwnd_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void ListView::SetText(int row, int column, const std::string& text) const {
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    ::SendMessageA(hwnd_, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

std::string ListView::Text(int row, int column) const {
    // The control copies at most the buffer's size; grow until the text fits.
    for (size_t size = 256;; size *= 4) {
        std::vector<char> buffer(size, '\0');
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(size);
        auto length = static_cast<size_t>(
            ::SendMessageA(hwnd_, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
        if (length + 1 < size || size >= (1u << 24)) return std::string(buffer.data(), length < size ? length : size - 1);
    }
}

bool ListView::AddPartlyTickedImage() const {
    HIMAGELIST states = ListView_GetImageList(hwnd_, LVSIL_STATE);
    int width = 0, height = 0;
    if (!states || ::ImageList_GetImageCount(states) < 2 || !::ImageList_GetIconSize(states, &width, &height)) {
        return false;
    }
    if (::ImageList_GetImageCount(states) > 2) return true;
    // The empty box (image 0) drawn on a key colour, then the square.
    constexpr COLORREF kKey = RGB(255, 0, 255);
    MemoryDc dc(::CreateCompatibleDC(nullptr));
    HDC screen = ::GetDC(nullptr);
    Bitmap picture(::CreateCompatibleBitmap(screen, width, height));
    ::ReleaseDC(nullptr, screen);
    if (!dc || !picture) return false;
    {
        SelectObjectScope select(dc.Get(), picture.Get());
        RECT all{0, 0, width, height};
        Brush key(::CreateSolidBrush(kKey));
        ::FillRect(dc.Get(), &all, key.Get());
        ::ImageList_Draw(states, 0, dc.Get(), 0, 0, ILD_TRANSPARENT);
        const int side = std::max(2, std::min(width, height) / 3);
        RECT square{(width - side) / 2, (height - side) / 2, 0, 0};
        square.right = square.left + side;
        square.bottom = square.top + side;
        ::FillRect(dc.Get(), &square, ::GetSysColorBrush(COLOR_WINDOWTEXT));
    }
    return ::ImageList_AddMasked(states, picture.Get(), kKey) >= 0;
}

LPARAM ListView::Data(int row) const {
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!::SendMessageA(hwnd_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return 0;
    return item.lParam;
}

void ListView::Select(int row) const {
    ListView_SetItemState(hwnd_, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(hwnd_, row, FALSE);
}

int ListView::ClientWidth() const {
    RECT r{};
    ::GetClientRect(hwnd_, &r);
    return r.right - r.left;
}

void GiveText(LVITEMA& item, const std::string& text, bool wide) {
    if (wide) {
        const std::wstring wideText = platform::ToWide(text);
        ::lstrcpynW(reinterpret_cast<wchar_t*>(item.pszText), wideText.c_str(), item.cchTextMax);
    } else {
        ::lstrcpynA(item.pszText, text.c_str(), item.cchTextMax);
    }
}

int RowToToggle(const NMHDR& header) {
    switch (header.code) {
        case NM_CLICK: {
            LVHITTESTINFO hit{};
            hit.pt = reinterpret_cast<const NMITEMACTIVATE&>(header).ptAction;
            if (ListView_SubItemHitTest(header.hwndFrom, &hit) < 0 || !(hit.flags & LVHT_ONITEMSTATEICON)) return -1;
            return hit.iItem;
        }
        case LVN_KEYDOWN:
            if (reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey != VK_SPACE) return -1;
            return ListView_GetNextItem(header.hwndFrom, -1, LVNI_FOCUSED);
        default:
            return -1;
    }
}

}  // namespace ui
