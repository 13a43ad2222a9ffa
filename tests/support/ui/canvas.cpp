#include "support/ui/canvas.h"

namespace testsupport {

Canvas::Canvas(int width, int height, COLORREF paper) : width_(width), dc_(::CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = ui::Bitmap(::CreateDIBSection(dc_.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    bits_ = static_cast<const uint32_t*>(bits);
    old_ = ::SelectObject(dc_.Get(), bitmap_.Get());
    RECT all{0, 0, width, height};
    ui::Brush brush(::CreateSolidBrush(paper));
    ::FillRect(dc_.Get(), &all, brush.Get());
}

Canvas::~Canvas() { ::SelectObject(dc_.Get(), old_); }

COLORREF Canvas::At(int x, int y) const {
    ::GdiFlush();
    const uint32_t p = bits_[y * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

int Canvas::Stray(const RECT& r, COLORREF color) const {
    int stray = 0;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) stray += At(x, y) != color;
    }
    return stray;
}

}  // namespace testsupport
