// The platform's corrections of what the system reports, on the real system: this program's
// full path and base priority, and the executable types of files the test provides.
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

TEST(ProcListOnWindows, ProcessesHaveTheirFullPathBasePriorityAndExecutableTypeAsWindowsGivesThem) {
    Win32Platform& system = Win32Platform::Instance();
    TProcList procList{nullptr, system};
    for (auto [priorityClass, base, text] : {std::tuple{BELOW_NORMAL_PRIORITY_CLASS, 6, "[Unknown]"},
                                             std::tuple{NORMAL_PRIORITY_CLASS, 8, "[Normal  ]"}}) {
        ASSERT_TRUE(::SetPriorityClass(::GetCurrentProcess(), priorityClass));
        procList.ReadProcessList();
        int i = procList.ProcessList().Count() - 1;
        while (i >= 0 && procList.ProcessID(i) != ::GetCurrentProcessId()) --i;
        ASSERT_GE(i, 0);
        EXPECT_EQ(::lstrcmpiA(procList.ProcessExeFile(i).c_str(), ThisProgram().c_str()), 0) << procList.ProcessExeFile(i);
        EXPECT_EQ(procList.ProcessPriClassBase(i), base);
        EXPECT_EQ(procList.ProcessPriorityText(i), text);
        EXPECT_NE(procList.ProcessIdentity(i).creationTime, 0u);
    }

    const std::string dos = BesideThisProgram(std::to_string(::GetCurrentProcessId()) + "_dos.exe");
    const std::string text = BesideThisProgram(std::to_string(::GetCurrentProcessId()) + "_notes.txt");
    std::ofstream(dos, std::ios::binary) << "MZ" << std::string(62, '\0') << std::string(64, '\x90');
    std::ofstream(text, std::ios::binary) << "not a program\r\n";
    EXPECT_EQ(ExeTypeToText(system.ExeType(ChildProcess::Path().c_str())), "hi:0");  // console
    EXPECT_EQ(ExeTypeToText(system.ExeType(BesideThisProgram("proc_window_gui40.exe").c_str())), "32-Bit");
    EXPECT_EQ(system.ExeType(dos.c_str()), 0x5A4Du);  // the letters in memory order, as Windows gives them
    EXPECT_EQ(ExeTypeToText(system.ExeType(text.c_str())), "");
    EXPECT_EQ(ExeTypeToText(system.ExeType(BesideThisProgram("no such file.exe").c_str())), "");
    ::DeleteFileA(dos.c_str());
    ::DeleteFileA(text.c_str());
}

}  // namespace
