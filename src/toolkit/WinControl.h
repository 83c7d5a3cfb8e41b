// TWinControl: a control with a window of its own. It makes the window on first use (its
// parent's first), holds the children and their tab order, paints its windowless children,
// and turns the window's messages into the control's events. The toolkit's own window class
// binds each window to its object on WM_NCCREATE; the system's classes (buttons, lists, tabs)
// are subclassed once made. One static window procedure serves both.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/Control.h"

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

    // The window, made on first use (its parent's first); nullptr while a child control has
    // no parent. Throws std::runtime_error naming the class when the system refuses the window.
    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    static TWinControl* FromHandle(HWND window);

    void SetParent(TWinControl* parent) override;
    void SetBounds(int left, int top, int width, int height) override;
    void ChangeScale(int dpi) override;
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

    // Every message of the window comes here; the default hands each message it knows to
    // its handler below (WinControlMessages.cpp) and the rest to DefaultHandler.
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
    // The window class's own handling: the system class's procedure, or DefWindowProc.
    LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);

    void VisibleChanged() override;
    void EnabledChanged() override;
    void TextChanged() override;
    void FontChanged() override;

private:
    friend class TControl;
    friend class TGraphicControl;
    static constexpr const char* kWindowClass = "VelqornsWindow";        // the toolkit's own class
    static void RegisterWindowClass();
    static LRESULT CALLBACK StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Attach(HWND window);  // the window is this object's from now on
    void Detach();             // ... and no longer, at its last message
    void CreateHandle();
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    std::vector<TWinControl*> TabOrderedChildren() const;
    void ArrangeTabOrder();
    void NotifyShown();
    void DestroyHandle();
    TGraphicControl* GraphicControlAt(int x, int y) const;
    bool RouteMouse(UINT message, WPARAM wParam, LPARAM lParam);

    // The message handlers of WndProc; each passes on to DefaultHandler what it leaves.
    LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnNotify(WPARAM wParam, LPARAM lParam);
    LRESULT OnCtlColor(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnEraseBackground(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcPaint(WPARAM wParam, LPARAM lParam);
    LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    LRESULT OnSize(WPARAM wParam, LPARAM lParam);
    LRESULT OnWindowPosChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetCursor(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnKeyMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnContextMenu(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcDestroy(WPARAM wParam, LPARAM lParam);

    HWND handle_ = nullptr;
    WNDPROC defaultProc_ = nullptr;  // the system class's procedure, for subclassed controls
    bool ownClass_ = false;
    bool creating_ = false;  // inside CreateWindowEx: CreateWnd is still to come
    std::vector<TControl*> controls_;
    TGraphicControl* mouseCapture_ = nullptr;
    int tabOrder_ = -1;  // set when the control joins a parent, unless given
    bool creatingChildren_ = false;
    GdiObject<HBRUSH> parentBrush_;
    COLORREF parentBrushColor_ = 0;
};
