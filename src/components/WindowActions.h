// The actions on one top-level window, over the platform: which window a point of the screen
// picks, bringing a window to the front, and asking it to close as its close box does.
#pragma once

#include <cstdint>

#include "platform/Platform.h"

// The top-level window at a point of the screen, or 0 where the pointer is over no window or
// over the desktop: the desktop window, or the shell's windows that draw it ("Progman" and
// "WorkerW"), which no user means when pointing at "a window".
platform::WindowHandle PickableWindowAt(platform::IWindowSystem& windows, int x, int y);

// Restores the window if it is minimised and asks for it to be the foreground window; true
// when it then is (Windows may refuse a program that is not in the foreground itself).
bool BringWindowToFront(platform::IWindowSystem& windows, platform::WindowHandle window);

// Posts the window the close box's command (WM_SYSCOMMAND, SC_CLOSE): never sent, so that a
// hung window cannot hang the caller; its program decides (it may ask to save, or refuse).
// False when the window has gone or the message could not be posted.
bool AskWindowToClose(platform::IWindowSystem& windows, platform::WindowHandle window);

enum class TCloseOutcome { Closed, StillOpen, NoWindow };
// Asks the window to close and waits until it has gone, at most timeoutMilliseconds.
TCloseOutcome CloseWindowAndWait(platform::IWindowSystem& windows, platform::WindowHandle window,
                                 std::uint32_t timeoutMilliseconds);
