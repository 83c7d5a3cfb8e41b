// TStaticText: the STATIC class, left-aligned, never wrapped onto a hidden second line.
#include "toolkit/StaticText.h"

#include "toolkit/LayoutValues.h"

void TStaticText::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.ClassName = "STATIC";
    params.Style = (params.Style & ~WS_CLIPCHILDREN) | SS_LEFTNOWORDWRAP;
}

void TStaticText::SetAutoSize(bool autoSize) {
    if (autoSize == autoSize_) return;
    autoSize_ = autoSize;
    FitToText();
}

// The width follows the text in the font in effect; the height stays as laid out.
void TStaticText::FitToText() {
    if (!autoSize_ || Caption().empty()) return;
    SetWidth(TextWidthOnScreen(Font(), Caption()));
}

void TStaticText::TextChanged() {
    TWinControl::TextChanged();
    FitToText();
}

void TStaticText::FontChanged() {
    TWinControl::FontChanged();
    FitToText();
}

bool TStaticText::SetProperty(const std::string& name, const std::string& value) {
    if (name != "AutoSize") return TWinControl::SetProperty(name, value);
    SetAutoSize(BoolFromText(value));
    return true;
}
