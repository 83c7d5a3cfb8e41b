// Reads back what a window has painted: a copy of its client area taken at once, so that
// tests can look at where each colour lies.
#pragma once

#include <windows.h>

#include <vector>

class WindowPixels {
public:
    // Paints what is pending in window and its children, then copies its client area.
    explicit WindowPixels(HWND window);

    // The smallest rectangle around every pixel of area (all of it if empty) that has the
    // colour, or that differs from it; empty when there is none.
    RECT Bounds(COLORREF colour, RECT area = {}, bool differing = false) const;

private:
    int width_ = 0, height_ = 0;
    std::vector<COLORREF> pixels_;
};
