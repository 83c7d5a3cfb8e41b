// UnicodeProgram: the folder, the copy and the run, each through the wide functions.
#include "support/UnicodeProgram.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "shared/Utf16.h"

UnicodeProgram::UnicodeProgram() {
    // The second run of the Unicode tests asks for a code page: a missing locale cannot pass unseen.
    if (const char* codePage = std::getenv("VELQORNS_ANSI_CODE_PAGE")) {
        EXPECT_EQ(::GetACP(), std::strtoul(codePage, nullptr, 10));
    }
    wchar_t temp[MAX_PATH];
    folder = Utf8FromUtf16({temp, ::GetTempPathW(MAX_PATH, temp)}) + "Алексей 東京 " + std::to_string(::GetCurrentProcessId());
    path = folder + "\\прог.exe";
    ::CreateDirectoryW(Utf16FromUtf8(folder).c_str(), nullptr);
    EXPECT_TRUE(::CopyFileW(Utf16FromUtf8(BesideThisProgram("titled_window.exe")).c_str(), Utf16FromUtf8(path).c_str(), FALSE));
    process = std::make_unique<ChildProcess>(path, std::string("\"") + kUnicodeTitle + "\" quiet");
    for (int wait = 0; wait < 500 && !::FindWindowW(nullptr, Utf16FromUtf8(kUnicodeTitle).c_str()); ++wait) ::Sleep(20);
}

UnicodeProgram::~UnicodeProgram() {
    process.reset();
    ::DeleteFileW(Utf16FromUtf8(path).c_str());
    ::RemoveDirectoryW(Utf16FromUtf8(folder).c_str());
}
