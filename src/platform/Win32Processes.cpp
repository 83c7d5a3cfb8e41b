// Process snapshots and termination (kernel32). The snapshot entries are corrected to what
// the callers rely on: the full path of each executable and the base priority of each
// process, where the system lets this program open the process to ask.
#include "platform/Win32Platform.h"

#include <tlhelp32.h>
// This layer's methods carry the snapshot functions' names: the wide ones are called by name.
#undef Process32First
#undef Process32Next
#undef PROCESSENTRY32

#include <cstring>

#include "shared/Utf16.h"

namespace platform {

namespace {

// The base priority that belongs to a priority class, or 0 for a class not known here.
std::int32_t BasePriority(DWORD priorityClass) {
    switch (priorityClass) {
        case IDLE_PRIORITY_CLASS: return 4;
        case BELOW_NORMAL_PRIORITY_CLASS: return 6;
        case NORMAL_PRIORITY_CLASS: return 8;
        case ABOVE_NORMAL_PRIORITY_CLASS: return 10;
        case HIGH_PRIORITY_CLASS: return 13;
        case REALTIME_PRIORITY_CLASS: return 24;
        default: return 0;
    }
}

// The process opened to complete its entry; none for the idle process (id 0).
KernelHandle OpenForQuery(DWORD processId) {
    return KernelHandle(processId ? ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId) : nullptr);
}

std::uint64_t CreationTime(HANDLE process) {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!::GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
    return (static_cast<std::uint64_t>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

std::string ImagePath(HANDLE process) {
    wchar_t path[kMaxPath];
    DWORD length = kMaxPath;
    if (!::QueryFullProcessImageNameW(process, 0, path, &length) || length == 0 || length >= kMaxPath) return "";
    return Utf8FromUtf16({path, length});
}

void FillEntry(const PROCESSENTRY32W& raw, ProcessEntry& entry) {
    entry.cntUsage = raw.cntUsage;
    entry.th32ProcessID = raw.th32ProcessID;
    entry.th32DefaultHeapID = static_cast<std::uint64_t>(raw.th32DefaultHeapID);
    entry.th32ModuleID = raw.th32ModuleID;
    entry.cntThreads = raw.cntThreads;
    entry.th32ParentProcessID = raw.th32ParentProcessID;
    entry.pcPriClassBase = raw.pcPriClassBase;
    entry.dwFlags = raw.dwFlags;
    CopyText(raw.szExeFile, entry.szExeFile);
    entry.creationTime = 0;
}

bool WalkProcesses(SnapshotHandle snapshot, ProcessEntry& entry, bool first) {
    if (!snapshot) return false;
    PROCESSENTRY32W raw{};
    raw.dwSize = sizeof raw;
    const HANDLE handle = reinterpret_cast<HANDLE>(snapshot);
    if (!(first ? ::Process32FirstW(handle, &raw) : ::Process32NextW(handle, &raw))) return false;
    FillEntry(raw, entry);
    return true;
}

}  // namespace

SnapshotHandle Win32Platform::CreateToolhelp32Snapshot(std::uint32_t flags, std::uint32_t processId) {
    if (flags & kSnapModule) return CreateModuleSnapshot(processId);
    const HANDLE snapshot = ::CreateToolhelp32Snapshot(flags, processId);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    return reinterpret_cast<SnapshotHandle>(snapshot);
}

bool Win32Platform::Process32First(SnapshotHandle snapshot, ProcessEntry& entry) {
    return WalkProcesses(snapshot, entry, true);
}

bool Win32Platform::Process32Next(SnapshotHandle snapshot, ProcessEntry& entry) {
    return WalkProcesses(snapshot, entry, false);
}

void Win32Platform::CloseHandle(SnapshotHandle snapshot) {
    if (snapshot) ::CloseHandle(reinterpret_cast<HANDLE>(snapshot));
}

std::uintptr_t Win32Platform::OpenProcess(std::uint32_t access, bool inherit, std::uint32_t processId) {
    return reinterpret_cast<std::uintptr_t>(::OpenProcess(access, inherit ? TRUE : FALSE, processId));
}

bool Win32Platform::TerminateProcess(std::uintptr_t process, std::uint32_t exitCode) {
    return ::TerminateProcess(reinterpret_cast<HANDLE>(process), exitCode) != FALSE;
}

std::uint32_t Win32Platform::WaitForSingleObject(std::uintptr_t process, std::uint32_t milliseconds) {
    return ::WaitForSingleObject(reinterpret_cast<HANDLE>(process), milliseconds);
}

void Win32Platform::CloseProcessHandle(std::uintptr_t process) {
    if (process) ::CloseHandle(reinterpret_cast<HANDLE>(process));
}

// The snapshot gives only the executable's file name (Windows 95 gave the whole path),
// and Wine gives the priority class's code where Windows gives the base priority (8 for
// a normal process): both are asked of the process itself when it can be opened, and
// so is its start time, which tells this process from a later one under the same id.
void Win32Platform::CompleteProcessEntry(ProcessEntry& entry) {
    const KernelHandle process = OpenForQuery(entry.th32ProcessID);
    if (!process) return;
    if (const std::string path = ImagePath(process.get()); !path.empty() && path.size() < sizeof entry.szExeFile) {
        std::memset(entry.szExeFile, 0, sizeof entry.szExeFile);
        std::memcpy(entry.szExeFile, path.data(), path.size());
    }
    if (const std::int32_t base = BasePriority(::GetPriorityClass(process.get()))) entry.pcPriClassBase = base;
    entry.creationTime = CreationTime(process.get());
}

std::uint64_t Win32Platform::ProcessCreationTime(std::uintptr_t process) {
    return CreationTime(reinterpret_cast<HANDLE>(process));
}

std::string Win32Platform::ProcessImagePath(std::uintptr_t process) { return ImagePath(reinterpret_cast<HANDLE>(process)); }

std::uint32_t Win32Platform::CurrentProcessId() { return ::GetCurrentProcessId(); }

}  // namespace platform
