// TPanel: a container window with 3-D bevel lines, an optional sunken client edge and a
// centred caption; the parent of the controls laid on it.
#pragma once

#include "toolkit/WinControl.h"

enum TPanelBevel { bvNone, bvLowered, bvRaised };

class TPanel : public TWinControl {
public:
    explicit TPanel(TComponent* owner);

    TPanelBevel BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TPanelBevel bevel);
    TPanelBevel BevelInner() const { return bevelInner_; }
    void SetBevelInner(TPanelBevel bevel);
    // bsSingle: a sunken client edge around the panel.
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);

    // + "BevelOuter", "BevelInner" (bvNone, bvLowered, bvRaised), "BorderStyle" (bsNone, bsSingle)
    bool SetProperty(const std::string& name, const std::string& value) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void PaintWindow(HDC dc) override;
    void TextChanged() override { Invalidate(); }

private:
    TPanelBevel bevelOuter_ = bvRaised;
    TPanelBevel bevelInner_ = bvNone;
    TBorderStyle borderStyle_ = bsNone;
};

// Reads a bevel name of a layout (bvNone, bvLowered, bvRaised) for property.
TPanelBevel PanelBevelFromText(const std::string& property, const std::string& text);
