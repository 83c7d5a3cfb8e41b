// IconStore: the icons of executable files, taken once per path and kept for the
// program's life, so that records and pages can share a handle without owning it.
#pragma once

#include <windows.h>

#include <string>
#include <unordered_map>

namespace platform {

class IconStore {
public:
    explicit IconStore(HINSTANCE instance) : instance_(instance) {}
    IconStore(const IconStore&) = delete;
    IconStore& operator=(const IconStore&) = delete;

    // The file's first icon, else an icon of the program associated with it, else 0. The
    // same path, in any letter case, always gives the same handle; none is destroyed.
    HICON Icon(const char* path);

private:
    HICON Extract(const std::wstring& path) const;

    HINSTANCE instance_;
    std::unordered_map<std::wstring, HICON> icons_;  // by upper-cased path
};

}  // namespace platform
