// Scaling designed sizes to the screen and the whole-lines rule on the scaled values.
#include "shared/DisplayScale.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// Each value on its own, to the nearest pixel, halves away from zero as MulDiv rounds; a list's
// client then loses the part of a scaled line that does not fit.
TEST(DisplayScale, ScalesToTheNearestPixelHalvesAwayFromZeroAndKeepsWholeLines) {
    const std::tuple<int, int, int> scaled[] = {{593, 120, 741}, {593, 144, 890}, {593, 192, 1186}, {449, 144, 674},
                                                {-11, 120, -14}, {-11, 144, -17}, {1, 144, 2},       {1, 120, 1},
                                                {-5, 72, -4},    {2147483647, 96, 2147483647}};
    for (const auto& [value, dpi, result] : scaled) EXPECT_EQ(Scale(value, dpi), result) << value << " at " << dpi;
    const std::tuple<int, int, int> lines[] = {{182, 13, 182}, {275, 20, 260}, {368, 26, 364}, {13, 13, 13}, {27, 13, 26}, {40, 0, 40}};
    for (const auto& [client, line, whole] : lines) EXPECT_EQ(WholeLinesHeight(client, line), whole) << client << "/" << line;
}

}  // namespace
