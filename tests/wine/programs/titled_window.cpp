// A program for the window page tests: opens one visible, titled top-level window (the title
// is its first argument, in any script) with a button as its child, and runs its message loop
// until it is ended. With "quiet" as its second argument the window shows without taking the
// activation from the test's window; with "stubborn" it answers every request to close by staying.
#include <windows.h>

namespace {
bool stubborn = false;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE && stubborn) return 0;
    return ::DefWindowProcW(window, message, wParam, lParam);
}
}  // namespace

int wmain(int argc, wchar_t** argv);  // built with -municode: the arguments as typed
int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    const bool quiet = argc > 2 && ::lstrcmpW(argv[2], L"quiet") == 0;
    stubborn = argc > 2 && ::lstrcmpW(argv[2], L"stubborn") == 0;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &WindowProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"VelqornsTitledWindow";
    if (!::RegisterClassW(&windowClass)) return 3;
    const HWND window = ::CreateWindowExW(0, windowClass.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 20, 20, 240, 120,
                                          nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!window) return 4;
    ::CreateWindowExW(0, L"BUTTON", L"Child", WS_CHILD | WS_VISIBLE, 10, 10, 120, 40, window, nullptr, nullptr, nullptr);
    ::SetWindowTextW(window, argv[1]);  // only now: a test that finds the window by its title finds the child too
    ::ShowWindow(window, quiet ? SW_SHOWNOACTIVATE : SW_SHOW);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) ::DispatchMessageW(&message);
    return 0;
}
