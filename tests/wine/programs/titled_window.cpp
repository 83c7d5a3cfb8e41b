// A program for the window page tests: opens one visible, titled top-level window (the title
// is its first argument) with a button as its child, and runs its message loop until it is
// ended. With "quiet" as its second argument the window shows without taking the activation
// from the test's window; with "stubborn" it answers every request to close by staying.
#include <windows.h>

namespace {
bool stubborn = false;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE && stubborn) return 0;
    return ::DefWindowProcA(window, message, wParam, lParam);
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const bool quiet = argc > 2 && ::lstrcmpA(argv[2], "quiet") == 0;
    stubborn = argc > 2 && ::lstrcmpA(argv[2], "stubborn") == 0;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &WindowProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VelqornsTitledWindow";
    if (!::RegisterClassA(&windowClass)) return 3;
    const HWND window = ::CreateWindowExA(0, windowClass.lpszClassName, "", WS_OVERLAPPEDWINDOW, 20, 20, 240, 120,
                                          nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!window) return 4;
    ::CreateWindowExA(0, "BUTTON", "Child", WS_CHILD | WS_VISIBLE, 10, 10, 120, 40, window, nullptr, nullptr, nullptr);
    ::SetWindowTextA(window, argv[1]);  // only now: a test that finds the window by its title finds the child too
    ::ShowWindow(window, quiet ? SW_SHOWNOACTIVATE : SW_SHOW);
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) ::DispatchMessageA(&message);
    return 0;
}
