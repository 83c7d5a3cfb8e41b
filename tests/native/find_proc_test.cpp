// TProcList against made-up snapshots: order, equal names, texts, derived values, and what
// a failed or interrupted refill leaves behind.
#include "components/FindProc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <new>

#include "support/FakeProcessSystem.h"

namespace {

std::vector<std::string> Texts(const TStringList& list) {
    std::vector<std::string> texts;
    for (int i = 0; i < list.Count(); ++i) texts.push_back(list.Strings(i));
    return texts;
}

class ProcListTest : public ::testing::Test {
protected:
    FakeProcessSystem system;
    TProcList procList{nullptr, system};
};

TEST_F(ProcListTest, ProcessesAreOrderedByFileNameWhateverTheSnapshotOrder) {
    const std::vector<platform::ProcessEntry> processes = {
        FakeProcessSystem::Process(0x10, "C:\\WINDOWS\\zeta.exe"),
        FakeProcessSystem::Process(0x20, "C:\\Program Files\\Tools\\Alpha.exe"),
        FakeProcessSystem::Process(0x30, "D:beta.EXE"),
        FakeProcessSystem::Process(0x40, "gamma.exe"),
    };
    const std::vector<std::string> expected = {"Alpha.exe", "beta.EXE", "gamma.exe", "zeta.exe"};
    for (bool reversed : {false, true}) {
        system.processes = processes;
        if (reversed) std::reverse(system.processes.begin(), system.processes.end());
        procList.ReadProcessList();
        EXPECT_EQ(Texts(procList.ProcessList()), expected) << "reversed " << reversed;
        EXPECT_EQ(procList.ProcessID(0), 0x20u);
        EXPECT_EQ(procList.ProcessExeFile(3), "C:\\WINDOWS\\zeta.exe");
    }
    EXPECT_EQ(system.snapshotsTaken[0], std::make_pair(platform::kSnapProcess, 0u));
    EXPECT_EQ(system.closed.size(), 2u);
}

TEST_F(ProcListTest, ProcessRecordHoldsTheSnapshotFieldsAndTheDerivedValues) {
    platform::ProcessEntry entry = FakeProcessSystem::Process(0xFFFFFFF0, "C:\\apps\\tool.exe", 13);
    entry.th32DefaultHeapID = 0x1234567890ABCDEFull;  // pointer-wide
    system.processes = {entry};
    system.icons["C:\\apps\\tool.exe"] = 0x1A2B3;
    system.exeTypes["C:\\apps\\tool.exe"] = 0x04004550;
    procList.ReadProcessList();
    EXPECT_EQ(procList.ProcessID(0), 0xFFFFFFF0u);
    EXPECT_THROW(procList.ProcessExeType(-1), EStringListError);
    EXPECT_EQ(procList.ProcessDefaultHeapID(0), 0x1234567890ABCDEFull);
    EXPECT_EQ(procList.ProcessPriorityText(0), "[High    ]");
    EXPECT_EQ(procList.ProcessExeType(0), "32-Bit");
    EXPECT_EQ(procList.ProcessIcon(0), 0x1A2B3u);
}

TEST_F(ProcListTest, ProcessesWithTheSameNameAreListedOnceWithTheFirstSpellingAndTheLaterRecord) {
    system.processes = {
        FakeProcessSystem::Process(1, "C:\\a\\Shell.EXE"),
        FakeProcessSystem::Process(2, "C:\\b\\other.exe"),
        FakeProcessSystem::Process(3, "C:\\c\\shell.exe"),
    };
    procList.ReadProcessList();
    EXPECT_EQ(Texts(procList.ProcessList()), (std::vector<std::string>{"other.exe", "Shell.EXE"}));
    EXPECT_EQ(procList.ProcessID(1), 3u);
    EXPECT_EQ(procList.ProcessExeFile(1), "C:\\c\\shell.exe");
}

TEST_F(ProcListTest, FullSnapshotTextsWithoutNulAreKeptWhole) {
    const std::string path = "C:\\" + std::string(251, 'p') + "\\x.exe";  // 260 characters
    ASSERT_EQ(path.size(), 260u);
    system.processes = {FakeProcessSystem::Process(1, path)};
    procList.ReadProcessList();
    EXPECT_EQ(procList.ProcessExeFile(0), path);
    EXPECT_EQ(procList.ProcessList().Strings(0), "x.exe");
    // The icon and type queries get the same path, terminated.
    EXPECT_EQ(system.queriedPaths, (std::vector<std::string>{path, path}));

    const std::string name(256, 'm');
    system.modules[9] = {FakeProcessSystem::Module(9, name, path)};
    procList.ReadModuleList(9);
    EXPECT_EQ(procList.ModuleList().Strings(0), name);
    EXPECT_EQ(procList.ModuleExePath(0), path);
}

TEST(PriorityToText, FourBasePrioritiesHaveNamesAndEveryOtherIsUnknown) {
    EXPECT_EQ(PriorityToText(4), "[Idle    ]");
    EXPECT_EQ(PriorityToText(8), "[Normal  ]");
    EXPECT_EQ(PriorityToText(13), "[High    ]");
    EXPECT_EQ(PriorityToText(24), "[RealTime]");
    for (int other : {0, 7, 9, 10, -8, 31}) EXPECT_EQ(PriorityToText(other), "[Unknown]") << other;
}

TEST(ExeTypeToText, HeaderLettersAndMarkedVersionGiveTheType) {
    EXPECT_EQ(ExeTypeToText(0), "");
    for (std::uint32_t letters : {0x454Eu, 0x4550u, 0x0000u}) {
        EXPECT_EQ(ExeTypeToText(0x03000000 | letters), "16-Bit") << letters;
        EXPECT_EQ(ExeTypeToText(0x030A0000 | letters), "16-Bit") << letters;
        EXPECT_EQ(ExeTypeToText(0x04000000 | letters), "32-Bit") << letters;
        EXPECT_EQ(ExeTypeToText(0x05020000 | letters), "hi:1282") << letters;
        EXPECT_EQ(ExeTypeToText(0xFFFF0000 | letters), "hi:65535") << letters;
    }
    EXPECT_EQ(ExeTypeToText(0x4550), "hi:0");  // a console program
    for (std::uint32_t version : {0x0000u, 0x0400u, 0xFFFFu}) {
        EXPECT_EQ(ExeTypeToText(version << 16 | 0x454C), "Vxd") << version;
        EXPECT_EQ(ExeTypeToText(version << 16 | 0x5A4D), "MS-Dos") << version;
    }
    EXPECT_EQ(ExeTypeToText(0x1234), "lo:4660");
    EXPECT_EQ(ExeTypeToText(0x04004D5A), "lo:19802");  // letters the wrong way round are no MZ
}

TEST_F(ProcListTest, AnErrorWhileAddingKeepsTheEntriesAddedSoFarAndClosesTheSnapshot) {
    system.processes = {
        FakeProcessSystem::Process(1, "C:\\c.exe"),
        FakeProcessSystem::Process(2, "C:\\a.exe"),
        FakeProcessSystem::Process(3, "C:\\b.exe"),
    };
    system.failAtEntry = 2;
    EXPECT_THROW(procList.ReadProcessList(), std::bad_alloc);
    EXPECT_EQ(Texts(procList.ProcessList()), (std::vector<std::string>{"a.exe", "c.exe"}));
    EXPECT_EQ(system.closed.size(), 1u);

    system.failAtEntry = -1;
    system.iconFailsFor = "C:\\a.exe";
    EXPECT_THROW(procList.ReadProcessList(), std::bad_alloc);
    EXPECT_EQ(Texts(procList.ProcessList()), (std::vector<std::string>{"c.exe"}));
    EXPECT_EQ(system.closed.size(), 2u);

    system.modules[5] = {FakeProcessSystem::Module(5, "one.dll", "C:\\one.dll"),
                         FakeProcessSystem::Module(5, "two.dll", "C:\\two.dll")};
    system.iconFailsFor.clear();
    system.failAtEntry = 1;
    EXPECT_THROW(procList.ReadModuleList(5), std::bad_alloc);
    EXPECT_EQ(Texts(procList.ModuleList()), (std::vector<std::string>{"one.dll"}));
    EXPECT_EQ(system.closed.size(), 3u);
}

TEST_F(ProcListTest, ASnapshotThatCannotBeTakenOrIsEmptyLeavesTheListEmptyAndIsClosed) {
    system.processes = {FakeProcessSystem::Process(1, "C:\\a.exe")};
    system.modules[1] = {FakeProcessSystem::Module(1, "a.exe", "C:\\a.exe")};
    procList.ReadProcessList();
    procList.ReadModuleList(1);
    ASSERT_EQ(procList.ProcessList().Count(), 1);

    system.snapshotFails = true;
    procList.ReadProcessList();
    procList.ReadModuleList(1);
    EXPECT_EQ(procList.ProcessList().Count(), 0);
    EXPECT_EQ(procList.ModuleList().Count(), 0);
    EXPECT_EQ(system.closed, (std::vector<platform::SnapshotHandle>{0x40, 0x41, 0, 0}));

    system.snapshotFails = false;
    system.processes.clear();
    procList.ReadProcessList();
    procList.ReadModuleList(2);  // no such process
    EXPECT_EQ(procList.ProcessList().Count(), 0);
    EXPECT_EQ(procList.ModuleList().Count(), 0);
    EXPECT_EQ(system.closed.size(), 6u);
}

TEST_F(ProcListTest, ModuleListHoldsTheModulesOfTheLastProcessAskedForWhateverProcessRefills) {
    platform::ModuleEntry kernel = FakeProcessSystem::Module(7, "KERNEL32.DLL", "C:\\WINDOWS\\SYSTEM\\KERNEL32.DLL");
    kernel.modBaseAddr = 0x7FF812340000ull;  // pointer-wide
    kernel.hModule = 0x7FF812350000ull;
    system.modules[7] = {FakeProcessSystem::Module(7, "tool.exe", "C:\\apps\\tool.exe"), kernel};
    system.modules[8] = {FakeProcessSystem::Module(8, "other.exe", "C:\\other.exe")};
    system.icons["C:\\WINDOWS\\SYSTEM\\KERNEL32.DLL"] = 0x2C;
    system.processes = {FakeProcessSystem::Process(8, "C:\\other.exe")};

    procList.ReadModuleList(7);
    procList.ReadProcessList();
    EXPECT_EQ(Texts(procList.ModuleList()), (std::vector<std::string>{"KERNEL32.DLL", "tool.exe"}));
    EXPECT_EQ(system.snapshotsTaken[0], std::make_pair(platform::kSnapModule, 7u));
    EXPECT_EQ(procList.ModuleBaseAddr(0), 0x7FF812340000ull);
    EXPECT_EQ(procList.ModuleHandle(0), 0x7FF812350000ull);
    EXPECT_EQ(procList.ModuleExePath(0), "C:\\WINDOWS\\SYSTEM\\KERNEL32.DLL");
    EXPECT_EQ(procList.ModuleIcon(0), 0x2Cu);
    EXPECT_EQ(procList.ModuleIcon(1), 0u);

    procList.ReadModuleList(8);
    EXPECT_EQ(Texts(procList.ModuleList()), (std::vector<std::string>{"other.exe"}));
    EXPECT_THROW(procList.ModuleHandle(-1), EStringListError);  // outside the lists
    EXPECT_THROW(procList.ModuleExePath(1), EStringListError);
    EXPECT_THROW(procList.ProcessID(1), EStringListError);
}

}  // namespace
