// TPanel: bevels drawn one pixel wide (at 96 dpi) in the button highlight and shadow colours, inside
// the optional client edge; caption centred on one line; windowless children on top.
#include "toolkit/Panel.h"

#include "shared/Utf16.h"
#include "toolkit/LayoutValues.h"

namespace {

// One bevel around rect, width pixels wide (raised: light top and left, dark bottom and
// right), drawn one pixel outline at a time so that the corners meet on the diagonal; rect
// shrinks by the bevel.
void DrawBevel(TCanvas& canvas, RECT& rect, TPanelBevel bevel, int width) {
    if (bevel == bvNone) return;
    const TColor topLeft = bevel == bvRaised ? clBtnHighlight : clBtnShadow;
    const TColor bottomRight = bevel == bvRaised ? clBtnShadow : clBtnHighlight;
    for (int line = 0; line < width; ++line) {
        canvas.Outline(rect, topLeft, bottomRight, 1);
        ::InflateRect(&rect, -1, -1);
    }
}

}  // namespace

TPanelBevel PanelBevelFromText(const std::string& property, const std::string& text) {
    return EnumFromText<TPanelBevel>(property, text, {{"bvNone", bvNone}, {"bvLowered", bvLowered}, {"bvRaised", bvRaised}});
}

TPanel::TPanel(TComponent* owner) : TWinControl(owner) {}

void TPanel::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.ExStyle |= WS_EX_CONTROLPARENT;
    if (borderStyle_ == bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TPanel::SetBevelOuter(TPanelBevel bevel) {
    if (bevel == bevelOuter_) return;
    bevelOuter_ = bevel;
    Invalidate();
}

void TPanel::SetBevelInner(TPanelBevel bevel) {
    if (bevel == bevelInner_) return;
    bevelInner_ = bevel;
    Invalidate();
}

void TPanel::SetBorderStyle(TBorderStyle style) {
    if (style == borderStyle_) return;
    borderStyle_ = style;
    if (!HandleAllocated()) return;
    HWND window = Handle();
    const LONG exStyle = ::GetWindowLongW(window, GWL_EXSTYLE);
    ::SetWindowLongW(window, GWL_EXSTYLE,
                     style == bsSingle ? (exStyle | WS_EX_CLIENTEDGE) : (exStyle & ~WS_EX_CLIENTEDGE));
    ::SetWindowPos(window, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TPanel::PaintWindow(HDC dc) {
    TCanvas canvas(dc);
    RECT rect;
    ::GetClientRect(Handle(), &rect);
    canvas.FillRect(rect, Color());
    DrawBevel(canvas, rect, bevelOuter_, Scaled(1));
    DrawBevel(canvas, rect, bevelInner_, Scaled(1));
    if (!Caption().empty()) {
        ScopedSelect font(dc, Font().Handle());
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ColorToRGB(Font().Color()));
        const std::wstring caption = Utf16FromUtf8(Caption());
        ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &rect,
                    DT_EXPANDTABS | DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    }
    PaintControls(dc);
}

bool TPanel::SetProperty(const std::string& name, const std::string& value) {
    if (name == "BevelOuter") {
        SetBevelOuter(PanelBevelFromText(name, value));
    } else if (name == "BevelInner") {
        SetBevelInner(PanelBevelFromText(name, value));
    } else if (name == "BorderStyle") {  // a panel has no dialog frame
        SetBorderStyle(EnumFromText<TBorderStyle>(name, value, {{"bsNone", bsNone}, {"bsSingle", bsSingle}}));
    } else {
        return TWinControl::SetProperty(name, value);
    }
    return true;
}
