// TWinList and the Win32 window, process and icon operations against real windows that
// the test creates with its own class, in its own process.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "components/FindWin.h"
#include "platform/Win32Platform.h"

namespace {

using platform::FromHwnd;
using platform::Win32Platform;

constexpr const char* kClassName = "VelqornsFindWinTest";

struct WindowDestroyer {
    void operator()(HWND window) const { ::DestroyWindow(window); }
};
using Window = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

class FindWinTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = ::DefWindowProcA;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kClassName;
        ASSERT_NE(::RegisterClassA(&windowClass), 0);
    }

    static Window Create(const char* title, DWORD style, HWND owner = nullptr, DWORD exStyle = 0) {
        HWND window = ::CreateWindowExA(exStyle, kClassName, title, style, 10, 10, 200, 100, owner, nullptr,
                                        ::GetModuleHandleA(nullptr), nullptr);
        EXPECT_NE(window, nullptr) << title;
        return Window(window);
    }

    // The list index of a window, or -1 when the scan did not take it.
    int IndexOf(HWND window) const {
        for (int i = 0; i < list.WindowList().Count(); ++i)
            if (list.GetHwnd(i) == FromHwnd(window)) return i;
        return -1;
    }
    int IndexOfProcess(DWORD process) const {
        for (int i = 0; i < list.WindowList().Count(); ++i)
            if (list.GetProcessId(i) == process) return i;
        return -1;
    }
    bool Listed(HWND window) const { return IndexOf(window) >= 0; }

    void Scan(TFind_ID what, bool taskBar, bool emptyNames = false) {
        list.SetWhatDoFind(what);
        list.SetTaskBarSty(taskBar);
        list.SetEmptyNames(emptyNames);
        list.FindWindows();
    }

    static std::string ModulePath() {
        char path[MAX_PATH] = {};
        ::GetModuleFileNameA(nullptr, path, MAX_PATH);
        return path;
    }

    Win32Platform& platform = Win32Platform::Instance();
    TWinList list{nullptr, platform, platform};
};

TEST_F(FindWinTest, FiltersAndTaskBarRuleDecideOnRealWindows) {
    const Window plain = Create("Velqorns test: plain", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    const Window untitled = Create("", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    const Window hidden = Create("Velqorns test: hidden", WS_OVERLAPPEDWINDOW);
    const Window owned = Create("Velqorns test: owned", WS_OVERLAPPEDWINDOW | WS_VISIBLE, plain.get());
    const Window bare = Create("Velqorns test: bare popup", WS_POPUP | WS_VISIBLE | WS_MINIMIZEBOX);
    const Window framed = Create("Velqorns test: framed popup", WS_POPUP | WS_VISIBLE | WS_SYSMENU | WS_MINIMIZEBOX);
    const Window disabled = Create("Velqorns test: disabled popup",
                                   WS_POPUP | WS_VISIBLE | WS_SYSMENU | WS_MINIMIZEBOX | WS_DISABLED);

    Scan(id_VisOnly, true);
    EXPECT_TRUE(Listed(plain.get()));
    EXPECT_TRUE(Listed(framed.get()));
    for (HWND left : {untitled.get(), hidden.get(), owned.get(), bare.get(), disabled.get()})
        EXPECT_FALSE(Listed(left)) << FromHwnd(left);

    Scan(id_All, false, true);
    for (HWND window : {plain.get(), untitled.get(), hidden.get(), owned.get(), bare.get(), framed.get(), disabled.get()})
        EXPECT_TRUE(Listed(window)) << FromHwnd(window);
    EXPECT_EQ(list.WindowList().Strings(IndexOf(untitled.get())), "");

    Scan(id_InvisOnly, false);
    EXPECT_TRUE(Listed(hidden.get()));
    EXPECT_FALSE(Listed(plain.get()));
    EXPECT_FALSE(Listed(untitled.get()));
}

TEST_F(FindWinTest, WindowIsTakenThroughItsLastActivePopup) {
    const Window frame = Create("Velqorns test: frame", WS_POPUP | WS_VISIBLE);
    const Window dialog =
        Create("Velqorns test: dialog", WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, frame.get());
    ::SetForegroundWindow(dialog.get());
    ::SetActiveWindow(dialog.get());
    ASSERT_EQ(::GetLastActivePopup(frame.get()), dialog.get());

    Scan(id_VisOnly, true);
    EXPECT_TRUE(Listed(frame.get()));
    EXPECT_FALSE(Listed(dialog.get()));
}

TEST_F(FindWinTest, RecordsCarryTheWindowsAttributesAndTheFullExecutablePath) {
    const Window owner = Create("Velqorns test: owner", WS_OVERLAPPEDWINDOW);
    const Window styled = Create("Velqorns test: styles", 0x00CF0000, nullptr, WS_EX_APPWINDOW);
    const Window owned = Create("Velqorns test: owned", WS_OVERLAPPEDWINDOW, owner.get());
    const Window nameless = Create("", WS_OVERLAPPEDWINDOW);
    const Window orphan = Create("Velqorns test: owned by untitled", WS_OVERLAPPEDWINDOW, nameless.get());
    Scan(id_All, false);

    const int at = IndexOf(styled.get());
    ASSERT_GE(at, 0);
    EXPECT_EQ(list.WindowList().Strings(at), "Velqorns test: styles");
    EXPECT_EQ(list.GetThreadId(at), ::GetCurrentThreadId());
    EXPECT_EQ(list.GetProcessId(at), ::GetCurrentProcessId());
    EXPECT_EQ(list.GetClassName(at), kClassName);
    EXPECT_EQ(list.GetStyle(at), static_cast<std::uint32_t>(::GetWindowLongA(styled.get(), GWL_STYLE)));
    EXPECT_EQ(list.GetStyle(at) & 0x00CF0000u, 0x00CF0000u);
    EXPECT_EQ(list.GetExStyle(at), static_cast<std::uint32_t>(::GetWindowLongA(styled.get(), GWL_EXSTYLE)));
    EXPECT_TRUE(list.GetExStyle(at) & WS_EX_APPWINDOW);
    EXPECT_EQ(list.GetHwndParent(at), 0u);
    EXPECT_EQ(list.GetParentName(at), "Desktop");
    EXPECT_EQ(list.GetExeFile(at), ModulePath());
    // This program has an icon exactly when its file holds one.
    EXPECT_EQ(list.GetIcon(at) != 0, ::ExtractIconExA(ModulePath().c_str(), -1, nullptr, nullptr, 0) > 0);
    EXPECT_EQ(list.GetIcon(at), platform.FileIcon(ModulePath().c_str()));

    const int ownedAt = IndexOf(owned.get());
    ASSERT_GE(ownedAt, 0);
    EXPECT_EQ(list.GetHwndParent(ownedAt), FromHwnd(owner.get()));
    EXPECT_EQ(list.GetParentName(ownedAt), "Velqorns test: owner");
    const int orphanAt = IndexOf(orphan.get());
    ASSERT_GE(orphanAt, 0);
    EXPECT_EQ(list.GetParentName(orphanAt), "NoName");
}

// A program with icons, started by the test and ended with it.
class ChildProcess {
public:
    explicit ChildProcess(std::string path) : path(std::move(path)) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string commandLine = "\"" + this->path + "\"";
        if (::CreateProcessA(this->path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &info))
            ::WaitForInputIdle(info.hProcess, 10000);
    }
    ~ChildProcess() {
        if (!info.hProcess) return;
        ::TerminateProcess(info.hProcess, 1);
        ::WaitForSingleObject(info.hProcess, INFINITE);
        ::CloseHandle(info.hThread);
        ::CloseHandle(info.hProcess);
    }
    const std::string path;
    PROCESS_INFORMATION info{};
};

TEST_F(FindWinTest, OtherProgramsAreListedWithTheirFullPathAndOneIconAcrossRebuilds) {
    char directory[MAX_PATH] = {};
    ::GetSystemDirectoryA(directory, MAX_PATH);
    const ChildProcess editor(std::string(directory) + "\\notepad.exe");
    ASSERT_NE(editor.info.hProcess, nullptr);
    Scan(id_VisOnly, true);
    const int at = IndexOfProcess(editor.info.dwProcessId);
    ASSERT_GE(at, 0) << "the editor's main window is not listed";
    EXPECT_EQ(::lstrcmpiA(list.GetExeFile(at).c_str(), editor.path.c_str()), 0) << list.GetExeFile(at);
    const platform::IconHandle icon = list.GetIcon(at);
    ASSERT_NE(icon, 0u);

    // Rebuilds take the icon from the platform's store: the same handle each time.
    for (int round = 0; round < 3; ++round) {
        const Window another = Create("Velqorns test: another", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        list.FindWindows();
        ASSERT_TRUE(list.Changed());
        EXPECT_EQ(list.GetIcon(IndexOfProcess(editor.info.dwProcessId)), icon);
    }
    std::string shouted = editor.path;
    ::CharUpperBuffA(shouted.data(), static_cast<DWORD>(shouted.size()));
    EXPECT_EQ(platform.FileIcon(shouted.c_str()), icon);
    EXPECT_EQ(platform.FileIcon(""), 0u);
}

// The snapshot entry of this program, as the platform corrects it.
platform::ProcessEntry OwnEntry(Win32Platform& platform) {
    platform::ProcessEntry entry, own;
    const platform::ScopedSnapshot snapshot(platform, platform.CreateToolhelp32Snapshot(platform::kSnapProcess, 0));
    EXPECT_NE(snapshot.get(), 0u);
    for (bool more = platform.Process32First(snapshot.get(), entry); more;
         more = platform.Process32Next(snapshot.get(), entry))
        if (entry.th32ProcessID == ::GetCurrentProcessId()) own = entry;
    EXPECT_EQ(own.th32ProcessID, ::GetCurrentProcessId());
    return own;
}

TEST_F(FindWinTest, ProcessSnapshotGivesFullPathsAndBasePriorities) {
    platform::ProcessEntry own = OwnEntry(platform);
    EXPECT_EQ(std::string(own.szExeFile), ModulePath());
    EXPECT_EQ(own.pcPriClassBase, 8);
    EXPECT_GE(own.cntThreads, 1u);

    ASSERT_TRUE(::SetPriorityClass(::GetCurrentProcess(), BELOW_NORMAL_PRIORITY_CLASS));
    own = OwnEntry(platform);
    ::SetPriorityClass(::GetCurrentProcess(), NORMAL_PRIORITY_CLASS);
    EXPECT_EQ(own.pcPriClassBase, 6);
}

}  // namespace
