// The About tab's two labels against a real window: where the shadow label TCoolLabel paints
// its text and its shadow for each shadow position, and its disabled look, read back pixel by
// pixel; and TAutoURLLabel's URL that follows its caption, its shell call on every press
// (through a recording shell, so nothing opens), and its hand cursor resource.
#include <ostream>
#include <stdexcept>
#include <tuple>

#include "components/CoolCtrls.h"
#include "components/aurllabl.h"
#include "support/TestWindows.h"
#include "support/WindowPixels.h"
#include "toolkit/Form.h"
#include "toolkit/Screen.h"

static bool operator==(const RECT& a, const RECT& b) { return ::EqualRect(&a, &b); }
static void PrintTo(const RECT& r, std::ostream* out) {
    *out << "{" << r.left << "," << r.top << " - " << r.right << "," << r.bottom << "}";
}

namespace {

// Plain colours that the bitmap font draws without blending; the host is white, its font blue.
constexpr COLORREF kWhite = RGB(255, 255, 255), kBlue = RGB(0, 0, 255), kRed = RGB(255, 0, 0), kGreen = RGB(0, 128, 0);
const std::string kCaption = "HIT", kSite = "http://www.example.com/";

// The labels' host on screen. The fixture is also the URL label's shell: it writes down each
// open it is asked for, in one log with the label's mouse-down events and the errors shown.
class AboutLabels : public ::testing::Test, public platform::IShell {
protected:
    void ShellOpen(const char* operation, const char* file, int showCommand) override {
        log.push_back(std::string(operation) + " " + file + " " + std::to_string(showCommand));
        if (shellFails) throw std::runtime_error("no handler for this address");
    }
    void SetUp() override {
        application.Initialize();
        host.Font().SetName("MS Sans Serif"), host.Font().SetHeight(-11), host.Font().SetColor(clBlue);  // the labels' font
        host.SetBorderStyle(bsNone), host.SetBounds(40, 40, 320, 200), host.SetColor(clWhite), host.Show();
        shownErrors = ExceptionHandler();
        ExceptionHandler() = [this](const std::string& message) { log.push_back("error: " + message); };
    }
    void TearDown() override { ExceptionHandler() = shownErrors; }
    // The bounds of every pixel of the host that is the colour; of all that is not white.
    RECT Ink(COLORREF colour) { return WindowPixels(host.Handle()).Bounds(colour); }
    RECT AllInk() { return WindowPixels(host.Handle()).Bounds(kWhite, {}, true); }
    // A message to the host at a point over the link.
    void Send(UINT message, WPARAM keys = 0) { ::SendMessageA(host.Handle(), message, keys, MAKELPARAM(20, 15)); }

    std::vector<std::string> log;
    bool shellFails = false;
    TExceptionHandler shownErrors;
    TApplication application;
    TForm host{nullptr};
};

TEST_F(AboutLabels, EachShadowPositionMovesTextOrShadowOnlyRightAndDownAndADisabledLabelIsEtched) {
    TLabel& plain = *host.Own(std::make_unique<TLabel>(&host));  // where a plain label draws the caption
    plain.SetParent(&host), plain.SetCaption(kCaption);
    const RECT text = Ink(kBlue);
    host.DestroyComponent(&plain);
    TCoolLabel& label = *host.Own(std::make_unique<TCoolLabel>(&host));  // 80 x 30 at 0, 0: red shadow of 3
    label.SetParent(&host), label.SetCaption(kCaption), label.SetAutoSize(false), label.SetBounds(0, 0, 80, 30);
    label.SetTransparent(true), label.SetShadowColor(0x000000FF), label.SetShadowSize(3);
    const struct {
        TCoolShadowPosition position;
        int textDx, textDy;  // the shadow takes the rest of the 3 pixels on each axis
    } cases[] = {{spLeftTop, 3, 3}, {spLeftBottom, 3, 0}, {spRightBottom, 0, 0}, {spRightTop, 0, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "ShadowPos " << int{c.position});
        label.SetShadowPos(c.position);
        EXPECT_EQ(Ink(kBlue), (RECT{text.left + c.textDx, text.top + c.textDy, text.right + c.textDx, text.bottom + c.textDy}));
        // Both copies: the caption's place and 3 pixels more right and down, never left or up.
        EXPECT_EQ(AllInk(), (RECT{text.left, text.top, text.right + 3, text.bottom + 3}));
        const RECT shadow = Ink(kRed);  // partly under the text; its outer edges show
        EXPECT_EQ(c.textDx == 0 ? shadow.right : shadow.left, c.textDx == 0 ? text.right + 3 : text.left);
        EXPECT_EQ(c.textDy == 0 ? shadow.bottom : shadow.top, c.textDy == 0 ? text.bottom + 3 : text.top);
    }
    label.SetShadowSize(0);  // exactly under the text
    EXPECT_EQ(std::pair(Ink(kBlue), Ink(kRed)), std::pair(text, RECT{}));

    // Disabled: no shadow whatever its size, and the etched look.
    label.SetShadowSize(3), label.SetTransparent(false);
    label.SetColor(0x00008000);  // green: the highlight may be the host's white
    label.SetEnabled(false);
    EXPECT_EQ(std::tuple(Ink(kRed), Ink(kBlue), Ink(ColorToRGB(clBtnShadow))), std::tuple(RECT{}, RECT{}, text));
    EXPECT_EQ(WindowPixels(host.Handle()).Bounds(kGreen, {0, 0, 80, 30}, true),
              (RECT{text.left, text.top, text.right + 1, text.bottom + 1}));
}

TEST_F(AboutLabels, TheURLFollowsTheCaptionUntilSetApartEveryPressOpensItAfterTheMouseDownAndTheHandIsACursor) {
    TAutoURLLabel link{nullptr};
    link.SetParent(&host), link.SetShell(*this), link.SetBounds(10, 10, 150, 15);
    link.OnMouseDown = [this](TObject*, TMouseButton button, TShiftState, int, int) {
        log.push_back("down " + std::to_string(button));
    };
    link.SetCaption("A"), link.SetURL("C"), link.SetCaption("D");
    EXPECT_EQ(link.Caption() + link.URL(), "DC");  // set apart: the URL stays
    for (const std::string url : {"D", ""}) {  // equal to the caption again, or empty: it follows again
        link.SetURL(url), link.SetCaption("E" + url);
        EXPECT_EQ(link.URL(), "E" + url);
    }
    link.SetCaption(kSite);

    // Left, right, middle, and the second press of a double click (with Shift held).
    for (auto [press, keys, release] : {std::tuple{WM_LBUTTONDOWN, MK_LBUTTON, WM_LBUTTONUP},
                                        std::tuple{WM_RBUTTONDOWN, MK_RBUTTON, WM_RBUTTONUP},
                                        std::tuple{WM_MBUTTONDOWN, MK_MBUTTON, WM_MBUTTONUP},
                                        std::tuple{WM_LBUTTONDBLCLK, MK_LBUTTON | MK_SHIFT, WM_LBUTTONUP}}) {
        Send(press, keys);
        Send(release);
    }
    const std::string open = "open " + kSite + " 9";  // SW_RESTORE
    EXPECT_EQ(log, (std::vector<std::string>{"down 0", open, "down 1", open, "down 2", open, "down 0", open}));

    log.clear();
    link.SetURL("");    // a caption with no URL still calls the shell, with an empty name
    shellFails = true;  // and whatever the shell does, no error comes of it
    Send(WM_LBUTTONDOWN, MK_LBUTTON);
    link.SetCaption("");  // an empty caption opens nothing, whatever its URL
    link.SetURL(kSite);
    Send(WM_LBUTTONDOWN, MK_LBUTTON);
    EXPECT_EQ(log, (std::vector<std::string>{"down 0", "open  9", "down 0"}));

    // The hand: a cursor with its hot spot at the top left.
    ASSERT_TRUE(RegisterAutoURLLabelCursor(::GetModuleHandleA(nullptr)));
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(Screen::Cursor(crAutoURLLabel), &info));
    GdiObject<HBITMAP> mask(info.hbmMask), colour(info.hbmColor);
    EXPECT_TRUE(!info.fIcon && info.xHotspot + info.yHotspot == 0);
}

}  // namespace
