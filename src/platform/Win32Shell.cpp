// The shell's open operation.
#include "platform/Win32Platform.h"

namespace platform {

void Win32Platform::ShellOpen(const char*, const char*, int) {}

}  // namespace platform
