// File icons, taken once per path and kept for the program's life.
#include "platform/IconStore.h"
#include "platform/Win32Platform.h"

namespace platform {

IconHandle Win32Platform::FileIcon(const char* path) {
    static IconStore store(::GetModuleHandleW(nullptr));
    return FromHicon(store.Icon(path));
}

}  // namespace platform
