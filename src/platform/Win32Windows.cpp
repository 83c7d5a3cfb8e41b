// Top-level windows and their attributes, straight from user32.
#include "platform/Win32Platform.h"

namespace platform {

Win32Platform& Win32Platform::Instance() {
    static Win32Platform instance;
    return instance;
}

void Win32Platform::EnumWindows(bool (*)(WindowHandle, void*), void*) {}
int Win32Platform::WindowText(WindowHandle, char* buffer, int size) { if (size > 0) buffer[0] = 0; return 0; }
bool Win32Platform::IsWindowVisible(WindowHandle) { return false; }
WindowHandle Win32Platform::GetOwner(WindowHandle) { return 0; }
WindowHandle Win32Platform::GetLastActivePopup(WindowHandle) { return 0; }
bool Win32Platform::IsWindow(WindowHandle) { return false; }
std::uint32_t Win32Platform::WindowLong(WindowHandle, int) { return 0; }
std::uint32_t Win32Platform::GetWindowThreadProcessId(WindowHandle, std::uint32_t*) { return 0; }
int Win32Platform::WindowClassName(WindowHandle, char* buffer, int size) { if (size > 0) buffer[0] = 0; return 0; }

}  // namespace platform
