// Ending a process and freeing a module: what is opened, waited for, closed and refused.
#include "components/ProcessActions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/FakeProcessSystem.h"

namespace {

using ::testing::_;
using ::testing::Return;

// The snapshot calls stay made-up; the actions' calls are checked one by one.
class MockProcessSystem : public FakeProcessSystem {
public:
    MOCK_METHOD(std::uintptr_t, OpenProcess, (std::uint32_t, bool, std::uint32_t), (override));
    MOCK_METHOD(bool, TerminateProcess, (std::uintptr_t, std::uint32_t), (override));
    MOCK_METHOD(std::uint32_t, WaitForSingleObject, (std::uintptr_t, std::uint32_t), (override));
    MOCK_METHOD(void, CloseProcessHandle, (std::uintptr_t), (override));
    MOCK_METHOD(std::uint64_t, ModuleHandleOf, (const char*), (override));
    MOCK_METHOD(bool, FreeLibrary, (std::uint64_t), (override));
    MOCK_METHOD(std::uint32_t, CurrentProcessId, (), (override));
};

TEST(TerminateProcessById, OpensWithTerminateAccessOnlyEndsWithAllBitsAndWaitsABoundedTime) {
    MockProcessSystem system;
    EXPECT_CALL(system, OpenProcess(0x0001u, false, 1234u)).WillOnce(Return(0x70));
    EXPECT_CALL(system, TerminateProcess(0x70, 0xFFFFFFFFu)).WillOnce(Return(true));
    EXPECT_CALL(system, WaitForSingleObject(0x70, 3000u)).WillOnce(Return(0x102));  // still dying: go on
    EXPECT_CALL(system, CloseProcessHandle(0x70));
    EXPECT_EQ(TerminateProcessById(system, 1234, 3000), TTerminateOutcome::Terminated);
}

TEST(TerminateProcessById, ARefusalIsNotWaitedForAndClosesTheHandleAnUnopenedProcessClosesNothing) {
    MockProcessSystem system;
    EXPECT_CALL(system, OpenProcess(_, _, 8)).WillOnce(Return(0x44));
    EXPECT_CALL(system, TerminateProcess(0x44, _)).WillOnce(Return(false));
    EXPECT_CALL(system, WaitForSingleObject(_, _)).Times(0);
    EXPECT_CALL(system, CloseProcessHandle(0x44));
    EXPECT_EQ(TerminateProcessById(system, 8), TTerminateOutcome::Failed);

    EXPECT_CALL(system, OpenProcess(_, _, 4)).WillOnce(Return(0));
    EXPECT_EQ(TerminateProcessById(system, 4), TTerminateOutcome::NotOpened);
}

TEST(FreeOwnModule, FreesOnlyAModuleOfThisProcessLoadedUnderTheSelectedHandle) {
    MockProcessSystem system;
    ON_CALL(system, CurrentProcessId()).WillByDefault(Return(100));
    ON_CALL(system, ModuleHandleOf(_)).WillByDefault(Return(0x7FF800000000ull));
    EXPECT_CALL(system, FreeLibrary(0x7FF800000000ull)).WillOnce(Return(true)).WillOnce(Return(false));
    EXPECT_TRUE(FreeOwnModule(system, 100, 0x7FF800000000ull, "C:\\windows\\system32\\x.dll"));
    EXPECT_FALSE(FreeOwnModule(system, 100, 0x7FF800000000ull, "C:\\x.dll"));  // FreeLibrary failed

    // Another process's copy of a system library at the same address is never freed here.
    EXPECT_FALSE(FreeOwnModule(system, 200, 0x7FF800000000ull, "C:\\windows\\system32\\kernel32.dll"));
    // A handle of zero, or one that differs from where the path is loaded, is refused.
    EXPECT_FALSE(FreeOwnModule(system, 100, 0, "C:\\x.dll"));
    EXPECT_FALSE(FreeOwnModule(system, 100, 0x10000000ull, "C:\\x.dll"));
}

}  // namespace
