// The text a message dialog draws: its line breaks and its characters.
#include "toolkit/DialogText.h"

#include <gtest/gtest.h>

namespace {

TEST(DialogText, EveryKindOfLineBreakIsOneCrLfAndEveryCharacterItsUtf16) {
    const struct {
        const char* text;
        std::u16string shown;
    } cases[] = {{"a\r\nb\n\rc\rd\ne", u"a\r\nb\r\nc\r\nd\r\ne"},  // each kind once
                 {"a\n\n\r\rb", u"a\r\n\r\n\r\nb"},                  // LF, LF CR, CR: three breaks
                 {"führen € Привет\n東京😀", u"führen € Привет\r\n東京\xD83D\xDE00"},
                 {"", u""}};
    for (const auto& c : cases)
        EXPECT_EQ(DialogDisplayText(c.text), std::wstring(c.shown.begin(), c.shown.end())) << c.text;
}

}  // namespace
