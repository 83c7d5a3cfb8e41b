// The control hierarchy: TControl (position, caption, font, colour, mouse events),
// TGraphicControl (windowless, painted by its parent) and TWinControl (owns a window;
// one static window procedure hands every message to the object's WndProc).
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

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

// The table of screen cursors by index; an index without an entry shows the arrow.
constexpr int crDefault = 0;
namespace Screen {
void SetCursor(int index, HCURSOR cursor);
HCURSOR Cursor(int index);  // nullptr when there is no entry
}  // namespace Screen

// Layout values: "clNavy" or a number (decimal or 0x hex) as a colour; "true"/"false"
// (or 1/0). A text that is none of these throws std::invalid_argument.
TColor ColorFromText(const std::string& text);
bool BoolFromText(const std::string& text);
int IntFromText(const std::string& text);

// Shift state of the keyboard and mouse buttons right now.
TShiftState CurrentShiftState();

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    virtual void SetBounds(int left, int top, int width, int height);
    void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
    void SetTop(int top) { SetBounds(left_, top, width_, height_); }
    void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
    void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
    RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
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

struct TCreateParams {
    std::string ClassName;  // a system class ("LISTBOX") or empty for the toolkit's own
    DWORD Style = WS_CHILD | WS_CLIPSIBLINGS;
    DWORD ExStyle = 0;
    std::string Caption;
    int X = 0, Y = 0, Width = 0, Height = 0;  // the control's bounds unless changed
    HWND WndParent = nullptr;  // the owner of a top-level window
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    // The window, made on first use (its parent's first).
    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    static TWinControl* FromHandle(HWND window);

    void SetParent(TWinControl* parent) override;
    void SetBounds(int left, int top, int width, int height) override;
    RECT ClientRect() const override;
    void Invalidate() override;
    void Repaint() override;
    void BringToFront() override;

    // Children, bottom of the stacking order first (borrowed). Windowed siblings stack in tab
    // order instead, the first on top, as the controls of a dialog do.
    const std::vector<TControl*>& Controls() const { return controls_; }

    bool TabStop = false;
    // Place among the windowed siblings for Tab: lower first; equal ones in the order added.
    int TabOrder() const { return tabOrder_; }
    void SetTabOrder(int tabOrder);
    void SetFocus();
    bool Focused() const;

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;

    // Every message of the window comes here; the default handles painting of windowless
    // children, mouse and key events, reflected notifications and the popup menu.
    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);

    bool SetProperty(const std::string& name, const std::string& value) override;  // + "TabStop", "TabOrder"

protected:
    virtual void CreateParams(TCreateParams& params);
    // Made after the window exists (children's windows included).
    virtual void CreateWnd();
    // Own-class windows: fills the background and paints the windowless children.
    virtual void PaintWindow(HDC dc);
    // Paints the visible windowless children in stacking order, each clipped to its bounds.
    void PaintControls(HDC dc);
    // Puts the children with alClient over the whole client area (once the window exists).
    virtual void AlignControls();
    // This window, or an ancestor of it, has just been shown (it may still be hidden by
    // another ancestor). Forms raise their first OnShow here.
    virtual void WindowShown() {}
    // Notifications that the parent reflects back to the child that raised them.
    virtual void CommandNotify(WORD /*code*/) {}
    virtual LRESULT NotifyReflect(NMHDR* /*header*/) { return 0; }
    virtual HBRUSH CtlColor(HDC /*dc*/) { return nullptr; }
    // Where the popup menu opens when the keyboard asks for it (client coordinates).
    virtual POINT ContextMenuPoint();
    // For CtlColor of a system control: text in the font's colour, drawn transparently on
    // the parent's colour, and a brush of that colour for the background.
    HBRUSH TextOnParentColor(HDC dc);
    LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);

    void VisibleChanged() override;
    void EnabledChanged() override;
    void TextChanged() override;
    void FontChanged() override;

private:
    friend class TControl;
    friend class TGraphicControl;
    static LRESULT CALLBACK StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    std::vector<TWinControl*> TabOrderedChildren() const;
    void ArrangeTabOrder();
    void NotifyShown();
    void DestroyHandle();
    TGraphicControl* GraphicControlAt(int x, int y) const;
    bool RouteMouse(UINT message, WPARAM wParam, LPARAM lParam);

    HWND handle_ = nullptr;
    WNDPROC defaultProc_ = nullptr;  // the system class's procedure, for subclassed controls
    bool ownClass_ = false;
    std::vector<TControl*> controls_;
    TGraphicControl* mouseCapture_ = nullptr;
    int tabOrder_ = -1;  // set when the control joins a parent, unless given
    bool creatingChildren_ = false;
    GdiObject<HBRUSH> parentBrush_;
    COLORREF parentBrushColor_ = 0;
};

// The handler for an error raised inside an event handler: shows its text in a message box
// (replaceable, for tests). The program goes on.
using TExceptionHandler = std::function<void(const std::string& message)>;
TExceptionHandler& ExceptionHandler();
void HandleException();  // call inside a catch block
