// A made-up desktop for tests: top-level windows with exactly the attributes a test gives
// them, enumerated in the order the test keeps them in.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Platform.h"

struct FakeWindow {
    platform::WindowHandle handle = 0;
    std::string title;
    bool visible = true;
    platform::WindowHandle owner = 0;             // GetWindow(GW_OWNER) and GWL_HWNDPARENT
    platform::WindowHandle lastActivePopup = 0;   // 0: the window itself
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    std::uint32_t threadId = 0;
    std::uint32_t processId = 0;
    std::string className;
};

class FakeDesktop : public platform::IWindowSystem {
public:
    // Appends a window at the bottom of the Z order (thread 0x100, process 0x200, class
    // "FakeClass") and returns it for further settings.
    FakeWindow& Add(platform::WindowHandle handle, std::string title = "", std::uint32_t style = 0);
    FakeWindow& Window(platform::WindowHandle handle);  // the window; it must be there
    void Clear() { windows_.clear(); }
    void ReverseZOrder() { std::reverse(windows_.begin(), windows_.end()); }

    // Runs once in every enumeration, between two windows, as if the system were busy.
    std::function<void()> DuringEnumeration;
    int recordQueries = 0;  // GetWindowThreadProcessId calls: one per record built

    void EnumWindows(bool (*visit)(platform::WindowHandle, void*), void* context) override;
    int WindowText(platform::WindowHandle window, char* buffer, int size) override;
    bool IsWindowVisible(platform::WindowHandle window) override;
    platform::WindowHandle GetOwner(platform::WindowHandle window) override;
    platform::WindowHandle GetLastActivePopup(platform::WindowHandle window) override;
    bool IsWindow(platform::WindowHandle window) override;
    std::uint32_t WindowLong(platform::WindowHandle window, int index) override;
    std::uint32_t GetWindowThreadProcessId(platform::WindowHandle window, std::uint32_t* processId) override;
    int WindowClassName(platform::WindowHandle window, char* buffer, int size) override;

private:
    const FakeWindow* Find(platform::WindowHandle handle) const;
    const FakeWindow& Get(platform::WindowHandle handle) const;  // an empty window when absent
    std::vector<FakeWindow> windows_;
};
