#include "ui/gdi.h"

namespace ui {

HFONT CreateWeightedFont(HWND dialog, int weight) {
    auto base = reinterpret_cast<HFONT>(::SendMessageA(dialog, WM_GETFONT, 0, 0));
    LOGFONTA font{};
    if (!base || !::GetObjectA(base, sizeof font, &font)) {
        ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    }
    font.lfWeight = weight;
    return ::CreateFontIndirectA(&font);
}

HIMAGELIST CreateSmallImageList(int initial, int grow) {
    return ::ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, initial, grow);
}

Icon LoadResourceIcon(int id, int width, int height) {
    return Icon(static_cast<HICON>(
        ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, width, height, LR_DEFAULTCOLOR)));
}

Bitmap LoadResourceBitmap(int id) {
    return Bitmap(static_cast<HBITMAP>(
        ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

}  // namespace ui
