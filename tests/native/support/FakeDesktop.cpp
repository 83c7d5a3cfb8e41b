// FakeDesktop: the window calls answered from the test's own table, with the system's
// buffer rules (cut to the buffer, always terminated, 0 for a window that is not there).
#include "support/FakeDesktop.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

using platform::WindowHandle;

namespace {
int CopyText(const std::string& text, char* buffer, int size) {
    if (size <= 0) return 0;
    const int length = std::min(static_cast<int>(text.size()), size - 1);
    std::memcpy(buffer, text.data(), static_cast<size_t>(length));
    buffer[length] = 0;
    return length;
}
}  // namespace

FakeWindow& FakeDesktop::Add(WindowHandle handle, std::string title, std::uint32_t style) {
    FakeWindow window;
    window.handle = handle;
    window.title = std::move(title);
    window.style = style;
    window.threadId = 0x100;
    window.processId = 0x200;
    window.className = "FakeClass";
    windows_.push_back(std::move(window));
    return windows_.back();
}

FakeWindow& FakeDesktop::Window(WindowHandle handle) {
    for (FakeWindow& window : windows_)
        if (window.handle == handle) return window;
    throw std::logic_error("no such fake window");
}

void FakeDesktop::Remove(WindowHandle handle) {
    std::erase_if(windows_, [&](const FakeWindow& window) { return window.handle == handle; });
}

void FakeDesktop::ReverseZOrder() { std::reverse(windows_.begin(), windows_.end()); }

const FakeWindow* FakeDesktop::Find(WindowHandle handle) const {
    for (const FakeWindow& window : windows_)
        if (window.handle == handle) return &window;
    return nullptr;
}

void FakeDesktop::EnumWindows(bool (*visit)(WindowHandle, void*), void* context) {
    ++enumerations;
    const std::vector<FakeWindow> order = windows_;  // a visit may not change the walk
    for (size_t i = 0; i < order.size(); ++i) {
        if (i == order.size() / 2 && DuringEnumeration) DuringEnumeration();
        if (!visit(order[i].handle, context)) return;
    }
    if (order.empty() && DuringEnumeration) DuringEnumeration();
}

int FakeDesktop::WindowText(WindowHandle window, char* buffer, int size) {
    const FakeWindow* found = Find(window);
    return CopyText(found ? found->title : std::string(), buffer, size);
}

bool FakeDesktop::IsWindowVisible(WindowHandle window) {
    const FakeWindow* found = Find(window);
    return found && found->visible;
}

WindowHandle FakeDesktop::GetOwner(WindowHandle window) {
    const FakeWindow* found = Find(window);
    return found ? found->owner : 0;
}

WindowHandle FakeDesktop::GetLastActivePopup(WindowHandle window) {
    const FakeWindow* found = Find(window);
    if (!found) return 0;
    return found->lastActivePopup ? found->lastActivePopup : window;
}

bool FakeDesktop::IsWindow(WindowHandle window) { return Find(window) != nullptr; }

std::uint32_t FakeDesktop::WindowLong(WindowHandle window, int index) {
    const FakeWindow* found = Find(window);
    if (!found) return 0;
    switch (index) {
        case platform::kGwlStyle: return found->style;
        case platform::kGwlExStyle: return found->exStyle;
        case platform::kGwlHwndParent: return found->owner;
        default: return 0;
    }
}

std::uint32_t FakeDesktop::GetWindowThreadProcessId(WindowHandle window, std::uint32_t* processId) {
    ++recordQueries;
    const FakeWindow* found = Find(window);
    if (processId) *processId = found ? found->processId : 0;
    return found ? found->threadId : 0;
}

int FakeDesktop::WindowClassName(WindowHandle window, char* buffer, int size) {
    const FakeWindow* found = Find(window);
    return CopyText(found ? found->className : std::string(), buffer, size);
}
