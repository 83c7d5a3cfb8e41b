// TDisplayIcon: an icon as a page shows it. The handle belongs to someone else (a record of
// a list component, kept for the program's life), so this object never destroys it.
#pragma once

#include <windows.h>

class TDisplayIcon {
public:
    explicit TDisplayIcon(HICON handle) : handle_(handle) {}
    HICON Handle() const { return handle_; }

private:
    HICON handle_;  // borrowed
};
