// TImage: draws its icon with DrawIconEx at the icon's own size, scaled to the box's dpi.
#include "toolkit/Image.h"

#include "toolkit/Dpi.h"
#include "toolkit/LayoutValues.h"

SIZE IconSize(HICON icon) {
    ICONINFO info{};
    if (!icon || !::GetIconInfo(icon, &info)) return {0, 0};
    GdiObject<HBITMAP> mask(info.hbmMask), colour(info.hbmColor);  // GetIconInfo hands both to us
    BITMAP bitmap{};
    if (colour.get() && ::GetObjectW(colour.get(), sizeof bitmap, &bitmap)) return {bitmap.bmWidth, bitmap.bmHeight};
    // A monochrome icon keeps its AND and XOR masks one above the other in hbmMask.
    if (mask.get() && ::GetObjectW(mask.get(), sizeof bitmap, &bitmap)) return {bitmap.bmWidth, bitmap.bmHeight / 2};
    return {0, 0};
}

SIZE TImage::PictureSize() const {
    const SIZE size = IconSize(icon_);
    const int systemDpi = SystemDpi();
    if (Dpi() == systemDpi) return size;
    return {::MulDiv(size.cx, Dpi(), systemDpi), ::MulDiv(size.cy, Dpi(), systemDpi)};
}

void TImage::SetIcon(HICON icon) {
    if (icon == icon_) return;
    icon_ = icon;
    FitToPicture();
    Invalidate();
}

void TImage::SetCenter(bool center) {
    if (center == center_) return;
    center_ = center;
    Invalidate();
}

void TImage::SetAutoSize(bool autoSize) {
    if (autoSize == autoSize_) return;
    autoSize_ = autoSize;
    FitToPicture();
}

// An empty picture leaves the size as it was.
void TImage::FitToPicture() {
    if (!autoSize_ || !icon_) return;
    const SIZE size = PictureSize();
    if (size.cx > 0 && size.cy > 0) SetBounds(Left(), Top(), size.cx, size.cy);
}

void TImage::ChangeScale(int dpi) {
    if (dpi == Dpi()) return;
    TGraphicControl::ChangeScale(dpi);
    FitToPicture();
}

void TImage::Paint(HDC dc) {
    if (!icon_) return;
    const SIZE size = PictureSize();
    const int x = center_ ? (Width() - size.cx) / 2 : 0;
    const int y = center_ ? (Height() - size.cy) / 2 : 0;
    ::DrawIconEx(dc, x, y, icon_, size.cx, size.cy, 0, nullptr, DI_NORMAL);
}

bool TImage::SetProperty(const std::string& name, const std::string& value) {
    if (name == "Center") SetCenter(BoolFromText(value));
    else if (name == "AutoSize") SetAutoSize(BoolFromText(value));
    else return TGraphicControl::SetProperty(name, value);
    return true;
}
