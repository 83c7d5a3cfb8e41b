// The shell's open operation.
#include "platform/Win32Platform.h"

#include <shellapi.h>

namespace platform {

// What the shell answers is not wanted: no handler, no file and success look alike to callers.
void Win32Platform::ShellOpen(const char* operation, const char* file, int showCommand) {
    ::ShellExecuteA(nullptr, operation, file, nullptr, nullptr, showCommand);
}

}  // namespace platform
