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

// Every process and module has its own entry: names in the locale's order without case,
// equal names by process identifier or base address, whatever order the snapshot gives.
TEST_F(ProcListTest, EachProcessAndModuleIsListedInNameOrderThenByIdentifierOrAddress) {
    const std::vector<platform::ProcessEntry> processes = {
        System::Process(0x50, "C:\\WINDOWS\\svchost.exe"), System::Process(0x20, "C:\\Program Files\\Alpha.exe"),
        System::Process(0x10, "D:beta.EXE"),               System::Process(0x1C, "C:\\WINDOWS\\SVCHOST.EXE"),
        System::Process(0x30, "gamma.exe"),                System::Process(0x08, "C:\\b\\ALPHA.EXE"),
        System::Process(0x40, "C:\\WINDOWS\\svchost.exe")};
    for (bool reversed : {false, true}) {
        system.processes = processes;
        if (reversed) std::reverse(system.processes.begin(), system.processes.end());
        procList.ReadProcessList();
        Texts listed;
        for (int i = 0; i < procList.ProcessList().Count(); ++i)
            listed.push_back(procList.ProcessList().Strings(i) + " " + std::to_string(procList.ProcessID(i)));
        EXPECT_EQ(listed, (Texts{"ALPHA.EXE 8", "Alpha.exe 32", "beta.EXE 16", "gamma.exe 48", "SVCHOST.EXE 28",
                                 "svchost.exe 64", "svchost.exe 80"})) << "reversed " << reversed;
        EXPECT_EQ(procList.ProcessExeFile(0), "C:\\b\\ALPHA.EXE");
    }
    EXPECT_EQ(system.snapshotsTaken[0], std::make_pair(platform::kSnapProcess, 0u));

    for (std::uint64_t base : {0x7FF800000000ull, 0x10000000ull, 0x7FF700000000ull}) {
        system.modules[0x40].push_back(System::Module(0x40, "shared.dll", "C:\\shared.dll"));
        system.modules[0x40].back().modBaseAddr = base;
    }
    procList.ReadModuleList(0x40);
    ASSERT_EQ(procList.ModuleList().Count(), 3);
    EXPECT_EQ(std::tuple(procList.ModuleBaseAddr(0), procList.ModuleBaseAddr(2), system.snapshotsTaken.back()),
              std::tuple(0x10000000u, 0x7FF800000000u, std::make_pair(platform::kSnapModule, 0x40u)));

    // Process 0 is the idle process here; its module snapshot would be this program's own.
    system.modules[0] = {System::Module(0, "Velqorns.exe", "C:\\Velqorns.exe")};
    procList.ReadModuleList(0);
    EXPECT_EQ(procList.ModuleList().Count(), 0);
}

// Full texts without NUL, pointer-wide values; the file is asked only when type or icon is
// read, once each.
TEST_F(ProcListTest, RecordsHoldTheSnapshotFieldsAndTheDerivedValuesAndFullTextsWithoutNul) {
    // As long as the entry's UTF-8 array: no NUL.
    const std::string path = "C:\\" + std::string(sizeof platform::ProcessEntry{}.szExeFile - 9, 'p') + "\\x.exe";
    platform::ProcessEntry entry = System::Process(0xFFFFFFF0, path, 13);
    entry.th32DefaultHeapID = 0x1234567890ABCDEFull;
    entry.creationTime = 0x01D9ABCDEF012345ull;
    system.processes = {entry};
    system.icons[path] = 0x1A2B3, system.exeTypes[path] = 0x04004550;
    procList.ReadProcessList();
    EXPECT_EQ(procList.ProcessList().Strings(0) + " " + procList.ProcessPriorityText(0), "x.exe [High    ]");
    EXPECT_EQ(std::tuple(system.queriedPaths.size(), procList.ProcessDefaultHeapID(0)), std::tuple(0u, 0x1234567890ABCDEFull));
    for (int read = 0; read < 2; ++read)
        EXPECT_EQ(std::pair(procList.ProcessExeType(0), procList.ProcessIcon(0)), std::pair(std::string("32-Bit"), platform::IconHandle{0x1A2B3}));
    EXPECT_EQ(system.queriedPaths, (Texts{path, path}));
    const TProcessIdentity identity = procList.ProcessIdentity(0);
    EXPECT_EQ(std::tuple(identity.processId, identity.creationTime, identity.exePath),
              std::tuple(0xFFFFFFF0u, 0x01D9ABCDEF012345ull, path));

    // Modules: pointer-wide, icons by path, in name order without case; the list is the last
    // process asked for, whatever the process list does.
    const std::string name(sizeof platform::ModuleEntry{}.szModule, 'm');  // no NUL either
    platform::ModuleEntry module = System::Module(9, name, path);
    module.modBaseAddr = 0x7FF812340000ull, module.hModule = 0x7FF812350000ull;
    system.modules[9] = {System::Module(9, "Z.DLL", "C:\\Z.DLL"), module};
    procList.ReadModuleList(9), procList.ReadProcessList();
    EXPECT_EQ(procList.ModuleList().Strings(0) + procList.ModuleExePath(0), name + path);
    EXPECT_EQ(std::tuple(procList.ModuleBaseAddr(0), procList.ModuleHandle(0), procList.ModuleIcon(0), procList.ModuleIcon(1)),
              std::tuple(0x7FF812340000ull, 0x7FF812350000ull, platform::IconHandle{0x1A2B3}, platform::IconHandle{0}));
}

// The cases a plain reading of the executable-type tables gets wrong; the priority row that
// only a privileged process reaches.
TEST(ExeTypeAndPriorityTexts, TheMarkedVersionDecidesForNePeAndZeroLettersAndOnlyThose) {
    const std::pair<std::string, const char*> cases[] = {
        {ExeTypeToText(0x030A4550), "16-Bit"},   // PE marked for 3.10
        {ExeTypeToText(0x04000000), "32-Bit"},   // no letters: as NE and PE
        {ExeTypeToText(0x4550), "hi:0"},         // a console program
        {ExeTypeToText(0xFFFF454E), "hi:65535"}, {ExeTypeToText(0x0400454C), "Vxd"},
        {ExeTypeToText(0x04004D5A), "lo:19802"},  // letters the wrong way round are no MZ
        {PriorityToText(24), "[RealTime]"}};
    for (const auto& [shown, text] : cases) EXPECT_EQ(shown, text);
}

// A snapshot that fails while it is read leaves the entries added so far; one that cannot be
// taken or holds nothing leaves the list empty; each is closed. An icon that fails is
// reported when it is read, and asked for again the next time.
TEST_F(ProcListTest, FailedSnapshotsLeaveWhatWasAddedAndAreClosedAndAFailedIconIsAskedAgain) {
    system.processes = {System::Process(1, "C:\\c.exe"), System::Process(2, "C:\\a.exe"), System::Process(3, "C:\\b.exe")};
    system.modules[1] = {System::Module(1, "one.dll", "C:\\one.dll"), System::Module(1, "two.dll", "C:\\two.dll")};
    system.failAtEntry = 2;
    EXPECT_THROW(procList.ReadProcessList(), std::bad_alloc);
    EXPECT_EQ(TextsOf(procList.ProcessList()), (Texts{"a.exe", "c.exe"}));
    system.failAtEntry = 1;
    EXPECT_THROW(procList.ReadModuleList(1), std::bad_alloc);
    EXPECT_EQ(TextsOf(procList.ModuleList()), (Texts{"one.dll"}));
    system.snapshotFails = true;
    procList.ReadProcessList(), procList.ReadModuleList(1);
    EXPECT_EQ(procList.ProcessList().Count() + procList.ModuleList().Count(), 0);
    system.snapshotFails = false, system.failAtEntry = -1;
    procList.ReadModuleList(1), procList.ReadModuleList(2);  // no such process
    EXPECT_EQ(std::pair(procList.ModuleList().Count(), system.openSnapshots), std::pair(0, 0));

    system.iconFailsFor = "C:\\a.exe", system.icons["C:\\a.exe"] = 0x51;
    procList.ReadProcessList();
    EXPECT_THROW(procList.ProcessIcon(0), std::bad_alloc);
    system.iconFailsFor.clear();
    EXPECT_EQ(procList.ProcessIcon(0), 0x51u);
}

}  // namespace
