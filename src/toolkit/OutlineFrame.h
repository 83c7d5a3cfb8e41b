// TOutlineFrame: a frame drawn around a rectangle of the screen, above every window. It is a
// window of its own, shaped to the frame's band so that the inside is no part of it, topmost,
// never activated and transparent to the pointer: it shows on a composited desktop as on any
// other (drawing on the screen's device context does not), and hides nothing it surrounds.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

class TOutlineFrame {
public:
    TOutlineFrame() = default;
    TOutlineFrame(const TOutlineFrame&) = delete;
    TOutlineFrame& operator=(const TOutlineFrame&) = delete;

    // Shows the frame just inside a rectangle of the screen (the part on its monitor), making its
    // window on first use.
    void ShowAround(const RECT& around);
    // Takes the frame off the screen: its window is destroyed.
    void Hide();
    HWND Handle() const { return window_.get(); }  // nullptr while hidden

private:
    using WindowOwner = std::unique_ptr<std::remove_pointer_t<HWND>, decltype(&::DestroyWindow)>;
    WindowOwner window_{nullptr, &::DestroyWindow};
    SIZE shaped_{};  // the size the window's region was made for
};
