// The record writers: texts come back whole from CSV and JSON; a table lines its columns up by
// console cells; the conversions between UTF-8 and UTF-16.
#include "velq/RecordTable.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <tuple>

#include "shared/Utf16.h"

namespace {

// A title with "&", a comma, quotes and letters of other scripts, and a single record written
// as one object, go through velq_test; here, what no window or process brings.
TEST(RecordTable, CsvAndJsonGiveBackLineBreaksWideNumbersAndEmptyNames) {
    TRecordTable table({"title", "id", "handle", "styles"});
    table.Add({TField::Text("line\r\n\"break\", 2"), TField::Number(-5), TField::Address(0x140000000), TField::Names({})});
    table.Add({TField::Text("x"), TField::Number(4000000000), TField::Address(0x1A), TField::Names({"A", "B"})});
    // CSV as RFC 4180 writes it: a field with a line break, comma or quote quoted, its quotes doubled.
    EXPECT_EQ(table.Write(TOutputFormat::Csv), "title,id,handle,styles\r\n"
                                               "\"line\r\n\"\"break\"\", 2\",-5,0x140000000,\r\n"
                                               "x,4000000000,0x0000001A,A|B\r\n");
    EXPECT_EQ(nlohmann::json::parse(table.Write(TOutputFormat::Json)), nlohmann::json::parse(R"([
        {"title": "line\r\n\"break\", 2", "id": -5, "handle": "0x140000000", "styles": []},
        {"title": "x", "id": 4000000000, "handle": "0x0000001A", "styles": ["A", "B"]}])"));
}

TEST(RecordTable, TableHasAHeaderAndAlignsColumnsByConsoleCellsWithNumbersToTheRight) {
    TRecordTable table({"title", "id", "path"});
    table.Add({TField::Text("Müller\tx"), TField::Number(5), TField::Text("C:\\a.exe")});
    table.Add({TField::Text("東京😀"), TField::Number(12345), TField::Text("")});
    // "Müller x" is 8 cells in 9 bytes, "東京😀" 6 cells in 10 bytes.
    EXPECT_EQ(table.Write(TOutputFormat::Table),
              "title     id     path\n"
              "Müller x      5  C:\\a.exe\n"
              "東京😀    12345\n");
}

std::wstring Units(std::u16string_view units) { return {units.begin(), units.end()}; }

// Malformed text in either direction becomes U+FFFD, one per bad unit or byte, and the rest stays.
// '=' both ways; '>' malformed UTF-8 (cut short, overlong, a surrogate, past U+10FFFF) and '<'
// malformed UTF-16 (an unpaired half), one way only.
TEST(Utf16, TextsCrossEitherWayWholeAndMalformedOnesBecomeReplacementCharacters) {
    const std::tuple<char, std::string, std::u16string> cases[] = {
        {'=', "", u""}, {'=', "A é € 東京 Привет", u"A é € 東京 Привет"}, {'=', "😀x", u"\xD83D\xDE00x"},
        {'=', "\xF4\x8F\xBF\xBF", u"\xDBFF\xDFFF"}, {'>', "a\xFF" "b", u"a\xFFFD" u"b"}, {'>', "\xC3", u"\xFFFD"},
        {'>', "\xC0\xAF", u"\xFFFD\xFFFD"}, {'>', "\xED\xA0\x80", u"\xFFFD\xFFFD\xFFFD"},
        {'>', "\xF4\x90\x80\x80", u"\xFFFD\xFFFD\xFFFD\xFFFD"}, {'<', "a\uFFFD", u"a\xD83D"}, {'<', "\uFFFD\uFFFDz", u"\xDE00\xD83Dz"}};
    for (const auto& [way, utf8, utf16] : cases) {
        EXPECT_TRUE(way == '<' || Utf16FromUtf8(utf8) == Units(utf16)) << utf8;
        EXPECT_TRUE(way == '>' || Utf8FromUtf16(Units(utf16)) == utf8) << utf8;
    }
}

}  // namespace
