// The small program that the benchmark runs in crowds: a titled window with the program's
// icon, hidden unless "shown" is on its command line, and nothing else. It ends when its
// window is closed, or by itself after the seconds given first on its command line (600 by
// default), so that no copy outlives a benchmark that was cut short.
#include <windows.h>

#include <cstdlib>
#include <cstring>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (message == WM_DESTROY) ::PostQuitMessage(0);
        return ::DefWindowProcW(window, message, wParam, lParam);
    };
    windowClass.hInstance = instance;
    windowClass.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(1));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"VelqornsBenchIdle";
    ::RegisterClassW(&windowClass);
    wchar_t title[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, title, MAX_PATH);
    HWND window = ::CreateWindowExW(0, windowClass.lpszClassName, title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                    CW_USEDEFAULT, 200, 80, nullptr, nullptr, instance, nullptr);
    // Asked to show, it shows minimised and not activated: on the list of every window viewer,
    // yet covering no window and taking no focus from the program being timed.
    if (std::strstr(commandLine, "shown")) ::ShowWindow(window, SW_SHOWMINNOACTIVE);

    const long seconds = *commandLine ? std::strtol(commandLine, nullptr, 10) : 600;
    ::SetTimer(nullptr, 0, static_cast<UINT>(seconds > 0 ? seconds : 600) * 1000u, nullptr);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && !message.hwnd) break;
        ::DispatchMessageW(&message);
    }
    return 0;
}
