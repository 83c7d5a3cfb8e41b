// velq's commands: the records of TWinList and TProcList written to the console, and the
// termination of one process through the process actions. No Win32 here: the platform parts
// are given, so the commands read exactly what the GUI's components read.
#pragma once

#include <string>
#include <vector>

#include "velq/Console.h"
#include "platform/Platform.h"
#include "velq/VelqCommandLine.h"

// Exit statuses.
constexpr int kVelqSucceeded = 0;
constexpr int kVelqFailed = 1;      // no such window or process, cannot open it, not ended, answered no
constexpr int kVelqUsageError = 2;  // unknown command or option, a number that is not one

// Parses arguments (without the program's name) and runs the request; the exit status.
int RunVelq(const std::vector<std::string>& arguments, platform::IWindowSystem& windows,
            platform::IProcessSystem& processes, platform::IConsole& console);
int RunVelqRequest(const TVelqRequest& request, platform::IWindowSystem& windows, platform::IProcessSystem& processes,
                   platform::IConsole& console);
