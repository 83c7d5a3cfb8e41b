// Reads back what a window has painted: a copy of its client area taken at once, so that
// tests can look at single pixels.
#pragma once

#include <windows.h>

#include <vector>

class WindowPixels {
public:
    // Paints what is pending in window and its children, then copies its client area.
    explicit WindowPixels(HWND window);

    int Width() const { return width_; }
    int Height() const { return height_; }
    COLORREF At(int x, int y) const;  // client coordinates; CLR_INVALID outside
    // Whether any pixel of the rectangle (client coordinates) has the colour.
    bool Contains(const RECT& area, COLORREF colour) const;
    // The smallest rectangle around every pixel of area that differs from background.
    RECT InkBounds(const RECT& area, COLORREF background) const;
    // The smallest rectangle around every pixel of the colour; empty when there is none.
    RECT Bounds(COLORREF colour) const;
    int Count(COLORREF colour) const;  // how many pixels have the colour

private:
    int width_ = 0, height_ = 0;
    std::vector<COLORREF> pixels_;
};

// One pixel of window's client area, once what is pending has been painted: unlike
// WindowPixels, this repaints nothing else, so it tells whether a change was repainted.
COLORREF PixelAt(HWND window, int x, int y);
