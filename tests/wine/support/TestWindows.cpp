// Test window helpers: input as a user makes it, and the message loop run for a while.
#include "support/TestWindows.h"

#include <chrono>
#include <utility>

#include "shared/Utf16.h"

void SendPointer(POINT screen, DWORD flags) {
    const LONG width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT event{};
    event.type = INPUT_MOUSE;
    event.mi.dx = (screen.x * 65536 + width - 1) / width;
    event.mi.dy = (screen.y * 65536 + height - 1) / height;
    event.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
    ASSERT_EQ(::SendInput(1, &event, sizeof(INPUT)), 1u);
}

void Click(HWND window, POINT point, bool right) {
    ::SetWindowPos(::GetAncestor(window, GA_ROOT), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::ClientToScreen(window, &point);
    SendPointer(point, right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
    SendPointer(point, right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
}

void PostKey(HWND window, WORD key) {
    const LPARAM scan = static_cast<LPARAM>(::MapVirtualKeyA(key, 0)) << 16;
    ::PostMessageA(window, WM_KEYDOWN, key, 1 | scan);
    ::PostMessageA(window, WM_KEYUP, key, 1 | scan | (1 << 30) | (1u << 31));
}

void PressWithCtrl(TApplication& application, HWND window, WORD key) {
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    const BYTE ctrl = std::exchange(keys[VK_CONTROL], 0x80);
    ::SetKeyboardState(keys);
    PostKey(window, key);
    Settle(application);
    keys[VK_CONTROL] = ctrl;
    ::SetKeyboardState(keys);
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
    const int filter = application.AddMessageFilter(
        [&](MSG& message) { return !message.hwnd && message.message == WM_APP && (reached = true); });
    ::PostThreadMessageA(::GetCurrentThreadId(), WM_APP, 0, 0);
    PumpUntil(application, [&] { return reached; });
    application.RemoveMessageFilter(filter);
}

void ClickLine(TApplication& application, TListBox& list, int line, bool right) {
    ::SendMessageA(list.Handle(), LB_SETTOPINDEX, static_cast<WPARAM>(line), 0);
    RECT item{};
    ::SendMessageA(list.Handle(), LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&item));
    const LPARAM point = MAKELPARAM(item.left + 20, (item.top + item.bottom) / 2);
    ::PostMessageA(list.Handle(), right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, point);
    ::PostMessageA(list.Handle(), right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, point);
    if (!right) Settle(application);
}

Lines Captions(std::initializer_list<const TLabel*> labels) {
    Lines captions;
    for (const TLabel* label : labels) captions.push_back(label->Caption());
    return captions;
}

int LineOf(const TListBox& list, const std::string& text) {
    for (int k = 0; k < list.Count(); ++k)
        if (::lstrcmpiW(Utf16FromUtf8(list.Strings(k)).c_str(), Utf16FromUtf8(text).c_str()) == 0) return k;
    return -1;
}

std::string Copied(const Lines& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

Window MakeWindow(const char* title, DWORD style, HWND owner) {
    static const bool registered = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = ::DefWindowProcW;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"VelqornsTestWindow";
        return ::RegisterClassW(&windowClass) != 0;
    }();
    EXPECT_TRUE(registered);
    HWND window = ::CreateWindowExW(0, L"VelqornsTestWindow", Utf16FromUtf8(title).c_str(), style, 30, 30, 200, 90, owner,
                                    nullptr, ::GetModuleHandleW(nullptr), nullptr);
    EXPECT_NE(window, nullptr) << title;
    return Window(window, &::DestroyWindow);
}

HWND WaitForWindow(const char* className, const std::string& title) {
    const std::wstring wideClass = Utf16FromUtf8(className), wideTitle = Utf16FromUtf8(title);
    HWND window = nullptr;
    for (int i = 0; i < 1000 && !(window = ::FindWindowW(wideClass.c_str(), wideTitle.c_str())); ++i) ::Sleep(10);
    return window;
}

std::string ClipboardText() {
    std::string text;
    if (!::OpenClipboard(nullptr)) return text;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        text = Utf8FromUtf16(static_cast<const wchar_t*>(::GlobalLock(data)));
        ::GlobalUnlock(data);
    }
    ::CloseClipboard();
    return text;
}

std::string ShownLine(TListBox& list, int line) {
    std::wstring text(static_cast<std::size_t>(::SendMessageW(list.Handle(), LB_GETTEXTLEN, line, 0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::SendMessageW(list.Handle(), LB_GETTEXT, line, reinterpret_cast<LPARAM>(text.data()))));
    return Utf8FromUtf16(text);
}
