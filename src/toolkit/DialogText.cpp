// DialogDisplayText: line breaks, then a table for the 32 bytes where Windows-1252 differs
// from Latin-1.
#include "toolkit/DialogText.h"

namespace {

// 0x80 to 0x9F; the others are their own code points.
const char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

wchar_t Unicode(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return static_cast<wchar_t>(byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : byte);
}

}  // namespace

std::wstring DialogDisplayText(const std::string& text) {
    std::wstring shown;
    shown.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            shown += Unicode(c);
            continue;
        }
        shown += L"\r\n";
        if (i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n') && text[i + 1] != c) ++i;
    }
    return shown;
}
