// The two dangerous actions of the list pages, on the platform: ending a process and
// releasing a module of this program. The pages ask the user first; these only act.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/Platform.h"

// What identifies a process over time: identifiers are reused, often within seconds, so an
// identifier read into a list may name another process by the time the user acts on it.
struct TProcessIdentity {
    std::uint32_t processId = 0;
    std::uint64_t creationTime = 0;  // 0 when it could not be read
    std::string exePath;             // compared only where the creation time is unknown
};

enum class TTerminateOutcome {
    NotOpened,     // cannot be opened, or the identifier names another process now
    Failed,        // TerminateProcess refused (no right to end it, or it is ending already)
    Terminated,    // ended, and gone before the wait was over
    StillRunning,  // told to end, but not gone when the wait was over
};

// Decides, with the process open (so that its identifier cannot be given away meanwhile),
// whether it is the process the user chose.
using TIsChosenProcess = std::function<bool(platform::BorrowedProcess process)>;

// Opens the process with the access that ending it, waiting for it and identifying it need,
// ends it with exit code 0xFFFFFFFF only when isChosen agrees, and waits for it to be gone.
// The wait is bounded: a process stuck in a driver would otherwise freeze the program for as
// long as it takes to die. The handle is closed on every way out.
TTerminateOutcome TerminateProcessIf(platform::IProcessSystem& system, std::uint32_t processId,
                                     const TIsChosenProcess& isChosen, std::uint32_t waitMilliseconds = 5000);

// The same for the process that identity names: by its start time where that was read, else
// by its executable.
TTerminateOutcome TerminateProcessById(platform::IProcessSystem& system, const TProcessIdentity& process,
                                       std::uint32_t waitMilliseconds = 5000);

// Releases one reference of a module, but only one of this program's own process: loaded from
// path under exactly the handle module. System libraries sit at the same address in every
// process, so the handle of another process's kernel32.dll would otherwise pass the check and
// release our own copy while the user believes the other process was changed.
bool FreeOwnModule(platform::IProcessSystem& system, std::uint32_t moduleProcessId, std::uint64_t module,
                   const std::string& path);
