// Ending a process and releasing a module of this program, through the platform.
#include "components/ProcessActions.h"

namespace {

constexpr std::uint32_t kProcessTerminate = 0x0001;
constexpr std::uint32_t kExitCode = 0xFFFFFFFF;

// Closes a process handle on every way out of the scope that opened it.
class ScopedProcess {
public:
    ScopedProcess(platform::IProcessSystem& system, std::uintptr_t handle) : system_(system), handle_(handle) {}
    ~ScopedProcess() {
        if (handle_) system_.CloseProcessHandle(handle_);
    }
    ScopedProcess(const ScopedProcess&) = delete;
    ScopedProcess& operator=(const ScopedProcess&) = delete;
    std::uintptr_t get() const { return handle_; }

private:
    platform::IProcessSystem& system_;
    std::uintptr_t handle_;
};

}  // namespace

TTerminateOutcome TerminateProcessById(platform::IProcessSystem& system, std::uint32_t processId,
                                       std::uint32_t waitMilliseconds) {
    ScopedProcess process(system, system.OpenProcess(kProcessTerminate, false, processId));
    if (!process.get()) return TTerminateOutcome::NotOpened;
    if (!system.TerminateProcess(process.get(), kExitCode)) return TTerminateOutcome::Failed;
    system.WaitForSingleObject(process.get(), waitMilliseconds);
    return TTerminateOutcome::Terminated;
}

TTerminateOutcome TerminateProcessById(platform::IProcessSystem& system, const TProcessIdentity& process,
                                       std::uint32_t waitMilliseconds) {
    ScopedProcess handle(system, system.OpenProcess(kProcessTerminate, false, process.processId));
    if (!handle.get()) return TTerminateOutcome::NotOpened;
    if (!system.TerminateProcess(handle.get(), kExitCode)) return TTerminateOutcome::Failed;
    return system.WaitForSingleObject(handle.get(), waitMilliseconds) == 0 ? TTerminateOutcome::Terminated
                                                                            : TTerminateOutcome::StillRunning;
}

bool FreeOwnModule(platform::IProcessSystem& system, std::uint32_t moduleProcessId, std::uint64_t module,
                   const std::string& path) {
    if (module == 0 || moduleProcessId != system.CurrentProcessId()) return false;
    if (system.ModuleHandleOf(path.c_str()) != module) return false;
    return system.FreeLibrary(module);
}
