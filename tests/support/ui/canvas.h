#pragma once
// A 32-bit top-down bitmap to draw into, or to print a window into, read
// back pixel by pixel.
#include <windows.h>

#include <cstdint>

#include "ui/gdi.h"

namespace testsupport {

class Canvas {
public:
    // Filled with paper before anything is drawn.
    Canvas(int width, int height, COLORREF paper = RGB(255, 255, 255));
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return dc_.Get(); }
    COLORREF At(int x, int y) const;
    // The pixels of a rectangle that are not the colour.
    int Stray(const RECT& r, COLORREF color) const;

private:
    int width_;
    ui::MemoryDc dc_;
    ui::Bitmap bitmap_;
    HGDIOBJ old_ = nullptr;
    const uint32_t* bits_ = nullptr;
};

}  // namespace testsupport
