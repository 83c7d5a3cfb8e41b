// Process snapshots and termination (kernel32).
#include "platform/Win32Platform.h"

namespace platform {

SnapshotHandle Win32Platform::CreateToolhelp32Snapshot(std::uint32_t flags, std::uint32_t processId) {
    if (flags & kSnapModule) return CreateModuleSnapshot(processId);
    return 0;
}
bool Win32Platform::Process32First(SnapshotHandle, ProcessEntry&) { return false; }
bool Win32Platform::Process32Next(SnapshotHandle, ProcessEntry&) { return false; }
void Win32Platform::CloseHandle(SnapshotHandle) {}
std::uintptr_t Win32Platform::OpenProcess(std::uint32_t, bool, std::uint32_t) { return 0; }
bool Win32Platform::TerminateProcess(std::uintptr_t, std::uint32_t) { return false; }
std::uint32_t Win32Platform::WaitForSingleObject(std::uintptr_t, std::uint32_t) { return 0; }
void Win32Platform::CloseProcessHandle(std::uintptr_t) {}
std::uint32_t Win32Platform::CurrentProcessId() { return ::GetCurrentProcessId(); }

}  // namespace platform
