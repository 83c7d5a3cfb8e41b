// The text a message dialog draws: its line breaks (each byte's character is checked against
// the system's code page 1252 in dialogs_test).
#include "toolkit/DialogText.h"

#include <gtest/gtest.h>

namespace {

TEST(DialogText, EveryKindOfLineBreakIsOneCrLfAndNothingElseChanges) {
    const struct {
        const char* text;
        const wchar_t* shown;
    } cases[] = {{"a\r\nb\n\rc\rd\ne", L"a\r\nb\r\nc\r\nd\r\ne"},  // each kind once
                 {"a\n\n\r\rb", L"a\r\n\r\n\r\nb"},                  // LF, LF CR, CR: three breaks
                 {"f\xFChren \x80", L"f\u00FChren \u20AC"},
                 {"", L""}};
    for (const auto& c : cases) EXPECT_EQ(DialogDisplayText(c.text), c.shown) << c.text;
}

}  // namespace
