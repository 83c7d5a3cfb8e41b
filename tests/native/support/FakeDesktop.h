// A made-up desktop for tests: top-level windows with exactly the attributes a test gives
// them, enumerated in the order the test keeps them in, answered with the system's buffer
// rules (cut to the buffer, always terminated, 0 for a window that is not there).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Platform.h"

struct FakeWindow {
    platform::WindowHandle handle = 0;
    std::string title;
    bool visible = true;
    platform::WindowHandle owner = 0;            // GetWindow(GW_OWNER) and GWL_HWNDPARENT
    platform::WindowHandle lastActivePopup = 0;  // Add makes it the window itself
    std::uint32_t style = 0, exStyle = 0, threadId = 0, processId = 0;
    std::string className;
    bool minimised = false, closes = true;  // closes: goes when asked to close
};

class FakeDesktop : public platform::IWindowSystem {
public:
    std::vector<FakeWindow> windows;         // in Z order
    std::function<void()> DuringEnumeration;  // runs in every enumeration, halfway
    int recordQueries = 0;                    // GetWindowThreadProcessId calls: one per record built
    platform::WindowHandle atPoint = 0, desktop = 0x10010, foreground = 0;
    bool refusesForeground = false;
    std::uint32_t slept = 0;  // milliseconds

    // Appends a window (thread 0x100, process 0x200, class "FakeClass") for further settings.
    FakeWindow& Add(platform::WindowHandle handle, std::string title, std::uint32_t style = 0) {
        return windows.emplace_back(FakeWindow{handle, std::move(title), true, 0, handle, style, 0, 0x100, 0x200, "FakeClass", false, true});
    }
    FakeWindow& Window(platform::WindowHandle handle) {  // an empty one when it is not there
        for (FakeWindow& window : windows)
            if (window.handle == handle) return window;
        return none_ = FakeWindow{};
    }

    void RunQueries(const std::function<void()>& queries) override { queries(); }
    void EnumWindows(bool (*visit)(platform::WindowHandle, void*), void* context) override {
        const std::vector<FakeWindow> order = windows;
        for (std::size_t i = 0; i <= order.size(); ++i) {
            if (i == order.size() / 2 && DuringEnumeration) DuringEnumeration();
            if (i == order.size() || !visit(order[i].handle, context)) return;
        }
    }
    std::string WindowText(platform::WindowHandle w, int maxLength) override { return Window(w).title.substr(0, maxLength); }
    platform::WindowHandle GetOwner(platform::WindowHandle w) override { return Window(w).owner; }
    platform::WindowHandle GetLastActivePopup(platform::WindowHandle w) override { return Window(w).lastActivePopup; }
    bool IsWindow(platform::WindowHandle w) override { return Window(w).handle != 0; }
    std::uint32_t WindowLong(platform::WindowHandle w, int index) override {
        if (index == platform::kGwlStyle) return Window(w).style | (Window(w).visible ? 0x10000000u : 0);
        return index == platform::kGwlExStyle ? Window(w).exStyle : index == platform::kGwlHwndParent ? Window(w).owner : 0;
    }
    std::uint32_t GetWindowThreadProcessId(platform::WindowHandle w, std::uint32_t* processId) override {
        ++recordQueries;
        if (processId) *processId = Window(w).processId;
        return Window(w).threadId;
    }
    std::string WindowClassName(platform::WindowHandle w, int maxLength) override { return Window(w).className.substr(0, maxLength); }
    bool GetWindowRect(platform::WindowHandle w, platform::WindowRect& rect) override { return rect = {}, IsWindow(w); }
    platform::WindowHandle RootWindowFromPoint(int, int) override { return atPoint; }
    platform::WindowHandle GetDesktopWindow() override { return desktop; }
    bool IsIconic(platform::WindowHandle w) override { return Window(w).minimised; }
    void RestoreWindow(platform::WindowHandle w) override { Window(w).minimised = false; }
    bool SetForegroundWindow(platform::WindowHandle w) override { return !refusesForeground && (foreground = w); }
    platform::WindowHandle GetForegroundWindow() override { return foreground; }
    bool PostWindowMessage(platform::WindowHandle w, std::uint32_t message, std::uintptr_t command, std::intptr_t) override {
        if (message == platform::kWmSysCommand && command == platform::kScClose && Window(w).closes)
            std::erase_if(windows, [w](const FakeWindow& window) { return window.handle == w; });
        return true;
    }
    void Sleep(std::uint32_t milliseconds) override { slept += milliseconds; }

private:
    FakeWindow none_;
};
