// Colours, fonts and the canvas, and one RAII owner or scope per GDI handle kind.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// 0x00BBGGRR for a direct colour, 0x800000nn for system colour nn.
using TColor = std::uint32_t;
constexpr TColor clBlack = 0x00000000;
constexpr TColor clNavy = 0x00800000;
constexpr TColor clGray = 0x00808080;
constexpr TColor clBlue = 0x00FF0000;
constexpr TColor clWhite = 0x00FFFFFF;
constexpr TColor clWindowText = 0x80000008;
constexpr TColor clBtnFace = 0x8000000F;
constexpr TColor clBtnShadow = 0x80000010;
constexpr TColor clBtnHighlight = 0x80000014;

// Resolves a system colour with GetSysColor; a direct colour is returned as it is.
COLORREF ColorToRGB(TColor color);

// Owns one GDI object (font, brush, pen, bitmap) and deletes it.
template <class Handle>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : handle_(handle) {}
    ~GdiObject() { reset(); }
    GdiObject(GdiObject&& other) noexcept : handle_(other.release()) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    Handle get() const { return handle_; }
    Handle release() {
        Handle handle = handle_;
        handle_ = nullptr;
        return handle;
    }
    void reset(Handle handle = nullptr) {
        if (handle_) ::DeleteObject(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = nullptr;
};

// Selects an object into a device context for the scope and puts the old one back.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), old_(::SelectObject(dc, object)) {}
    ~ScopedSelect() { ::SelectObject(dc_, old_); }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A device context that measures text as the screen shows it, made once for the program:
// labels measure their text at every change, and a screen DC each time costs more.
HDC MeasuringDC();

// A memory device context compatible with another, deleted at the end of the scope.
class ScopedMemoryDC {
public:
    explicit ScopedMemoryDC(HDC compatible) : dc_(::CreateCompatibleDC(compatible)) {}
    ~ScopedMemoryDC() {
        if (dc_) ::DeleteDC(dc_);
    }
    ScopedMemoryDC(const ScopedMemoryDC&) = delete;
    ScopedMemoryDC& operator=(const ScopedMemoryDC&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// BeginPaint / EndPaint for the scope.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window) { dc_ = ::BeginPaint(window, &paint_); }
    ~PaintScope() { ::EndPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC dc() const { return dc_; }
    const RECT& area() const { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

enum TFontStyle : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

// A font description and the GDI font made from it on demand (remade after a change). The
// height is the designed one, at 96 dpi; the GDI font has it scaled to PixelsPerInch. Fonts
// of one description share one GDI font: a form sets the same font on each of its controls,
// and making and realising a font is far dearer than the control that uses it.
// The face of the controls that show data (titles, class names, paths): the one Windows maps for
// dialogs, a TrueType face with the metrics of "MS Sans Serif" that Windows links to fonts of
// other scripts. The program's own captions keep "MS Sans Serif", a bitmap font of Western
// characters only.
constexpr const char* kDataFontName = "MS Shell Dlg";

class TFont {
public:
    TFont() = default;
    TFont(const TFont& other) { Assign(other); }
    TFont& operator=(const TFont& other) {
        Assign(other);
        return *this;
    }
    void Assign(const TFont& other);

    const std::string& Name() const { return name_; }
    int Height() const { return height_; }
    TColor Color() const { return color_; }
    std::uint8_t Style() const { return style_; }
    void SetName(std::string name);
    void SetHeight(int height);
    void SetColor(TColor color);
    void SetStyle(std::uint8_t style);
    void SetPixelsPerInch(int pixelsPerInch);

    HFONT Handle() const;  // owned by the fonts that share it

    std::function<void()> OnChange;  // after any change

private:
    void Changed();
    std::string name_ = "MS Sans Serif";
    int height_ = -11;
    TColor color_ = clWindowText;
    std::uint8_t style_ = 0;
    int pixelsPerInch_ = 96;
    mutable std::shared_ptr<GdiObject<HFONT>> handle_;
};

// Owns an icon made for the program (not a shared one) and destroys it.
class IconOwner {
public:
    IconOwner() = default;
    ~IconOwner() { reset(); }
    IconOwner(const IconOwner&) = delete;
    IconOwner& operator=(const IconOwner&) = delete;
    HICON get() const { return icon_; }
    void reset(HICON icon = nullptr) {
        if (icon_) ::DestroyIcon(icon_);
        icon_ = icon;
    }

private:
    HICON icon_ = nullptr;
};

// Drawing on a device context that the canvas borrows: font, text colour, brush.
class TCanvas {
public:
    explicit TCanvas(HDC dc) : dc_(dc) {}
    HDC Handle() const { return dc_; }

    void FillRect(const RECT& rect, TColor color);
    // The top and left sides of rect in topLeft, then the bottom and right sides over them in
    // bottomRight (so the two corners between are bottomRight), each thickness pixels wide,
    // inside rect.
    void Outline(const RECT& rect, TColor topLeft, TColor bottomRight, int thickness);
    // Text drawn as DrawText draws it, in the engraved look of disabled text: a copy in the
    // button highlight colour offset pixels down and right, the text in the shadow colour.
    void DisabledText(const std::wstring& text, RECT& rect, UINT flags, int offset);
    // Width in pixels of text drawn in font.
    int TextWidth(const TFont& font, const std::string& text) const;

private:
    HDC dc_;
};

// Width in pixels of text in font, measured on the screen.
int TextWidthOnScreen(const TFont& font, const std::string& text);
