// TBevel: a box is one outline, light on two sides and dark on the other two; a frame is
// two such outlines one line apart in opposite colours, the etched line of a frame bevel.
// A line is 1 pixel at 96 dpi, scaled with the bevel.
#include "toolkit/Bevel.h"

#include "toolkit/LayoutValues.h"

namespace {

// Top and left sides in topLeft, bottom and right sides in bottomRight, each thickness
// pixels wide; the rectangle's right and bottom edges are inside it.
void Outline(HDC dc, const RECT& rect, TColor topLeft, TColor bottomRight, int thickness) {
    TCanvas canvas(dc);
    canvas.FillRect({rect.left, rect.top, rect.right, rect.top + thickness}, topLeft);
    canvas.FillRect({rect.left, rect.top, rect.left + thickness, rect.bottom}, topLeft);
    canvas.FillRect({rect.left, rect.bottom - thickness, rect.right, rect.bottom}, bottomRight);
    canvas.FillRect({rect.right - thickness, rect.top, rect.right, rect.bottom}, bottomRight);
}

}  // namespace

void TBevel::SetShape(TBevelShape shape) {
    if (shape == shape_) return;
    shape_ = shape;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle style) {
    if (style == style_) return;
    style_ = style;
    Invalidate();
}

void TBevel::Paint(HDC dc) {
    const TColor dark = style_ == bsLowered ? clBtnShadow : clBtnHighlight;
    const TColor light = style_ == bsLowered ? clBtnHighlight : clBtnShadow;
    const int width = Width(), height = Height(), line = Scaled(1);
    if (width <= 0 || height <= 0) return;
    if (shape_ == bsBox) {
        Outline(dc, {0, 0, width, height}, dark, light, line);
        return;
    }
    // The light outline one line down and right, then the dark one over it.
    Outline(dc, {line, line, width, height}, light, light, line);
    Outline(dc, {0, 0, width - line, height - line}, dark, dark, line);
}

bool TBevel::SetProperty(const std::string& name, const std::string& value) {
    if (name == "Shape") {
        SetShape(EnumFromText<TBevelShape>(name, value, {{"bsBox", bsBox}, {"bsFrame", bsFrame}}));
    } else if (name == "Style") {
        SetStyle(EnumFromText<TBevelStyle>(name, value, {{"bsLowered", bsLowered}, {"bsRaised", bsRaised}}));
    } else {
        return TGraphicControl::SetProperty(name, value);
    }
    return true;
}
