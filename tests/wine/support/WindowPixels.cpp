// WindowPixels: a copy of a window's client area through a 32-bit DIB section.
#include "support/WindowPixels.h"

WindowPixels::WindowPixels(HWND window) {
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT client;
    ::GetClientRect(window, &client);
    width_ = client.right, height_ = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width_, -height_ /* top row first */, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = ::GetDCEx(window, nullptr, DCX_CACHE);  // children's pixels included
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width_, height_, screen, 0, 0, SRCCOPY);
    const auto* quads = static_cast<const RGBQUAD*>(bits);
    pixels_.resize(static_cast<size_t>(width_) * static_cast<size_t>(height_));
    for (size_t i = 0; i < pixels_.size(); ++i) pixels_[i] = RGB(quads[i].rgbRed, quads[i].rgbGreen, quads[i].rgbBlue);
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(window, screen);
}

COLORREF WindowPixels::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    return pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
}

RECT WindowPixels::BoundsWhere(const RECT& area, const std::function<bool(COLORREF)>& test) const {
    RECT bounds{};
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (test(At(x, y))) {
                const RECT dot{x, y, x + 1, y + 1};
                ::UnionRect(&bounds, &bounds, &dot);
            }
    return bounds;
}

RECT WindowPixels::InkBounds(const RECT& area, COLORREF background) const {
    return BoundsWhere(area, [background](COLORREF pixel) { return pixel != background; });
}

RECT WindowPixels::Bounds(COLORREF colour) const {
    return BoundsWhere({0, 0, width_, height_}, [colour](COLORREF pixel) { return pixel == colour; });
}

int WindowPixels::Count(COLORREF colour) const {
    int count = 0;
    for (COLORREF pixel : pixels_) count += pixel == colour;
    return count;
}
