// Hex and Decimal: padding, values that need more digits, and the sign of decimal.
#include "shared/NumberFormat.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// Hex is upper case, zero-filled to the minimum but never cut; decimal reads a signed 32-bit value.
TEST(NumberFormat, HexPadsButNeverCutsAndDecimalIsSigned32Bit) {
    const std::pair<std::string, const char*> cases[] = {
        {Hex(0, 4), "0000"},         {Hex(0x1A2B, 4), "1A2B"},          {Hex(0x12345, 4), "12345"},
        {Hex(0x12, 8), "00000012"},  {Hex(0, 0), "0"}, {Hex(0x7FFAB0C10000, 8), "7FFAB0C10000"},
        {Hex(UINT64_MAX, 8), "FFFFFFFFFFFFFFFF"},  {Decimal(2147483647), "2147483647"},
        {Decimal(0x80000000), "-2147483648"},    {Decimal(0xFFFFFFFF), "-1"},
        {Decimal(std::int32_t{-8}), "-8"}};  // a signed field passes through unchanged
    for (const auto& [shown, text] : cases) EXPECT_EQ(shown, text);
}

}  // namespace
