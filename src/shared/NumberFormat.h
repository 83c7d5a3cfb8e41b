// The two ways the pages print numbers: hexadecimal ("hex 4", "hex 8") and signed decimal.
#pragma once

#include <cstdint>
#include <string>

// Upper-case hexadecimal digits, no prefix, zero-filled on the left to at least minDigits;
// a value that needs more digits is printed in full (pointer-wide values included).
// Hex(0x12, 4) is "0012", Hex(0x12345, 4) is "12345".
std::string Hex(std::uint64_t value, int minDigits);

// The 32-bit value read as signed, without leading zeros: Decimal(0x80000000) is
// "-2147483648". Signed 32-bit values convert to it unchanged; one overload only, so that
// a DWORD (unsigned long) argument is never ambiguous.
std::string Decimal(std::uint32_t value);
