// The record writers: texts leave as UTF-8 and come back whole from CSV and JSON; a table
// lines its columns up by characters; the Windows-1252 conversions.
#include "shared/RecordTable.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "shared/Windows1252.h"
#include "support/Csv.h"

namespace {

const std::string kAwkwardTitle = "Fish & Chips, \"M\xFC" "ller\" \x80 5";
const std::string kAwkwardUtf8 = "Fish & Chips, \"M\xC3\xBCller\" \xE2\x82\xAC 5";

TRecordTable Awkward() {
    TRecordTable table({"title", "id", "handle", "styles"});
    table.Add({TField::Text(kAwkwardTitle), TField::Number(-5), TField::Address(0x1A), TField::Names({"A", "B"})});
    table.Add({TField::Text("line\r\nbreak"), TField::Number(4000000000), TField::Address(0x140000000), TField::Names({})});
    return table;
}

TEST(RecordTable, CsvAndJsonGiveBackEveryFieldInUtf8) {
    const TRecordTable table = Awkward();
    const CsvRows rows = ReadCsv(table.Write(TOutputFormat::Csv));
    const CsvRows expected = {{"title", "id", "handle", "styles"},
                              {kAwkwardUtf8, "-5", "0x0000001A", "A|B"},
                              {"line\r\nbreak", "4000000000", "0x140000000", ""}};
    EXPECT_EQ(rows, expected);

    const nlohmann::json json = nlohmann::json::parse(table.Write(TOutputFormat::Json));
    ASSERT_EQ(json.size(), 2u);
    EXPECT_EQ(json[0], nlohmann::json::parse(R"({"title": ")" + std::string("Fish & Chips, \\\"M\xC3\xBCller\\\" \xE2\x82\xAC 5") +
                                             R"(", "id": -5, "handle": "0x0000001A", "styles": ["A", "B"]})"));
    EXPECT_EQ(json[1]["id"], 4000000000LL);
    EXPECT_EQ(json[1]["styles"], nlohmann::json::array());

    TRecordTable one({"id"});
    one.Add({TField::Number(7)});
    EXPECT_EQ(nlohmann::json::parse(one.Write(TOutputFormat::Json, true)), nlohmann::json::parse(R"({"id": 7})"));
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
