// TWinControl's messages: the one window procedure, and the handlers that turn messages
// into painting, events of the control, notifications reflected to the child that raised
// them, cursors and the popup menu.
#include "toolkit/WinControl.h"

#include <windowsx.h>

#include "toolkit/Application.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/Screen.h"

namespace {

TMouseButton ButtonOf(UINT message) {
    switch (message) {
        case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK: return mbRight;
        case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK: return mbMiddle;
        default: return mbLeft;
    }
}

bool IsButtonDown(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
           message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDBLCLK;
}

bool IsButtonUp(UINT message) {
    return message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP;
}

TShiftState ShiftFromMouseKeys(WPARAM keys) {
    TShiftState shift = 0;
    if (keys & MK_SHIFT) shift |= ssShift;
    if (keys & MK_CONTROL) shift |= ssCtrl;
    if (keys & MK_LBUTTON) shift |= ssLeft;
    if (keys & MK_RBUTTON) shift |= ssRight;
    if (keys & MK_MBUTTON) shift |= ssMiddle;
    if (::GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    return shift;
}

// Shift state of the keyboard right now.
TShiftState CurrentShiftState() {
    TShiftState shift = 0;
    if (::GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
    if (::GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
    if (::GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    return shift;
}

}  // namespace

// An own-class window is bound on WM_NCCREATE, before any message of the window reaches the
// object, from the creation parameter; a system control is bound as it is subclassed. Only
// the messages that come before WM_NCCREATE (WM_GETMINMAXINFO of a top-level window) find
// no object.
LRESULT CALLBACK TWinControl::StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TWinControl* control = FromHandle(window);
    if (!control && message == WM_NCCREATE) {
        control = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (control) control->Attach(window);
    }
    if (!control) return ::DefWindowProcW(window, message, wParam, lParam);
    try {
        return control->WndProc(message, wParam, lParam);
    } catch (...) {
        HandleException();
        return 0;
    }
}

LRESULT TWinControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: return OnCommand(wParam, lParam);
        case WM_NOTIFY: return OnNotify(wParam, lParam);
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLOREDIT: return OnCtlColor(message, wParam, lParam);
        case WM_ERASEBKGND: return OnEraseBackground(wParam, lParam);
        case WM_NCPAINT: return OnNcPaint(wParam, lParam);
        case WM_PAINT: return OnPaint(wParam, lParam);
        case WM_SIZE: return OnSize(wParam, lParam);
        case WM_WINDOWPOSCHANGED: return OnWindowPosChanged(wParam, lParam);
        case WM_SETCURSOR: return OnSetCursor(wParam, lParam);
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
        case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK: case WM_MBUTTONDBLCLK:
        case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP: return OnMouseMessage(message, wParam, lParam);
        case WM_KEYDOWN:
        case WM_KEYUP: return OnKeyMessage(message, wParam, lParam);
        case WM_CONTEXTMENU: return OnContextMenu(wParam, lParam);
        case WM_NCDESTROY: return OnNcDestroy(wParam, lParam);
        default: return DefaultHandler(message, wParam, lParam);
    }
}

LRESULT TWinControl::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
    if (defaultProc_) return ::CallWindowProcW(defaultProc_, handle_, message, wParam, lParam);
    return ::DefWindowProcW(handle_, message, wParam, lParam);
}

LRESULT TWinControl::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(lParam))) {
        child->CommandNotify(HIWORD(wParam));
        return 0;
    }
    return DefaultHandler(WM_COMMAND, wParam, lParam);
}

LRESULT TWinControl::OnNotify(WPARAM wParam, LPARAM lParam) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (TWinControl* child = FromHandle(header->hwndFrom); child && child != this) return child->NotifyReflect(header);
    return DefaultHandler(WM_NOTIFY, wParam, lParam);
}

LRESULT TWinControl::OnCtlColor(UINT message, WPARAM wParam, LPARAM lParam) {
    if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(lParam)))
        if (HBRUSH brush = child->CtlColor(reinterpret_cast<HDC>(wParam))) return reinterpret_cast<LRESULT>(brush);
    return DefaultHandler(message, wParam, lParam);
}

// A window without frame, border or scroll bar has nothing outside its client area, yet the
// default handling makes a device context of the whole window to draw nothing: under Wine a
// dozen round trips to its server, for every button and panel as the main window first shows.
LRESULT TWinControl::OnNcPaint(WPARAM wParam, LPARAM lParam) {
    RECT outer, client;
    ::GetWindowRect(handle_, &outer);
    ::GetClientRect(handle_, &client);
    if (outer.right - outer.left == client.right && outer.bottom - outer.top == client.bottom) return 0;
    return DefaultHandler(WM_NCPAINT, wParam, lParam);
}

LRESULT TWinControl::OnEraseBackground(WPARAM wParam, LPARAM lParam) {
    if (ownClass_) return 1;  // WM_PAINT fills the background
    return DefaultHandler(WM_ERASEBKGND, wParam, lParam);
}

LRESULT TWinControl::OnPaint(WPARAM wParam, LPARAM lParam) {
    if (!ownClass_) return DefaultHandler(WM_PAINT, wParam, lParam);
    PaintScope paint(handle_);
    PaintWindow(paint.dc());
    return 0;
}

LRESULT TWinControl::OnSize(WPARAM wParam, LPARAM lParam) {
    AlignControls();
    return DefaultHandler(WM_SIZE, wParam, lParam);
}

// A window made visible tells its windowed children; while it is being made, CreateWnd does
// that once its children exist.
LRESULT TWinControl::OnWindowPosChanged(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = DefaultHandler(WM_WINDOWPOSCHANGED, wParam, lParam);
    if ((reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW) && !creating_) NotifyShown();
    return result;
}

// Over the client area, the cursor of the windowless child under the pointer, else of this
// control; the class's arrow for crDefault or an index without a cursor.
LRESULT TWinControl::OnSetCursor(WPARAM wParam, LPARAM lParam) {
    if (reinterpret_cast<HWND>(wParam) == handle_ && LOWORD(lParam) == HTCLIENT) {
        POINT point;
        ::GetCursorPos(&point);
        ::ScreenToClient(handle_, &point);
        const TControl* over = GraphicControlAt(point.x, point.y);
        if (!over) over = this;
        if (HCURSOR cursor = over->Cursor() != crDefault ? Screen::Cursor(over->Cursor()) : nullptr) {
            ::SetCursor(cursor);
            return TRUE;
        }
    }
    return DefaultHandler(WM_SETCURSOR, wParam, lParam);
}

// Mouse messages over a windowless child go to that child (and stay with it while a
// button is held); returns true when a child took the message.
bool TWinControl::RouteMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    TGraphicControl* target = mouseCapture_ ? mouseCapture_ : GraphicControlAt(x, y);
    if (!target) return false;
    const int localX = x - target->Left(), localY = y - target->Top();
    const TShiftState shift = ShiftFromMouseKeys(wParam);
    if (message == WM_MOUSEMOVE) {
        target->MouseMove(shift, localX, localY);
    } else if (IsButtonDown(message)) {
        mouseCapture_ = target;
        ::SetCapture(handle_);
        target->MouseDown(ButtonOf(message), shift, localX, localY);
    } else if (IsButtonUp(message)) {
        mouseCapture_ = nullptr;
        ::ReleaseCapture();
        target->MouseUp(ButtonOf(message), shift, localX, localY);
        const RECT bounds = target->ClientRect();
        if (message == WM_LBUTTONUP && ::PtInRect(&bounds, POINT{localX, localY})) target->Click();
    }
    return true;
}

LRESULT TWinControl::OnMouseMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (ownClass_ && RouteMouse(message, wParam, lParam)) return 0;
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    const TShiftState shift = ShiftFromMouseKeys(wParam);
    if (message == WM_MOUSEMOVE) {
        MouseMove(shift, x, y);
    } else if (IsButtonDown(message)) {
        const LRESULT result = DefaultHandler(message, wParam, lParam);
        MouseDown(ButtonOf(message), shift, x, y);
        return result;
    } else {
        // The event first: a right button's release opens the popup menu after it.
        MouseUp(ButtonOf(message), shift, x, y);
    }
    return DefaultHandler(message, wParam, lParam);
}

// A key handler that sets the key to 0 has used it up: the window does not see it.
LRESULT TWinControl::OnKeyMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    WORD key = static_cast<WORD>(wParam);
    TKeyEvent& event = message == WM_KEYDOWN ? OnKeyDown : OnKeyUp;
    if (event) event(this, key, CurrentShiftState());
    if (key == 0) return 0;
    return DefaultHandler(message, wParam, lParam);
}

LRESULT TWinControl::OnContextMenu(WPARAM wParam, LPARAM lParam) {
    if (!PopupMenu || reinterpret_cast<HWND>(wParam) != handle_) return DefaultHandler(WM_CONTEXTMENU, wParam, lParam);
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (lParam == -1) {  // from the keyboard: Menu key or Shift+F10
        point = ContextMenuPoint();
        ::ClientToScreen(handle_, &point);
    }
    PopupMenu->Popup(point.x, point.y, handle_);
    return 0;
}

// The window's last message: the object forgets it.
LRESULT TWinControl::OnNcDestroy(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = DefaultHandler(WM_NCDESTROY, wParam, lParam);
    Detach();
    return result;
}
