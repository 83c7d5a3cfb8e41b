// A program named in Cyrillic and CJK: titled_window.exe copied into "<temp>\Алексей 東京 <id>"
// as "прог.exe" and run there, its window titled kUnicodeTitle. Removed with the object.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "support/ChildProcess.h"

// Cyrillic, an emoji (a surrogate pair in UTF-16), CJK and an accented Latin letter.
constexpr const char* kUnicodeTitle = "Привет 😀 東京 café";

class UnicodeProgram {
public:
    UnicodeProgram();
    ~UnicodeProgram();
    UnicodeProgram(const UnicodeProgram&) = delete;
    UnicodeProgram& operator=(const UnicodeProgram&) = delete;

    bool Started() const { return process_ && process_->Id() != 0; }  // a console program: its window comes later
    DWORD Id() const { return process_ ? process_->Id() : 0; }
    const std::string& Path() const { return path_; }

private:
    std::string folder_, path_;
    std::unique_ptr<ChildProcess> process_;
};
