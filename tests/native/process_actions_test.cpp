// Ending a process and freeing a module: which process is ended, what is waited for, and
// which modules may be freed.
#include "components/ProcessActions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/FakeProcessSystem.h"

namespace {

using ::testing::_;
using ::testing::Return;

TEST(TerminateProcessById, EndsOnlyTheProcessTheIdentityNamesAndTellsWhetherItIsGone) {
    struct Case {
        TProcessIdentity chosen;
        bool ends;
        std::uint32_t waitResult;
        TTerminateOutcome outcome;
    };
    const Case cases[] = {
        {{8, 500, "C:\\other.exe"}, true, 0, TTerminateOutcome::Terminated},  // the start time decides
        {{8, 499, "C:\\apps\\tool.exe"}, true, 0, TTerminateOutcome::NotOpened},  // a later process under 8
        {{8, 0, "C:\\APPS\\TOOL.EXE"}, true, 0, TTerminateOutcome::Terminated},   // no time: the path, any case
        {{8, 0, "tool.exe"}, true, 0, TTerminateOutcome::Terminated},            // only the snapshot's file name
        {{8, 0, "C:\\old\\tool.exe"}, true, 0, TTerminateOutcome::NotOpened},
        {{8, 0, ""}, true, 0, TTerminateOutcome::NotOpened},  // nothing to tell it by
        {{9, 500, ""}, true, 0, TTerminateOutcome::NotOpened},  // gone
        {{8, 500, ""}, true, 0x102, TTerminateOutcome::StillRunning},  // the wait ran out
        {{8, 500, ""}, false, 0, TTerminateOutcome::Failed},
    };
    for (const Case& c : cases) {
        FakeProcessSystem system;  // one running process under identifier 8, started at 500
        system.processes = {FakeProcessSystem::Process(8, "C:\\apps\\tool.exe")};
        system.processes[0].creationTime = 500;
        system.opens = true;
        system.ends = c.ends;
        system.waitResult = c.waitResult;
        EXPECT_EQ(TerminateProcessById(system, c.chosen, 3000), c.outcome) << c.chosen.exePath << " " << c.chosen.creationTime;
        EXPECT_EQ(system.terminated.size(), c.ends && c.outcome != TTerminateOutcome::NotOpened ? 1u : 0u);
        for (const auto& [id, exitCode] : system.terminated) EXPECT_EQ(exitCode, 0xFFFFFFFFu);
        EXPECT_EQ(system.openHandles, 0);
        // Ending, waiting for the end and telling the process by its start time.
        EXPECT_EQ(system.accessAsked, 0x0001u | 0x00100000u | 0x1000u);
    }
}

class ModuleSystem : public FakeProcessSystem {
public:
    MOCK_METHOD(std::uint64_t, ModuleHandleOf, (const char*), (override));
    MOCK_METHOD(bool, FreeLibrary, (std::uint64_t), (override));
    std::uint32_t CurrentProcessId() override { return 100; }
};

TEST(FreeOwnModule, FreesOnlyAModuleOfThisProcessLoadedUnderTheSelectedHandle) {
    ModuleSystem system;
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
