// Programs that the benchmark starts and ends itself: the folder beside the bench, a started
// process, and a crowd of copies of the small idle program that make the desktop busier.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/Win32Handles.h"

namespace bench {

// The bench's own folder, ending in a backslash.
std::string BenchFolder();

struct Started {
    platform::KernelHandle process;
    DWORD processId = 0;
};

// Starts program with these arguments; throws std::runtime_error when it cannot.
Started Start(const std::string& program, const std::string& arguments = "");

// count copies of the idle program, running until the object goes: under as many file
// names, or all from one file (as a browser runs one process per tab). A job ends any copy
// left behind if the bench itself is cut short.
class ExtraProcesses {
public:
    enum class Names { Each, One };
    explicit ExtraProcesses(int count, Names names = Names::Each);
    ~ExtraProcesses();
    ExtraProcesses(const ExtraProcesses&) = delete;
    ExtraProcesses& operator=(const ExtraProcesses&) = delete;

private:
    platform::KernelHandle job_;
    std::vector<Started> copies_;
};

}  // namespace bench
