// A program for the window page tests: opens one visible, titled top-level window (the title
// is its first argument) and runs its message loop until it is ended.
#include <windows.h>

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ::DefWindowProcA;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VelqornsTitledWindow";
    if (!::RegisterClassA(&windowClass)) return 3;
    if (!::CreateWindowExA(0, windowClass.lpszClassName, argv[1], WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 240, 120,
                           nullptr, nullptr, windowClass.hInstance, nullptr))
        return 4;
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) ::DispatchMessageA(&message);
    return 0;
}
