// The base of every control: TControl (position, caption, font, colour, mouse events) and
// TGraphicControl (windowless, painted by its parent). Windowed controls: WinControl.h.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "toolkit/Component.h"
#include "toolkit/Graphics.h"

class TWinControl;
class TPopupMenu;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// A control's frame: none, a single line (a sunken edge for panels), or a dialog frame (forms).
enum TBorderStyle { bsNone, bsSingle, bsDialog };

// alClient: the control fills its parent's client area, also when the parent is resized.
enum TAlign { alNone, alClient };

using TShiftState = std::uint8_t;
constexpr TShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32;

using TNotifyEvent = std::function<void(TObject* sender)>;
using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
using TKeyEvent = std::function<void(TObject* sender, WORD& key, TShiftState shift)>;

// The cursor of a control that has none of its own: the window class's arrow. Other
// indexes are looked up in the table of screen cursors (Screen.h).
constexpr int crDefault = 0;

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    virtual void SetBounds(int left, int top, int width, int height);
    void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
    void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
    RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
    // Bounds as designed at 96 dpi: the control takes them scaled to its dpi, now and
    // whenever its dpi changes.
    void SetDesignBounds(int left, int top, int width, int height);
    const RECT& DesignBounds() const { return design_; }

    // The dots per inch that the control's bounds and fonts are scaled to: its parent's.
    int Dpi() const { return dpi_; }
    // value, designed at 96 dpi, at the control's dpi.
    int Scaled(int value) const;
    // Takes dpi: the own font and the designed bounds scaled to it (a windowed control passes
    // it on to its children).
    virtual void ChangeScale(int dpi);
    virtual RECT ClientRect() const { return {0, 0, width_, height_}; }

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);

    // The font in effect: the parent's while ParentFont is on, else the control's own.
    const TFont& Font() const;
    // The control's own font for changing; switches ParentFont off, starting from the font in effect.
    TFont& Font();
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool parentFont);

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);
    int Cursor() const { return cursor_; }
    void SetCursor(int cursor) { cursor_ = cursor; }

    TPopupMenu* PopupMenu = nullptr;  // borrowed; opened by a right click or the Menu key

    TNotifyEvent OnClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;

    // Marks the control for painting; Repaint paints it at once.
    virtual void Invalidate();
    virtual void Repaint();
    // Brings the control to the top of its parent's stacking order.
    virtual void BringToFront();

    // Mouse input, in the control's client coordinates; each raises its event.
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void Click();

    // Sets a property by its layout name ("Caption", "Color", "Font.Color", "Font.Style",
    // "ParentFont", "Visible", "Enabled", "Cursor", "Align", ...); kinds add their own and
    // call the base for the rest. Returns false for a name the control does not know.
    virtual bool SetProperty(const std::string& name, const std::string& value);

    // While a layout builds the control, work that depends on all its properties (a label's
    // sizing, say) waits; Loaded runs once every control of the layout has its properties.
    bool Loading() const { return loading_; }
    void BeginLoading() { loading_ = true; }
    virtual void Loaded() { loading_ = false; }

protected:
    virtual void BoundsChanged() {}
    virtual void VisibleChanged() {}
    virtual void EnabledChanged() { Invalidate(); }
    virtual void TextChanged() { Invalidate(); }
    virtual void FontChanged() { Invalidate(); }  // own font or the parent's, in effect
    virtual void ColorChanged() { Invalidate(); }

    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;

private:
    friend class TWinControl;
    TWinControl* parent_ = nullptr;
    bool visible_ = true;
    bool enabled_ = true;
    std::string caption_;
    TFont font_;
    bool parentFont_ = true;
    TColor color_ = clBtnFace;
    int cursor_ = crDefault;
    TAlign align_ = alNone;
    int dpi_ = 96;
    bool designed_ = false;
    RECT design_{0, 0, 0, 0};  // left, top, width, height at 96 dpi
    bool loading_ = false;
};

// A control without a window of its own: its parent paints it, clipped to its bounds, in
// stacking order, and routes to it the mouse messages over it.
class TGraphicControl : public TControl {
public:
    using TControl::TControl;
    // Paints on dc, whose origin is the control's top-left corner.
    virtual void Paint(HDC dc) = 0;
    void Invalidate() override;
    void Repaint() override;
    void BringToFront() override;
};
