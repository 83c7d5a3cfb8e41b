// UnicodeProgram: the folder, the copy and the run, each through the wide functions.
#include "support/UnicodeProgram.h"

#include "shared/Utf16.h"

UnicodeProgram::UnicodeProgram() {
    wchar_t temp[MAX_PATH];
    folder_ = Utf8FromUtf16({temp, ::GetTempPathW(MAX_PATH, temp)}) + "Алексей 東京 " + std::to_string(::GetCurrentProcessId());
    path_ = folder_ + "\\прог.exe";
    ::CreateDirectoryW(Utf16FromUtf8(folder_).c_str(), nullptr);
    if (::CopyFileW(Utf16FromUtf8(BesideThisProgram("titled_window.exe")).c_str(), Utf16FromUtf8(path_).c_str(), FALSE))
        process_ = std::make_unique<ChildProcess>(path_, std::string("\"") + kUnicodeTitle + "\" quiet");
}

UnicodeProgram::~UnicodeProgram() {
    process_.reset();
    ::DeleteFileW(Utf16FromUtf8(path_).c_str());
    ::RemoveDirectoryW(Utf16FromUtf8(folder_).c_str());
}
