#pragma once
// Image lists made from the bitmap strips in the resources.
#include <windows.h>
#include <commctrl.h>

namespace pages {

// An image list of size x size images (32-bit colour with mask) cut from a
// bitmap strip whose pure green pixels are transparent. Null on failure.
HIMAGELIST LoadImageStrip(int bitmapId, int size);

}  // namespace pages
