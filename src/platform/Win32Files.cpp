// Executable types of files, the locale's text order and the file system's name equality.
#include "platform/Win32Platform.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>

#include "shared/Utf16.h"

namespace platform {

namespace {

constexpr std::uint32_t kLettersMZ = 0x5A4D;         // "MZ" in memory order, as Windows reports it
constexpr std::uint32_t kLettersMZSwapped = 0x4D5A;  // the same letters the other way round

}  // namespace

std::uint32_t Win32Platform::ExeType(const char* path) {
    SHFILEINFOW info{};
    auto type = static_cast<std::uint32_t>(::SHGetFileInfoW(Utf16FromUtf8(path).c_str(), 0, &info, sizeof info, SHGFI_EXETYPE));
    // Wine reports a plain MS-DOS program as 0x4D5A; Windows gives the letters in memory order.
    if ((type & 0xFFFF) == kLettersMZSwapped) type = (type & 0xFFFF0000) | kLettersMZ;
    return type;
}

int Win32Platform::CompareTextIgnoreCase(const char* a, int lengthA, const char* b, int lengthB) {
    const std::wstring wideA = Utf16FromUtf8({a, static_cast<std::size_t>(lengthA)});
    const std::wstring wideB = Utf16FromUtf8({b, static_cast<std::size_t>(lengthB)});
    const int result = ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, wideA.data(), static_cast<int>(wideA.size()),
                                        wideB.data(), static_cast<int>(wideB.size()));
    if (result != 0) return result - CSTR_EQUAL;
    // CompareString fails only on bad arguments; order by bytes then rather than call two texts equal.
    const int order = std::memcmp(a, b, static_cast<std::size_t>(std::min(lengthA, lengthB)));
    return order != 0 ? order : lengthA - lengthB;
}

// File names are equal as the file system finds them: UTF-16 units compared one by one, letters
// by their upper case, with no rule of any language.
int Win32Platform::CompareOrdinalIgnoreCase(const char* a, int lengthA, const char* b, int lengthB) {
    const std::wstring wideA = Utf16FromUtf8({a, static_cast<std::size_t>(lengthA)});
    const std::wstring wideB = Utf16FromUtf8({b, static_cast<std::size_t>(lengthB)});
    const int result = ::CompareStringOrdinal(wideA.data(), static_cast<int>(wideA.size()), wideB.data(),
                                              static_cast<int>(wideB.size()), TRUE);
    if (result != 0) return result - CSTR_EQUAL;
    return wideA == wideB ? 0 : (wideA < wideB ? -1 : 1);
}

}  // namespace platform
