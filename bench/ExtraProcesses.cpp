// Started programs and the crowd of idle copies, each in a kill-on-close job.
#include "ExtraProcesses.h"

#include <cstdint>
#include <stdexcept>

namespace bench {

namespace {

constexpr DWORD kPatience = 60000;  // milliseconds

std::uint64_t Ticks(const FILETIME& time) { return (std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime; }

// The ended copies' teardown goes on after their handles are signalled (under Wine each is a
// Unix process whose memory the system is still giving back), and it would weigh on the next
// measurement: this waits until the processors have been nine tenths idle for a fifth of a
// second, for ten seconds at most.
void WaitUntilQuiet() {
    for (int tries = 0; tries < 50; ++tries) {
        FILETIME idle0, kernel0, user0, idle1, kernel1, user1;
        ::GetSystemTimes(&idle0, &kernel0, &user0);
        ::Sleep(200);
        ::GetSystemTimes(&idle1, &kernel1, &user1);
        const std::uint64_t idle = Ticks(idle1) - Ticks(idle0);
        // The kernel time holds the idle time.
        const std::uint64_t busyAndIdle = Ticks(kernel1) - Ticks(kernel0) + Ticks(user1) - Ticks(user0);
        if (busyAndIdle == 0 || idle * 10 >= busyAndIdle * 9) return;
    }
}

}  // namespace

std::string BenchFolder() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

Started Start(const std::string& program, const std::string& arguments) {
    std::string commandLine = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &info))
        throw std::runtime_error("cannot start " + program);
    ::CloseHandle(info.hThread);
    return Started{platform::KernelHandle(info.hProcess), info.dwProcessId};
}

ExtraProcesses::ExtraProcesses(int count, Names names) : job_(::CreateJobObjectA(nullptr, nullptr)) {
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    ::SetInformationJobObject(job_.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);
    const std::string idle = BenchFolder() + "idle.exe";
    const std::string folder = BenchFolder() + "startup-copies\\";
    if (names == Names::Each) ::CreateDirectoryA(folder.c_str(), nullptr);
    for (int i = 0; i < count; ++i) {
        std::string copy = idle;
        if (names == Names::Each) {
            copy = folder + "idle" + std::to_string(i) + ".exe";
            ::CopyFileA(idle.c_str(), copy.c_str(), FALSE);
        }
        // Programs of their own show their windows, as a desktop's programs do; a crowd from one
        // file is background work, and keeps them hidden.
        copies_.push_back(Start(copy, names == Names::Each ? "shown" : ""));
        ::AssignProcessToJobObject(job_.get(), copies_.back().process.get());
    }
    for (const Started& copy : copies_) ::WaitForInputIdle(copy.process.get(), kPatience);
}

ExtraProcesses::~ExtraProcesses() {
    for (const Started& copy : copies_) ::TerminateProcess(copy.process.get(), 0);
    for (const Started& copy : copies_) ::WaitForSingleObject(copy.process.get(), 10000);
    WaitUntilQuiet();
}

}  // namespace bench
