// TOutlineFrame: the frame's window class, its region (the band between two rectangles) and
// its placement on top of every window.
#include "toolkit/OutlineFrame.h"

#include <stdexcept>

#include "toolkit/Graphics.h"

namespace {

constexpr const wchar_t* kFrameClass = L"VelqornsOutlineFrame";
constexpr int kThickness = 3;
constexpr COLORREF kFrameColor = RGB(230, 0, 0);

// Takes no input: the pointer sees through it and a click never activates it.
LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCHITTEST) return HTTRANSPARENT;
    if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
    return ::DefWindowProcW(window, message, wParam, lParam);
}

// The class and its brush, made once for the program (the class keeps using the brush).
void RegisterFrameClass() {
    static GdiObject<HBRUSH> brush(::CreateSolidBrush(kFrameColor));
    static const bool registered = [] {
        WNDCLASSEXW frameClass{};
        frameClass.cbSize = sizeof frameClass;
        frameClass.lpfnWndProc = &FrameProc;
        frameClass.hInstance = ::GetModuleHandleW(nullptr);
        frameClass.hbrBackground = brush.get();
        frameClass.lpszClassName = kFrameClass;
        return ::RegisterClassExW(&frameClass) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    if (!registered) throw std::runtime_error("Cannot register the outline frame's window class");
}

}  // namespace

void TOutlineFrame::ShowAround(const RECT& around) {
    // A maximised window reaches past the edges of its monitor, where a frame would not show:
    // the frame stays on the monitor.
    RECT rect = around;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (::GetMonitorInfoW(::MonitorFromRect(&around, MONITOR_DEFAULTTONEAREST), &monitor) &&
        !::IntersectRect(&rect, &around, &monitor.rcMonitor)) {
        Hide();
        return;
    }
    if (!window_) {
        RegisterFrameClass();
        window_.reset(::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TRANSPARENT,
                                        kFrameClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                        ::GetModuleHandleW(nullptr), nullptr));
        if (!window_) return;  // no frame is a lesser loss than an error in every mouse move
        shaped_ = {};
    }
    const SIZE size{rect.right - rect.left, rect.bottom - rect.top};
    if (size.cx != shaped_.cx || size.cy != shaped_.cy) {
        HRGN band = ::CreateRectRgn(0, 0, size.cx, size.cy);
        GdiObject<HRGN> inside(::CreateRectRgn(kThickness, kThickness, size.cx - kThickness, size.cy - kThickness));
        ::CombineRgn(band, band, inside.get(), RGN_DIFF);
        // The window owns the region once it has taken it.
        if (!::SetWindowRgn(window_.get(), band, TRUE)) ::DeleteObject(band);
        shaped_ = size;
    }
    ::SetWindowPos(window_.get(), HWND_TOPMOST, rect.left, rect.top, size.cx, size.cy,
                   SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TOutlineFrame::Hide() { window_.reset(); }
