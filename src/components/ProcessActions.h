// The two dangerous actions of the list pages, on the platform: ending a process and
// releasing a module of this program. The pages ask the user first; these only act.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Platform.h"

// What identifies a process over time.
struct TProcessIdentity {
    std::uint32_t processId = 0;
    std::uint64_t creationTime = 0;  // 0 when it could not be read
    std::string exePath;             // compared only where the creation time is unknown
};

enum class TTerminateOutcome {
    NotOpened,     // no handle with terminate access: the caller reports it
    Failed,        // TerminateProcess refused: nothing is reported
    Terminated,    // told to end; waited for its end, at most the time given
    StillRunning,  // told to end, but not gone within the time given
};

// Stand-in until the identity check lands: acts on the process id alone.
TTerminateOutcome TerminateProcessById(platform::IProcessSystem& system, const TProcessIdentity& process,
                                       std::uint32_t waitMilliseconds = 5000);

// Opens the process with terminate access only, ends it with exit code 0xFFFFFFFF and waits
// for it to be gone. The wait is bounded: a process stuck in a driver would otherwise freeze
// the program for as long as it takes to die. The handle is closed on every way out.
TTerminateOutcome TerminateProcessById(platform::IProcessSystem& system, std::uint32_t processId,
                                       std::uint32_t waitMilliseconds = 5000);

// Releases one reference of a module, but only one of this program's own process: loaded from
// path under exactly the handle module. System libraries sit at the same address in every
// process, so the handle of another process's kernel32.dll would otherwise pass the check and
// release our own copy while the user believes the other process was changed.
bool FreeOwnModule(platform::IProcessSystem& system, std::uint32_t moduleProcessId, std::uint64_t module,
                   const std::string& path);
