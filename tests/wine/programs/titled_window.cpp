// A program for the window page tests: opens one visible, titled top-level window (the title
// is its first argument) and runs its message loop until it is ended. With "quiet" as its
// second argument the window shows without taking the activation from the test's window.
#include <windows.h>

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ::DefWindowProcA;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VelqornsTitledWindow";
    if (!::RegisterClassA(&windowClass)) return 3;
    const HWND window = ::CreateWindowExA(0, windowClass.lpszClassName, argv[1], WS_OVERLAPPEDWINDOW, 20, 20, 240, 120,
                                          nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!window) return 4;
    const bool quiet = argc > 2 && ::lstrcmpA(argv[2], "quiet") == 0;
    ::ShowWindow(window, quiet ? SW_SHOWNOACTIVATE : SW_SHOW);
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) ::DispatchMessageA(&message);
    return 0;
}
