// ChildProcess: proc_child tells it is running by setting a named event of this test.
#include "support/ChildProcess.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>

#include "shared/Utf16.h"

std::string BesideThisProgram(const std::string& name) {
    wchar_t own[MAX_PATH] = {};
    const std::string path = Utf8FromUtf16({own, ::GetModuleFileNameW(nullptr, own, MAX_PATH)});
    return path.substr(0, path.find_last_of('\\') + 1) + name;
}

bool StartProcess(const std::string& program, const std::string& arguments, PROCESS_INFORMATION& info, HANDLE job) {
    std::wstring commandLine = Utf16FromUtf8("\"" + program + "\" " + arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!::CreateProcessW(Utf16FromUtf8(program).c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                          &startup, &info))
        return false;
    if (job) ::AssignProcessToJobObject(job, info.hProcess);
    ::ResumeThread(info.hThread);
    ::CloseHandle(info.hThread);
    return true;
}

ChildProcess::ChildProcess() {
    static std::atomic<int> started{0};  // one event per child, so that none sees another's
    const std::string event = "VelqornsTestChild" + std::to_string(::GetCurrentProcessId()) + "_" + std::to_string(++started);
    const HANDLE ready = ::CreateEventA(nullptr, TRUE, FALSE, event.c_str());
    if (StartProcess(Path(), event, info_)) {
        const HANDLE waits[] = {ready, info_.hProcess};
        started_ = ::WaitForMultipleObjects(2, waits, FALSE, kWaitLimit) == WAIT_OBJECT_0;
    }
    ::CloseHandle(ready);
}

ChildProcess::ChildProcess(const std::string& program, const std::string& arguments) {
    started_ = StartProcess(program, arguments, info_) && ::WaitForInputIdle(info_.hProcess, kWaitLimit) == 0;
}

ChildProcess::~ChildProcess() {
    if (!info_.hProcess) return;
    ::TerminateProcess(info_.hProcess, 0);
    ::WaitForSingleObject(info_.hProcess, kWaitLimit);
    ::CloseHandle(info_.hProcess);
}

DWORD ChildProcess::ExitCode() const {
    ::WaitForSingleObject(info_.hProcess, kWaitLimit);
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

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
