// IconStore: ExtractIcon, then ExtractAssociatedIcon, once per path.
#include "platform/IconStore.h"

#include <shellapi.h>

#include "shared/Utf16.h"

namespace platform {

HICON IconStore::Icon(const char* path) {
    if (!path || !*path) return nullptr;
    std::wstring wide = Utf16FromUtf8(path);
    std::wstring key = wide;
    ::CharUpperBuffW(key.data(), static_cast<DWORD>(key.size()));
    const auto found = icons_.find(key);
    if (found != icons_.end()) return found->second;
    const HICON icon = Extract(wide);
    icons_.emplace(std::move(key), icon);
    return icon;
}

HICON IconStore::Extract(const std::wstring& path) const {
    HICON icon = ::ExtractIconW(instance_, path.c_str(), 0);
    // 1 means "not an executable file", not an icon.
    if (icon == reinterpret_cast<HICON>(1)) icon = nullptr;
    if (icon) return icon;
    // The associated icon is looked up in a buffer the call may write its finding into.
    wchar_t buffer[MAX_PATH + 1] = {};
    path.copy(buffer, MAX_PATH);
    WORD index = 0;
    return ::ExtractAssociatedIconW(instance_, buffer, &index);
}

}  // namespace platform
