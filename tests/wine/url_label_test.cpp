// TAutoURLLabel: the URL that follows its caption, the shell call on every press (through a
// recording shell, so nothing opens), and the hand cursor resource.
#include <stdexcept>
#include <tuple>

#include "components/aurllabl.h"
#include "support/TestWindows.h"
#include "toolkit/Form.h"
#include "toolkit/Screen.h"

namespace {

// The fixture is the label's shell: it writes down each open it is asked for, in one log
// with the label's mouse-down events and the errors shown.
class URLLabel : public ::testing::Test, public platform::IShell {
protected:
    void ShellOpen(const char* operation, const char* file, int showCommand) override {
        log.push_back(std::string(operation) + " " + file + " " + std::to_string(showCommand));
        if (shellFails) throw std::runtime_error("no handler for this address");
    }
    void SetUp() override {
        application.Initialize();
        host.SetBorderStyle(bsNone);
        host.SetBounds(40, 40, 300, 100);
        host.Show();
        link.SetParent(&host);
        link.SetShell(*this);
        link.SetCaption("http://www.example.com/");
        link.SetBounds(10, 10, 150, 15);
        link.OnMouseDown = [this](TObject*, TMouseButton button, TShiftState, int, int) {
            log.push_back("down " + std::to_string(button));
        };
        shownErrors = ExceptionHandler();
        ExceptionHandler() = [this](const std::string& message) { log.push_back("error: " + message); };
    }
    void TearDown() override { ExceptionHandler() = shownErrors; }
    // A message to the host at a point over the link.
    void Send(UINT message, WPARAM keys = 0) { ::SendMessageA(host.Handle(), message, keys, MAKELPARAM(20, 15)); }

    std::vector<std::string> log;
    bool shellFails = false;
    TExceptionHandler shownErrors;
    TApplication application;
    TForm host{nullptr};
    TAutoURLLabel link{nullptr};
};

TEST_F(URLLabel, TheURLFollowsTheCaptionUntilSetApartAndEveryPressOpensItAfterTheMouseDownEvent) {
    link.SetCaption("A");
    link.SetURL("C");
    link.SetCaption("D");
    EXPECT_EQ(link.Caption() + link.URL(), "DC");  // set apart: the URL stays
    for (const std::string url : {"D", ""}) {  // equal to the caption again, or empty: it follows again
        link.SetURL(url);
        link.SetCaption("E" + url);
        EXPECT_EQ(link.URL(), "E" + url);
    }
    link.SetCaption("http://www.example.com/");

    // Left, right, middle, and the second press of a double click (with Shift held).
    for (auto [press, keys, release] : {std::tuple{WM_LBUTTONDOWN, MK_LBUTTON, WM_LBUTTONUP},
                                        std::tuple{WM_RBUTTONDOWN, MK_RBUTTON, WM_RBUTTONUP},
                                        std::tuple{WM_MBUTTONDOWN, MK_MBUTTON, WM_MBUTTONUP},
                                        std::tuple{WM_LBUTTONDBLCLK, MK_LBUTTON | MK_SHIFT, WM_LBUTTONUP}}) {
        Send(press, keys);
        Send(release);
    }
    const std::string open = "open http://www.example.com/ 9";  // SW_RESTORE
    EXPECT_EQ(log, (std::vector<std::string>{"down 0", open, "down 1", open, "down 2", open, "down 0", open}));

    log.clear();
    link.SetURL("");    // a caption with no URL still calls the shell, with an empty name
    shellFails = true;  // and whatever the shell does, no error comes of it
    Send(WM_LBUTTONDOWN, MK_LBUTTON);
    link.SetCaption("");  // an empty caption opens nothing, whatever its URL
    link.SetURL("http://www.example.com/");
    Send(WM_LBUTTONDOWN, MK_LBUTTON);
    EXPECT_EQ(log, (std::vector<std::string>{"down 0", "open  9", "down 0"}));
}

TEST(URLLabelCursor, TheHandIsACursorWithItsHotSpotAtTheTopLeft) {
    ASSERT_TRUE(RegisterAutoURLLabelCursor(::GetModuleHandleA(nullptr)));
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(Screen::Cursor(crAutoURLLabel), &info));
    GdiObject<HBITMAP> mask(info.hbmMask), colour(info.hbmColor);
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot + info.yHotspot, 0u);
}

}  // namespace
