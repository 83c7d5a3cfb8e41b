// TAutoURLLabel: the URL that follows its caption, the shell call on every press (through a
// recording shell, so nothing opens), the hand cursor on mouse move, and the cursor resource.
#include <stdexcept>
#include <tuple>

#include "components/aurllabl.h"
#include "support/TestWindows.h"
#include "toolkit/Form.h"
#include "toolkit/Layout.h"

namespace {

// The fixture is the labels' shell: it writes down each open it is asked for, in one log
// with the labels' mouse-down events and the errors shown.
class URLLabels : public ::testing::Test, public platform::IShell {
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
        link = Add("http://www.example.com/");
        link->SetBounds(10, 10, 150, 15);
        shownErrors = ExceptionHandler();
        ExceptionHandler() = [this](const std::string& message) { log.push_back("error: " + message); };
    }
    void TearDown() override { ExceptionHandler() = shownErrors; }

    TAutoURLLabel* Add(const std::string& caption) {
        auto* label = host.Own(std::make_unique<TAutoURLLabel>(&host));
        label->SetParent(&host);
        label->SetShell(*this);
        label->SetCaption(caption);
        label->OnMouseDown = [this](TObject*, TMouseButton button, TShiftState, int, int) {
            log.push_back("down " + std::to_string(button));
        };
        return label;
    }
    // A message to the host at a point over the link.
    void Send(UINT message, WPARAM keys = 0) { ::SendMessageA(host.Handle(), message, keys, MAKELPARAM(20, 15)); }

    std::vector<std::string> log;
    bool shellFails = false;
    TExceptionHandler shownErrors;
    TApplication application;
    TForm host{nullptr};
    TAutoURLLabel* link = nullptr;
};

TEST_F(URLLabels, TheURLFollowsTheCaptionUntilSetApart) {
    TAutoURLLabel& label = *Add("A");
    EXPECT_EQ(label.URL(), "A");
    label.SetURL("C");
    EXPECT_EQ(label.Caption(), "A");  // the caption stays
    label.SetCaption("D");
    EXPECT_EQ(label.URL(), "C");
    // Equal to the caption again, or empty: it follows again.
    for (const std::string url : {"D", ""}) {
        label.SetURL(url);
        label.SetCaption("E" + url);
        EXPECT_EQ(label.URL(), "E" + url);
    }
}

TEST_F(URLLabels, ACaptionChangeKeepsTheSizeWhileLoadingAndFontsMeasureAgain) {
    const int width = link->Width();
    link->SetCaption("a much longer address than the one before it");
    EXPECT_EQ(link->Width(), width);

    BuildLayout(host, {{"AutoURLLabel1", "urllabel", "", 5, 50, 245, 13,
                        {{"Caption", "Example  http://www.example.com/"}, {"URL", "http://www.example.com/"}}}});
    auto* loaded = host.Control<TAutoURLLabel>("AutoURLLabel1");
    EXPECT_EQ(loaded->URL(), "http://www.example.com/");  // the stored URL replaces the caption's
    const int measured = TextWidthOnScreen(static_cast<const TAutoURLLabel*>(loaded)->Font(), loaded->Caption());
    EXPECT_EQ(loaded->Width(), measured);  // sized once loaded
    loaded->SetCaption("Example");
    EXPECT_EQ(loaded->Width(), measured);
    EXPECT_EQ(loaded->URL(), "http://www.example.com/");
    loaded->Font().SetStyle(0);  // a new font measures the caption again
    EXPECT_EQ(loaded->Width(), TextWidthOnScreen(static_cast<const TAutoURLLabel*>(loaded)->Font(), "Example"));
}

TEST_F(URLLabels, EveryPressOfEveryButtonOpensTheURLAfterTheMouseDownEvent) {
    // Left, right, middle, and the second press of a double click (with Shift held).
    for (auto [press, keys, release] : {std::tuple{WM_LBUTTONDOWN, MK_LBUTTON, WM_LBUTTONUP},
                                        std::tuple{WM_RBUTTONDOWN, MK_RBUTTON, WM_RBUTTONUP},
                                        std::tuple{WM_MBUTTONDOWN, MK_MBUTTON, WM_MBUTTONUP},
                                        std::tuple{WM_LBUTTONDBLCLK, MK_LBUTTON | MK_SHIFT, WM_LBUTTONUP}}) {
        Send(press, keys);
        Send(release);
    }
    const std::string open = "open http://www.example.com/ 9";
    EXPECT_EQ(log, (std::vector<std::string>{"down 0", open, "down 1", open, "down 2", open, "down 0", open}));

    log.clear();
    link->SetURL("");  // a caption with no URL still calls the shell, with an empty name
    shellFails = true;  // and whatever the shell does, no error comes of it
    Send(WM_LBUTTONDOWN, MK_LBUTTON);
    Send(WM_LBUTTONUP);
    EXPECT_EQ(log, (std::vector<std::string>{"down 0", "open  9"}));

    log.clear();
    link->SetCaption("");  // an empty caption opens nothing, whatever its URL
    link->SetURL("http://www.example.com/");
    Send(WM_LBUTTONDOWN, MK_LBUTTON);
    EXPECT_EQ(log, (std::vector<std::string>{"down 0"}));
}

TEST_F(URLLabels, MovingOverACaptionedLinkGivesItTheHandForGood) {
    ASSERT_TRUE(RegisterAutoURLLabelCursor(::GetModuleHandleA(nullptr)));
    int moves = 0;
    link->OnMouseMove = [&](TObject*, TShiftState, int, int) { ++moves; };
    EXPECT_EQ(link->Cursor(), crDefault);
    Send(WM_MOUSEMOVE);
    EXPECT_EQ(moves, 1);
    EXPECT_EQ(link->Cursor(), crAutoURLLabel);
    link->SetCaption("");
    Send(WM_MOUSEMOVE);
    EXPECT_EQ(link->Cursor(), crAutoURLLabel);

    // The pointer over the link then shows the hand.
    POINT over{20, 15};
    ::ClientToScreen(host.Handle(), &over);
    ::SetCursorPos(over.x, over.y);
    ::SendMessageA(host.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(host.Handle()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::GetCursor(), Screen::Cursor(crAutoURLLabel));

    link->SetCursor(7);  // without a caption the cursor stays as it is
    Send(WM_MOUSEMOVE);
    EXPECT_EQ(link->Cursor(), 7);
}

TEST(URLLabelCursor, TheHandIsACursorWithItsHotSpotAtTheTopLeftFiveLeftOfTheFingertip) {
    HCURSOR hand = ::LoadCursorA(::GetModuleHandleA(nullptr), "AUTOURLLABELCURSOR");
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(hand, &info));
    GdiObject<HBITMAP> mask(info.hbmMask), colour(info.hbmColor);
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 0u);
    EXPECT_EQ(info.yHotspot, 0u);
    ScopedMemoryDC memory(nullptr);
    ScopedSelect select(memory.get(), mask.get());
    EXPECT_EQ(::GetPixel(memory.get(), 5, 0), 0u);  // opaque: a black AND bit
    EXPECT_NE(::GetPixel(memory.get(), 4, 0), 0u);

    // A module without the resource registers nothing and leaves the table as it was.
    const HCURSOR before = Screen::Cursor(crAutoURLLabel);
    EXPECT_FALSE(RegisterAutoURLLabelCursor(::GetModuleHandleA("kernel32.dll")));
    EXPECT_EQ(Screen::Cursor(crAutoURLLabel), before);
}

}  // namespace
