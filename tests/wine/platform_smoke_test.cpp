// The Windows build runs its tests through Wine: a first check that it does.
#include <windows.h>

#include <gtest/gtest.h>

TEST(WineSmoke, ProgramRunsAsA64BitWindowsProcess) {
    EXPECT_EQ(sizeof(void*), 8u);
    EXPECT_NE(GetCurrentProcessId(), 0u);
}
