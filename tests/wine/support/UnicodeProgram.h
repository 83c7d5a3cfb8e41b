// A program named in Cyrillic and CJK: titled_window.exe copied into "<temp>\Алексей 東京 <id>"
// as "прог.exe" and run there until its window titled kUnicodeTitle shows; removed with the
// object. Under VELQORNS_ANSI_CODE_PAGE it checks that Wine gives programs that code page.
#pragma once

#include <memory>
#include <string>

#include "support/ChildProcess.h"

// Cyrillic, an emoji (a surrogate pair in UTF-16), CJK and an accented Latin letter.
constexpr const char* kUnicodeTitle = "Привет 😀 東京 café";

struct UnicodeProgram {
    UnicodeProgram();
    ~UnicodeProgram();
    std::string folder, path;
    std::unique_ptr<ChildProcess> process;
};
