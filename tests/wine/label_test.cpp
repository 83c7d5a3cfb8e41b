// TLabel against real windows: its automatic size, and what it paints on its parent
// (background, alignment, vertical layout, disabled look), read back pixel by pixel.
#include "support/TestWindows.h"
#include "support/WindowPixels.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"

namespace {

constexpr TColor kGreen = 0x00008000;

class Labels : public ::testing::Test {
protected:
    void SetUp() override {
        application.Initialize();
        host.Font().SetName("MS Sans Serif");  // the labels take it from their parent
        host.Font().SetHeight(-11);
        host.SetBorderStyle(bsNone);
        host.SetBounds(40, 40, 320, 200);
        host.SetColor(kGreen);
        host.Show();
    }

    TLabel& Add(const std::string& caption) {
        auto* label = host.Own(std::make_unique<TLabel>(&host));
        label->SetParent(&host);
        label->SetCaption(caption);
        return *label;
    }
    const TFont& HostFont() const { return static_cast<const TForm&>(host).Font(); }
    int PlainWidth(const std::string& text) const { return TextWidthOnScreen(HostFont(), text); }

    TApplication application;
    TForm host{nullptr};
};

TEST_F(Labels, AutoSizeTakesTheSizeOfTheCaptionAsShown) {
    TLabel& label = Add("Velqorns!\tv 1.0");
    const SIZE text = MeasureText(HostFont(), "Velqorns!\tv 1.0");
    EXPECT_EQ(label.Width(), text.cx);
    EXPECT_EQ(label.Height(), text.cy);

    label.SetCaption("&Open");  // the accelerator mark takes no room
    EXPECT_EQ(label.Width(), PlainWidth("Open"));
    label.SetShowAccelChar(false);
    EXPECT_EQ(label.Width(), PlainWidth("&Open"));

    label.SetCaption("");  // one line high, as a blank
    const SIZE blank = MeasureText(HostFont(), " ");
    EXPECT_EQ(label.Height(), blank.cy);
    EXPECT_EQ(label.Width(), blank.cx);

    label.SetAutoSize(false);
    label.SetCaption("A much longer caption than before");
    EXPECT_EQ(label.Width(), blank.cx);
}

TEST_F(Labels, RightAlignedAutoSizeKeepsTheRightEdgeAndWordWrapGrowsDownwards) {
    TLabel& right = Add("short");
    right.SetAlignment(taRightJustify);
    right.SetLeft(100);
    const int edge = right.Left() + right.Width();
    right.SetCaption("a good deal longer");
    EXPECT_EQ(right.Left() + right.Width(), edge);
    EXPECT_EQ(right.Width(), MeasureText(HostFont(), "a good deal longer").cx);

    TLabel& wrapped = Add("one two three four");
    wrapped.SetAutoSize(false);
    wrapped.SetWidth(50);
    wrapped.SetWordWrap(true);
    wrapped.SetAutoSize(true);  // wraps within the width it has
    const SIZE lines = MeasureText(HostFont(), "one two three four", DT_WORDBREAK, 50);
    EXPECT_EQ(wrapped.Height(), lines.cy);
    EXPECT_GE(wrapped.Height(), 2 * MeasureText(HostFont(), "one").cy);
}

TEST_F(Labels, AnOpaqueLabelFillsItsBackgroundATransparentOneShowsItsParent) {
    TLabel& label = Add("x");
    label.SetAutoSize(false);
    label.SetBounds(10, 10, 100, 20);
    label.SetColor(clWhite);
    EXPECT_EQ(WindowPixels(host.Handle()).At(80, 15), RGB(255, 255, 255));
    EXPECT_EQ(WindowPixels(host.Handle()).At(115, 15), RGB(0, 128, 0));  // beside it

    label.SetTransparent(true);
    const WindowPixels pixels(host.Handle());
    EXPECT_EQ(pixels.At(80, 15), RGB(0, 128, 0));
    EXPECT_TRUE(pixels.Contains({10, 10, 20, 30}, RGB(0, 0, 0)));  // the caption still shows
}

TEST_F(Labels, AlignmentAndLayoutPlaceTheCaptionInTheLabel) {
    TLabel& label = Add("Wg");
    label.SetAutoSize(false);
    label.SetBounds(10, 10, 200, 60);
    label.SetColor(clWhite);
    const SIZE text = MeasureText(HostFont(), "Wg");
    const RECT area{10, 10, 210, 70};
    const auto inkOf = [&] { return WindowPixels(host.Handle()).InkBounds(area, RGB(255, 255, 255)); };
    // The ink of the caption lies inside the text box where alignment and layout put it.
    const auto expectInside = [&](const RECT& ink, int left, int top) {
        EXPECT_GE(ink.left, left);
        EXPECT_LE(ink.right, left + text.cx);
        EXPECT_GE(ink.top, top);
        EXPECT_LE(ink.bottom, top + text.cy);
    };

    expectInside(inkOf(), 10, 10);
    label.SetAlignment(taRightJustify);
    expectInside(inkOf(), 210 - text.cx, 10);
    label.SetAlignment(taCenter);
    label.SetLayout(tlBottom);
    expectInside(inkOf(), 10 + (200 - text.cx) / 2, 70 - text.cy);
    label.SetLayout(tlCenter);
    expectInside(inkOf(), 10 + (200 - text.cx) / 2, 10 + (60 - text.cy) / 2);
}

TEST_F(Labels, ADisabledLabelShowsTheEtchedLook) {
    TLabel& label = Add("Disabled");
    label.SetColor(kGreen);
    label.SetEnabled(false);
    const WindowPixels pixels(host.Handle());
    const RECT area = label.BoundsRect();
    EXPECT_TRUE(pixels.Contains(area, ColorToRGB(clBtnShadow)));
    EXPECT_TRUE(pixels.Contains(area, ColorToRGB(clBtnHighlight)));
    EXPECT_FALSE(pixels.Contains(area, ColorToRGB(clWindowText)));
}

}  // namespace
