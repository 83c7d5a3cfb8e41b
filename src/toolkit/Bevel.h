// TBevel: a windowless frame or box drawn in the shadow and highlight colours, lowered
// (sunk into the surface) or raised.
#pragma once

#include <string>

#include "toolkit/Control.h"

enum TBevelShape { bsBox, bsFrame };
enum TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;

    TBevelShape Shape() const { return shape_; }
    void SetShape(TBevelShape shape);
    TBevelStyle Style() const { return style_; }
    void SetStyle(TBevelStyle style);

    void Paint(HDC dc) override;
    // + "Shape" ("bsBox", "bsFrame") and "Style" ("bsLowered", "bsRaised")
    bool SetProperty(const std::string& name, const std::string& value) override;

private:
    TBevelShape shape_ = bsBox;
    TBevelStyle style_ = bsLowered;
};
