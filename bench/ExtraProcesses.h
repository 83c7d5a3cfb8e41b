// Programs that the benchmark starts and ends itself: the folder beside the bench, a started
// process, and a crowd of copies of the small idle program that make the desktop busier.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace bench {

// The bench's own folder, ending in a backslash.
std::string BenchFolder();

// Closes a kernel handle when it leaves scope.
class Handle {
public:
    explicit Handle(HANDLE handle = nullptr) : handle_(handle) {}
    ~Handle() {
        if (handle_) ::CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    Handle(Handle&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

struct Started {
    Handle process;
    DWORD processId = 0;
};

// Starts program with these arguments; throws std::runtime_error when it cannot.
Started Start(const std::string& program, const std::string& arguments = "");

// count copies of the idle program, running until the object goes: under as many file
// names, or all from one file (as a browser runs one process per tab). A job ends any copy
// left behind if the bench itself is cut short.
class ExtraProcesses {
public:
    enum class Names { Each, One };
    explicit ExtraProcesses(int count, Names names = Names::Each);
    ~ExtraProcesses();
    ExtraProcesses(const ExtraProcesses&) = delete;
    ExtraProcesses& operator=(const ExtraProcesses&) = delete;

private:
    Handle job_;
    std::vector<Started> copies_;
};

}  // namespace bench
