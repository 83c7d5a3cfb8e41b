// Executable types of files and the locale's text order.
#include "platform/Win32Platform.h"

namespace platform {

std::uint32_t Win32Platform::ExeType(const char*) { return 0; }
int Win32Platform::CompareTextIgnoreCase(const char*, int, const char*, int) { return 0; }

}  // namespace platform
