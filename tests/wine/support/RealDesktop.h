// RealDesktop: makes this test's desktop look like a user's. Over a hundred extra processes:
// two dozen of one executable, the same name in other letter cases from other folders, a
// program in a folder whose path holds "&" and a non-ASCII character, and
// processes that a test ends while a page shows them. All of them run in a job that ends them
// when the fixture goes, and also when the test program dies.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class RealDesktop {
public:
    static constexpr const char* kManyName = "browser.exe";  // run kManyCount times from one file
    static constexpr int kManyCount = 24;

    RealDesktop();  // returns once every process runs
    ~RealDesktop();
    RealDesktop(const RealDesktop&) = delete;
    RealDesktop& operator=(const RealDesktop&) = delete;

    bool Started() const { return started_; }
    // "...\Tom & Jérry\np&x.exe": a windowed program titled kOddTitle.
    const std::string& OddProgram() const { return oddProgram_; }
    // The identifiers of the running processes of a file name, any letter case, in ascending order.
    std::vector<DWORD> IdsOf(const std::string& fileName) const;
    void End(DWORD id);  // ends one process and waits until it has gone

private:
    struct Process {
        std::string name;
        HANDLE handle;
        DWORD id;
    };
    std::string oddProgram_;
    std::vector<std::string> made_;  // folders and files, in the order made
    HANDLE job_;
    std::vector<Process> processes_;
    bool started_ = false;
};
