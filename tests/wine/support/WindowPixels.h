// Reads back what a window has painted: a copy of its client area taken at once, so that
// tests can look at where each colour lies.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

class WindowPixels {
public:
    // Paints what is pending in window and its children, then copies its client area.
    explicit WindowPixels(HWND window);

    COLORREF At(int x, int y) const;  // client coordinates; CLR_INVALID outside
    // The smallest rectangle around every pixel of area that differs from background, and
    // around every pixel of the colour; empty when there is none.
    RECT InkBounds(const RECT& area, COLORREF background) const;
    RECT Bounds(COLORREF colour) const;
    int Count(COLORREF colour) const;  // how many pixels have the colour

private:
    RECT BoundsWhere(const RECT& area, const std::function<bool(COLORREF)>& test) const;
    int width_ = 0, height_ = 0;
    std::vector<COLORREF> pixels_;
};
