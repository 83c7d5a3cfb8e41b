// IconStore: ExtractIcon, then ExtractAssociatedIcon, once per path.
#include "platform/IconStore.h"

#include <shellapi.h>

#include <cstring>

namespace platform {

HICON IconStore::Icon(const char* path) {
    if (!path || !*path) return nullptr;
    std::string key(path);
    ::CharUpperBuffA(key.data(), static_cast<DWORD>(key.size()));
    const auto found = icons_.find(key);
    if (found != icons_.end()) return found->second;
    const HICON icon = Extract(path);
    icons_.emplace(std::move(key), icon);
    return icon;
}

HICON IconStore::Extract(const char* path) const {
    HICON icon = ::ExtractIconA(instance_, path, 0);
    // 1 means "not an executable file", not an icon.
    if (icon == reinterpret_cast<HICON>(1)) icon = nullptr;
    if (icon) return icon;
    // The associated icon is looked up in a buffer the call may write its finding into.
    char buffer[MAX_PATH + 1] = {};
    std::strncpy(buffer, path, MAX_PATH);
    WORD index = 0;
    return ::ExtractAssociatedIconA(instance_, buffer, &index);
}

}  // namespace platform
