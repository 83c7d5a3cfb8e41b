// TCoolLabel: its setters (each repaints at once), its painting and the wallpaper tiling.
#include "components/CoolCtrls.h"

#include <memory>
#include <stdexcept>

#include "shared/Utf16.h"
#include "toolkit/Layout.h"
#include "toolkit/LayoutValues.h"

namespace {

// The DrawEdge flags of one bevel as the inner or the outer line of the frame.
UINT InnerEdge(TPanelBevel bevel) {
    return bevel == bvLowered ? BDR_SUNKENINNER : bevel == bvRaised ? BDR_RAISEDINNER : 0;
}

UINT OuterEdge(TPanelBevel bevel) {
    return bevel == bvLowered ? BDR_SUNKENOUTER : bevel == bvRaised ? BDR_RAISEDOUTER : 0;
}

}  // namespace

bool RegisterCoolLabelKind() {
    RegisterControlKind("coollabel", [](TComponent* owner) { return std::make_unique<TCoolLabel>(owner); });
    return true;
}

TCoolLabel::TCoolLabel(TComponent* owner) : TLabel(owner) {}

void TCoolLabel::SetShadowColor(TColor color) {
    if (color == shadowColor_) return;
    shadowColor_ = color;
    simpleView_ = false;
    Repaint();
}

void TCoolLabel::SetShadowSize(std::uint8_t size) {
    if (size == shadowSize_) return;
    shadowSize_ = size;
    simpleView_ = false;
    Repaint();
}

void TCoolLabel::SetShadowPos(TCoolShadowPosition position) {
    if (position == shadowPos_) return;
    shadowPos_ = position;
    simpleView_ = false;
    Repaint();
}

void TCoolLabel::SetSimpleView(bool simpleView) {
    if (simpleView == simpleView_) return;
    simpleView_ = simpleView;
    if (!simpleView) return;
    const TCoolLabel& self = *this;  // the font in effect, without taking a font of its own
    shadowColor_ = self.Font().Color();
    shadowSize_ = 0;
    Repaint();
}

// A copy through CopyImage; bitmap must not be selected into a device context meanwhile.
void TCoolLabel::SetWallpaper(HBITMAP bitmap) {
    wallpaper_.reset(bitmap ? static_cast<HBITMAP>(::CopyImage(bitmap, IMAGE_BITMAP, 0, 0, 0)) : nullptr);
    Repaint();
}

void TCoolLabel::SetBevelInner(TPanelBevel bevel) {
    if (bevel == bevelInner_) return;
    bevelInner_ = bevel;
    Repaint();
}

void TCoolLabel::SetBevelOuter(TPanelBevel bevel) {
    if (bevel == bevelOuter_) return;
    bevelOuter_ = bevel;
    Repaint();
}

void TCoolLabel::SetBevelsOffset(int offset) {
    if (offset == bevelsOffset_) return;
    bevelsOffset_ = offset;
    if (offset != 0) SetAutoSize(false);
    Repaint();
}

void TCoolLabel::Paint(HDC dc) {
    const RECT client = ClientRect();
    if (!Transparent()) TCanvas(dc).FillRect(client, Color());
    if (wallpaper_.get()) TileBitmap(dc, wallpaper_.get(), client, SRCCOPY);
    RECT rect = client;
    if (bevelInner_ != bvNone || bevelOuter_ != bvNone) {
        // Each line of the frame is as wide as one pixel scaled to the label's dpi.
        RECT edge = rect;
        for (int line = Scaled(1); line > 0; --line, ::InflateRect(&edge, -1, -1))
            ::DrawEdge(dc, &edge, InnerEdge(bevelInner_) | OuterEdge(bevelOuter_), BF_RECT);
        ::InflateRect(&rect, -Scaled(bevelsOffset_), -Scaled(bevelsOffset_));
    }
    ::SetBkMode(dc, TRANSPARENT);
    const UINT flags = TextFlags();
    // The measured block includes the text's own shift, not the shadow's.
    PlaceByLayout(rect, [&](RECT& measured) { DrawShadowText(dc, measured, flags | DT_CALCRECT); });
    DrawShadowText(dc, rect, flags);
}

void TCoolLabel::DrawShadowText(HDC dc, RECT& rect, UINT flags) const {
    const std::wstring wide = TextToDraw(flags);
    const int length = static_cast<int>(wide.size());
    ScopedSelect font(dc, Font().Handle());
    if (!Enabled()) {
        TCanvas(dc).DisabledText(wide, rect, flags, Scaled(1));
        return;
    }
    // On each axis the one of the two further left (or higher) stays and the other moves by n,
    // the shadow's size scaled to the label's dpi.
    const int n = Scaled(shadowSize_);
    const int textDx = (shadowPos_ == spLeftTop || shadowPos_ == spLeftBottom) ? n : 0;
    const int textDy = (shadowPos_ == spLeftTop || shadowPos_ == spRightTop) ? n : 0;
    RECT shadow = rect;
    ::OffsetRect(&rect, textDx, textDy);
    ::OffsetRect(&shadow, n - textDx, n - textDy);
    ::SetTextColor(dc, ColorToRGB(shadowColor_));
    ::DrawTextW(dc, wide.c_str(), length, &shadow, flags);
    ::SetTextColor(dc, ColorToRGB(Font().Color()));
    ::DrawTextW(dc, wide.c_str(), length, &rect, flags);
}

bool TCoolLabel::SetProperty(const std::string& name, const std::string& value) {
    if (name == "ShadowColor") {
        SetShadowColor(ColorFromText(value));
    } else if (name == "ShadowSize") {
        const int size = IntFromText(value);
        if (size < 0 || size > 255) throw std::out_of_range("ShadowSize lies from 0 to 255");
        SetShadowSize(static_cast<std::uint8_t>(size));
    } else if (name == "ShadowPos") {
        SetShadowPos(EnumFromText<TCoolShadowPosition>(
            name, value,
            {{"spLeftTop", spLeftTop}, {"spLeftBottom", spLeftBottom}, {"spRightBottom", spRightBottom}, {"spRightTop", spRightTop}}));
    } else if (name == "SimpleView") {
        SetSimpleView(BoolFromText(value));
    } else if (name == "Wallpaper") {
        if (value.empty()) {
            SetWallpaper(nullptr);
        } else {
            GdiObject<HBITMAP> image(::LoadBitmapW(::GetModuleHandleW(nullptr), Utf16FromUtf8(value).c_str()));
            if (!image.get()) throw std::invalid_argument("the program has no bitmap \"" + value + "\"");
            SetWallpaper(image.get());
        }
    } else if (name == "BevelInner") {
        SetBevelInner(PanelBevelFromText(name, value));
    } else if (name == "BevelOuter") {
        SetBevelOuter(PanelBevelFromText(name, value));
    } else if (name == "BevelsOffset") {
        SetBevelsOffset(IntFromText(value));
    } else {
        return TLabel::SetProperty(name, value);
    }
    return true;
}

void TileBitmap(HDC dc, HBITMAP bitmap, const RECT& rect, DWORD rop) {
    BITMAP size{};
    if (!::GetObjectW(bitmap, sizeof size, &size) || size.bmWidth <= 0 || size.bmHeight <= 0) return;
    ScopedMemoryDC memory(dc);
    if (!memory.get()) return;
    ScopedSelect select(memory.get(), bitmap);
    for (int y = rect.top; y < rect.bottom; y += size.bmHeight)
        for (int x = rect.left; x < rect.right; x += size.bmWidth)
            ::BitBlt(dc, x, y, rect.right - x, rect.bottom - y, memory.get(), 0, 0, rop);
}
