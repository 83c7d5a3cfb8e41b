// The start-up benchmark's baseline: a bare Win32 program that opens the same kind of main
// window as Velqorns, with no data in it. The same frame and client size, a tab control
// with three tabs on a panel, the same kinds and numbers of child windows in the same
// nesting (the first tab's page with its list box, buttons, check boxes, style group and finder;
// the second's with a button and two list boxes; the third's four panels) and the same
// font, "MS Sans Serif" at 8 points.
#include <windows.h>
#include <commctrl.h>

namespace {

constexpr char kOwnClass[] = "VelqornsBareWindow";

HFONT font = nullptr;

HWND Child(HWND parent, const char* className, const char* text, DWORD style, int left, int top, int width,
           int height) {
    HWND window = ::CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, left, top, width, height,
                                    parent, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ::SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return window;
}

HWND Panel(HWND parent, int left, int top, int width, int height, DWORD style = 0) {
    return Child(parent, kOwnClass, "", WS_CLIPSIBLINGS | WS_CLIPCHILDREN | style, left, top, width, height);
}

// The window list's page: 3 buttons, 3 check boxes and 22 more in a group, one list box,
// one static text, the finder's target and a details panel.
void WindowListPage(HWND sheet) {
    HWND host = Panel(sheet, 0, 0, 581, 417, WS_BORDER);
    HWND page = Panel(host, 0, 0, 581, 417);
    Child(page, "STATIC", "[ right mouse-button for menu ]", 0, 136, 6, 147, 17);
    Child(page, "LISTBOX", "", WS_VSCROLL | WS_BORDER | LBS_NOTIFY, 8, 30, 273, 186);
    const char* const buttons[] = {"GetAll", "GetVisible", "GetInvisible"};
    for (int i = 0; i < 3; ++i) Child(page, "BUTTON", buttons[i], BS_PUSHBUTTON | WS_TABSTOP, 8, 220 + 28 * i, 75, 25);
    const char* const boxes[] = {"Automatic", "EmptyNames", "TaskBarStyle"};
    for (int i = 0; i < 3; ++i) Child(page, "BUTTON", boxes[i], BS_AUTOCHECKBOX | WS_TABSTOP, 96, 230 + 24 * i, 85, 17);
    HWND group = Panel(page, 288, 8, 281, 209, WS_DISABLED);
    for (int i = 0; i < 22; ++i)
        Child(group, "BUTTON", "WS_STYLE", BS_AUTOCHECKBOX, 8 + 136 * (i % 2), 16 + 16 * (i / 2), 121, 17);
    Panel(page, 200, 240, 150, 36);
    Panel(page, 4, 304, 569, 106);
}

// The process list's page: one button and two list boxes.
void ProcessListPage(HWND sheet) {
    HWND host = Panel(sheet, 0, 0, 581, 417, WS_BORDER);
    HWND page = Panel(host, 0, 0, 581, 417);
    Child(page, "BUTTON", "Refesh", BS_PUSHBUTTON, 476, 14, 67, 25);
    Child(page, "LISTBOX", "", WS_VSCROLL | WS_BORDER | LBS_NOTIFY, 8, 33, 220, 186);
    Child(page, "LISTBOX", "", WS_VSCROLL | WS_BORDER | LBS_NOTIFY, 240, 33, 220, 186);
}

void AboutPage(HWND sheet) {
    Panel(sheet, 108, 289, 440, 83);
    Panel(sheet, 24, 29, 301, 181);
    Panel(sheet, 20, 24, 301, 181);
    Panel(sheet, 104, 284, 440, 83);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY && !::GetParent(window)) ::PostQuitMessage(0);
    return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = ::LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kOwnClass;
    ::RegisterClassA(&windowClass);

    HDC screen = ::GetDC(nullptr);
    font = ::CreateFontA(-MulDiv(8, ::GetDeviceCaps(screen, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                         ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                         DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif");
    ::ReleaseDC(nullptr, screen);

    const DWORD frame = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    RECT bounds{0, 0, 593, 449};
    ::AdjustWindowRect(&bounds, frame, FALSE);
    HWND main = ::CreateWindowExA(0, kOwnClass, "Velqorns! (bare)", frame, CW_USEDEFAULT, 0, bounds.right - bounds.left,
                                  bounds.bottom - bounds.top, nullptr, nullptr, instance, nullptr);
    HWND panel = Panel(main, 0, 0, 593, 449, WS_BORDER);
    HWND tabs = Child(panel, WC_TABCONTROLA, "", WS_CLIPSIBLINGS, 0, 0, 589, 445);
    const char* const captions[] = {"Window list", "Process list", "About"};
    HWND sheets[3];
    for (int i = 0; i < 3; ++i) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(captions[i]);
        ::SendMessageA(tabs, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
        sheets[i] = Panel(tabs, 4, 24, 581, 417);
        if (i > 0) ::ShowWindow(sheets[i], SW_HIDE);
    }
    WindowListPage(sheets[0]);
    ProcessListPage(sheets[1]);
    AboutPage(sheets[2]);

    ::ShowWindow(main, showCommand);
    ::UpdateWindow(main);
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    ::DeleteObject(font);
    return 0;
}
