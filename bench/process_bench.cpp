// ReadProcessList and ReadModuleList against a bare tool-help walk of the same entries,
// ReadProcessList also with 500 more processes of one name:
// for processes the walk, each executable's full path and its priority class. A refill
// takes no icon and no executable type: those wait until a record's are read.
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>

#include "Bench.h"
#include "ExtraProcesses.h"
#include "components/FindProc.h"
#include "platform/Win32Platform.h"

namespace {

using platform::Win32Platform;

// The snapshot names each executable without its folder; the component lists the full
// path, the base priority and the start time (which tells the process from a later one
// under its id), so the bare walk asks the process for all three.
void BareProcessWalk() {
    const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32FirstW(snapshot, &entry); more; more = ::Process32NextW(snapshot, &entry)) {
        wchar_t path[MAX_PATH];
        DWORD size = MAX_PATH;
        const HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID);
        if (!process) continue;
        ::QueryFullProcessImageNameW(process, 0, path, &size);
        ::GetPriorityClass(process);
        FILETIME created, exited, kernel, user;
        ::GetProcessTimes(process, &created, &exited, &kernel, &user);
        ::CloseHandle(process);
    }
    ::CloseHandle(snapshot);
}

void BareModuleWalk() {
    const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE | TH32CS_SNAPMODULE32, ::GetCurrentProcessId());
    if (snapshot == INVALID_HANDLE_VALUE) return;
    MODULEENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Module32FirstW(snapshot, &entry); more; more = ::Module32NextW(snapshot, &entry)) {
    }
    ::CloseHandle(snapshot);
}

// Our time over the baseline's, each the best of rounds of repeat calls, the two taken in
// turn within each round: the cost of a snapshot under load drifts more than the two differ.
double InterleavedRatio(const std::function<void()>& ours, const std::function<void()>& baseline, int repeat,
                        int rounds = 15) {
    double bestOurs = 1e300, bestBaseline = 1e300;
    for (int round = 0; round < rounds; ++round) {
        bestOurs = std::min(bestOurs, bench::BestSeconds(ours, repeat, 1));
        bestBaseline = std::min(bestBaseline, bench::BestSeconds(baseline, repeat, 1));
    }
    return bestOurs / bestBaseline;
}

const bench::Register processList("ReadProcessList", [] {
    TProcList procList(nullptr, Win32Platform::Instance());
    procList.ReadProcessList();
    return InterleavedRatio([&] { procList.ReadProcessList(); }, BareProcessWalk, 3);
});

// A busy desktop: 500 more processes, all of one file name, each its own entry in name and
// then identifier order.
const bench::Register processList500("ReadProcessList-500", [] {
    const bench::ExtraProcesses crowd(500, bench::ExtraProcesses::Names::One);
    TProcList procList(nullptr, Win32Platform::Instance());
    procList.ReadProcessList();
    return InterleavedRatio([&] { procList.ReadProcessList(); }, BareProcessWalk, 1, 7);
});

const bench::Register moduleList("ReadModuleList", [] {
    TProcList procList(nullptr, Win32Platform::Instance());
    procList.ReadModuleList(::GetCurrentProcessId());
    return InterleavedRatio([&] { procList.ReadModuleList(::GetCurrentProcessId()); }, BareModuleWalk, 5);
});

}  // namespace
