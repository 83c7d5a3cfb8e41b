// The record writers: texts leave as UTF-8 and come back whole from CSV and JSON; a table
// lines its columns up by characters; the Windows-1252 conversions.
#include "shared/RecordTable.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "shared/Windows1252.h"
#include "support/Csv.h"

namespace {

// A title with "&" and a Windows-1252 letter, and a single record written as one object, go
// through velq_test; here, every field kind with what quoting must carry.
TEST(RecordTable, CsvAndJsonGiveBackQuotesCommasLineBreaksWideNumbersAndEmptyNames) {
    TRecordTable table({"title", "id", "handle", "styles"});
    table.Add({TField::Text("line\r\n\"break\", 2"), TField::Number(-5), TField::Address(0x140000000), TField::Names({})});
    table.Add({TField::Text("x"), TField::Number(4000000000), TField::Address(0x1A), TField::Names({"A", "B"})});
    EXPECT_EQ(ReadCsv(table.Write(TOutputFormat::Csv)), (CsvRows{{"title", "id", "handle", "styles"},
                                                                 {"line\r\n\"break\", 2", "-5", "0x140000000", ""},
                                                                 {"x", "4000000000", "0x0000001A", "A|B"}}));
    EXPECT_EQ(nlohmann::json::parse(table.Write(TOutputFormat::Json)), nlohmann::json::parse(R"([
        {"title": "line\r\n\"break\", 2", "id": -5, "handle": "0x140000000", "styles": []},
        {"title": "x", "id": 4000000000, "handle": "0x0000001A", "styles": ["A", "B"]}])"));
}

TEST(RecordTable, TableHasAHeaderAndAlignsColumnsByCharactersWithNumbersToTheRight) {
    TRecordTable table({"title", "id", "path"});
    table.Add({TField::Text("M\xFC" "ller\tx"), TField::Number(5), TField::Text("C:\\a.exe")});
    table.Add({TField::Text("abc"), TField::Number(12345), TField::Text("")});
    // "Müller x" is 8 characters and 9 bytes: the padding counts characters.
    EXPECT_EQ(table.Write(TOutputFormat::Table),
              "title     id     path\n"
              "M\xC3\xBCller x      5  C:\\a.exe\n"
              "abc       12345\n");
}

TEST(Windows1252, HighBytesBecomeTheirCharacters) {
    EXPECT_EQ(Utf8From1252("A\x80\xFC\x81\x9F"), "A\xE2\x82\xAC\xC3\xBC\xC2\x81\xC5\xB8");
    EXPECT_EQ(Utf16From1252("A\x80\xFC\x81\x9F"), std::u16string(u"A\u20AC\u00FC\u0081\u0178"));
}

}  // namespace
