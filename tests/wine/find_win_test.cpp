// TWinList and the Win32 window, process and icon operations against real windows that
// the test creates with its own class, in its own process.
#include "components/FindWin.h"

#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <memory>

#include "platform/Win32Platform.h"
#include "support/ChildProcess.h"
#include "support/TestWindows.h"

namespace {

using platform::FromHwnd;
using platform::Win32Platform;

class FindWinTest : public ::testing::Test {
protected:
    // The list index of the window (or, given none, of the process's first window), or -1
    // when the scan did not take it.
    int IndexOf(HWND window, DWORD process = 0) const {
        for (int i = 0; i < list.WindowList().Count(); ++i)
            if (window ? list.GetHwnd(i) == FromHwnd(window) : list.GetProcessId(i) == process) return i;
        return -1;
    }
    bool Listed(HWND window) const { return IndexOf(window) >= 0; }

    void Scan(TFind_ID what, bool taskBar, bool emptyNames = false) {
        list.SetWhatDoFind(what);
        list.SetTaskBarSty(taskBar);
        list.SetEmptyNames(emptyNames);
        list.FindWindows();
    }

    Win32Platform& platform = Win32Platform::Instance();
    TWinList list{nullptr, platform, platform};
};

TEST_F(FindWinTest, FiltersAndTaskBarRuleDecideOnRealWindows) {
    const Window plain = MakeWindow("Velqorns test: plain", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    const Window untitled = MakeWindow("", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    const Window hidden = MakeWindow("Velqorns test: hidden", WS_OVERLAPPEDWINDOW);
    const Window owned = MakeWindow("Velqorns test: owned", WS_OVERLAPPEDWINDOW | WS_VISIBLE, plain.get());
    const Window bare = MakeWindow("Velqorns test: bare popup", WS_POPUP | WS_VISIBLE | WS_MINIMIZEBOX);
    const Window framed = MakeWindow("Velqorns test: framed popup", WS_POPUP | WS_VISIBLE | WS_SYSMENU | WS_MINIMIZEBOX);
    const Window disabled = MakeWindow("Velqorns test: disabled popup",
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

TEST_F(FindWinTest, RecordsCarryTheWindowsAttributesAndTheFullExecutablePath) {
    const Window owner = MakeWindow("Velqorns test: owner", WS_OVERLAPPEDWINDOW);
    const Window styled = MakeWindow("Velqorns test: styles", 0x00CF0000, nullptr, WS_EX_APPWINDOW);
    const Window owned = MakeWindow("Velqorns test: owned", WS_OVERLAPPEDWINDOW, owner.get());
    Scan(id_All, false);

    const int at = IndexOf(styled.get());
    ASSERT_GE(at, 0);
    EXPECT_EQ(list.WindowList().Strings(at), "Velqorns test: styles");
    EXPECT_EQ(list.GetThreadId(at), ::GetCurrentThreadId());
    EXPECT_EQ(list.GetProcessId(at), ::GetCurrentProcessId());
    EXPECT_EQ(list.GetClassName(at), kPlainWindowClass);
    EXPECT_EQ(list.GetStyle(at), static_cast<std::uint32_t>(::GetWindowLongA(styled.get(), GWL_STYLE)));
    EXPECT_TRUE(list.GetExStyle(at) & WS_EX_APPWINDOW);
    EXPECT_EQ(list.GetParentName(at), "Desktop");
    EXPECT_EQ(list.GetExeFile(at), ThisProgram());
    // This program has an icon exactly when its file holds one.
    EXPECT_EQ(list.GetIcon(at) != 0, ::ExtractIconExA(ThisProgram().c_str(), -1, nullptr, nullptr, 0) > 0);
    EXPECT_EQ(list.GetIcon(at), platform.FileIcon(ThisProgram().c_str()));

    const int ownedAt = IndexOf(owned.get());
    ASSERT_GE(ownedAt, 0);
    EXPECT_EQ(list.GetHwndParent(ownedAt), FromHwnd(owner.get()));
    EXPECT_EQ(list.GetParentName(ownedAt), "Velqorns test: owner");
}

TEST_F(FindWinTest, OtherProgramsAreListedWithTheirFullPathAndOneIconAcrossRebuilds) {
    char directory[MAX_PATH] = {};
    ::GetSystemDirectoryA(directory, MAX_PATH);
    const std::string path = std::string(directory) + "\\notepad.exe";  // a program with icons
    const ChildProcess editor(path);
    ASSERT_TRUE(editor.Started());
    Scan(id_VisOnly, true);
    const int at = IndexOf(nullptr, editor.Id());
    ASSERT_GE(at, 0) << "the editor's main window is not listed";
    EXPECT_EQ(::lstrcmpiA(list.GetExeFile(at).c_str(), path.c_str()), 0) << list.GetExeFile(at);
    const platform::IconHandle icon = list.GetIcon(at);
    ASSERT_NE(icon, 0u);

    // Rebuilds take the icon from the platform's store: the same handle each time.
    for (int round = 0; round < 2; ++round) {
        const Window another = MakeWindow("Velqorns test: another", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        list.FindWindows();
        ASSERT_TRUE(list.Changed());
        EXPECT_EQ(list.GetIcon(IndexOf(nullptr, editor.Id())), icon);
    }
    EXPECT_EQ(platform.FileIcon(""), 0u);
}

}  // namespace
