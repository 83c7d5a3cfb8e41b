// The operating-system operations that the components use, as one interface: the Win32
// implementation (Win32Platform.h) is the real one; tests give a component a made-up
// desktop and made-up snapshots through the same interface. Signatures follow the Win32
// calls they stand for, so that each component states its calls as the system sees them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace platform {

// Window and icon handles are 32-bit significant values on 64-bit Windows too.
using WindowHandle = std::uint32_t;
using IconHandle = std::uint32_t;
// Snapshot and process handles as the system gives them; 0 means none was taken or opened.
using SnapshotHandle = std::uintptr_t;
using ProcessHandle = std::uintptr_t;
// A process handle lent to a call: the callee uses it and never closes it.
using BorrowedProcess = ProcessHandle;

constexpr int kGwlHwndParent = -8;
constexpr int kGwlStyle = -16;
constexpr int kGwlExStyle = -20;

constexpr std::uint32_t kWmSysCommand = 0x0112;  // WM_SYSCOMMAND
constexpr std::uintptr_t kScClose = 0xF060;      // SC_CLOSE: what a window's close box sends

constexpr std::uint32_t kSnapProcess = 0x00000002;  // TH32CS_SNAPPROCESS
constexpr std::uint32_t kSnapModule = 0x00000008;   // TH32CS_SNAPMODULE

constexpr int kMaxPath = 260;
constexpr int kMaxModuleName = 256;

// A window's bounds in screen pixels, as GetWindowRect gives them.
struct WindowRect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// Texts are UTF-8 everywhere inside: a text of n UTF-16 units takes at most 3n bytes.
constexpr int kUtf8PerUnit = 3;

// The numbers of the system's process snapshot entry, which the process list keeps as they are.
struct ProcessNumbers {
    std::uint32_t cntUsage = 0;
    std::uint32_t th32ProcessID = 0;
    std::uint64_t th32DefaultHeapID = 0;  // pointer-wide
    std::uint32_t th32ModuleID = 0;
    std::uint32_t cntThreads = 0;
    std::uint32_t th32ParentProcessID = 0;
    std::int32_t pcPriClassBase = 0;
    std::uint32_t dwFlags = 0;
};

// The system's process snapshot entry; texts are fixed arrays of UTF-8, long enough for the
// longest the system fills, and need not end in a NUL when they are full.
struct ProcessEntry : ProcessNumbers {
    char szExeFile[kMaxPath * kUtf8PerUnit] = {};
    // When the process started (FILETIME units); 0 when it cannot be read. Identifiers are
    // reused: the identifier and this time together name one process over time.
    std::uint64_t creationTime = 0;
};

// The numbers of the system's module snapshot entry, which the module list keeps as they are.
struct ModuleNumbers {
    std::uint32_t th32ModuleID = 0;
    std::uint32_t th32ProcessID = 0;
    std::uint32_t GlblcntUsage = 0;
    std::uint32_t ProccntUsage = 0;
    std::uint64_t modBaseAddr = 0;  // pointer-wide
    std::uint32_t modBaseSize = 0;
    std::uint64_t hModule = 0;      // pointer-wide
};

struct ModuleEntry : ModuleNumbers {
    char szModule[kMaxModuleName * kUtf8PerUnit] = {};
    char szExePath[kMaxPath * kUtf8PerUnit] = {};
};

// Top-level windows and their attributes (user32).
class IWindowSystem {
public:
    virtual ~IWindowSystem() = default;
    // Runs queries, a function that asks the system many questions about windows and processes,
    // and returns once it has; what it raises is raised here. It may run on another thread
    // while the caller's waits without handling messages: it must send no message to a window
    // of the caller's thread (GetWindowText of this program's windows would), nor make windows,
    // timers or hooks.
    virtual void RunQueries(const std::function<void()>& queries) = 0;
    // Calls visit once per top-level window in the system's order until it returns false.
    virtual void EnumWindows(bool (*visit)(WindowHandle window, void* context), void* context) = 0;
    // The title, cut to its first maxLength UTF-16 units (never inside a character); empty
    // when the window has none or is gone.
    virtual std::string WindowText(WindowHandle window, int maxLength) = 0;
    virtual WindowHandle GetOwner(WindowHandle window) = 0;  // GetWindow(GW_OWNER)
    virtual WindowHandle GetLastActivePopup(WindowHandle window) = 0;
    virtual bool IsWindow(WindowHandle window) = 0;
    // GWL_STYLE, GWL_EXSTYLE or GWL_HWNDPARENT; 32-bit significant in each case.
    virtual std::uint32_t WindowLong(WindowHandle window, int index) = 0;
    // Returns the thread identifier; writes the process identifier when processId is given.
    virtual std::uint32_t GetWindowThreadProcessId(WindowHandle window, std::uint32_t* processId) = 0;
    // The class name, cut as the title is.
    virtual std::string WindowClassName(WindowHandle window, int maxLength) = 0;
    // False, the rectangle all 0, when the window has gone.
    virtual bool GetWindowRect(WindowHandle window, WindowRect& rect) = 0;

    // The top-level window (GetAncestor with GA_ROOT) of the window at a point of the screen
    // (WindowFromPoint); 0 where there is none.
    virtual WindowHandle RootWindowFromPoint(int x, int y) = 0;
    virtual WindowHandle GetDesktopWindow() = 0;
    virtual bool IsIconic(WindowHandle window) = 0;
    virtual void RestoreWindow(WindowHandle window) = 0;  // ShowWindow(SW_RESTORE)
    virtual bool SetForegroundWindow(WindowHandle window) = 0;
    virtual WindowHandle GetForegroundWindow() = 0;
    // PostMessage: queued for the window's thread, never waited for.
    virtual bool PostWindowMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                                   std::intptr_t lParam) = 0;
    virtual void Sleep(std::uint32_t milliseconds) = 0;
};

// Tool-help snapshots, file icons and types, text order (kernel32, shell32).
class IProcessSystem {
public:
    virtual ~IProcessSystem() = default;
    virtual SnapshotHandle CreateToolhelp32Snapshot(std::uint32_t flags, std::uint32_t processId) = 0;
    // The snapshot's own fields: on the NT family the executable's file name, not its path.
    virtual bool Process32First(SnapshotHandle snapshot, ProcessEntry& entry) = 0;
    virtual bool Process32Next(SnapshotHandle snapshot, ProcessEntry& entry) = 0;
    // Completes an entry with what only the process itself tells, where it lets this program
    // ask: its executable's full path, its base priority and its start time. Kept apart from
    // the walk, because it opens the process: a caller that needs few processes asks for few.
    virtual void CompleteProcessEntry(ProcessEntry& entry) = 0;
    virtual bool Module32First(SnapshotHandle snapshot, ModuleEntry& entry) = 0;
    virtual bool Module32Next(SnapshotHandle snapshot, ModuleEntry& entry) = 0;
    virtual void CloseHandle(SnapshotHandle snapshot) = 0;
    // The file's first icon, else its associated program's, else 0. Taken once per path and
    // kept for the program's life: the same path always gives the same handle.
    virtual IconHandle FileIcon(const char* path) = 0;
    // SHGetFileInfo(SHGFI_EXETYPE): the executable-type value, 0 when the file is none.
    virtual std::uint32_t ExeType(const char* path) = 0;
    // CompareString in the user's default locale, letter case ignored: <0, 0 or >0.
    virtual int CompareTextIgnoreCase(const char* a, int lengthA, const char* b, int lengthB) = 0;
    // CompareStringOrdinal with letter case ignored, as Windows compares file names: 0 when equal.
    virtual int CompareOrdinalIgnoreCase(const char* a, int lengthA, const char* b, int lengthB) = 0;

    // Termination: a process handle with the access asked for, or 0.
    virtual ProcessHandle OpenProcess(std::uint32_t access, bool inherit, std::uint32_t processId) = 0;
    virtual bool TerminateProcess(BorrowedProcess process, std::uint32_t exitCode) = 0;
    // Returns 0 (WAIT_OBJECT_0) once the process has ended, 0x102 (WAIT_TIMEOUT) on time-out.
    virtual std::uint32_t WaitForSingleObject(BorrowedProcess process, std::uint32_t milliseconds) = 0;
    virtual void CloseProcessHandle(ProcessHandle process) = 0;
    // Of an opened process: when it started (0 when unknown) and its executable's full path
    // (empty when unknown).
    virtual std::uint64_t ProcessCreationTime(BorrowedProcess process) = 0;
    virtual std::string ProcessImagePath(BorrowedProcess process) = 0;
    // Module release in this program's own process.
    virtual std::uint64_t ModuleHandleOf(const char* path) = 0;
    virtual bool FreeLibrary(std::uint64_t module) = 0;
    virtual std::uint32_t CurrentProcessId() = 0;
};

// The shell's open operation (shell32).
class IShell {
public:
    virtual ~IShell() = default;
    // ShellExecute(no owner, operation, file, no parameters, no directory, show command).
    virtual void ShellOpen(const char* operation, const char* file, int showCommand) = 0;
};

// A handle of the process system as an owner holds it: the nullable form that unique_ptr asks
// for, 0 being none; it reads as the handle itself.
template <class Handle>
class HeldHandle {
public:
    HeldHandle() = default;
    HeldHandle(std::nullptr_t) {}
    explicit HeldHandle(Handle handle) : handle_(handle) {}
    operator Handle() const { return handle_; }
    bool operator==(const HeldHandle&) const = default;

private:
    Handle handle_ = 0;
};

// Gives a handle back to the process system that gave it, through the call for its kind.
template <class Handle, void (IProcessSystem::*Close)(Handle)>
struct ProcessSystemCloser {
    using pointer = HeldHandle<Handle>;
    IProcessSystem* system = nullptr;
    void operator()(pointer handle) const { (system->*Close)(handle); }
};

// One owner per kind of handle: each is closed on every way out of the scope that holds it.
using SnapshotOwner = std::unique_ptr<void, ProcessSystemCloser<SnapshotHandle, &IProcessSystem::CloseHandle>>;
using ProcessOwner = std::unique_ptr<void, ProcessSystemCloser<ProcessHandle, &IProcessSystem::CloseProcessHandle>>;

inline SnapshotOwner TakeSnapshot(IProcessSystem& system, std::uint32_t flags, std::uint32_t processId) {
    return SnapshotOwner(SnapshotOwner::pointer(system.CreateToolhelp32Snapshot(flags, processId)), {&system});
}

inline ProcessOwner OpenOwnedProcess(IProcessSystem& system, std::uint32_t access, std::uint32_t processId) {
    return ProcessOwner(ProcessOwner::pointer(system.OpenProcess(access, false, processId)), {&system});
}

}  // namespace platform
