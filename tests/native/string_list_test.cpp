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

TEST(StringList, OutOfRangePositionsRaiseTheListIndexErrorWithThePosition) {
    int live = 0;
    TStringList list;
    list.AddObject("one", std::make_unique<Record>(live));
    for (int index : {-1, 1, 1000}) {
        EXPECT_THROW(list.Objects(index), EStringListError);
        EXPECT_THAT([&] { list.Strings(index); },
                    ::testing::ThrowsMessage<EStringListError>("List index out of bounds (" + std::to_string(index) + ")"));
    }
}

TEST(StringList, UnsortedListKeepsAppendOrderAndDuplicatesAndClearReleasesTheRecords) {
    int live = 0;
    TStringList list;
    for (const char* text : {"b", "a", "b"}) list.AddObject(text, std::make_unique<Record>(live));
    EXPECT_EQ(list.Strings(0) + list.Strings(1) + list.Strings(2), "bab");
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
        ASSERT_EQ(list.Count(), 3);
        EXPECT_EQ(list.Strings(0), "Apple.exe");
        EXPECT_EQ(list.Strings(1), "mouse.exe");  // first spelling kept
        EXPECT_EQ(static_cast<Record*>(list.Objects(1))->id, 4);  // later record taken
        EXPECT_EQ(live, 3);  // the replaced record was released
        EXPECT_EQ(list.IndexOf("ZEBRA.exe"), 2);
        EXPECT_EQ(list.IndexOf("yak"), -1);
    }
    EXPECT_EQ(live, 0);  // destruction releases the rest
}

}  // namespace
