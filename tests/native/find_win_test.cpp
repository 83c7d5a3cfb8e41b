// TWinList against a made-up desktop: filters, the task-bar rule, change detection,
// the records, the property rules and the refresh timer.
#include "components/FindWin.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <stdexcept>

#include "support/FakeDesktop.h"
#include "support/ManualEventLoop.h"

namespace {

using platform::WindowHandle;
using ::testing::ElementsAre;

constexpr std::uint32_t kPopup = 0x80000000, kDisabled = 0x08000000;
constexpr std::uint32_t kSysMenu = 0x00080000, kMinimizeBox = 0x00020000;
constexpr std::uint32_t kTaskBarPopup = kPopup | kSysMenu | kMinimizeBox;

// A fixed process table; snapshots, open snapshots and icon requests counted.
class FakeProcesses : public platform::IProcessSystem {
public:
    std::vector<std::pair<std::uint32_t, std::string>> processes{{0x200, "C:\\APPS\\FAKE.EXE"}};
    bool failSnapshot = false, failWalk = false;
    int snapshots = 0, openSnapshots = 0, iconRequests = 0;

    platform::SnapshotHandle CreateToolhelp32Snapshot(std::uint32_t, std::uint32_t) override {
        ++snapshots;
        return failSnapshot ? 0 : (++openSnapshots, 0x5000);
    }
    bool Process32First(platform::SnapshotHandle snapshot, platform::ProcessEntry& entry) override {
        cursor_ = 0;
        return Process32Next(snapshot, entry);
    }
    bool Process32Next(platform::SnapshotHandle, platform::ProcessEntry& entry) override {
        if (failWalk && cursor_ > 0) throw std::runtime_error("walk failed");
        if (cursor_ >= processes.size()) return false;
        entry = platform::ProcessEntry{};
        entry.th32ProcessID = processes[cursor_].first;
        processes[cursor_++].second.copy(entry.szExeFile, sizeof entry.szExeFile);
        return true;
    }
    void CloseHandle(platform::SnapshotHandle snapshot) override { openSnapshots -= snapshot != 0; }
    platform::IconHandle FileIcon(const char* path) override {
        ++iconRequests;
        return icons_.emplace(path, static_cast<platform::IconHandle>(0x7000 + icons_.size())).first->second;
    }
    bool Module32First(platform::SnapshotHandle, platform::ModuleEntry&) override { return false; }
    bool Module32Next(platform::SnapshotHandle, platform::ModuleEntry&) override { return false; }
    std::uint32_t ExeType(const char*) override { return 0; }
    int CompareTextIgnoreCase(const char*, int, const char*, int) override { return 0; }
    std::uintptr_t OpenProcess(std::uint32_t, bool, std::uint32_t) override { return 0; }
    bool TerminateProcess(std::uintptr_t, std::uint32_t) override { return false; }
    std::uint32_t WaitForSingleObject(std::uintptr_t, std::uint32_t) override { return 0; }
    void CloseProcessHandle(std::uintptr_t) override {}
    std::uint64_t ModuleHandleOf(const char*) override { return 0; }
    bool FreeLibrary(std::uint64_t) override { return false; }
    std::uint32_t CurrentProcessId() override { return 1; }

private:
    size_t cursor_ = 0;
    std::map<std::string, platform::IconHandle> icons_;
};

class WinListTest : public ::testing::Test {
protected:
    std::vector<WindowHandle> Scan(TFind_ID what, bool taskBar, bool emptyNames = false) {
        list.SetWhatDoFind(what);
        list.SetTaskBarSty(taskBar);
        list.SetEmptyNames(emptyNames);
        list.FindWindows();
        return Listed();
    }
    std::vector<WindowHandle> Listed() const {
        std::vector<WindowHandle> handles;
        for (int i = 0; i < list.WindowList().Count(); ++i) handles.push_back(list.GetHwnd(i));
        return handles;
    }

    FakeDesktop desktop;
    FakeProcesses processes;
    TWinList list{nullptr, desktop, processes};
};

TEST_F(WinListTest, VisibilityFilterAndUntitledWindows) {
    desktop.Add(0x10, "shown");
    desktop.Add(0x20, "hidden").visible = false;
    desktop.Add(0x30, "");
    desktop.Add(0x40, "").visible = false;
    EXPECT_THAT(Scan(id_All, false), ElementsAre(0x10, 0x20));
    EXPECT_THAT(Scan(id_VisOnly, false), ElementsAre(0x10));
    EXPECT_THAT(Scan(id_InvisOnly, false), ElementsAre(0x20));
    EXPECT_THAT(Scan(id_All, false, true), ElementsAre(0x10, 0x20, 0x30, 0x40));
    EXPECT_EQ(list.WindowList().Strings(2), "");
    EXPECT_THAT(Scan(id_InvisOnly, false, true), ElementsAre(0x20, 0x40));
}

TEST_F(WinListTest, TaskBarRuleTakesUnownedWindowsWhosePopupStyleOrLastActivePopupPasses) {
    desktop.Add(0x10, "overlapped", kDisabled);
    desktop.Add(0x11, "owned").owner = 0x10;
    desktop.Add(0x12, "owned popup", kTaskBarPopup).owner = 0x10;
    desktop.Add(0x20, "tool popup", kTaskBarPopup).exStyle = 0x80;  // extended style not consulted
    desktop.Add(0x30, "no system menu", kPopup | kMinimizeBox);
    desktop.Add(0x40, "no minimize box", kPopup | kSysMenu);
    desktop.Add(0x50, "disabled", kTaskBarPopup | kDisabled).lastActivePopup = 0x51;
    desktop.Add(0x51, "its plain popup", kPopup).owner = 0x50;
    desktop.Add(0x60, "frame", kPopup).lastActivePopup = 0x61;
    desktop.Add(0x61, "its dialog", kTaskBarPopup).owner = 0x60;
    desktop.Add(0x70, "frame whose popup is gone", kPopup).lastActivePopup = 0x99;
    EXPECT_THAT(Scan(id_All, true), ElementsAre(0x10, 0x20, 0x60));  // the frame, not its dialog
    EXPECT_EQ(Scan(id_All, false).size(), 11u);
}

TEST_F(WinListTest, SameSetOfWindowsDoesNotRebuild) {
    desktop.Add(0x10, "first");
    desktop.Add(0x20, "second");
    desktop.Add(0x30, "hidden").visible = false;
    EXPECT_EQ(list.Generation(), 0u);
    EXPECT_THAT(Scan(id_VisOnly, false), ElementsAre(0x10, 0x20));
    EXPECT_TRUE(list.Changed());
    EXPECT_EQ(list.Generation(), 1u);
    const int snapshots = processes.snapshots, records = desktop.recordQueries;

    list.FindWindows();
    EXPECT_FALSE(list.Changed());
    desktop.ReverseZOrder();
    desktop.Window(0x10).title = "renamed";
    list.FindWindows();
    EXPECT_FALSE(list.Changed());
    desktop.Window(0x30).title = "";  // the same two windows qualify for GetAll
    Scan(id_All, false);
    EXPECT_FALSE(list.Changed());

    EXPECT_EQ(processes.snapshots, snapshots);
    EXPECT_EQ(desktop.recordQueries, records);
    EXPECT_THAT(Listed(), ElementsAre(0x10, 0x20));
    EXPECT_EQ(list.WindowList().Strings(0), "first");
    EXPECT_EQ(list.Generation(), 1u);
    desktop.Remove(0x20);
    list.FindWindows();
    EXPECT_EQ(list.Generation(), 2u);
}

TEST_F(WinListTest, DifferentSetsRebuildEvenWithEqualHandleSums) {
    // 0x100 + 0x400 = 0x200 + 0x300 = 0xFFFFFFF0 + 0x510 (mod 2^32).
    const std::vector<std::vector<WindowHandle>> sets{{0x100, 0x400}, {0x200, 0x300}, {0xFFFFFFF0, 0x510}};
    for (const auto& set : sets) {
        desktop.Clear();
        for (WindowHandle handle : set) desktop.Add(handle, "w");
        EXPECT_EQ(Scan(id_All, false), set);
        EXPECT_TRUE(list.Changed());
    }
}

TEST_F(WinListTest, EmptyDesktopFirstGivesNoRebuildAndLaterAnEmptyList) {
    list.FindWindows();
    EXPECT_FALSE(list.Changed());
    EXPECT_EQ(processes.snapshots, 0);
    desktop.Add(0x10, "briefly");
    list.FindWindows();
    desktop.Remove(0x10);
    list.FindWindows();
    EXPECT_TRUE(list.Changed());
    EXPECT_EQ(list.WindowList().Count(), 0);
}

TEST_F(WinListTest, EveryQualifyingWindowIsListedBeyondTwoHundredFiftySix) {
    std::vector<WindowHandle> expected;
    for (WindowHandle i = 0; i < 300; ++i) expected.push_back(desktop.Add(0x1000 + 4 * i, "window").handle);
    EXPECT_EQ(Scan(id_All, true), expected);
    EXPECT_EQ(processes.snapshots, 1);
    EXPECT_EQ(processes.iconRequests, 1);  // one process
}

TEST_F(WinListTest, RecordHoldsWindowAttributesOwnerTitleAndProcessExecutable) {
    FakeWindow& owner = desktop.Add(0x10, "Owner", 0x14CF0000);
    owner.exStyle = 0x100;
    owner.threadId = 0x31;
    owner.className = std::string(150, 'C');
    desktop.Add(0x20, std::string(300, 'T')).owner = 0x10;
    desktop.Add(0x30, "").processId = 0x999;  // untitled, and its process is not in the snapshot
    desktop.Add(0x40, "Owned by untitled").owner = 0x30;
    desktop.Add(0x50, "owned by a long title").owner = 0x20;
    Scan(id_All, false, true);

    EXPECT_EQ(list.GetThreadId(0), 0x31u);
    EXPECT_EQ(list.GetProcessId(0), 0x200u);
    EXPECT_EQ(list.GetStyle(0), 0x14CF0000u);
    EXPECT_EQ(list.GetExStyle(0), 0x100u);
    EXPECT_EQ(list.GetClassName(0), std::string(99, 'C'));
    EXPECT_EQ(list.GetHwndParent(0), 0u);
    EXPECT_EQ(list.GetParentName(0), "Desktop");
    EXPECT_EQ(list.GetExeFile(0), "C:\\APPS\\FAKE.EXE");
    EXPECT_NE(list.GetIcon(0), 0u);
    EXPECT_EQ(list.GetHwndParent(1), 0x10u);
    EXPECT_EQ(list.GetParentName(1), "Owner");
    EXPECT_EQ(list.WindowList().Strings(1), std::string(254, 'T'));
    EXPECT_EQ(list.GetIcon(1), list.GetIcon(0));
    EXPECT_EQ(list.GetExeFile(2), "");
    EXPECT_EQ(list.GetIcon(2), 0u);
    EXPECT_EQ(list.GetParentName(3), "NoName");
    EXPECT_EQ(list.GetParentName(4), std::string(254, 'T'));
    EXPECT_EQ(processes.snapshots, 1);
    EXPECT_EQ(processes.openSnapshots, 0);

    for (int index : {-1, 5}) {
        try {
            list.GetParentName(index);
            ADD_FAILURE() << index;
        } catch (const EStringListError& error) {
            EXPECT_EQ(std::string(error.what()), "List index out of bounds (" + std::to_string(index) + ")");
        }
        EXPECT_THROW(list.GetHwnd(index), EStringListError);
    }
}

TEST_F(WinListTest, ProcessSnapshotFailuresLeaveWindowsListedAndSnapshotsClosed) {
    ManualEventLoop loop;
    list.SetEnableTimer(true);
    desktop.Add(0x10, "window");
    processes.failSnapshot = true;
    EXPECT_THAT(Scan(id_All, false), ElementsAre(0x10));
    EXPECT_EQ(list.GetExeFile(0), "");
    EXPECT_EQ(list.GetIcon(0), 0u);

    desktop.Add(0x20, "another");
    processes.failSnapshot = false;
    processes.processes.push_back({0x300, "C:\\OTHER.EXE"});
    processes.failWalk = true;
    EXPECT_THROW(list.FindWindows(), std::runtime_error);
    EXPECT_EQ(processes.openSnapshots, 0);
    EXPECT_EQ(loop.RunningCount(), 1);  // automatic refreshing goes on
    processes.failWalk = false;
    list.FindWindows();  // the failed rebuild is tried again
    EXPECT_TRUE(list.Changed());
    EXPECT_EQ(list.GetExeFile(1), "C:\\APPS\\FAKE.EXE");
}

TEST_F(WinListTest, DefaultsAndAboutRule) {
    EXPECT_EQ(list.WhatDoFind(), id_VisOnly);
    EXPECT_TRUE(list.TaskBarSty());
    EXPECT_FALSE(list.EmptyNames());
    EXPECT_FALSE(list.EnableTimer());
    EXPECT_EQ(list.TimerIntval(), 500);
    EXPECT_EQ(sizeof(TFind_ID), 1u);
    EXPECT_EQ(list.About(), "");
    list.SetAbout("");
    EXPECT_EQ(list.About(), "");
    list.SetAbout("anything");
    const std::string credit = list.About();
    EXPECT_NE(credit, "anything");
    EXPECT_FALSE(credit.empty());
    list.SetAbout("something else");
    EXPECT_EQ(list.About(), credit);
}

TEST_F(WinListTest, TimerIntervalRules) {
    ManualEventLoop loop;
    list.SetEnableTimer(true);
    EXPECT_THAT(loop.RunningIntervals(), ElementsAre(500u));
    list.SetTimerIntval(700);
    EXPECT_THAT(loop.RunningIntervals(), ElementsAre(700u));
    try {
        list.SetTimerIntval(-5);
        ADD_FAILURE();
    } catch (const std::range_error& error) {
        EXPECT_EQ(std::string(error.what()), "Range check error");
    }
    EXPECT_EQ(list.TimerIntval(), -5);
    EXPECT_FALSE(list.EnableTimer());
    EXPECT_EQ(loop.RunningCount(), 0);
    list.SetEnableTimer(true);
    EXPECT_THAT(loop.RunningIntervals(), ElementsAre(700u));  // the period stayed
    list.SetTimerIntval(0);
    EXPECT_FALSE(list.EnableTimer());
    list.SetEnableTimer(true);
    EXPECT_EQ(loop.RunningCount(), 0);  // a period of 0 never runs
}

TEST_F(WinListTest, RefreshTimerRestsDuringEveryScanAndRestartsAfterIt) {
    ManualEventLoop loop;
    desktop.Add(0x10, "window");
    std::vector<int> runningDuringScan;
    desktop.DuringEnumeration = [&] { runningDuringScan.push_back(loop.RunningCount()); };
    list.FindWindows();
    EXPECT_EQ(loop.RunningCount(), 0);
    list.SetEnableTimer(true);
    const int starts = loop.starts;
    list.FindWindows();
    loop.TickAll();
    EXPECT_EQ(loop.starts, starts + 2);  // a new period after each scan
    EXPECT_EQ(loop.RunningCount(), 1);
    EXPECT_THAT(runningDuringScan, ElementsAre(0, 0, 0));
    list.SetEnableTimer(false);
    EXPECT_EQ(loop.RunningCount(), 0);
}

TEST_F(WinListTest, OnChangedComesOnlyFromATickWhoseScanRebuilt) {
    ManualEventLoop loop;
    std::vector<std::string> events;
    list.OnChanged = [&](TObject* sender) {
        EXPECT_EQ(sender, &list);
        events.push_back("changed");
    };
    list.SetEnableTimer(true);
    desktop.Add(0x10, "window");
    list.FindWindows();  // a direct scan rebuilds but does not notify
    EXPECT_TRUE(events.empty());
    loop.PendingMessages = [&] { events.push_back("messages"); };
    loop.TickAll();  // unchanged
    desktop.Add(0x20, "new window");
    loop.PendingMessages = [&] { events.push_back(std::to_string(list.WindowList().Count())); };
    loop.TickAll();
    EXPECT_THAT(events, ElementsAre("messages", "2", "changed"));
}

TEST(WinListLifetime, ComponentDestroyedWhileItsTickHandlesMessagesIsNotTouchedAgain) {
    ManualEventLoop loop;
    FakeDesktop desktop;
    FakeProcesses processes;
    desktop.Add(0x10, "window");
    bool notified = false;
    auto list = std::make_unique<TWinList>(nullptr, desktop, processes);
    list->OnChanged = [&](TObject*) { notified = true; };
    list->SetEnableTimer(true);
    loop.PendingMessages = [&] { list.reset(); };  // the page closes meanwhile
    loop.TickAll();
    EXPECT_FALSE(notified);
    EXPECT_EQ(loop.RunningCount(), 0);
}

}  // namespace
