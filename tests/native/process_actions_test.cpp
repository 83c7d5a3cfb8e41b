// Ending a process and freeing a module: which process is ended, what is waited for, and
// which modules may be freed.
#include "components/ProcessActions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/FakeProcessSystem.h"

namespace {

using ::testing::_;
using ::testing::Return;

// One running process under identifier 8, started at 500 from C:\apps\tool.exe.
class RunningProcess : public FakeProcessSystem {
public:
    std::uint32_t accessAsked = 0, waitResult = 0;
    int terminated = 0, open = 0;
    bool refuseTermination = false;

    std::uintptr_t OpenProcess(std::uint32_t access, bool, std::uint32_t id) override {
        accessAsked = access;
        return id == 8 ? (++open, 0x70) : 0;
    }
    bool TerminateProcess(std::uintptr_t, std::uint32_t exitCode) override {
        EXPECT_EQ(exitCode, 0xFFFFFFFFu);
        return !refuseTermination && ++terminated;
    }
    std::uint32_t WaitForSingleObject(std::uintptr_t, std::uint32_t) override { return waitResult; }
    void CloseProcessHandle(std::uintptr_t handle) override { open -= handle == 0x70; }
    std::uint64_t ProcessCreationTime(std::uintptr_t) override { return 500; }
    std::string ProcessImagePath(std::uintptr_t) override { return "C:\\apps\\tool.exe"; }
};

TEST(TerminateProcessById, EndsOnlyTheProcessTheIdentityNamesAndTellsWhetherItIsGone) {
    struct Case {
        TProcessIdentity chosen;
        std::uint32_t waitResult;
        TTerminateOutcome outcome;
    };
    const Case cases[] = {
        {{8, 500, "C:\\other.exe"}, 0, TTerminateOutcome::Terminated},  // the start time decides
        {{8, 499, "C:\\apps\\tool.exe"}, 0, TTerminateOutcome::NotOpened},  // a later process under 8
        {{8, 0, "C:\\APPS\\TOOL.EXE"}, 0, TTerminateOutcome::Terminated},   // no time: the path, any case
        {{8, 0, "tool.exe"}, 0, TTerminateOutcome::Terminated},            // only the snapshot's file name
        {{8, 0, "C:\\old\\tool.exe"}, 0, TTerminateOutcome::NotOpened},
        {{8, 0, ""}, 0, TTerminateOutcome::NotOpened},  // nothing to tell it by
        {{9, 500, ""}, 0, TTerminateOutcome::NotOpened},  // gone
        {{8, 500, ""}, 0x102, TTerminateOutcome::StillRunning},  // the wait ran out
    };
    for (const Case& c : cases) {
        RunningProcess system;
        system.waitResult = c.waitResult;
        EXPECT_EQ(TerminateProcessById(system, c.chosen, 3000), c.outcome) << c.chosen.exePath << " " << c.chosen.creationTime;
        EXPECT_EQ(system.terminated, c.outcome == TTerminateOutcome::NotOpened ? 0 : 1);
        EXPECT_EQ(system.open, 0);
        // Ending, waiting for the end and telling the process by its start time.
        EXPECT_EQ(system.accessAsked, 0x0001u | 0x00100000u | 0x1000u);
    }
    RunningProcess refusing;
    refusing.refuseTermination = true;
    EXPECT_EQ(TerminateProcessById(refusing, {8, 500, ""}), TTerminateOutcome::Failed);
    EXPECT_EQ(refusing.open, 0);
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
