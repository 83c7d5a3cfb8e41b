// The control hierarchy against real windows: message routing to the object, windowless
// children painted by their parent and given the mouse, errors in handlers caught.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "toolkit/Application.h"
#include "toolkit/Control.h"

namespace {

class TopLevel : public TWinControl {
public:
    using TWinControl::TWinControl;

protected:
    void CreateParams(TCreateParams& params) override {
        TWinControl::CreateParams(params);
        params.Style = (params.Style & ~WS_CHILD) | WS_OVERLAPPEDWINDOW;
    }
};

// Paints itself in one colour, so that a test can find it on the parent's surface.
class Swatch : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    COLORREF colour = RGB(255, 0, 0);
    void Paint(HDC dc) override {
        HBRUSH brush = ::CreateSolidBrush(colour);
        RECT all{0, 0, Width(), Height()};
        ::FillRect(dc, &all, brush);
        ::DeleteObject(brush);
    }
};

COLORREF PixelOf(HWND window, int x, int y) {
    ScopedWindowDC dc(window);
    return ::GetPixel(dc.get(), x, y);
}

TEST(Controls, WindowlessChildrenArePaintedInStackingOrderAndGetTheMouse) {
    TApplication application;
    application.Initialize();
    TopLevel form(nullptr);
    form.SetBounds(10, 10, 300, 200);
    form.SetVisible(false);
    ASSERT_NE(form.Handle(), nullptr);
    Swatch below(nullptr), above(nullptr);
    below.SetBounds(10, 10, 50, 50);
    above.SetBounds(40, 40, 50, 50);
    above.colour = RGB(0, 0, 255);
    below.SetParent(&form);
    above.SetParent(&form);
    ::ShowWindow(form.Handle(), SW_SHOWNOACTIVATE);
    ::UpdateWindow(form.Handle());

    EXPECT_EQ(PixelOf(form.Handle(), 20, 20), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(form.Handle(), 45, 45), RGB(0, 0, 255));  // the later one lies on top
    below.BringToFront();
    ::UpdateWindow(form.Handle());
    EXPECT_EQ(PixelOf(form.Handle(), 45, 45), RGB(255, 0, 0));

    std::string seen;
    below.OnMouseDown = [&](TObject*, TMouseButton button, TShiftState, int x, int y) {
        seen += "down " + std::to_string(button) + " " + std::to_string(x) + "," + std::to_string(y) + ";";
    };
    below.OnClick = [&](TObject*) { seen += "click;"; };
    ::SendMessageA(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 25));
    ::SendMessageA(form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(15, 25));
    ::SendMessageA(form.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(200, 150));  // over nothing
    EXPECT_EQ(seen, "down 0 5,15;click;");
}

TEST(Controls, AnErrorRaisedInAHandlerIsShownAndTheProgramGoesOn) {
    TApplication application;
    application.Initialize();
    std::string shown;
    TExceptionHandler saved = ExceptionHandler();
    ExceptionHandler() = [&](const std::string& message) { shown = message; };
    TopLevel form(nullptr);
    form.SetBounds(0, 0, 100, 100);
    ASSERT_NE(form.Handle(), nullptr);
    form.OnMouseUp = [](TObject*, TMouseButton, TShiftState, int, int) { throw std::out_of_range("List index out of bounds (3)"); };
    ::SendMessageA(form.Handle(), WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(shown, "List index out of bounds (3)");
    ExceptionHandler() = saved;
}

TEST(Controls, TimersTickThroughTheApplicationLoop) {
    TApplication application;
    application.Initialize();
    TTimer timer(nullptr);
    int ticks = 0;
    timer.SetInterval(10);
    timer.OnTimer = [&](TObject*) { ++ticks; };
    timer.SetEnabled(false);
    timer.SetEnabled(true);
    const DWORD start = ::GetTickCount();
    while (ticks < 3 && ::GetTickCount() - start < 5000) {
        ::Sleep(5);
        application.ProcessMessages();
    }
    EXPECT_GE(ticks, 3);
    timer.SetEnabled(false);
    const int stopped = ticks;
    ::Sleep(50);
    application.ProcessMessages();
    EXPECT_EQ(ticks, stopped);
}

}  // namespace
