// TProcList against made-up snapshots: order, equal names, texts, derived values, and what
// a failed or interrupted refill leaves behind.
#include "components/FindProc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <new>

#include "support/FakeProcessSystem.h"

namespace {

using Texts = std::vector<std::string>;
using System = FakeProcessSystem;

Texts TextsOf(const TStringList& list) {
    Texts texts;
    for (int i = 0; i < list.Count(); ++i) texts.push_back(list.Strings(i));
    return texts;
}

class ProcListTest : public ::testing::Test {
protected:
    System system;
    TProcList procList{nullptr, system};
};

// Equal names (without case) are listed once, with the first spelling and the later record.
TEST_F(ProcListTest, ProcessesAreListedOncePerFileNameInNameOrderWhateverTheSnapshotOrder) {
    const std::vector<platform::ProcessEntry> processes = {
        System::Process(0x10, "C:\\WINDOWS\\zeta.exe"), System::Process(0x20, "C:\\Program Files\\Alpha.exe"),
        System::Process(0x30, "D:beta.EXE"),           System::Process(0x40, "gamma.exe"),
        System::Process(0x50, "C:\\b\\ALPHA.EXE")};
    for (bool reversed : {false, true}) {
        system.processes = processes;
        if (reversed) std::reverse(system.processes.begin(), system.processes.end());
        procList.ReadProcessList();
        const Texts expected = {reversed ? "ALPHA.EXE" : "Alpha.exe", "beta.EXE", "gamma.exe", "zeta.exe"};
        EXPECT_EQ(TextsOf(procList.ProcessList()), expected) << "reversed " << reversed;
        EXPECT_EQ(procList.ProcessID(0), reversed ? 0x20u : 0x50u);
        EXPECT_EQ(procList.ProcessExeFile(0), reversed ? "C:\\Program Files\\Alpha.exe" : "C:\\b\\ALPHA.EXE");
    }
    EXPECT_EQ(system.snapshotsTaken[0], std::make_pair(platform::kSnapProcess, 0u));
    EXPECT_EQ(system.closed.size(), 2u);
}

TEST_F(ProcListTest, RecordsHoldTheSnapshotFieldsAndTheDerivedValuesAndFullTextsWithoutNul) {
    const std::string path = "C:\\" + std::string(251, 'p') + "\\x.exe";  // 260 characters, no NUL
    platform::ProcessEntry entry = System::Process(0xFFFFFFF0, path, 13);
    entry.th32DefaultHeapID = 0x1234567890ABCDEFull;  // pointer-wide
    system.processes = {entry};
    system.icons[path] = 0x1A2B3;
    system.exeTypes[path] = 0x04004550;
    procList.ReadProcessList();
    EXPECT_EQ(procList.ProcessList().Strings(0), "x.exe");
    EXPECT_EQ(procList.ProcessExeFile(0), path);
    EXPECT_TRUE(system.queriedPaths.empty());  // the file is asked only when type or icon is read
    EXPECT_EQ(procList.ProcessID(0), 0xFFFFFFF0u);
    EXPECT_EQ(procList.ProcessDefaultHeapID(0), 0x1234567890ABCDEFull);
    EXPECT_EQ(procList.ProcessPriorityText(0), "[High    ]");
    for (int read = 0; read < 2; ++read) {
        EXPECT_EQ(procList.ProcessExeType(0), "32-Bit");
        EXPECT_EQ(procList.ProcessIcon(0), 0x1A2B3u);
    }
    EXPECT_EQ(system.queriedPaths, (Texts{path, path}));  // one type and one icon query, terminated

    const std::string name(256, 'm');
    system.modules[9] = {System::Module(9, name, path)};
    procList.ReadModuleList(9);
    EXPECT_EQ(procList.ModuleList().Strings(0), name);
    EXPECT_EQ(procList.ModuleExePath(0), path);
}

TEST(PriorityToText, FourBasePrioritiesHaveNamesAndEveryOtherIsUnknown) {
    EXPECT_EQ(PriorityToText(4) + PriorityToText(8) + PriorityToText(13) + PriorityToText(24),
              "[Idle    ][Normal  ][High    ][RealTime]");
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
    system.processes = {System::Process(1, "C:\\c.exe"), System::Process(2, "C:\\a.exe"), System::Process(3, "C:\\b.exe")};
    system.failAtEntry = 2;
    EXPECT_THROW(procList.ReadProcessList(), std::bad_alloc);
    EXPECT_EQ(TextsOf(procList.ProcessList()), (Texts{"a.exe", "c.exe"}));
    EXPECT_EQ(system.closed.size(), 1u);

    // An icon that fails is reported when it is read, and asked for again the next time.
    system.failAtEntry = -1;
    system.iconFailsFor = "C:\\a.exe";
    system.icons["C:\\a.exe"] = 0x51;
    procList.ReadProcessList();
    EXPECT_THROW(procList.ProcessIcon(0), std::bad_alloc);
    system.iconFailsFor.clear();
    EXPECT_EQ(procList.ProcessIcon(0), 0x51u);
    EXPECT_EQ(TextsOf(procList.ProcessList()), (Texts{"a.exe", "b.exe", "c.exe"}));
    EXPECT_EQ(system.closed.size(), 2u);

    system.modules[5] = {System::Module(5, "one.dll", "C:\\one.dll"), System::Module(5, "two.dll", "C:\\two.dll")};
    system.failAtEntry = 1;
    EXPECT_THROW(procList.ReadModuleList(5), std::bad_alloc);
    EXPECT_EQ(TextsOf(procList.ModuleList()), (Texts{"one.dll"}));
    EXPECT_EQ(system.closed.size(), 3u);
}

TEST_F(ProcListTest, ASnapshotThatCannotBeTakenOrIsEmptyLeavesTheListEmptyAndIsClosed) {
    system.processes = {System::Process(1, "C:\\a.exe")};
    system.modules[1] = {System::Module(1, "a.exe", "C:\\a.exe")};
    procList.ReadProcessList();
    procList.ReadModuleList(1);
    ASSERT_EQ(procList.ProcessList().Count() + procList.ModuleList().Count(), 2);
    system.snapshotFails = true;
    procList.ReadProcessList();
    procList.ReadModuleList(1);
    EXPECT_EQ(procList.ProcessList().Count() + procList.ModuleList().Count(), 0);
    EXPECT_EQ(system.closed, (std::vector<platform::SnapshotHandle>{0x40, 0x41, 0, 0}));

    system.snapshotFails = false;
    system.processes.clear();
    procList.ReadProcessList();
    procList.ReadModuleList(2);  // no such process
    EXPECT_EQ(procList.ProcessList().Count() + procList.ModuleList().Count(), 0);
    EXPECT_EQ(system.closed.size(), 6u);
}

TEST_F(ProcListTest, ModuleListHoldsTheModulesOfTheLastProcessAskedForWhateverProcessRefills) {
    platform::ModuleEntry kernel = System::Module(7, "KERNEL32.DLL", "C:\\WINDOWS\\SYSTEM\\KERNEL32.DLL");
    kernel.modBaseAddr = 0x7FF812340000ull;  // pointer-wide
    kernel.hModule = 0x7FF812350000ull;
    system.modules[7] = {System::Module(7, "tool.exe", "C:\\apps\\tool.exe"), kernel};
    system.modules[8] = {System::Module(8, "other.exe", "C:\\other.exe")};
    system.icons["C:\\WINDOWS\\SYSTEM\\KERNEL32.DLL"] = 0x2C;
    system.processes = {System::Process(8, "C:\\other.exe")};

    procList.ReadModuleList(7);
    procList.ReadProcessList();
    EXPECT_EQ(TextsOf(procList.ModuleList()), (Texts{"KERNEL32.DLL", "tool.exe"}));
    EXPECT_EQ(system.snapshotsTaken[0], std::make_pair(platform::kSnapModule, 7u));
    EXPECT_EQ(procList.ModuleBaseAddr(0), 0x7FF812340000ull);
    EXPECT_EQ(procList.ModuleHandle(0), 0x7FF812350000ull);
    EXPECT_EQ(procList.ModuleIcon(0), 0x2Cu);
    EXPECT_EQ(procList.ModuleIcon(1), 0u);

    procList.ReadModuleList(8);
    EXPECT_EQ(TextsOf(procList.ModuleList()), (Texts{"other.exe"}));
    EXPECT_THROW(procList.ModuleHandle(-1), EStringListError);  // outside the lists
    EXPECT_THROW(procList.ModuleExePath(1), EStringListError);
    EXPECT_THROW(procList.ProcessID(1), EStringListError);
}

}  // namespace
