// Test window helpers: geometry read back from the system, and input as a user makes it.
#include "support/TestWindows.h"

#include <commctrl.h>

#include <chrono>

void TopLevel::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.Style = (params.Style & ~WS_CHILD) | WS_OVERLAPPEDWINDOW;
    if (topmost_) params.ExStyle |= WS_EX_TOPMOST;
}

void TopLevel::ShowInFront(int left, int top, int width, int height) {
    SetBounds(left, top, width, height);
    ::ShowWindow(Handle(), SW_SHOW);
    ::SetForegroundWindow(Handle());
    ::SetActiveWindow(Handle());
    ::UpdateWindow(Handle());
}

SIZE ClientSize(HWND window) {
    RECT rect;
    ::GetClientRect(window, &rect);
    return {rect.right, rect.bottom};
}

RECT PlaceInParent(HWND child) {
    RECT rect;
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void ClickTab(HWND tabs, int index) {
    RECT tab{};
    ::SendMessageA(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&tab));
    const LPARAM point = MAKELPARAM((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
    ::SendMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, point);
    ::SendMessageA(tabs, WM_LBUTTONUP, 0, point);
}

void Click(HWND window, POINT point, bool right) {
    ::SetWindowPos(::GetAncestor(window, GA_ROOT), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::ClientToScreen(window, &point);
    const LONG width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT input[2]{};
    for (INPUT& event : input) {
        event.type = INPUT_MOUSE;
        event.mi.dx = (point.x * 65536 + width - 1) / width;
        event.mi.dy = (point.y * 65536 + height - 1) / height;
        event.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    }
    input[0].mi.dwFlags |= right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags |= right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    ASSERT_EQ(::SendInput(2, input, sizeof(INPUT)), 2u);
}

void PostKey(HWND window, WORD key) {
    const LPARAM scan = static_cast<LPARAM>(::MapVirtualKeyA(key, 0)) << 16;
    ::PostMessageA(window, WM_KEYDOWN, key, 1 | scan);
    ::PostMessageA(window, WM_KEYUP, key, 1 | scan | (1 << 30) | (1u << 31));
}

void PumpUntil(TApplication& application, const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done() && std::chrono::steady_clock::now() < deadline) {
        application.ProcessMessages();
        ::Sleep(1);
    }
}

void Settle(TApplication& application) {
    bool reached = false;
    const int filter = application.AddMessageFilter([&](MSG& message) {
        if (message.hwnd || message.message != WM_APP) return false;
        reached = true;
        return true;
    });
    ::PostThreadMessageA(::GetCurrentThreadId(), WM_APP, 0, 0);
    PumpUntil(application, [&] { return reached; });
    application.RemoveMessageFilter(filter);
}

Window MakeWindow(const char* title, DWORD style, HWND owner, DWORD exStyle) {
    static const bool registered = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = ::DefWindowProcA;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kPlainWindowClass;
        return ::RegisterClassA(&windowClass) != 0;
    }();
    EXPECT_TRUE(registered);
    HWND window = ::CreateWindowExA(exStyle, kPlainWindowClass, title, style, 30, 30, 200, 90, owner, nullptr,
                                    ::GetModuleHandleA(nullptr), nullptr);
    EXPECT_NE(window, nullptr) << title;
    return Window(window);
}
