#pragma once
// Owning wrappers for GDI objects, icons, menus and image lists.
#include <windows.h>
#include <commctrl.h>

#include "platform/handle.h"

namespace ui {

template <typename T>
using GdiObjectTraits = platform::NullHandleTraits<T, ::DeleteObject>;

using Font = platform::UniqueResource<GdiObjectTraits<HFONT>>;
using Brush = platform::UniqueResource<GdiObjectTraits<HBRUSH>>;
using Bitmap = platform::UniqueResource<GdiObjectTraits<HBITMAP>>;
using Icon = platform::UniqueResource<platform::NullHandleTraits<HICON, ::DestroyIcon>>;
using Menu = platform::UniqueResource<platform::NullHandleTraits<HMENU, ::DestroyMenu>>;
using ImageList = platform::UniqueResource<platform::NullHandleTraits<HIMAGELIST, ::ImageList_Destroy>>;
// A device context made with CreateCompatibleDC.
using MemoryDc = platform::UniqueResource<platform::NullHandleTraits<HDC, ::DeleteDC>>;

// Pictures of the program's own resources; empty when there is none.
Icon LoadResourceIcon(int id, int width = 16, int height = 16);
Bitmap LoadResourceBitmap(int id);  // as a DIB section

// The dialog's font at another weight (FW_HEAVY for headers and counts).
Font CreateWeightedFont(HWND dialog, int weight);

// A 16x16, 32-bit image list with mask, for list and tree controls.
ImageList CreateSmallImageList(int initial = 16, int grow = 16);

// An image list of size x size images cut from a bitmap strip of the
// resources whose pure green pixels are transparent; empty on failure.
ImageList LoadImageStrip(int bitmapId, int size, UINT colorFlags = ILC_COLOR32);

// Selects a GDI object into a DC for a scope.
class SelectObjectScope {
public:
    SelectObjectScope(HDC dc, HGDIOBJ object) : dc_(dc), old_(::SelectObject(dc, object)) {}
    ~SelectObjectScope() { ::SelectObject(dc_, old_); }
    SelectObjectScope(const SelectObjectScope&) = delete;
    SelectObjectScope& operator=(const SelectObjectScope&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace ui
