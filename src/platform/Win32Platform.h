// The real platform: each operation is the Win32 call it names, with the corrections that
// make it give what the callers rely on (full executable paths, base priorities, 32-bit
// modules, executable types as Windows reports them). Wine's differences from Windows in these
// calls are handled here; the console's are handled in Win32Console.cpp.
#pragma once

#include <windows.h>

#include <cstring>
#include <string>

#include "platform/Platform.h"
#include "platform/Win32Handles.h"
#include "shared/Utf16.h"

namespace platform {

// Wine's differences from Windows are handled where this says so.
bool RunsOnWine();

// A fixed UTF-16 array of a snapshot entry (up to its NUL, or whole when full) into the
// entry's UTF-8 array, which holds the longest text the system can write.
template <std::size_t Units, std::size_t Bytes>
void CopyText(const wchar_t (&from)[Units], char (&to)[Bytes]) {
    static_assert(Bytes >= Units * kUtf8PerUnit);
    const std::string text = Utf8FromUtf16({from, wcsnlen(from, Units)});
    std::memset(to, 0, Bytes);
    std::memcpy(to, text.data(), text.size());
}

class Win32Platform : public IWindowSystem, public IProcessSystem, public IShell {
public:
    // The one instance, which the program hands to its pages and components. The icon store
    // is not the instance's: FileIcon keeps one store for the whole program, shared by every
    // Win32Platform (the tests' derived ones too).
    static Win32Platform& Instance();

    // IWindowSystem (Win32Windows.cpp)
    void RunQueries(const std::function<void()>& queries) override;
    void EnumWindows(bool (*visit)(WindowHandle, void*), void* context) override;
    std::string WindowText(WindowHandle window, int maxLength) override;
    WindowHandle GetOwner(WindowHandle window) override;
    WindowHandle GetLastActivePopup(WindowHandle window) override;
    bool IsWindow(WindowHandle window) override;
    std::uint32_t WindowLong(WindowHandle window, int index) override;
    std::uint32_t GetWindowThreadProcessId(WindowHandle window, std::uint32_t* processId) override;
    std::string WindowClassName(WindowHandle window, int maxLength) override;
    bool GetWindowRect(WindowHandle window, WindowRect& rect) override;
    WindowHandle RootWindowFromPoint(int x, int y) override;
    WindowHandle GetDesktopWindow() override;
    bool IsIconic(WindowHandle window) override;
    void RestoreWindow(WindowHandle window) override;
    bool SetForegroundWindow(WindowHandle window) override;
    WindowHandle GetForegroundWindow() override;
    bool PostWindowMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                           std::intptr_t lParam) override;
    void Sleep(std::uint32_t milliseconds) override;

    // IProcessSystem: process snapshots and termination (Win32Processes.cpp)
    SnapshotHandle CreateToolhelp32Snapshot(std::uint32_t flags, std::uint32_t processId) override;
    bool Process32First(SnapshotHandle snapshot, ProcessEntry& entry) override;
    bool Process32Next(SnapshotHandle snapshot, ProcessEntry& entry) override;
    void CompleteProcessEntry(ProcessEntry& entry) override;
    void CloseHandle(SnapshotHandle snapshot) override;
    std::uintptr_t OpenProcess(std::uint32_t access, bool inherit, std::uint32_t processId) override;
    bool TerminateProcess(std::uintptr_t process, std::uint32_t exitCode) override;
    std::uint32_t WaitForSingleObject(std::uintptr_t process, std::uint32_t milliseconds) override;
    void CloseProcessHandle(std::uintptr_t process) override;
    std::uint64_t ProcessCreationTime(std::uintptr_t process) override;
    std::string ProcessImagePath(std::uintptr_t process) override;
    std::uint32_t CurrentProcessId() override;

    // IProcessSystem: icons, from the program-wide store (Win32Icons.cpp)
    IconHandle FileIcon(const char* path) override;

    // IProcessSystem: module snapshots and release (Win32Modules.cpp)
    bool Module32First(SnapshotHandle snapshot, ModuleEntry& entry) override;
    bool Module32Next(SnapshotHandle snapshot, ModuleEntry& entry) override;
    std::uint64_t ModuleHandleOf(const char* path) override;
    bool FreeLibrary(std::uint64_t module) override;

    // IProcessSystem: file types and text order (Win32Files.cpp)
    std::uint32_t ExeType(const char* path) override;
    int CompareTextIgnoreCase(const char* a, int lengthA, const char* b, int lengthB) override;
    int CompareOrdinalIgnoreCase(const char* a, int lengthA, const char* b, int lengthB) override;

    // IShell (Win32Shell.cpp)
    void ShellOpen(const char* operation, const char* file, int showCommand) override;

protected:
    // One instance serves the program; tests derive from it to change single operations.
    Win32Platform() = default;

private:
    // The module branch of CreateToolhelp32Snapshot (Win32Modules.cpp).
    SnapshotHandle CreateModuleSnapshot(std::uint32_t processId);
};

}  // namespace platform
