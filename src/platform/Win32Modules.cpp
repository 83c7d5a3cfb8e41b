// Module snapshots and the release of this program's own modules.
#include "platform/Win32Platform.h"

#include <tlhelp32.h>
// This layer's methods carry the snapshot functions' names: the wide ones are called by name.
#undef Module32First
#undef Module32Next
#undef MODULEENTRY32

#include <cstring>

#include "shared/Utf16.h"

namespace platform {

namespace {

// A module snapshot can fail with ERROR_BAD_LENGTH while the process is loading or
// unloading modules; trying again shortly after succeeds.
constexpr int kSnapshotAttempts = 5;

HANDLE ToHandle(SnapshotHandle snapshot) { return reinterpret_cast<HANDLE>(snapshot); }

void Copy(const MODULEENTRY32W& from, ModuleEntry& to) {
    to.th32ModuleID = from.th32ModuleID;
    to.th32ProcessID = from.th32ProcessID;
    to.GlblcntUsage = from.GlblcntUsage;
    to.ProccntUsage = from.ProccntUsage;
    to.modBaseAddr = reinterpret_cast<std::uintptr_t>(from.modBaseAddr);
    to.modBaseSize = from.modBaseSize;
    to.hModule = reinterpret_cast<std::uintptr_t>(from.hModule);
    CopyText(from.szModule, to.szModule);
    CopyText(from.szExePath, to.szExePath);
}

}  // namespace

// TH32CS_SNAPMODULE32 as well, so that the modules of a 32-bit process show from this 64-bit program.
SnapshotHandle Win32Platform::CreateModuleSnapshot(std::uint32_t processId) {
    for (int attempt = 0; attempt < kSnapshotAttempts; ++attempt) {
        const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPMODULE | TH32CS_SNAPMODULE32, processId);
        if (snapshot != INVALID_HANDLE_VALUE) return reinterpret_cast<SnapshotHandle>(snapshot);
        if (::GetLastError() != ERROR_BAD_LENGTH) break;
        ::Sleep(0);
    }
    return 0;
}

bool Win32Platform::Module32First(SnapshotHandle snapshot, ModuleEntry& entry) {
    MODULEENTRY32W module{};
    module.dwSize = sizeof module;
    if (!::Module32FirstW(ToHandle(snapshot), &module)) return false;
    Copy(module, entry);
    return true;
}

bool Win32Platform::Module32Next(SnapshotHandle snapshot, ModuleEntry& entry) {
    MODULEENTRY32W module{};
    module.dwSize = sizeof module;
    if (!::Module32NextW(ToHandle(snapshot), &module)) return false;
    Copy(module, entry);
    return true;
}

std::uint64_t Win32Platform::ModuleHandleOf(const char* path) {
    return reinterpret_cast<std::uintptr_t>(::GetModuleHandleW(Utf16FromUtf8(path).c_str()));
}

bool Win32Platform::FreeLibrary(std::uint64_t module) {
    return ::FreeLibrary(reinterpret_cast<HMODULE>(static_cast<std::uintptr_t>(module))) != FALSE;
}

}  // namespace platform
