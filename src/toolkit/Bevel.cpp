// TBevel: a box is one outline, light on two sides and dark on the other two; a frame is
// two such outlines 1 pixel apart in opposite colours, the etched line of a frame bevel.
#include "toolkit/Bevel.h"

#include "toolkit/LayoutValues.h"

namespace {

// Top and left sides in topLeft, bottom and right sides in bottomRight; the rectangle's
// right and bottom edges are inside it.
void Outline(HDC dc, const RECT& rect, TColor topLeft, TColor bottomRight) {
    TCanvas canvas(dc);
    canvas.FillRect({rect.left, rect.top, rect.right, rect.top + 1}, topLeft);
    canvas.FillRect({rect.left, rect.top, rect.left + 1, rect.bottom}, topLeft);
    canvas.FillRect({rect.left, rect.bottom - 1, rect.right, rect.bottom}, bottomRight);
    canvas.FillRect({rect.right - 1, rect.top, rect.right, rect.bottom}, bottomRight);
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
    const int width = Width(), height = Height();
    if (width <= 0 || height <= 0) return;
    if (shape_ == bsBox) {
        Outline(dc, {0, 0, width, height}, dark, light);
        return;
    }
    // The light outline 1 pixel down and right, then the dark one over it.
    Outline(dc, {1, 1, width, height}, light, light);
    Outline(dc, {0, 0, width - 1, height - 1}, dark, dark);
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
