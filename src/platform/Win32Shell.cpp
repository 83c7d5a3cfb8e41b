// The shell's open operation.
#include "platform/Win32Platform.h"

#include <shellapi.h>

#include "shared/Utf16.h"

namespace platform {

// What the shell answers is not wanted: no handler, no file and success look alike to callers.
void Win32Platform::ShellOpen(const char* operation, const char* file, int showCommand) {
    ::ShellExecuteW(nullptr, Utf16FromUtf8(operation).c_str(), Utf16FromUtf8(file).c_str(), nullptr, nullptr, showCommand);
}

}  // namespace platform
