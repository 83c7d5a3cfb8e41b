// Scaling designed sizes to the screen and the whole-lines rule on the scaled values.
#include "shared/DisplayScale.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// Each value on its own, to the nearest pixel, halves away from zero as MulDiv rounds.
TEST(DisplayScale, ScalesToTheNearestPixelWithHalvesAwayFromZero) {
    const std::tuple<int, int, int> cases[] = {
        {593, 96, 593}, {593, 120, 741}, {593, 144, 890}, {593, 192, 1186}, {449, 144, 674},
        {13, 144, 20},  {-11, 120, -14}, {-11, 144, -17}, {-11, 192, -22},  {1, 144, 2},
        {1, 120, 1},    {0, 192, 0},     {5, 72, 4},      {-5, 72, -4},     {2147483647, 96, 2147483647}};
    for (const auto& [value, dpi, scaled] : cases) EXPECT_EQ(Scale(value, dpi), scaled) << value << " at " << dpi;
}

// The list's client loses the part of a line that does not fit, at every scale.
TEST(DisplayScale, WholeLinesTakeTheScaledLineHeight) {
    const std::tuple<int, int, int> cases[] = {
        {182, 13, 182}, {275, 20, 260}, {228, 16, 224}, {368, 26, 364}, {12, 13, 12}, {13, 13, 13}, {27, 13, 26}, {40, 0, 40}};
    for (const auto& [client, line, whole] : cases) EXPECT_EQ(WholeLinesHeight(client, line), whole) << client << "/" << line;
}

}  // namespace
