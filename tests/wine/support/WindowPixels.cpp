// WindowPixels: a copy of a window's client area through a 32-bit DIB section.
#include "support/WindowPixels.h"

#include <algorithm>

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

RECT WindowPixels::Bounds(COLORREF colour, RECT area, bool differing) const {
    if (::IsRectEmpty(&area)) area = {0, 0, width_, height_};
    RECT bounds{};
    for (int y = std::max(0L, area.top); y < std::min<LONG>(height_, area.bottom); ++y)
        for (int x = std::max(0L, area.left); x < std::min<LONG>(width_, area.right); ++x)
            if ((pixels_[static_cast<size_t>(y * width_ + x)] == colour) != differing) {
                const RECT dot{x, y, x + 1, y + 1};
                ::UnionRect(&bounds, &bounds, &dot);
            }
    return bounds;
}
