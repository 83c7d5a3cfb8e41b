// Win32 handles at the edge of the platform layer: the converters between the interface's
// window and icon handles and Win32's, and the owner of a kernel handle.
#pragma once

#include <windows.h>

#include <memory>

#include "platform/Platform.h"

namespace platform {

inline HWND ToHwnd(WindowHandle window) { return static_cast<HWND>(LongToHandle(static_cast<LONG>(window))); }
inline WindowHandle FromHwnd(HWND window) { return static_cast<WindowHandle>(HandleToUlong(window)); }
inline HICON ToHicon(IconHandle icon) { return static_cast<HICON>(LongToHandle(static_cast<LONG>(icon))); }
inline IconHandle FromHicon(HICON icon) { return static_cast<IconHandle>(HandleToUlong(icon)); }

// A kernel handle (process, thread, job, snapshot), closed when its owner goes.
struct KernelHandleCloser {
    void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
using KernelHandle = std::unique_ptr<void, KernelHandleCloser>;

}  // namespace platform
