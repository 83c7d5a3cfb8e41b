// A thread kept for running one piece of work at a time while its caller waits: under Wine the
// window list's questions to the system are asked there (Win32Windows.cpp says why).
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <mutex>

#include "platform/Win32Handles.h"

namespace platform {

class QueryThread {
public:
    QueryThread();
    // Ends the thread and waits for it.
    ~QueryThread();
    QueryThread(const QueryThread&) = delete;
    QueryThread& operator=(const QueryThread&) = delete;

    // Runs work on the thread and returns once it has; what it raises is raised here. Work run
    // from the thread itself, or where the thread could not be started, runs on the caller's.
    void Run(const std::function<void()>& work);

private:
    static DWORD WINAPI Main(void* self);

    KernelHandle start_, done_, thread_;
    DWORD threadId_ = 0;
    std::mutex running_;  // one caller at a time
    const std::function<void()>* work_ = nullptr;  // none: the thread ends
    std::exception_ptr failure_;
};

}  // namespace platform
