// Sizes are designed at 96 dots per inch; the screen may have more. Every left, top, width,
// height, font height and icon box is scaled by this one function, and the list box rule of
// whole lines works on the scaled values.
#pragma once

constexpr int kDesignDpi = 96;

// value * dpi / 96, rounded to the nearest whole pixel, halves away from zero (as MulDiv).
int Scale(int value, int dpi);

// The highest client height, not above clientHeight, that holds whole lines of lineHeight;
// a client of one line or less is left as it is.
int WholeLinesHeight(int clientHeight, int lineHeight);
