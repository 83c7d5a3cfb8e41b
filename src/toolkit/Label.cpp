// TLabel: measuring and drawing the caption with DrawText.
#include "toolkit/Label.h"

#include "shared/Utf16.h"
#include "toolkit/LayoutValues.h"

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 65, 17); }

void TLabel::SetAlignment(TAlignment alignment) {
    if (alignment == alignment_) return;
    alignment_ = alignment;
    Invalidate();
}

void TLabel::SetLayout(TTextLayout layout) {
    if (layout == layout_) return;
    layout_ = layout;
    Invalidate();
}

void TLabel::SetAutoSize(bool autoSize) {
    if (autoSize == autoSize_) return;
    autoSize_ = autoSize;
    AdjustBounds();
}

void TLabel::SetWordWrap(bool wordWrap) {
    if (wordWrap == wordWrap_) return;
    wordWrap_ = wordWrap;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetShowAccelChar(bool showAccelChar) {
    if (showAccelChar == showAccelChar_) return;
    showAccelChar_ = showAccelChar;
    AdjustBounds();  // "&" takes room only when it is not an accelerator mark
    Invalidate();
}

void TLabel::SetTransparent(bool transparent) {
    if (transparent == transparent_) return;
    transparent_ = transparent;
    Invalidate();
}

UINT TLabel::TextFlags() const {
    UINT flags = DT_EXPANDTABS;
    if (wordWrap_) flags |= DT_WORDBREAK;
    if (alignment_ == taRightJustify) flags |= DT_RIGHT;
    else if (alignment_ == taCenter) flags |= DT_CENTER;
    return flags;
}

std::wstring TLabel::TextToDraw(UINT& flags) const {
    std::string text = Caption();
    if ((flags & DT_CALCRECT) && (text.empty() || (showAccelChar_ && text == "&"))) text += ' ';
    if (!showAccelChar_) flags |= DT_NOPREFIX;
    return Utf16FromUtf8(text);
}

void TLabel::DoDrawText(HDC dc, RECT& rect, UINT flags) const {
    const std::wstring text = TextToDraw(flags);
    ScopedSelect font(dc, Font().Handle());
    ::SetBkMode(dc, TRANSPARENT);
    if (!Enabled()) {
        TCanvas(dc).DisabledText(text, rect, flags, Scaled(1));
    } else {
        ::SetTextColor(dc, ColorToRGB(Font().Color()));
        ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, flags);
    }
}

void TLabel::PlaceByLayout(RECT& rect, const std::function<void(RECT&)>& measure) const {
    if (layout_ == tlTop) return;
    RECT measured = rect;
    measure(measured);
    const int space = Height() - measured.bottom;
    ::OffsetRect(&rect, 0, layout_ == tlBottom ? space : space / 2);
}

void TLabel::Paint(HDC dc) {
    RECT rect = ClientRect();
    if (!transparent_) TCanvas(dc).FillRect(rect, Color());
    const UINT flags = TextFlags();
    PlaceByLayout(rect, [&](RECT& measured) { DoDrawText(dc, measured, flags | DT_CALCRECT); });
    DoDrawText(dc, rect, flags);
}

void TLabel::AdjustBounds() {
    if (!autoSize_ || Loading()) return;
    RECT rect = ClientRect();
    DoDrawText(MeasuringDC(), rect, DT_EXPANDTABS | DT_CALCRECT | (wordWrap_ ? DT_WORDBREAK : 0));
    const int left = alignment_ == taRightJustify ? Left() + Width() - rect.right : Left();
    SetBounds(left, Top(), rect.right, rect.bottom);
}

void TLabel::TextChanged() {
    AdjustBounds();
    Invalidate();
}

void TLabel::FontChanged() {
    AdjustBounds();
    Invalidate();
}

void TLabel::ChangeScale(int dpi) {
    if (dpi == Dpi()) return;
    TGraphicControl::ChangeScale(dpi);
    AdjustBounds();
}

void TLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

bool TLabel::SetProperty(const std::string& name, const std::string& value) {
    if (name == "Alignment") {
        SetAlignment(EnumFromText<TAlignment>(
            name, value, {{"taLeftJustify", taLeftJustify}, {"taRightJustify", taRightJustify}, {"taCenter", taCenter}}));
    } else if (name == "Layout") {
        SetLayout(EnumFromText<TTextLayout>(name, value, {{"tlTop", tlTop}, {"tlCenter", tlCenter}, {"tlBottom", tlBottom}}));
    } else if (name == "AutoSize") {
        SetAutoSize(BoolFromText(value));
    } else if (name == "WordWrap") {
        SetWordWrap(BoolFromText(value));
    } else if (name == "ShowAccelChar") {
        SetShowAccelChar(BoolFromText(value));
    } else if (name == "Transparent") {
        SetTransparent(BoolFromText(value));
    } else {
        return TGraphicControl::SetProperty(name, value);
    }
    return true;
}
