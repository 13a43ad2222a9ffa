#include "ui/gdi.h"

#include "platform/trace.h"

namespace ui {

Font CreateWeightedFont(HWND dialog, int weight) {
    auto base = reinterpret_cast<HFONT>(::SendMessageA(dialog, WM_GETFONT, 0, 0));
    LOGFONTA font{};
    if (!base || !::GetObjectA(base, sizeof font, &font)) {
        ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    }
    font.lfWeight = weight;
    return Font(::CreateFontIndirectA(&font));
}

ImageList CreateSmallImageList(int initial, int grow) {
    return ImageList(::ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, initial, grow));
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

ImageList LoadImageStrip(int bitmapId, int size, UINT colorFlags) {
    Bitmap strip = LoadResourceBitmap(bitmapId);
    if (!strip) return {};
    BITMAP info{};
    ::GetObjectA(strip.Get(), sizeof info, &info);
    int count = info.bmWidth / size;
    ImageList images(::ImageList_Create(size, size, colorFlags | ILC_MASK, count > 0 ? count : 1, 4));
    if (images) ::ImageList_AddMasked(images.Get(), strip.Get(), RGB(0, 255, 0));
    return images;
}

}  // namespace ui
