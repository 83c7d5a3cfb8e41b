// ChildProcess: proc_child.exe, started by a test and running idle until the test ends it;
// and the place of the helper programs, beside the test program.
#pragma once

#include <windows.h>

#include <string>

// The full path of a file beside this test program.
std::string BesideThisProgram(const std::string& name);

class ChildProcess {
public:
    // Starts the child with extraThreads idle threads besides its main one and waits until
    // it is running.
    explicit ChildProcess(int extraThreads = 0);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    static std::string Path() { return BesideThisProgram("proc_child.exe"); }
    bool Started() const { return started_; }
    DWORD Id() const { return info_.dwProcessId; }
    // Ends the process and waits until it has ended; its identifier stays reserved while
    // this object holds the process handle.
    void End();
    // True once the process has ended, by whatever hand.
    bool Ended() const;

private:
    PROCESS_INFORMATION info_{};
    bool started_ = false;
};
