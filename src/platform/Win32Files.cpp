// Executable types of files and the locale's text order.
#include "platform/Win32Platform.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>

namespace platform {

namespace {

constexpr std::uint32_t kLettersMZ = 0x5A4D;         // "MZ" in memory order, as Windows reports it
constexpr std::uint32_t kLettersMZSwapped = 0x4D5A;  // the same letters the other way round

}  // namespace

std::uint32_t Win32Platform::ExeType(const char* path) {
    SHFILEINFOA info{};
    auto type = static_cast<std::uint32_t>(::SHGetFileInfoA(path, 0, &info, sizeof info, SHGFI_EXETYPE));
    // Wine reports a plain MS-DOS program as 0x4D5A; Windows gives the letters in memory order.
    if ((type & 0xFFFF) == kLettersMZSwapped) type = (type & 0xFFFF0000) | kLettersMZ;
    return type;
}

int Win32Platform::CompareTextIgnoreCase(const char* a, int lengthA, const char* b, int lengthB) {
    const int result = ::CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a, lengthA, b, lengthB);
    if (result != 0) return result - CSTR_EQUAL;
    // CompareString fails only on bad arguments; order by bytes then rather than call two texts equal.
    const int order = std::memcmp(a, b, static_cast<std::size_t>(std::min(lengthA, lengthB)));
    return order != 0 ? order : lengthA - lengthB;
}

}  // namespace platform
