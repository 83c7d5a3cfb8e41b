// ChildProcess: a program started by a test and ended with it at the latest: proc_child.exe
// running idle until the test ends it, or any windowed program; and the place of the helper
// programs, beside the test program. Every wait is bounded (a minute), so that a broken
// build fails a test instead of hanging.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

constexpr DWORD kWaitLimit = 60000;  // every wait's limit (ms): a broken build fails a test, not hangs

// The full path of a file beside this test program.
std::string BesideThisProgram(const std::string& name);
// Starts program with these arguments, in job if given before it runs; false if it could not.
bool StartProcess(const std::string& program, const std::string& arguments, PROCESS_INFORMATION& info, HANDLE job = nullptr);

class ChildProcess {
public:
    ChildProcess();  // proc_child.exe; returns once it runs
    // A windowed program with these arguments; returns once its message loop is idle.
    explicit ChildProcess(const std::string& program, const std::string& arguments = "");
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    static std::string Path() { return BesideThisProgram("proc_child.exe"); }
    bool Started() const { return started_; }
    DWORD Id() const { return info_.dwProcessId; }
    // True once the process has ended, by whatever hand.
    bool Ended() const { return ::WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0; }
    // Waits until the process has ended by itself; its exit code, STILL_ACTIVE if it has not.
    DWORD ExitCode() const;

private:
    PROCESS_INFORMATION info_{};
    bool started_ = false;
};

// A program named in Cyrillic and CJK: titled_window.exe copied into "<temp>\Алексей 東京 <id>"
// as "прог.exe" and run there until its window titled kUnicodeTitle (Cyrillic, an emoji, CJK, an
// accented Latin letter) shows; removed with the object. Under VELQORNS_ANSI_CODE_PAGE it checks
// that Wine gives programs that code page.
constexpr const char* kUnicodeTitle = "Привет 😀 東京 café";
struct UnicodeProgram {
    UnicodeProgram();
    ~UnicodeProgram();
    std::string folder, path;
    std::unique_ptr<ChildProcess> process;
};
