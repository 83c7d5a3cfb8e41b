// Ending a process and freeing a module: which process is ended, what is waited for, and
// which modules may be freed.
#include "components/ProcessActions.h"

#include <gtest/gtest.h>

#include "support/FakeProcessSystem.h"

namespace {

// The outcomes of a refusal and a wait that runs out are velq_commands_test's.
TEST(TerminateProcessById, EndsOnlyTheProcessTheIdentityNames) {
    const std::pair<TProcessIdentity, bool> cases[] = {  // the identity, whether it names process 8
        {{8, 500, "C:\\other.exe"}, true},        // the start time decides
        {{8, 499, "C:\\apps\\tool.exe"}, false},  // a later process under 8
        {{8, 0, "C:\\APPS\\TOOL.EXE"}, true},     // no time: the path, any case
        {{8, 0, "tool.exe"}, true},               // only the snapshot's file name
        {{8, 0, "C:\\old\\tool.exe"}, false},
        {{8, 0, ""}, false},  // nothing to tell it by
        {{9, 500, ""}, false},  // gone
    };
    for (const auto& [chosen, names] : cases) {
        FakeProcessSystem system;  // one running process under identifier 8, started at 500
        system.processes = {FakeProcessSystem::Process(8, "C:\\apps\\tool.exe")};
        system.processes[0].creationTime = 500, system.opens = true;
        EXPECT_EQ(TerminateProcessById(system, chosen, 3000), names ? TTerminateOutcome::Terminated : TTerminateOutcome::NotOpened)
            << chosen.exePath << " " << chosen.creationTime;
        // Access for ending, waiting for the end and telling the process by its start time.
        EXPECT_EQ(std::tuple(system.terminated, system.openHandles, system.accessAsked),
                  std::tuple(std::vector<std::pair<std::uint32_t, std::uint32_t>>(names, {8, 0xFFFFFFFF}), 0, 0x0001u | 0x00100000u | 0x1000u));
    }
}

TEST(FreeOwnModule, FreesOnlyAModuleOfThisProcessLoadedUnderTheSelectedHandle) {
    FakeProcessSystem system;
    system.currentId = 100, system.moduleHandle = 0x7FF800000000ull, system.frees = true;
    EXPECT_TRUE(FreeOwnModule(system, 100, 0x7FF800000000ull, "C:\\windows\\system32\\x.dll"));
    system.frees = false;
    EXPECT_FALSE(FreeOwnModule(system, 100, 0x7FF800000000ull, "C:\\x.dll"));  // FreeLibrary failed

    // Another process's copy of a system library at the same address is never freed here.
    EXPECT_FALSE(FreeOwnModule(system, 200, 0x7FF800000000ull, "C:\\windows\\system32\\kernel32.dll"));
    // A handle that differs from where the path is loaded, or zero for a path not loaded, is refused.
    EXPECT_FALSE(FreeOwnModule(system, 100, 0x10000000ull, "C:\\x.dll"));
    system.moduleHandle = 0;
    EXPECT_FALSE(FreeOwnModule(system, 100, 0, "C:\\x.dll"));
    EXPECT_EQ(system.freed, (std::vector<std::uint64_t>{0x7FF800000000ull, 0x7FF800000000ull}));
}

}  // namespace
