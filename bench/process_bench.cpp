// ReadProcessList and ReadModuleList against a bare tool-help walk of the same entries:
// for processes the walk, each executable's full path and one type query per process.
#include <windows.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <chrono>

#include "Bench.h"
#include "components/FindProc.h"
#include "platform/Win32Platform.h"

namespace {

using platform::Win32Platform;

// The snapshot names each executable without its folder; the component lists the full
// path, so the bare walk asks for it too before it queries the type.
void BareProcessWalk() {
    const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32First(snapshot, &entry); more; more = ::Process32Next(snapshot, &entry)) {
        char path[MAX_PATH];
        DWORD size = MAX_PATH;
        const HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID);
        if (!process || !::QueryFullProcessImageNameA(process, 0, path, &size)) lstrcpynA(path, entry.szExeFile, MAX_PATH);
        if (process) ::CloseHandle(process);
        SHFILEINFOA info{};
        ::SHGetFileInfoA(path, 0, &info, sizeof info, SHGFI_EXETYPE);
    }
    ::CloseHandle(snapshot);
}

void BareModuleWalk() {
    const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE | TH32CS_SNAPMODULE32, ::GetCurrentProcessId());
    if (snapshot == INVALID_HANDLE_VALUE) return;
    MODULEENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Module32First(snapshot, &entry); more; more = ::Module32Next(snapshot, &entry)) {
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

double SecondsOfOneCall(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The icon store keeps every icon for the program's life: only a program's first refill
// finds it cold, so the cold cases time that one call and come first.
const bench::Register processCold("ReadProcessList, icons cold (first refill)", [] {
    TProcList procList(nullptr, Win32Platform::Instance());
    const double ours = SecondsOfOneCall([&] { procList.ReadProcessList(); });
    return ours / bench::BestSeconds(BareProcessWalk, 1, 3);
});

const bench::Register moduleCold("ReadModuleList, icons cold (first refill)", [] {
    TProcList procList(nullptr, Win32Platform::Instance());
    const double ours = SecondsOfOneCall([&] { procList.ReadModuleList(::GetCurrentProcessId()); });
    return ours / bench::BestSeconds(BareModuleWalk, 1, 3);
});

const bench::Register processWarm("ReadProcessList, icons warm", [] {
    TProcList procList(nullptr, Win32Platform::Instance());
    procList.ReadProcessList();
    return InterleavedRatio([&] { procList.ReadProcessList(); }, BareProcessWalk, 3);
});

const bench::Register moduleWarm("ReadModuleList, icons warm", [] {
    TProcList procList(nullptr, Win32Platform::Instance());
    procList.ReadModuleList(::GetCurrentProcessId());
    return InterleavedRatio([&] { procList.ReadModuleList(::GetCurrentProcessId()); }, BareModuleWalk, 5);
});

}  // namespace
