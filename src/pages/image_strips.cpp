#include "pages/image_strips.h"

#include "ui/gdi.h"

namespace pages {

HIMAGELIST LoadImageStrip(int bitmapId, int size) {
    ui::Bitmap strip = ui::LoadResourceBitmap(bitmapId);
    if (!strip) return nullptr;
    BITMAP info{};
    ::GetObjectA(strip.Get(), sizeof info, &info);
    int count = info.bmWidth / size;
    HIMAGELIST images = ::ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, count > 0 ? count : 1, 4);
    if (!images) return nullptr;
    ::ImageList_AddMasked(images, strip.Get(), RGB(0, 255, 0));
    return images;
}

}  // namespace pages
