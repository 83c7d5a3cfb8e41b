// TScreenPicker: the drag (capture, crosshair, Escape through the application's message
// filter, which sees keys whichever window has the focus) and the target's picture.
#include "toolkit/ScreenPicker.h"

#include <windowsx.h>

#include "shared/Utf16.h"
#include "toolkit/Application.h"

namespace {

constexpr int kTargetSize = 32;
constexpr int kCaptionGap = 6;

}  // namespace

TScreenPicker::~TScreenPicker() { EndDrag(); }

void TScreenPicker::StartDrag() {
    dragging_ = true;
    ::SetCapture(Handle());
    ::SetCursor(::LoadCursorW(nullptr, IDC_CROSS));
    if (::Application)
        escapeFilter_ = ::Application->AddMessageFilter([this](MSG& message) {
            if (message.message != WM_KEYDOWN || message.wParam != VK_ESCAPE) return false;
            Cancel();
            return true;
        });
    Repaint();
}

bool TScreenPicker::EndDrag() {
    if (!dragging_) return false;
    dragging_ = false;  // first: releasing the capture sends WM_CAPTURECHANGED
    if (::Application && escapeFilter_) ::Application->RemoveMessageFilter(escapeFilter_);
    escapeFilter_ = 0;
    if (HandleAllocated() && ::GetCapture() == Handle()) ::ReleaseCapture();
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    if (HandleAllocated()) Repaint();
    return true;
}

void TScreenPicker::Cancel() {
    if (EndDrag() && OnCancel) OnCancel(this);
}

POINT TScreenPicker::ScreenPoint(LPARAM lParam) {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ::ClientToScreen(Handle(), &point);
    return point;
}

LRESULT TScreenPicker::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:  // a press soon after the last one: a drag all the same
        if (!dragging_) StartDrag();
        if (OnTrack) OnTrack(this, ScreenPoint(lParam));
        return 0;
    case WM_MOUSEMOVE:
        if (!dragging_) break;
        ::SetCursor(::LoadCursorW(nullptr, IDC_CROSS));
        if (OnTrack) OnTrack(this, ScreenPoint(lParam));
        return 0;
    case WM_LBUTTONUP:
        if (EndDrag() && OnDrop) OnDrop(this, ScreenPoint(lParam));
        return 0;
    // The right button cancels as it is let go: the capture holds until then, so that its release
    // does not open the menu of the window under the pointer.
    case WM_RBUTTONDOWN:
        if (!dragging_) break;
        return 0;
    case WM_RBUTTONUP:
        if (!dragging_) break;
        Cancel();
        return 0;
    case WM_CAPTURECHANGED:  // another window took the mouse (a window switch, say)
    case WM_CANCELMODE:
        Cancel();
        break;
    default:
        break;
    }
    return TWinControl::WndProc(message, wParam, lParam);
}

void TScreenPicker::PaintWindow(HDC dc) {
    TCanvas canvas(dc);
    const RECT client = ClientRect();
    canvas.FillRect(client, Color());
    const int size = Scaled(kTargetSize), inset = Scaled(5), radius = Scaled(8);
    const int top = (client.bottom - size) / 2;
    RECT box{0, top, size, top + size};
    canvas.FillRect(box, clWhite);
    ::DrawEdge(dc, &box, EDGE_SUNKEN, BF_RECT);
    if (!dragging_) {
        const int centre = size / 2, middle = top + size / 2;
        GdiObject<HPEN> pen(::CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
        ScopedSelect usePen(dc, pen.get());
        ScopedSelect noFill(dc, ::GetStockObject(NULL_BRUSH));
        ::Ellipse(dc, centre - radius, middle - radius, centre + radius + 1, middle + radius + 1);
        ::MoveToEx(dc, centre, top + inset, nullptr);
        ::LineTo(dc, centre, top + size - inset);
        ::MoveToEx(dc, inset, middle, nullptr);
        ::LineTo(dc, size - inset, middle);
    }
    ScopedSelect useFont(dc, Font().Handle());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ColorToRGB(Font().Color()));
    RECT text{size + Scaled(kCaptionGap), 0, client.right, client.bottom};
    const std::wstring caption = Utf16FromUtf8(Caption());
    ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}
