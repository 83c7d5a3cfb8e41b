// The window actions: the desktop left out of what a point picks, the restore before the
// foreground, and the bounded wait for a window to close.
#include "components/WindowActions.h"

#include <string>

using platform::WindowHandle;

namespace {

constexpr std::uint32_t kClosePollMilliseconds = 20;

bool IsDesktop(platform::IWindowSystem& windows, WindowHandle window) {
    if (window == windows.GetDesktopWindow()) return true;
    const std::string className = windows.WindowClassName(window, 15);
    return className == "Progman" || className == "WorkerW";
}

}  // namespace

WindowHandle PickableWindowAt(platform::IWindowSystem& windows, int x, int y) {
    const WindowHandle window = windows.RootWindowFromPoint(x, y);
    return window == 0 || IsDesktop(windows, window) ? 0 : window;
}

bool BringWindowToFront(platform::IWindowSystem& windows, WindowHandle window) {
    if (!windows.IsWindow(window)) return false;
    if (windows.IsIconic(window)) windows.RestoreWindow(window);
    windows.SetForegroundWindow(window);
    return windows.GetForegroundWindow() == window;
}

bool AskWindowToClose(platform::IWindowSystem& windows, WindowHandle window) {
    return windows.IsWindow(window) && windows.PostWindowMessage(window, platform::kWmSysCommand, platform::kScClose, 0);
}

TCloseOutcome CloseWindowAndWait(platform::IWindowSystem& windows, WindowHandle window, std::uint32_t timeoutMilliseconds) {
    if (!AskWindowToClose(windows, window)) return TCloseOutcome::NoWindow;
    for (std::uint32_t waited = 0; windows.IsWindow(window); waited += kClosePollMilliseconds) {
        if (waited >= timeoutMilliseconds) return TCloseOutcome::StillOpen;
        windows.Sleep(kClosePollMilliseconds);
    }
    return TCloseOutcome::Closed;
}
