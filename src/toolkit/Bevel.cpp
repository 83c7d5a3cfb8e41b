// TBevel: a box is one outline, dark at the top and left and light at the bottom and right
// when lowered, the other way round when raised; a frame is two outlines of one colour each,
// one line apart, the etched line of a frame bevel (lowered: shadow over highlight). A line
// is 1 pixel at 96 dpi, scaled with the bevel.
#include "toolkit/Bevel.h"

#include "toolkit/LayoutValues.h"

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
    // Lowered: the shadow colour first (top and left, or the upper outline), raised: highlight.
    const TColor first = style_ == bsLowered ? clBtnShadow : clBtnHighlight;
    const TColor second = style_ == bsLowered ? clBtnHighlight : clBtnShadow;
    const int width = Width(), height = Height(), line = Scaled(1);
    if (width <= 0 || height <= 0) return;
    TCanvas canvas(dc);
    if (shape_ == bsBox) {
        canvas.Outline({0, 0, width, height}, first, second, line);
        return;
    }
    // The second colour's outline one line down and right, then the first's over it.
    canvas.Outline({line, line, width, height}, second, second, line);
    canvas.Outline({0, 0, width - line, height - line}, first, first, line);
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
