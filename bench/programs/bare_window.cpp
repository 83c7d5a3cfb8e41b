// The start-up benchmark's baseline: a bare Win32 program that opens the same kind of main
// window as Velqorns, with no data in it. The same frame and client size, a tab control
// with three tabs on a panel, the same kinds and numbers of child windows in the same
// nesting (the first tab's page with its list box, buttons, check boxes, style group and finder;
// the second's with a button and two list boxes; the third's four panels) and the same
// fonts at 8 points: "MS Shell Dlg" in the list boxes, "MS Sans Serif" elsewhere.
#include <windows.h>
#include <commctrl.h>

namespace {

constexpr wchar_t kOwnClass[] = L"VelqornsBareWindow";

HFONT font = nullptr, dataFont = nullptr;

HFONT MakeFont(HDC screen, const wchar_t* face) {
    return ::CreateFontW(-MulDiv(8, ::GetDeviceCaps(screen, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                         DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                         DEFAULT_PITCH | FF_DONTCARE, face);
}

HWND Child(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int left, int top, int width,
           int height) {
    HWND window = ::CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, left, top, width, height,
                                    parent, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(::lstrcmpW(className, L"LISTBOX") ? font : dataFont), FALSE);
    return window;
}

HWND Panel(HWND parent, int left, int top, int width, int height, DWORD style = 0) {
    return Child(parent, kOwnClass, L"", WS_CLIPSIBLINGS | WS_CLIPCHILDREN | style, left, top, width, height);
}

// The window list's page: 3 buttons, 3 check boxes and 22 more in a group, one list box,
// one static text, the finder's target and a details panel.
void WindowListPage(HWND sheet) {
    HWND host = Panel(sheet, 0, 0, 581, 417, WS_BORDER);
    HWND page = Panel(host, 0, 0, 581, 417);
    Child(page, L"STATIC", L"[ right mouse-button for menu ]", 0, 136, 6, 147, 17);
    Child(page, L"LISTBOX", L"", WS_VSCROLL | WS_BORDER | LBS_NOTIFY, 8, 30, 273, 186);
    const wchar_t* const buttons[] = {L"GetAll", L"GetVisible", L"GetInvisible"};
    for (int i = 0; i < 3; ++i) Child(page, L"BUTTON", buttons[i], BS_PUSHBUTTON | WS_TABSTOP, 8, 220 + 28 * i, 75, 25);
    const wchar_t* const boxes[] = {L"Automatic", L"EmptyNames", L"TaskBarStyle"};
    for (int i = 0; i < 3; ++i) Child(page, L"BUTTON", boxes[i], BS_AUTOCHECKBOX | WS_TABSTOP, 96, 230 + 24 * i, 85, 17);
    HWND group = Panel(page, 288, 8, 281, 209, WS_DISABLED);
    for (int i = 0; i < 22; ++i)
        Child(group, L"BUTTON", L"WS_STYLE", BS_AUTOCHECKBOX, 8 + 136 * (i % 2), 16 + 16 * (i / 2), 121, 17);
    Panel(page, 200, 240, 150, 36);
    Panel(page, 4, 304, 569, 106);
}

// The process list's page: one button and two list boxes.
void ProcessListPage(HWND sheet) {
    HWND host = Panel(sheet, 0, 0, 581, 417, WS_BORDER);
    HWND page = Panel(host, 0, 0, 581, 417);
    Child(page, L"BUTTON", L"Refesh", BS_PUSHBUTTON, 476, 14, 67, 25);
    Child(page, L"LISTBOX", L"", WS_VSCROLL | WS_BORDER | LBS_NOTIFY, 8, 33, 220, 186);
    Child(page, L"LISTBOX", L"", WS_VSCROLL | WS_BORDER | LBS_NOTIFY, 240, 33, 220, 186);
}

void AboutPage(HWND sheet) {
    Panel(sheet, 108, 289, 440, 83);
    Panel(sheet, 24, 29, 301, 181);
    Panel(sheet, 20, 24, 301, 181);
    Panel(sheet, 104, 284, 440, 83);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY && !::GetParent(window)) ::PostQuitMessage(0);
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kOwnClass;
    ::RegisterClassW(&windowClass);

    HDC screen = ::GetDC(nullptr);
    font = MakeFont(screen, L"MS Sans Serif");
    dataFont = MakeFont(screen, L"MS Shell Dlg");
    ::ReleaseDC(nullptr, screen);

    const DWORD frame = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    RECT bounds{0, 0, 593, 449};
    ::AdjustWindowRect(&bounds, frame, FALSE);
    HWND main = ::CreateWindowExW(0, kOwnClass, L"Velqorns! (bare)", frame, CW_USEDEFAULT, 0, bounds.right - bounds.left,
                                  bounds.bottom - bounds.top, nullptr, nullptr, instance, nullptr);
    HWND panel = Panel(main, 0, 0, 593, 449, WS_BORDER);
    HWND tabs = Child(panel, WC_TABCONTROLW, L"", WS_CLIPSIBLINGS, 0, 0, 589, 445);
    const wchar_t* const captions[] = {L"Window list", L"Process list", L"About"};
    HWND sheets[3];
    for (int i = 0; i < 3; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(captions[i]);
        ::SendMessageW(tabs, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
        sheets[i] = Panel(tabs, 4, 24, 581, 417);
        if (i > 0) ::ShowWindow(sheets[i], SW_HIDE);
    }
    WindowListPage(sheets[0]);
    ProcessListPage(sheets[1]);
    AboutPage(sheets[2]);

    ::ShowWindow(main, showCommand);
    ::UpdateWindow(main);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    ::DeleteObject(font);
    ::DeleteObject(dataFont);
    return 0;
}
