// Hex and Decimal: padding, values that need more digits, and the sign of decimal.
#include "shared/NumberFormat.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(NumberFormat, HexIsUpperCaseZeroFilledToTheMinimumButNeverCut) {
    EXPECT_EQ(Hex(0, 4), "0000");
    EXPECT_EQ(Hex(0x12, 4), "0012");
    EXPECT_EQ(Hex(0x1A2B, 4), "1A2B");
    EXPECT_EQ(Hex(0x12345, 4), "12345");
    EXPECT_EQ(Hex(0xABCDEF, 4), "ABCDEF");
    EXPECT_EQ(Hex(0x12, 8), "00000012");
    EXPECT_EQ(Hex(0xFFFFFFFF, 4), "FFFFFFFF");
    EXPECT_EQ(Hex(0x80000000, 8), "80000000");  // top bit set: no sign
    EXPECT_EQ(Hex(0, 0), "0");
}

TEST(NumberFormat, PointerWideValuesPrintInFull) {
    EXPECT_EQ(Hex(0x140000000, 8), "140000000");
    EXPECT_EQ(Hex(0x7FFAB0C10000, 8), "7FFAB0C10000");
    EXPECT_EQ(Hex(UINT64_MAX, 8), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(Hex(0x400000, 8), "00400000");
}

TEST(NumberFormat, DecimalReadsTheValueAsSigned32Bit) {
    EXPECT_EQ(Decimal(0), "0");
    EXPECT_EQ(Decimal(10), "10");
    EXPECT_EQ(Decimal(2147483647), "2147483647");
    EXPECT_EQ(Decimal(0x80000000), "-2147483648");
    EXPECT_EQ(Decimal(0xFFFFFFFF), "-1");
    EXPECT_EQ(Decimal(std::int32_t{-8}), "-8");  // a signed field passes through unchanged
}

}  // namespace
