// The text a message dialog draws: its line breaks and its Windows-1252 characters.
#include "toolkit/DialogText.h"

#include <gtest/gtest.h>

namespace {

TEST(DialogText, EveryKindOfLineBreakIsOneCrLfAndWindows1252BytesBecomeTheirCharacters) {
    const struct {
        const char* text;
        const wchar_t* shown;
    } cases[] = {{"a\r\nb\n\rc\rd\ne", L"a\r\nb\r\nc\r\nd\r\ne"},  // each kind once
                 {"a\n\n\r\rb", L"a\r\n\r\n\r\nb"},                  // LF, LF CR, CR: three breaks
                 {"f\xFChren \x80 \x9F \x92", L"f\u00FChren \u20AC \u0178 \u2019"},
                 {"\x81\x8D\xA0", L"\u0081\u008D\u00A0"},  // undefined in Windows-1252: kept
                 {"", L""}};
    for (const auto& c : cases) EXPECT_EQ(DialogDisplayText(c.text), c.shown) << c.text;
}

}  // namespace
