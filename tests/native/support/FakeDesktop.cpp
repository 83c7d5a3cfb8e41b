// FakeDesktop: the window calls answered from the test's own table, with the system's
// buffer rules (cut to the buffer, always terminated, 0 for a window that is not there).
#include "support/FakeDesktop.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

using platform::WindowHandle;

namespace {
const FakeWindow kNoWindow{};

int CopyText(const std::string& text, char* buffer, int size) {
    if (size <= 0) return 0;
    const int length = std::min(static_cast<int>(text.size()), size - 1);
    std::memcpy(buffer, text.data(), static_cast<size_t>(length));
    buffer[length] = 0;
    return length;
}
}  // namespace

FakeWindow& FakeDesktop::Add(WindowHandle handle, std::string title, std::uint32_t style) {
    windows_.push_back({handle, std::move(title), true, 0, 0, style, 0, 0x100, 0x200, "FakeClass"});
    return windows_.back();
}

FakeWindow& FakeDesktop::Window(WindowHandle handle) {
    if (const FakeWindow* found = Find(handle)) return const_cast<FakeWindow&>(*found);
    throw std::logic_error("no such fake window");
}

const FakeWindow* FakeDesktop::Find(WindowHandle handle) const {
    for (const FakeWindow& window : windows_)
        if (window.handle == handle) return &window;
    return nullptr;
}

const FakeWindow& FakeDesktop::Get(WindowHandle handle) const {
    const FakeWindow* found = Find(handle);
    return found ? *found : kNoWindow;
}

void FakeDesktop::EnumWindows(bool (*visit)(WindowHandle, void*), void* context) {
    const std::vector<FakeWindow> order = windows_;
    for (size_t i = 0; i <= order.size(); ++i) {
        if (i == order.size() / 2 && DuringEnumeration) DuringEnumeration();
        if (i == order.size() || !visit(order[i].handle, context)) return;
    }
}

int FakeDesktop::WindowText(WindowHandle window, char* buffer, int size) {
    return CopyText(Get(window).title, buffer, size);
}
bool FakeDesktop::IsWindowVisible(WindowHandle window) { return Find(window) && Get(window).visible; }
WindowHandle FakeDesktop::GetOwner(WindowHandle window) { return Get(window).owner; }
WindowHandle FakeDesktop::GetLastActivePopup(WindowHandle window) {
    if (!Find(window)) return 0;
    return Get(window).lastActivePopup ? Get(window).lastActivePopup : window;
}
bool FakeDesktop::IsWindow(WindowHandle window) { return Find(window) != nullptr; }

std::uint32_t FakeDesktop::WindowLong(WindowHandle window, int index) {
    const FakeWindow& found = Get(window);
    if (index == platform::kGwlStyle) return found.style;
    if (index == platform::kGwlExStyle) return found.exStyle;
    return index == platform::kGwlHwndParent ? found.owner : 0;
}

std::uint32_t FakeDesktop::GetWindowThreadProcessId(WindowHandle window, std::uint32_t* processId) {
    ++recordQueries;
    if (processId) *processId = Get(window).processId;
    return Get(window).threadId;
}

int FakeDesktop::WindowClassName(WindowHandle window, char* buffer, int size) {
    return CopyText(Get(window).className, buffer, size);
}
