#include "ui/gdi.h"

#include "platform/trace.h"

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
    Icon icon(static_cast<HICON>(
        ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, width, height, LR_DEFAULTCOLOR)));
    if (!icon) platform::TraceLastError("resources", "an icon cannot be loaded");
    return icon;
}

Bitmap LoadResourceBitmap(int id) {
    Bitmap bitmap(static_cast<HBITMAP>(
        ::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!bitmap) platform::TraceLastError("resources", "a bitmap cannot be loaded");
    return bitmap;
}

}  // namespace ui
