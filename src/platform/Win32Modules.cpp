// Module snapshots and the release of this program's own modules.
#include "platform/Win32Platform.h"

namespace platform {

SnapshotHandle Win32Platform::CreateModuleSnapshot(std::uint32_t) { return 0; }
bool Win32Platform::Module32First(SnapshotHandle, ModuleEntry&) { return false; }
bool Win32Platform::Module32Next(SnapshotHandle, ModuleEntry&) { return false; }
std::uint64_t Win32Platform::ModuleHandleOf(const char*) { return 0; }
bool Win32Platform::FreeLibrary(std::uint64_t) { return false; }

}  // namespace platform
