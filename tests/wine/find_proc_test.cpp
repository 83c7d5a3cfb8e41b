// TProcList on the real system: this program and a child it starts in the process list,
// their modules, and the executable types of files the test provides.
#include "components/FindProc.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <tuple>

#include "platform/Win32Platform.h"
#include "support/ChildProcess.h"

namespace {

using platform::Win32Platform;

bool SamePath(const std::string& a, const std::string& b) { return ::lstrcmpiA(a.c_str(), b.c_str()) == 0; }

int IndexOfProcess(const TProcList& procList, DWORD processId) {
    for (int i = 0; i < procList.ProcessList().Count(); ++i)
        if (procList.ProcessID(i) == processId) return i;
    return -1;
}

// Equal names may follow each other: every process has its own entry (Wine starts two winedevice.exe).
void ExpectAscendingWithoutCase(const TStringList& list) {
    for (int k = 1; k < list.Count(); ++k)
        EXPECT_LE(::lstrcmpiA(list.Strings(k - 1).c_str(), list.Strings(k).c_str()), 0) << list.Strings(k);
}

class ProcListOnWindows : public ::testing::Test {
protected:
    void TearDown() override { ::SetPriorityClass(::GetCurrentProcess(), NORMAL_PRIORITY_CLASS); }
    Win32Platform& system = Win32Platform::Instance();
    TProcList procList{nullptr, system};
};

TEST_F(ProcListOnWindows, ThisProgramIsListedWithItsFullPathAndItsBasePriority) {
    for (auto [priorityClass, base, text] : {std::tuple{NORMAL_PRIORITY_CLASS, 8, "[Normal  ]"},
                                             std::tuple{BELOW_NORMAL_PRIORITY_CLASS, 6, "[Unknown]"}}) {
        ASSERT_TRUE(::SetPriorityClass(::GetCurrentProcess(), priorityClass));
        procList.ReadProcessList();
        const int i = IndexOfProcess(procList, ::GetCurrentProcessId());
        ASSERT_GE(i, 0);
        EXPECT_TRUE(SamePath(procList.ProcessExeFile(i), ThisProgram())) << procList.ProcessExeFile(i);
        EXPECT_TRUE(SamePath(procList.ProcessList().Strings(i), "find_proc_test.exe"));
        EXPECT_EQ(procList.ProcessPriClassBase(i), base);
        EXPECT_EQ(procList.ProcessPriorityText(i), text);
        EXPECT_EQ(procList.ProcessExeType(i), "hi:0");
        ExpectAscendingWithoutCase(procList.ProcessList());
    }
}

TEST_F(ProcListOnWindows, AChildIsListedWithItsParentThreadsAndModulesUntilItEnds) {
    ChildProcess child(2);
    ASSERT_TRUE(child.Started());
    procList.ReadProcessList();
    const int i = IndexOfProcess(procList, child.Id());
    ASSERT_GE(i, 0);
    EXPECT_EQ(procList.ProcessList().Strings(i), "proc_child.exe");
    EXPECT_TRUE(SamePath(procList.ProcessExeFile(i), ChildProcess::Path())) << procList.ProcessExeFile(i);
    EXPECT_EQ(procList.ProcessParentID(i), ::GetCurrentProcessId());
    EXPECT_EQ(procList.ProcessCntThreads(i), 3u);

    procList.ReadModuleList(child.Id());
    const int exe = procList.ModuleList().IndexOf("PROC_CHILD.EXE");
    ASSERT_GE(exe, 0);
    EXPECT_GE(procList.ModuleList().IndexOf("kernel32.dll"), 0);
    ExpectAscendingWithoutCase(procList.ModuleList());
    EXPECT_TRUE(SamePath(procList.ModuleExePath(exe), ChildProcess::Path())) << procList.ModuleExePath(exe);
    EXPECT_EQ(procList.ModuleProcessID(exe), child.Id());
    EXPECT_NE(procList.ModuleBaseAddr(exe), 0u);
    EXPECT_EQ(procList.ModuleHandle(exe), procList.ModuleBaseAddr(exe));

    child.End();
    procList.ReadModuleList(child.Id());
    EXPECT_EQ(procList.ModuleList().Count(), 0);
}

TEST_F(ProcListOnWindows, ExecutableTypeTellsConsoleWindowedDosAndOtherFiles) {
    const std::string dos = BesideThisProgram(std::to_string(::GetCurrentProcessId()) + "_dos.exe");
    const std::string text = BesideThisProgram(std::to_string(::GetCurrentProcessId()) + "_notes.txt");
    std::ofstream(dos, std::ios::binary) << "MZ" << std::string(62, '\0') << std::string(64, '\x90');
    std::ofstream(text, std::ios::binary) << "not a program\r\n";

    EXPECT_EQ(ExeTypeToText(system.ExeType(ChildProcess::Path().c_str())), "hi:0");
    EXPECT_EQ(ExeTypeToText(system.ExeType(BesideThisProgram("proc_window_gui40.exe").c_str())), "32-Bit");
    EXPECT_EQ(system.ExeType(dos.c_str()), 0x5A4Du);
    EXPECT_EQ(ExeTypeToText(system.ExeType(text.c_str())), "");
    EXPECT_EQ(ExeTypeToText(system.ExeType(BesideThisProgram("no such file.exe").c_str())), "");
    ::DeleteFileA(dos.c_str());
    ::DeleteFileA(text.c_str());
}

}  // namespace
