// Ending a process and releasing a module of this program, through the platform.
#include "components/ProcessActions.h"

#include "shared/ShortenPath.h"

namespace {

constexpr std::uint32_t kProcessTerminate = 0x0001;
constexpr std::uint32_t kProcessQueryLimitedInformation = 0x1000;
constexpr std::uint32_t kSynchronize = 0x00100000;
constexpr std::uint32_t kExitCode = 0xFFFFFFFF;
constexpr std::uint32_t kWaitObject0 = 0;

// Where the start time could not be read, the executable is the best evidence left: the
// whole path when the list had it, else the file name that the snapshot gave.
bool SameExecutable(platform::IProcessSystem& system, const std::string& listed, const std::string& now) {
    if (listed.empty() || now.empty()) return false;
    const std::string compared = listed.find_first_of("\\:") == std::string::npos ? FileNamePart(now) : now;
    return system.CompareOrdinalIgnoreCase(listed.data(), static_cast<int>(listed.size()), compared.data(),
                                           static_cast<int>(compared.size())) == 0;
}

}  // namespace

TTerminateOutcome TerminateProcessIf(platform::IProcessSystem& system, std::uint32_t processId,
                                     const TIsChosenProcess& isChosen, std::uint32_t waitMilliseconds) {
    const std::uint32_t access = kProcessTerminate | kSynchronize | kProcessQueryLimitedInformation;
    const platform::ProcessOwner process = platform::OpenOwnedProcess(system, access, processId);
    if (!process.get() || !isChosen(process.get())) return TTerminateOutcome::NotOpened;
    if (!system.TerminateProcess(process.get(), kExitCode)) return TTerminateOutcome::Failed;
    return system.WaitForSingleObject(process.get(), waitMilliseconds) == kWaitObject0 ? TTerminateOutcome::Terminated
                                                                                        : TTerminateOutcome::StillRunning;
}

TTerminateOutcome TerminateProcessById(platform::IProcessSystem& system, const TProcessIdentity& chosen,
                                       std::uint32_t waitMilliseconds) {
    const auto isChosen = [&system, &chosen](platform::BorrowedProcess process) {
        if (chosen.creationTime != 0) return system.ProcessCreationTime(process) == chosen.creationTime;
        return SameExecutable(system, chosen.exePath, system.ProcessImagePath(process));
    };
    return TerminateProcessIf(system, chosen.processId, isChosen, waitMilliseconds);
}

bool FreeOwnModule(platform::IProcessSystem& system, std::uint32_t moduleProcessId, std::uint64_t module,
                   const std::string& path) {
    if (module == 0 || moduleProcessId != system.CurrentProcessId()) return false;
    if (system.ModuleHandleOf(path.c_str()) != module) return false;
    return system.FreeLibrary(module);
}
