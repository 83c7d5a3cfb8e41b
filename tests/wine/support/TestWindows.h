// Helpers for the toolkit tests against real windows: a top-level window to put controls
// in, places and sizes as the system reports them, and user input: real clicks, posted
// keys, the message loop run until something happened.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <type_traits>

#include "toolkit/Application.h"
#include "toolkit/WinControl.h"

// An overlapped window; a topmost one gets the real mouse input aimed at it, not another
// test program's window.
class TopLevel : public TWinControl {
public:
    explicit TopLevel(TComponent* owner, bool topmost = false) : TWinControl(owner), topmost_(topmost) {}
    // Shows the window at these bounds, active and in the foreground, and paints it.
    void ShowInFront(int left, int top, int width, int height);

protected:
    void CreateParams(TCreateParams& params) override;

private:
    bool topmost_;
};

SIZE ClientSize(HWND window);
// The window's rectangle in the client coordinates of its parent.
RECT PlaceInParent(HWND child);

// Presses the left mouse button on a tab of a tab control, as the user does.
void ClickTab(HWND tabs, int index);
// A real click through the system's input queue at a point of window's client area. Each
// event carries its position: another program may move the pointer in between.
void Click(HWND window, POINT point, bool right = false);
// A key pressed and released, as posted messages with the key's scan code (any thread may post).
void PostKey(HWND window, WORD key);
// Handles messages until done() holds (or a generous time-out, so that a fault cannot hang).
void PumpUntil(TApplication& application, const std::function<bool()>& done);
// Handles every message posted so far: they keep their order, so a marker posted now comes
// after them.
void Settle(TApplication& application);

// A plain window of the test's own class (kPlainWindowClass), destroyed with its owner object.
constexpr const char* kPlainWindowClass = "VelqornsTestWindow";
struct WindowDestroyer {
    void operator()(HWND window) const { ::DestroyWindow(window); }
};
using Window = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;
Window MakeWindow(const char* title, DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, HWND owner = nullptr,
                  DWORD exStyle = 0);
