// ChildProcess: a program started by a test and ended with it at the latest: proc_child.exe
// running idle until the test ends it, or any windowed program; and the place of the helper
// programs, beside the test program.
#pragma once

#include <windows.h>

#include <string>

// The full path of this test program, and of a file beside it.
std::string ThisProgram();
std::string BesideThisProgram(const std::string& name);

class ChildProcess {
public:
    // Starts the child with extraThreads idle threads besides its main one and waits until
    // it is running.
    explicit ChildProcess(int extraThreads = 0);
    // Starts a windowed program with these arguments and waits until its message loop is idle.
    explicit ChildProcess(const std::string& program, const std::string& arguments = "");
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    static std::string Path() { return BesideThisProgram("proc_child.exe"); }
    bool Started() const { return started_; }
    DWORD Id() const { return info_.dwProcessId; }
    // Ends the process and waits (a minute at most) until it has ended; its identifier stays
    // reserved while this object holds the process handle.
    void End();
    // True once the process has ended, by whatever hand.
    bool Ended() const;
    // Waits (a minute at most) until the process has ended by itself; its exit code, or
    // STILL_ACTIVE when it has not ended.
    DWORD ExitCode() const;

private:
    bool Start(const std::string& program, std::string commandLine);

    PROCESS_INFORMATION info_{};
    bool started_ = false;
};
