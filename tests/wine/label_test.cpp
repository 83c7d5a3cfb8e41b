// The shadow label TCoolLabel against a real window: where it paints its text and its shadow
// for each shadow position, and its disabled look, read back pixel by pixel.
#include <ostream>

#include "components/CoolCtrls.h"
#include "support/TestWindows.h"
#include "support/WindowPixels.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"

static bool operator==(const RECT& a, const RECT& b) { return ::EqualRect(&a, &b); }
static void PrintTo(const RECT& r, std::ostream* out) {
    *out << "{" << r.left << "," << r.top << " - " << r.right << "," << r.bottom << "}";
}

namespace {

// Plain colours that the bitmap font draws without blending; the host is white, its font blue.
constexpr COLORREF kWhite = RGB(255, 255, 255), kBlue = RGB(0, 0, 255), kRed = RGB(255, 0, 0), kGreen = RGB(0, 128, 0);
const std::string kCaption = "HIT";

class CoolLabels : public ::testing::Test {
protected:
    void SetUp() override {
        application.Initialize();
        host.Font().SetName("MS Sans Serif");  // the labels take it from their parent
        host.Font().SetHeight(-11);
        host.Font().SetColor(clBlue);
        host.SetBorderStyle(bsNone);
        host.SetBounds(40, 40, 320, 200);
        host.SetColor(clWhite);
        host.Show();
        TLabel& plain = *host.Own(std::make_unique<TLabel>(&host));  // where a plain label draws the caption
        plain.SetParent(&host);
        plain.SetCaption(kCaption);
        text = Ink(kBlue);
        host.DestroyComponent(&plain);
        label = host.Own(std::make_unique<TCoolLabel>(&host));  // 80 x 30 at 0, 0: red shadow of 3
        label->SetParent(&host);
        label->SetCaption(kCaption);
        label->SetAutoSize(false);
        label->SetBounds(0, 0, 80, 30);
        label->SetTransparent(true);
        label->SetShadowColor(0x000000FF);
        label->SetShadowSize(3);
    }
    // The bounds of every pixel of the host that is the colour; of all that is not white.
    RECT Ink(COLORREF colour) { return WindowPixels(host.Handle()).Bounds(colour); }
    RECT AllInk() { return WindowPixels(host.Handle()).Bounds(kWhite, {}, true); }

    TApplication application;
    TForm host{nullptr};
    RECT text{};
    TCoolLabel* label = nullptr;
};

TEST_F(CoolLabels, EachShadowPositionMovesTextOrShadowOnlyRightAndDownAndADisabledLabelIsEtched) {
    const struct {
        TCoolShadowPosition position;
        int textDx, textDy;  // the shadow takes the rest of the 3 pixels on each axis
    } cases[] = {{spLeftTop, 3, 3}, {spLeftBottom, 3, 0}, {spRightBottom, 0, 0}, {spRightTop, 0, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "ShadowPos " << int{c.position});
        label->SetShadowPos(c.position);
        EXPECT_EQ(Ink(kBlue), (RECT{text.left + c.textDx, text.top + c.textDy, text.right + c.textDx, text.bottom + c.textDy}));
        // Both copies: the caption's place and 3 pixels more right and down, never left or up.
        EXPECT_EQ(AllInk(), (RECT{text.left, text.top, text.right + 3, text.bottom + 3}));
        const RECT shadow = Ink(kRed);  // partly under the text; its outer edges show
        EXPECT_EQ(c.textDx == 0 ? shadow.right : shadow.left, c.textDx == 0 ? text.right + 3 : text.left);
        EXPECT_EQ(c.textDy == 0 ? shadow.bottom : shadow.top, c.textDy == 0 ? text.bottom + 3 : text.top);
    }
    label->SetShadowSize(0);  // exactly under the text
    EXPECT_EQ(Ink(kBlue), text);
    EXPECT_EQ(Ink(kRed), RECT{});

    // Disabled: no shadow whatever its size, and the etched look.
    label->SetShadowSize(3);
    label->SetTransparent(false);
    label->SetColor(0x00008000);  // green: the highlight may be the host's white
    label->SetEnabled(false);
    EXPECT_EQ(Ink(kRed), RECT{});
    EXPECT_EQ(Ink(kBlue), RECT{});
    EXPECT_EQ(Ink(ColorToRGB(clBtnShadow)), text);
    EXPECT_EQ(WindowPixels(host.Handle()).Bounds(kGreen, {0, 0, 80, 30}, true),
              (RECT{text.left, text.top, text.right + 1, text.bottom + 1}));
}

}  // namespace
