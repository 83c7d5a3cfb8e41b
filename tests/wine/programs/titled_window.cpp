// A program for the window page tests: opens one visible, titled top-level window (the title
// is its first argument, in any script) and runs its message loop until it is ended. With
// "quiet" as its second argument the window shows without taking the activation from the
// test's window.
#include <windows.h>

int wmain(int argc, wchar_t** argv);  // built with -municode: the arguments as typed
int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"VelqornsTitledWindow";
    if (!::RegisterClassW(&windowClass)) return 3;
    const HWND window = ::CreateWindowExW(0, windowClass.lpszClassName, argv[1], WS_OVERLAPPEDWINDOW, 20, 20, 240, 120,
                                          nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!window) return 4;
    const bool quiet = argc > 2 && ::lstrcmpW(argv[2], L"quiet") == 0;
    ::ShowWindow(window, quiet ? SW_SHOWNOACTIVATE : SW_SHOW);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) ::DispatchMessageW(&message);
    return 0;
}
