// Hex and Decimal: padding, values that need more digits, and the sign of decimal.
#include "shared/NumberFormat.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(NumberFormat, HexIsUpperCaseZeroFilledToTheMinimumButNeverCutAndPointerWideValuesPrintInFull) {
    const struct {
        std::uint64_t value;
        int digits;
        const char* text;
    } cases[] = {{0, 4, "0000"},         {0x1A2B, 4, "1A2B"},          {0x12345, 4, "12345"},
                 {0x12, 8, "00000012"},  {0x80000000, 8, "80000000"},  {0, 0, "0"},
                 {0x140000000, 8, "140000000"}, {0x7FFAB0C10000, 8, "7FFAB0C10000"},
                 {UINT64_MAX, 8, "FFFFFFFFFFFFFFFF"}};
    for (const auto& c : cases) EXPECT_EQ(Hex(c.value, c.digits), c.text);
}

TEST(NumberFormat, DecimalReadsTheValueAsSigned32Bit) {
    EXPECT_EQ(Decimal(2147483647), "2147483647");
    EXPECT_EQ(Decimal(0x80000000), "-2147483648");
    EXPECT_EQ(Decimal(0xFFFFFFFF), "-1");
    EXPECT_EQ(Decimal(std::int32_t{-8}), "-8");  // a signed field passes through unchanged
}

}  // namespace
