// Colours, fonts and the canvas.
#include "toolkit/Graphics.h"

#include <map>
#include <string>

#include "shared/DisplayScale.h"
#include "shared/Utf16.h"

COLORREF ColorToRGB(TColor color) {
    if (color & 0x80000000u) return ::GetSysColor(static_cast<int>(color & 0xFF));
    return static_cast<COLORREF>(color & 0x00FFFFFFu);
}

void TFont::Assign(const TFont& other) {
    name_ = other.name_;
    height_ = other.height_;
    color_ = other.color_;
    style_ = other.style_;
    pixelsPerInch_ = other.pixelsPerInch_;
    Changed();
}

void TFont::SetName(std::string name) {
    if (name == name_) return;
    name_ = std::move(name);
    Changed();
}

void TFont::SetHeight(int height) {
    if (height == height_) return;
    height_ = height;
    Changed();
}

void TFont::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    Changed();
}

void TFont::SetStyle(std::uint8_t style) {
    if (style == style_) return;
    style_ = style;
    Changed();
}

void TFont::SetPixelsPerInch(int pixelsPerInch) {
    if (pixelsPerInch == pixelsPerInch_ || pixelsPerInch <= 0) return;
    pixelsPerInch_ = pixelsPerInch;
    Changed();
}

void TFont::Changed() {
    handle_.reset();
    if (OnChange) OnChange();
}

namespace {

// The GDI fonts in use, by description; a font goes when the last TFont using it lets go.
std::shared_ptr<GdiObject<HFONT>> SharedFont(const LOGFONTW& description) {
    static std::map<std::string, std::weak_ptr<GdiObject<HFONT>>> fonts;
    const std::string key(reinterpret_cast<const char*>(&description), sizeof description);
    std::weak_ptr<GdiObject<HFONT>>& slot = fonts[key];
    std::shared_ptr<GdiObject<HFONT>> font = slot.lock();
    if (!font) {
        font = std::make_shared<GdiObject<HFONT>>(::CreateFontIndirectW(&description));
        slot = font;
    }
    return font;
}

}  // namespace

HFONT TFont::Handle() const {
    if (!handle_) {
        LOGFONTW description{};
        description.lfHeight = Scale(height_, pixelsPerInch_);
        description.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
        description.lfItalic = (style_ & fsItalic) ? 1 : 0;
        description.lfUnderline = (style_ & fsUnderline) ? 1 : 0;
        description.lfStrikeOut = (style_ & fsStrikeOut) ? 1 : 0;
        description.lfCharSet = DEFAULT_CHARSET;
        description.lfOutPrecision = OUT_DEFAULT_PRECIS;
        description.lfClipPrecision = CLIP_DEFAULT_PRECIS;
        description.lfQuality = DEFAULT_QUALITY;
        description.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
        Utf16FromUtf8(name_).copy(description.lfFaceName, LF_FACESIZE - 1);
        handle_ = SharedFont(description);
    }
    return handle_->get();
}

void TCanvas::FillRect(const RECT& rect, TColor color) {
    GdiObject<HBRUSH> brush(::CreateSolidBrush(ColorToRGB(color)));
    ::FillRect(dc_, &rect, brush.get());
}

void TCanvas::Outline(const RECT& rect, TColor topLeft, TColor bottomRight, int thickness) {
    FillRect({rect.left, rect.top, rect.right, rect.top + thickness}, topLeft);
    FillRect({rect.left, rect.top, rect.left + thickness, rect.bottom}, topLeft);
    FillRect({rect.left, rect.bottom - thickness, rect.right, rect.bottom}, bottomRight);
    FillRect({rect.right - thickness, rect.top, rect.right, rect.bottom}, bottomRight);
}

void TCanvas::DisabledText(const std::wstring& text, RECT& rect, UINT flags, int offset) {
    const int length = static_cast<int>(text.size());
    ::OffsetRect(&rect, offset, offset);
    ::SetTextColor(dc_, ColorToRGB(clBtnHighlight));
    ::DrawTextW(dc_, text.c_str(), length, &rect, flags);
    ::OffsetRect(&rect, -offset, -offset);
    ::SetTextColor(dc_, ColorToRGB(clBtnShadow));
    ::DrawTextW(dc_, text.c_str(), length, &rect, flags);
}

int TCanvas::TextWidth(const TFont& font, const std::string& text) const {
    ScopedSelect select(dc_, font.Handle());
    SIZE size{};
    const std::wstring wide = Utf16FromUtf8(text);
    ::GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size.cx;
}

HDC MeasuringDC() {
    static const ScopedMemoryDC measuring(nullptr);  // compatible with the screen
    return measuring.get();
}

int TextWidthOnScreen(const TFont& font, const std::string& text) { return TCanvas(MeasuringDC()).TextWidth(font, text); }
