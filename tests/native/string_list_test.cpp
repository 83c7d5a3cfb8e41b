// TStringList: positions, the index error, sorted insertion and record ownership.
#include "toolkit/StringList.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <strings.h>

#include <memory>

namespace {

// Counts live records, so that each test can see what the list released.
struct Record : TObject {
    explicit Record(int& live, int id = 0) : live(live), id(id) { ++live; }
    ~Record() override { --live; }
    int& live;
    int id;
};

TEST(StringList, UnsortedListKeepsAppendOrderAndDuplicatesRaisesTheIndexErrorAndClearReleases) {
    int live = 0;
    TStringList list;
    for (const char* text : {"b", "a", "b"}) list.AddObject(text, std::make_unique<Record>(live));
    EXPECT_EQ(list.Strings(0) + list.Strings(1) + list.Strings(2), "bab");
    for (int index : {-1, 3, 1000}) {
        EXPECT_THAT([&] { list.Strings(index); },
                    ::testing::ThrowsMessage<EStringListError>("List index out of bounds (" + std::to_string(index) + ")"));
    }
    list.Clear();
    EXPECT_EQ(list.Count() + live, 0);
}

TEST(StringList, SortedListInsertsInOrderAndAnEqualTextOnlyReplacesTheRecord) {
    int live = 0;
    {
        TStringList list([](const std::string& a, const std::string& b) { return ::strcasecmp(a.c_str(), b.c_str()); });
        int id = 0;
        for (const char* text : {"mouse.exe", "Apple.exe", "zebra.exe"}) list.AddObject(text, std::make_unique<Record>(live, ++id));
        EXPECT_EQ(list.AddObject("MOUSE.EXE", std::make_unique<Record>(live, 4)), 1);
        // First spelling kept, later record taken, the replaced one released.
        EXPECT_EQ(list.Strings(0) + list.Strings(1) + list.Strings(2), "Apple.exemouse.exezebra.exe");
        EXPECT_EQ(std::pair(static_cast<Record*>(list.Objects(1))->id, live), std::pair(4, 3));
        EXPECT_EQ(std::pair(list.IndexOf("ZEBRA.exe"), list.IndexOf("yak")), std::pair(2, -1));
    }
    EXPECT_EQ(live, 0);  // destruction releases the rest
}

}  // namespace
