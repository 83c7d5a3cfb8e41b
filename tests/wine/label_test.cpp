// TLabel and its shadow label TCoolLabel against real windows: the automatic size, and what
// they paint on their parent, read back pixel by pixel: background, alignment, vertical
// layout; the shadow label's shadow, disabled look, frame and wallpaper, and its setters' rules.
#include <ostream>
#include <type_traits>

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
constexpr TColor kRedColor = 0x000000FF, kGreenColor = 0x00008000;
const std::string kCaption = "HIT";

RECT Shifted(RECT rect, int dx, int dy) {
    ::OffsetRect(&rect, dx, dy);
    return rect;
}

class Labels : public ::testing::Test {
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
    }
    template <class Label = TLabel>
    Label& Add(const std::string& caption) {
        auto* label = host.Own(std::make_unique<Label>(&host));
        label->SetParent(&host);
        label->SetCaption(caption);
        return *label;
    }
    // A transparent shadow label at 0, 0 in the host's font: blue text, red shadow.
    template <class Label = TCoolLabel>
    Label& AddCool(const std::string& caption, int width, int height) {
        Label& label = Add<Label>(caption);
        label.SetAutoSize(false);
        label.SetBounds(0, 0, width, height);
        label.SetTransparent(true);
        label.SetShadowColor(kRedColor);
        return label;
    }
    const TFont& HostFont() const { return static_cast<const TForm&>(host).Font(); }
    // The bounds of every pixel of the host that is the colour; of all that is not white.
    RECT Ink(COLORREF colour) { return WindowPixels(host.Handle()).Bounds(colour); }
    RECT AllInk() { return WindowPixels(host.Handle()).InkBounds({0, 0, 320, 200}, kWhite); }
    // Where the plain label draws the caption.
    RECT PlainInk() {
        TLabel& plain = Add(kCaption);
        const RECT ink = Ink(kBlue);
        host.DestroyComponent(&plain);
        return ink;
    }

    TApplication application;
    TForm host{nullptr};
};
class CoolLabels : public Labels {};

TEST_F(Labels, AutoSizeTakesTheSizeOfTheCaptionAsShown) {
    TLabel& label = Add("Velqorns!\tv 1.0");
    const SIZE text = MeasureText(HostFont(), "Velqorns!\tv 1.0");
    EXPECT_EQ(label.Width(), text.cx);
    EXPECT_EQ(label.Height(), text.cy);

    label.SetCaption("&Open");  // the accelerator mark takes no room
    EXPECT_EQ(label.Width(), TextWidthOnScreen(HostFont(), "Open"));
    label.SetShowAccelChar(false);
    EXPECT_EQ(label.Width(), TextWidthOnScreen(HostFont(), "&Open"));

    label.SetCaption("");  // one line high, as a blank
    const SIZE blank = MeasureText(HostFont(), " ");
    EXPECT_EQ(label.Height(), blank.cy);
    EXPECT_EQ(label.Width(), blank.cx);

    label.SetAutoSize(false);
    label.SetCaption("A much longer caption than before");
    EXPECT_EQ(label.Width(), blank.cx);
}

TEST_F(Labels, AnOpaqueLabelFillsItsBackgroundATransparentOneShowsItsParent) {
    TLabel& label = Add("x");
    label.SetAutoSize(false);
    label.SetBounds(10, 10, 100, 20);
    label.SetColor(kGreenColor);
    EXPECT_EQ(WindowPixels(host.Handle()).At(80, 15), kGreen);
    EXPECT_EQ(WindowPixels(host.Handle()).At(115, 15), kWhite);  // beside it

    label.SetTransparent(true);
    const WindowPixels pixels(host.Handle());
    EXPECT_EQ(pixels.At(80, 15), kWhite);
    EXPECT_TRUE(pixels.Contains({10, 10, 20, 30}, kBlue));  // the caption still shows
}

TEST_F(Labels, AlignmentAndLayoutPlaceTheCaptionInTheLabel) {
    const RECT text = PlainInk();  // the caption drawn at 0, 0
    const SIZE size = MeasureText(HostFont(), kCaption);
    TLabel& label = Add(kCaption);
    label.SetAutoSize(false);
    label.SetBounds(10, 10, 200, 60);
    const struct {
        TAlignment alignment;
        TTextLayout layout;
        int left, top;
    } cases[] = {{taLeftJustify, tlTop, 10, 10},
                 {taRightJustify, tlTop, 210 - size.cx, 10},
                 {taCenter, tlBottom, 10 + (200 - size.cx) / 2, 70 - size.cy},
                 {taCenter, tlCenter, 10 + (200 - size.cx) / 2, 10 + (60 - size.cy) / 2}};
    for (const auto& c : cases) {
        label.SetAlignment(c.alignment);
        label.SetLayout(c.layout);
        EXPECT_EQ(Ink(kBlue), Shifted(text, c.left, c.top)) << c.alignment << " " << c.layout;
    }
}

TEST_F(CoolLabels, EachShadowPositionMovesTextOrShadowOnlyRightAndDown) {
    const RECT text = PlainInk();
    struct Case {
        TCoolShadowPosition position;
        int textDx, textDy;  // the shadow takes the rest of the 3 pixels on each axis
    };
    TCoolLabel& label = AddCool(kCaption, 80, 30);
    label.SetShadowSize(3);
    for (const Case& c : {Case{spLeftTop, 3, 3}, Case{spLeftBottom, 3, 0}, Case{spRightBottom, 0, 0},
                          Case{spRightTop, 0, 3}}) {
        SCOPED_TRACE(testing::Message() << "ShadowPos " << int{c.position});
        label.SetShadowPos(c.position);
        EXPECT_EQ(Ink(kBlue), Shifted(text, c.textDx, c.textDy));
        // Both copies: the caption's place and 3 pixels more right and down, never left or up.
        EXPECT_EQ(AllInk(), (RECT{text.left, text.top, text.right + 3, text.bottom + 3}));
        const RECT shadow = Ink(kRed);  // partly under the text; its outer edges show
        EXPECT_EQ(c.textDx == 0 ? shadow.right : shadow.left, c.textDx == 0 ? text.right + 3 : text.left);
        EXPECT_EQ(c.textDy == 0 ? shadow.bottom : shadow.top, c.textDy == 0 ? text.bottom + 3 : text.top);
    }
    label.SetShadowSize(0);  // exactly under the text
    EXPECT_EQ(Ink(kBlue), text);
    EXPECT_EQ(Ink(kRed), RECT{});
}

TEST_F(CoolLabels, ADisabledLabelIgnoresItsShadowAndShowsTheEtchedLook) {
    const RECT text = PlainInk();
    TCoolLabel& label = AddCool(kCaption, 80, 30);
    label.SetShadowSize(3);
    label.SetTransparent(false);
    label.SetColor(kGreenColor);  // the highlight may be the host's white
    label.SetEnabled(false);
    EXPECT_EQ(Ink(kRed), RECT{});
    EXPECT_EQ(Ink(kBlue), RECT{});
    EXPECT_EQ(Ink(ColorToRGB(clBtnShadow)), text);
    const WindowPixels pixels(host.Handle());
    EXPECT_EQ(pixels.InkBounds({0, 0, 80, 30}, kGreen), (RECT{text.left, text.top, text.right + 1, text.bottom + 1}));
}

TEST_F(CoolLabels, VerticalLayoutCountsTheTextsOwnShiftButNotTheShadows) {
    const RECT text = PlainInk();
    const int h = MeasureText(static_cast<const TForm&>(host).Font(), kCaption).cy;
    struct Case {
        TTextLayout layout;
        TCoolShadowPosition position;
        int height, textTop;
    };
    const Case cases[] = {
        {tlBottom, spLeftTop, 40, 40 - h},  // the block is the text's 3-pixel shift and its height
        {tlBottom, spRightBottom, 40, 40 - h},  // the shadow below falls outside the label
        {tlCenter, spLeftTop, 40, (40 - 3 - h) / 2 + 3},
        {tlCenter, spRightBottom, 40, (40 - h) / 2},
        {tlCenter, spLeftTop, h, -1 + 3},  // -3 / 2 cut toward zero
        {tlCenter, spRightBottom, h - 1, 0},  // -1 / 2 cut toward zero
    };
    TCoolLabel& label = AddCool(kCaption, 80, 40);
    label.SetShadowSize(3);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "Layout " << int{c.layout} << ", ShadowPos " << int{c.position});
        label.SetHeight(c.height);
        label.SetShadowPos(c.position);
        label.SetLayout(c.layout);
        EXPECT_EQ(Ink(kBlue), Shifted(text, c.position == spLeftTop ? 3 : 0, c.textTop));
    }
}

TEST_F(CoolLabels, ALoweredBevelIsAOnePixelSunkenFrameWithTheTextJustInside) {
    const RECT text = PlainInk();
    TCoolLabel& label = AddCool(kCaption, 80, 20);
    label.SetShadowPos(spRightBottom);
    label.SetTransparent(false);
    label.SetColor(kGreenColor);
    label.SetBevelOuter(bvLowered);
    label.SetBevelsOffset(1);
    const WindowPixels pixels(host.Handle());
    const COLORREF dark = ColorToRGB(clBtnShadow), light = ColorToRGB(clBtnHighlight);
    // Whether every pixel of the area has the colour: no ink on that background.
    const auto all = [&](const RECT& area, COLORREF colour) { return pixels.InkBounds(area, colour).left == area.right; };
    EXPECT_TRUE(all({1, 0, 78, 1}, dark) && all({0, 1, 1, 18}, dark));        // top and left
    EXPECT_TRUE(all({1, 19, 78, 20}, light) && all({79, 1, 80, 18}, light));  // bottom and right
    EXPECT_EQ(pixels.At(78, 10), kGreen);
    EXPECT_EQ(pixels.At(60, 18), kGreen);
    EXPECT_EQ(Ink(kBlue), Shifted(text, 1, 1));

    label.SetBevelInner(bvRaised);  // inner and outer: two lines
    label.SetBevelsOffset(2);
    EXPECT_NE(WindowPixels(host.Handle()).At(1, 10), kGreen);
    EXPECT_EQ(WindowPixels(host.Handle()).At(2, 10), kGreen);
    EXPECT_EQ(Ink(kBlue), Shifted(text, 2, 2));

    label.SetBevelInner(bvNone);
    label.SetBevelOuter(bvNone);
    label.SetBevelsOffset(3);  // without a frame the offset insets nothing
    EXPECT_EQ(Ink(kBlue), text);
}

// A bitmap whose every pixel tells where it lies in it.
COLORREF PatternAt(int x, int y) { return RGB(x * 3, y * 5, 200); }

GdiObject<HBITMAP> PatternBitmap(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    GdiObject<HBITMAP> bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            static_cast<RGBQUAD*>(bits)[y * width + x] = {200, static_cast<BYTE>(y * 5), static_cast<BYTE>(x * 3), 0};
    return bitmap;
}

TEST_F(CoolLabels, AWallpaperIsTiledFromTheTopLeftCornerAndCutAtTheEdges) {
    TCoolLabel& label = AddCool("", 50, 20);  // transparent: the wallpaper, not the parent, shows
    const auto mismatches = [&](int tileWidth, int tileHeight) {
        const WindowPixels pixels(host.Handle());
        int wrong = pixels.At(50, 5) != kWhite || pixels.At(5, 20) != kWhite;  // nothing beyond the label
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 50; ++x) wrong += pixels.At(x, y) != PatternAt(x % tileWidth, y % tileHeight);
        return wrong;
    };
    label.SetWallpaper(PatternBitmap(8, 6).get());  // the label keeps a copy of its own
    EXPECT_EQ(mismatches(8, 6), 0);
    label.SetWallpaper(PatternBitmap(64, 40).get());
    EXPECT_EQ(mismatches(64, 40), 0);
    label.SetWallpaper(nullptr);
    EXPECT_EQ(WindowPixels(host.Handle()).Count(kWhite), 320 * 200);
}

TEST_F(CoolLabels, ShadowChangesEndTheOneWaySimpleViewAndABevelOffsetEndsAutoSize) {
    TCoolLabel& label = AddCool(kCaption, 80, 30);
    label.Font().SetColor(kGreenColor);
    label.SetSimpleView(true);
    EXPECT_EQ(label.ShadowColor(), kGreenColor);
    EXPECT_EQ(label.ShadowSize(), 0);
    label.SetShadowColor(kGreenColor);  // the value it has: still simple
    EXPECT_TRUE(label.SimpleView());
    label.Font().SetColor(clBlue);  // copied once, not followed
    label.SetSimpleView(false);     // restores nothing
    EXPECT_EQ(label.ShadowColor(), kGreenColor);
    EXPECT_EQ(label.ShadowSize(), 0);
    for (int change = 0; change < 3; ++change) {
        label.SetSimpleView(true);
        if (change == 0) label.SetShadowColor(kRedColor);
        if (change == 1) label.SetShadowSize(4);
        if (change == 2) label.SetShadowPos(spLeftBottom);
        EXPECT_FALSE(label.SimpleView()) << change;
    }

    label.SetAutoSize(true);
    label.SetBevelsOffset(3);
    EXPECT_FALSE(label.AutoSize());
    label.SetAutoSize(true);
    label.SetBevelsOffset(0);  // back to 0 leaves AutoSize as it is
    EXPECT_TRUE(label.AutoSize());
}

}  // namespace
