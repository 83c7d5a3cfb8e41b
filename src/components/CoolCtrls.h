// TCoolLabel: a label that draws its caption twice, a shadow copy shifted diagonally and the
// text over it, on an optional tiled wallpaper and inside an optional 3-D frame.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "toolkit/Graphics.h"
#include "toolkit/Label.h"
#include "toolkit/Panel.h"

// On which side of the text the shadow lies.
enum TCoolShadowPosition : std::uint8_t { spLeftTop, spLeftBottom, spRightBottom, spRightTop };

// What a design environment attaches to the About property; the label never uses it.
class TCCAboutBox {};

// Makes "coollabel" a kind that layouts can build. Every unit that includes this header runs
// it at start-up (and so links this file in).
bool RegisterCoolLabelKind();
inline const bool coolLabelKindRegistered = RegisterCoolLabelKind();

class TCoolLabel : public TLabel {
public:
    explicit TCoolLabel(TComponent* owner);

    // A reference only: stored, never created, read or freed by the label (borrowed).
    TCCAboutBox* About() const { return about_; }
    void SetAbout(TCCAboutBox* about) { about_ = about; }

    // Changing any of these three turns SimpleView off.
    TColor ShadowColor() const { return shadowColor_; }
    void SetShadowColor(TColor color);
    std::uint8_t ShadowSize() const { return shadowSize_; }
    void SetShadowSize(std::uint8_t size);
    TCoolShadowPosition ShadowPos() const { return shadowPos_; }
    void SetShadowPos(TCoolShadowPosition position);

    // On: the shadow takes the font's present colour and size 0, so the label looks plain.
    // Off restores nothing.
    bool SimpleView() const { return simpleView_; }
    void SetSimpleView(bool simpleView);

    // The label's own copy of the image tiled over it (nullptr: none). Setting copies bitmap
    // (the caller keeps its own) and always repaints.
    HBITMAP Wallpaper() const { return wallpaper_.get(); }
    void SetWallpaper(HBITMAP bitmap);

    TPanelBevel BevelInner() const { return bevelInner_; }
    void SetBevelInner(TPanelBevel bevel);
    TPanelBevel BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TPanelBevel bevel);
    // Inset of the text from the frame; a value other than 0 switches AutoSize off.
    int BevelsOffset() const { return bevelsOffset_; }
    void SetBevelsOffset(int offset);

    // Background, wallpaper, frame, then the shadow copy and the text placed by Layout.
    void Paint(HDC dc) override;

    // + "ShadowColor", "ShadowSize", "ShadowPos" (spLeftTop ...), "SimpleView", "Wallpaper" (a
    // bitmap resource of the program, empty for none), "BevelInner", "BevelOuter", "BevelsOffset"
    bool SetProperty(const std::string& name, const std::string& value) override;

private:
    // Draws (or, with DT_CALCRECT in flags, measures) the shadow copy and the text in rect;
    // rect is left where the text went, shifted by the text's share of the shadow offset.
    // Disabled, the label shows the engraved look of disabled text instead, unshifted.
    void DrawShadowText(HDC dc, RECT& rect, UINT flags) const;

    TCCAboutBox* about_ = nullptr;
    TColor shadowColor_ = clBtnHighlight;
    std::uint8_t shadowSize_ = 1;
    TCoolShadowPosition shadowPos_ = spLeftTop;
    bool simpleView_ = false;
    GdiObject<HBITMAP> wallpaper_;
    TPanelBevel bevelInner_ = bvNone;
    TPanelBevel bevelOuter_ = bvNone;
    int bevelsOffset_ = 0;
};

// Copies bitmap over rect in rows of copies from its top-left corner, left to right and top
// to bottom, the last ones cut at the edges, with the raster operation rop.
void TileBitmap(HDC dc, HBITMAP bitmap, const RECT& rect, DWORD rop);
