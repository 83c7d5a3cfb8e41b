// Top-level windows and their attributes, straight from user32.
#include "platform/Win32Platform.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "platform/QueryThread.h"
#include "shared/Utf16.h"

namespace platform {

bool RunsOnWine() {
    static const bool wine = ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return wine;
}

Win32Platform& Win32Platform::Instance() {
    static Win32Platform instance;
    return instance;
}

namespace {

struct Visit {
    bool (*visit)(WindowHandle, void*);
    void* context;
    std::exception_ptr failure;
};

// No exception may cross the system's callback: it ends the walk and is raised again
// once EnumWindows has returned.
BOOL CALLBACK VisitWindow(HWND window, LPARAM parameter) {
    Visit& visit = *reinterpret_cast<Visit*>(parameter);
    try {
        return visit.visit(FromHwnd(window), visit.context) ? TRUE : FALSE;
    } catch (...) {
        visit.failure = std::current_exception();
        return FALSE;
    }
}

// Wine's EnumWindows asks its server whether each window still exists before calling back:
// a round trip per window, hundreds on a busy desktop, for an answer that may be out of date
// by the time the callback looks at the window. Its EnumDesktopWindows lists the same windows
// in the same order without asking, then the message-only windows in their own order, which
// EnumWindows leaves out. The walk ends at the first message-only window, asked for after the
// list was made, where the window listed before it is still the last of its siblings (a
// window that has gone is the last of none): the first could otherwise have been top-level
// when listed and been made message-only since, with top-level windows listed after it. Any
// message-only windows listed before it have gone since, and are visited as windows that go
// during a walk are; one moved behind all the others meanwhile would be visited as it is.
// Where the cut does not hold, each message-only window is looked up.
void EnumWineWindows(Visit& state) {
    std::vector<HWND> windows;
    Visit collect{[](WindowHandle window, void* list) {
                      static_cast<std::vector<HWND>*>(list)->push_back(ToHwnd(window));
                      return true;
                  },
                  &windows, nullptr};
    ::EnumDesktopWindows(nullptr, VisitWindow, reinterpret_cast<LPARAM>(&collect));
    if (collect.failure) std::rethrow_exception(collect.failure);
    const HWND firstMessageOnly = ::FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr);
    auto end = std::find(windows.begin(), windows.end(), firstMessageOnly);
    const bool cut = end != windows.end() && end != windows.begin() && ::GetWindow(end[-1], GW_HWNDLAST) == end[-1];
    if (firstMessageOnly && !cut) {
        std::vector<HWND> messageOnly;
        for (HWND window = nullptr; (window = ::FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr)) != nullptr;)
            messageOnly.push_back(window);
        std::sort(messageOnly.begin(), messageOnly.end());
        end = std::remove_if(windows.begin(), windows.end(), [&messageOnly](HWND window) {
            return std::binary_search(messageOnly.begin(), messageOnly.end(), window);
        });
    }
    for (auto window = windows.begin(); window != end; ++window)
        if (!VisitWindow(*window, reinterpret_cast<LPARAM>(&state))) return;
}

// The longest title or class name read here, in UTF-16 units.
constexpr int kMaxTextUnits = 1024;

// A text that read(buffer, size) copies, cut to maxLength UTF-16 units, as UTF-8. A text cut
// by the buffer may end in the first half of a surrogate pair: that half is dropped, so that a
// cut never leaves half a character.
template <class Read>
std::string CutText(int maxLength, Read read) {
    if (maxLength <= 0) return "";
    wchar_t text[kMaxTextUnits + 1];
    int length = read(text, std::min(maxLength, kMaxTextUnits) + 1);
    if (length <= 0) return "";
    if ((text[length - 1] & 0xFC00) == 0xD800) --length;
    return Utf8FromUtf16({text, static_cast<std::size_t>(length)});
}

}  // namespace

// Under Wine each question about another process's window, and each process opened, is a round
// trip to Wine's server, and a scan with its records makes some ten per window. A thread that
// has just been busy, as the main thread is once it has made and shown this program's windows,
// waits long for each reply: measured on two processors, some 50 microseconds a trip for tens
// of milliseconds afterwards, where a second thread asking at the same moment waited 10 (and
// on one processor every thread waited 7). Under Wine the queries therefore run on a kept
// thread of their own, which mostly waits, while the caller's thread waits for them without
// handling messages: what they call must send nothing to its windows (WindowText says why it
// reads titles as it does).
void Win32Platform::RunQueries(const std::function<void()>& queries) {
    if (!RunsOnWine()) return queries();
    static QueryThread thread;
    thread.Run(queries);
}

void Win32Platform::EnumWindows(bool (*visit)(WindowHandle, void*), void* context) {
    Visit state{visit, context, nullptr};
    if (RunsOnWine()) EnumWineWindows(state);
    else ::EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&state));
    if (state.failure) std::rethrow_exception(state.failure);
}

// The title as the window manager keeps it: what GetWindowText gives for another program's
// window, without the WM_GETTEXT it sends to a window of this process (which waits on a busy
// thread, and for ever on a thread that waits for RunQueries), and in one round trip to Wine's
// server where GetWindowText makes two.
std::string Win32Platform::WindowText(WindowHandle window, int maxLength) {
    return CutText(maxLength, [window](wchar_t* text, int size) { return ::InternalGetWindowText(ToHwnd(window), text, size); });
}

WindowHandle Win32Platform::GetOwner(WindowHandle window) { return FromHwnd(::GetWindow(ToHwnd(window), GW_OWNER)); }

WindowHandle Win32Platform::GetLastActivePopup(WindowHandle window) {
    return FromHwnd(::GetLastActivePopup(ToHwnd(window)));
}

bool Win32Platform::IsWindow(WindowHandle window) { return window != 0 && ::IsWindow(ToHwnd(window)) != FALSE; }

// The owner is pointer-wide in the 64-bit call; window handles are 32-bit significant.
std::uint32_t Win32Platform::WindowLong(WindowHandle window, int index) {
    if (index == kGwlHwndParent)
        return static_cast<std::uint32_t>(::GetWindowLongPtrW(ToHwnd(window), GWLP_HWNDPARENT));
    return static_cast<std::uint32_t>(::GetWindowLongW(ToHwnd(window), index));
}

std::uint32_t Win32Platform::GetWindowThreadProcessId(WindowHandle window, std::uint32_t* processId) {
    DWORD process = 0;
    const DWORD thread = ::GetWindowThreadProcessId(ToHwnd(window), &process);
    if (processId) *processId = process;
    return thread;
}

std::string Win32Platform::WindowClassName(WindowHandle window, int maxLength) {
    return CutText(maxLength, [window](wchar_t* text, int size) { return ::GetClassNameW(ToHwnd(window), text, size); });
}

bool Win32Platform::GetWindowRect(WindowHandle window, WindowRect& rect) {
    RECT bounds{};
    const bool read = ::GetWindowRect(ToHwnd(window), &bounds) != FALSE;
    rect = read ? WindowRect{bounds.left, bounds.top, bounds.right, bounds.bottom} : WindowRect{};
    return read;
}

WindowHandle Win32Platform::RootWindowFromPoint(int x, int y) {
    const HWND window = ::WindowFromPoint(POINT{x, y});
    return window ? FromHwnd(::GetAncestor(window, GA_ROOT)) : 0;
}

WindowHandle Win32Platform::GetDesktopWindow() { return FromHwnd(::GetDesktopWindow()); }

bool Win32Platform::IsIconic(WindowHandle window) { return ::IsIconic(ToHwnd(window)) != FALSE; }

void Win32Platform::RestoreWindow(WindowHandle window) { ::ShowWindow(ToHwnd(window), SW_RESTORE); }

bool Win32Platform::SetForegroundWindow(WindowHandle window) { return ::SetForegroundWindow(ToHwnd(window)) != FALSE; }

WindowHandle Win32Platform::GetForegroundWindow() { return FromHwnd(::GetForegroundWindow()); }

bool Win32Platform::PostWindowMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                      std::intptr_t lParam) {
    return ::PostMessageW(ToHwnd(window), message, wParam, lParam) != FALSE;
}

void Win32Platform::Sleep(std::uint32_t milliseconds) { ::Sleep(milliseconds); }

}  // namespace platform
