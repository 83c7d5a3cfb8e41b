// TLabel: a windowless caption painted on its parent's surface. It sizes itself to its
// caption (AutoSize), aligns it, can leave its background to the parent (Transparent) and
// shows "&" accelerators. The label controls of the program derive from it.
#pragma once

#include "toolkit/Control.h"

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };

class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* owner);  // 65 x 17, AutoSize on

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout layout);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap);
    // On: "&" marks the next character as the accelerator and "&&" shows one "&".
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool showAccelChar);
    // Off: the label fills its background with Color.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);

    // Background unless transparent, then the caption placed by Layout and Alignment.
    void Paint(HDC dc) override;

    // + "Alignment", "Layout", "AutoSize", "WordWrap", "ShowAccelChar", "Transparent"
    bool SetProperty(const std::string& name, const std::string& value) override;
    void Loaded() override;
    // The scaled design bounds, then the size of the caption in the scaled font.
    void ChangeScale(int dpi) override;

protected:
    // Draws the caption into rect in the label's font and colour (the disabled look when
    // disabled); with DT_CALCRECT in flags it only measures, setting rect's right and bottom.
    // An empty caption, or a lone "&" shown as accelerator, measures as one line.
    void DoDrawText(HDC dc, RECT& rect, UINT flags) const;
    // DT_EXPANDTABS, DT_WORDBREAK when wrapping, and the alignment's flag.
    UINT TextFlags() const;
    // The caption as DrawText takes it (measured, an empty caption or a lone "&" shown as
    // accelerator is one space); adds DT_NOPREFIX to flags when "&" marks no accelerator.
    std::wstring TextToDraw(UINT& flags) const;
    // Moves rect down as Layout places the text: by all (tlBottom) or half (tlCenter) of the
    // room left in the label's height by the text that measure measures in a copy of rect.
    void PlaceByLayout(RECT& rect, const std::function<void(RECT&)>& measure) const;
    // With AutoSize on (and the layout loaded), takes the size of the caption; a
    // right-aligned label keeps its right edge.
    void AdjustBounds();

    // A caption change measures the label again and repaints it.
    void TextChanged() override;
    void FontChanged() override;

private:
    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
    bool autoSize_ = true;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
    bool transparent_ = false;
};
