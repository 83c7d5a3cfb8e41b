// Hex and Decimal: the number texts of the detail lines.
#include "shared/NumberFormat.h"

std::string Hex(std::uint64_t value, int minDigits) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string digits;
    do {
        digits.insert(digits.begin(), kDigits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    if (static_cast<int>(digits.size()) < minDigits) digits.insert(0, minDigits - digits.size(), '0');
    return digits;
}

std::string Decimal(std::uint32_t value) {
    return std::to_string(static_cast<std::int32_t>(value));
}
