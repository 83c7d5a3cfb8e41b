// TWinList against a made-up desktop: filters, the task-bar rule, change detection,
// the records, the property rules and the refresh timer.
#include "components/FindWin.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "support/FakeDesktop.h"
#include "support/ManualEventLoop.h"

namespace {

using platform::WindowHandle;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

constexpr std::uint32_t kPopup = 0x80000000;
constexpr std::uint32_t kDisabled = 0x08000000;
constexpr std::uint32_t kSysMenu = 0x00080000;
constexpr std::uint32_t kMinimizeBox = 0x00020000;
constexpr std::uint32_t kTaskBarPopup = kPopup | kSysMenu | kMinimizeBox;

// Processes and icons: a fixed process table, snapshots and icon requests counted.
class FakeProcesses : public platform::IProcessSystem {
public:
    std::vector<std::pair<std::uint32_t, std::string>> processes{{0x200, "C:\\APPS\\FAKE.EXE"}};
    bool failSnapshot = false;
    bool failWalk = false;
    int snapshots = 0;
    int openSnapshots = 0;
    int iconRequests = 0;
    std::map<std::string, platform::IconHandle> icons;

    platform::SnapshotHandle CreateToolhelp32Snapshot(std::uint32_t flags, std::uint32_t) override {
        EXPECT_EQ(flags, platform::kSnapProcess);
        ++snapshots;
        if (failSnapshot) return 0;
        ++openSnapshots;
        return 0x5000;
    }
    bool Process32First(platform::SnapshotHandle snapshot, platform::ProcessEntry& entry) override {
        cursor_ = 0;
        return Process32Next(snapshot, entry);
    }
    bool Process32Next(platform::SnapshotHandle snapshot, platform::ProcessEntry& entry) override {
        EXPECT_EQ(snapshot, 0x5000u);
        if (failWalk && cursor_ > 0) throw std::runtime_error("walk failed");
        if (cursor_ >= processes.size()) return false;
        entry = platform::ProcessEntry{};
        entry.th32ProcessID = processes[cursor_].first;
        processes[cursor_].second.copy(entry.szExeFile, sizeof entry.szExeFile);
        ++cursor_;
        return true;
    }
    void CloseHandle(platform::SnapshotHandle snapshot) override {
        if (snapshot) --openSnapshots;
    }
    platform::IconHandle FileIcon(const char* path) override {
        ++iconRequests;
        return icons.emplace(path, static_cast<platform::IconHandle>(0x7000 + icons.size())).first->second;
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
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (int i = 0; i < list.WindowList().Count(); ++i) texts.push_back(list.WindowList().Strings(i));
        return texts;
    }

    FakeDesktop desktop;
    FakeProcesses processes;
    TWinList list{nullptr, desktop, processes};
};

TEST_F(WinListTest, VisibilityFilterTakesVisibleInvisibleOrAllWindows) {
    desktop.Add(0x10, "shown");
    desktop.Add(0x20, "hidden").visible = false;
    desktop.Add(0x30, "shown too");
    EXPECT_THAT(Scan(id_All, false), ElementsAre(0x10, 0x20, 0x30));
    EXPECT_THAT(Scan(id_VisOnly, false), ElementsAre(0x10, 0x30));
    EXPECT_THAT(Scan(id_InvisOnly, false), ElementsAre(0x20));
}

TEST_F(WinListTest, UntitledWindowsCountOnlyWithEmptyNames) {
    desktop.Add(0x10, "titled");
    desktop.Add(0x20, "");
    desktop.Add(0x30, "").visible = false;
    for (TFind_ID what : {id_All, id_VisOnly, id_InvisOnly})
        for (bool taskBar : {false, true})
            for (WindowHandle handle : Scan(what, taskBar)) EXPECT_EQ(handle, 0x10u);
    EXPECT_THAT(Scan(id_All, false, true), ElementsAre(0x10, 0x20, 0x30));
    EXPECT_THAT(Texts(), ElementsAre("titled", "", ""));
}

TEST_F(WinListTest, OwnedWindowsAreNeverListedWithTaskBarRule) {
    desktop.Add(0x10, "owner");
    desktop.Add(0x20, "owned").owner = 0x10;
    desktop.Add(0x30, "owned popup", kTaskBarPopup).owner = 0x10;
    EXPECT_THAT(Scan(id_All, true), ElementsAre(0x10));
    EXPECT_THAT(Scan(id_All, false), ElementsAre(0x10, 0x20, 0x30));
}

TEST_F(WinListTest, PopupsCountForTaskBarOnlyWithMinimizeBoxSystemMenuAndEnabled) {
    desktop.Add(0x10, "overlapped", 0);
    desktop.Add(0x20, "tool popup", kTaskBarPopup).exStyle = 0x80;  // extended style not consulted
    desktop.Add(0x30, "no system menu", kPopup | kMinimizeBox);
    desktop.Add(0x40, "no minimize box", kPopup | kSysMenu);
    desktop.Add(0x50, "disabled", kTaskBarPopup | kDisabled);
    desktop.Add(0x60, "disabled overlapped", kDisabled);
    EXPECT_THAT(Scan(id_All, true), ElementsAre(0x10, 0x20, 0x60));
}

TEST_F(WinListTest, WindowIsTakenThroughItsLastActivePopup) {
    desktop.Add(0x10, "frame without system menu", kPopup).lastActivePopup = 0x11;
    desktop.Add(0x11, "its dialog", kTaskBarPopup).owner = 0x10;
    desktop.Add(0x20, "disabled frame", kTaskBarPopup | kDisabled).lastActivePopup = 0x21;
    desktop.Add(0x21, "its plain popup", kPopup).owner = 0x20;
    desktop.Add(0x30, "frame whose popup is gone", kPopup).lastActivePopup = 0x99;
    desktop.Add(0x40, "popup that is its own last popup", kPopup);
    EXPECT_THAT(Scan(id_All, true), ElementsAre(0x10));
    EXPECT_EQ(list.WindowList().Strings(0), "frame without system menu");
}

TEST_F(WinListTest, SameSetOfWindowsDoesNotRebuild) {
    desktop.Add(0x10, "first");
    desktop.Add(0x20, "second");
    desktop.Add(0x30, "hidden").visible = false;
    EXPECT_THAT(Scan(id_VisOnly, false), ElementsAre(0x10, 0x20));
    EXPECT_TRUE(list.Changed());
    const int snapshots = processes.snapshots, records = desktop.recordQueries;

    list.FindWindows();  // unchanged desktop
    EXPECT_FALSE(list.Changed());
    desktop.ReverseZOrder();
    desktop.Window(0x10).title = "renamed";
    list.FindWindows();
    EXPECT_FALSE(list.Changed());
    desktop.Window(0x30).title = "";  // now the same two windows qualify for GetAll
    Scan(id_All, false);
    EXPECT_FALSE(list.Changed());

    EXPECT_EQ(processes.snapshots, snapshots);
    EXPECT_EQ(desktop.recordQueries, records);
    EXPECT_THAT(Listed(), ElementsAre(0x10, 0x20));
    EXPECT_THAT(Texts(), ElementsAre("first", "second"));
}

TEST_F(WinListTest, DifferentSetsRebuildEvenWithEqualHandleSums) {
    desktop.Add(0x100, "a");
    desktop.Add(0x400, "b");
    EXPECT_THAT(Scan(id_All, false), ElementsAre(0x100, 0x400));
    desktop.Clear();
    desktop.Add(0x200, "c");
    desktop.Add(0x300, "d");
    list.FindWindows();
    EXPECT_TRUE(list.Changed());
    EXPECT_THAT(Listed(), ElementsAre(0x200, 0x300));

    // Sums that wrap: 0xFFFFFFF0 + 0x310 equals 0x200 + 0x100 modulo 2^32.
    desktop.Clear();
    desktop.Add(0xFFFFFFF0, "e");
    desktop.Add(0x310, "f");
    list.FindWindows();
    EXPECT_TRUE(list.Changed());
    EXPECT_THAT(Listed(), ElementsAre(0xFFFFFFF0, 0x310));
}

TEST_F(WinListTest, EmptyDesktopGivesNoRebuildFirstAndAnEmptyListOnceWindowsGo) {
    list.FindWindows();
    EXPECT_FALSE(list.Changed());
    EXPECT_EQ(list.WindowList().Count(), 0);
    EXPECT_EQ(processes.snapshots, 0);

    desktop.Add(0x10, "briefly");
    list.FindWindows();
    EXPECT_TRUE(list.Changed());
    desktop.Remove(0x10);
    list.FindWindows();
    EXPECT_TRUE(list.Changed());
    EXPECT_EQ(list.WindowList().Count(), 0);
}

TEST_F(WinListTest, EveryQualifyingWindowIsListedBeyondTwoHundredFiftySix) {
    std::vector<WindowHandle> expected;
    for (WindowHandle i = 0; i < 300; ++i) {
        desktop.Add(0x1000 + 4 * i, "window " + std::to_string(i));
        expected.push_back(0x1000 + 4 * i);
    }
    EXPECT_THAT(Scan(id_All, true), ElementsAreArray(expected));
    EXPECT_EQ(list.WindowList().Strings(299), "window 299");
    EXPECT_EQ(processes.snapshots, 1);
}

TEST_F(WinListTest, RecordHoldsWindowAttributesAndItsProcessExecutable) {
    FakeWindow& owner = desktop.Add(0x10, "Owner", 0x14CF0000);
    owner.exStyle = 0x100;
    owner.threadId = 0x31;
    owner.processId = 0x200;
    owner.className = "OwnerClass";
    desktop.Add(0x20, "Owned").owner = 0x10;
    desktop.Add(0x30, "").processId = 0x999;  // untitled owner; process not in the snapshot
    desktop.Add(0x40, "Owned by untitled").owner = 0x30;
    processes.processes.push_back({0x300, "C:\\OTHER.EXE"});
    Scan(id_All, false, true);

    ASSERT_EQ(list.WindowList().Count(), 4);
    EXPECT_EQ(list.GetHwnd(0), 0x10u);
    EXPECT_EQ(list.GetThreadId(0), 0x31u);
    EXPECT_EQ(list.GetProcessId(0), 0x200u);
    EXPECT_EQ(list.GetStyle(0), 0x14CF0000u);
    EXPECT_EQ(list.GetExStyle(0), 0x100u);
    EXPECT_EQ(list.GetClassName(0), "OwnerClass");
    EXPECT_EQ(list.GetHwndParent(0), 0u);
    EXPECT_EQ(list.GetParentName(0), "Desktop");
    EXPECT_EQ(list.GetExeFile(0), "C:\\APPS\\FAKE.EXE");
    EXPECT_NE(list.GetIcon(0), 0u);
    EXPECT_EQ(list.GetHwndParent(1), 0x10u);
    EXPECT_EQ(list.GetParentName(1), "Owner");
    EXPECT_EQ(list.GetIcon(1), list.GetIcon(0));
    EXPECT_EQ(list.GetExeFile(2), "");
    EXPECT_EQ(list.GetIcon(2), 0u);
    EXPECT_EQ(list.GetParentName(3), "NoName");

    // One snapshot for the whole rebuild, closed; icons from the store, one per path.
    EXPECT_EQ(processes.snapshots, 1);
    EXPECT_EQ(processes.openSnapshots, 0);
    EXPECT_EQ(processes.iconRequests, 1);  // two windows of one process
}

TEST_F(WinListTest, WindowsAreListedWhenNoProcessSnapshotCanBeTaken) {
    processes.failSnapshot = true;
    desktop.Add(0x10, "still listed");
    EXPECT_THAT(Scan(id_All, false), ElementsAre(0x10));
    EXPECT_EQ(list.GetExeFile(0), "");
    EXPECT_EQ(list.GetIcon(0), 0u);
    EXPECT_EQ(processes.iconRequests, 0);
}

TEST_F(WinListTest, FailedRebuildClosesItsSnapshotKeepsTheTimerAndIsTriedAgain) {
    ManualEventLoop loop;
    list.SetEnableTimer(true);
    desktop.Add(0x10, "window");
    processes.processes.push_back({0x300, "C:\\OTHER.EXE"});
    processes.failWalk = true;
    EXPECT_THROW(list.FindWindows(), std::runtime_error);
    EXPECT_EQ(processes.openSnapshots, 0);
    EXPECT_EQ(loop.RunningCount(), 1);

    processes.failWalk = false;
    list.FindWindows();
    EXPECT_TRUE(list.Changed());
    EXPECT_THAT(Listed(), ElementsAre(0x10));
}

TEST_F(WinListTest, TitlesAndClassNamesAreCutToTheirBuffers) {
    const std::string longTitle(300, 'T');
    desktop.Add(0x10, longTitle).className = std::string(150, 'C');
    desktop.Add(0x20, "owned").owner = 0x10;
    Scan(id_All, false);
    EXPECT_EQ(list.WindowList().Strings(0), std::string(254, 'T'));
    EXPECT_EQ(list.GetClassName(0), std::string(99, 'C'));
    EXPECT_EQ(list.GetParentName(1), std::string(254, 'T'));
}

TEST_F(WinListTest, GettersRaiseTheListIndexErrorOutsideTheList) {
    desktop.Add(0x10, "only");
    Scan(id_All, false);
    for (int index : {-1, 1}) {
        EXPECT_THROW(list.GetHwnd(index), EStringListError);
        EXPECT_THROW(list.GetExeFile(index), EStringListError);
        try {
            list.GetParentName(index);
            ADD_FAILURE() << index;
        } catch (const EStringListError& error) {
            EXPECT_EQ(std::string(error.what()), "List index out of bounds (" + std::to_string(index) + ")");
        }
    }
}

TEST_F(WinListTest, AboutHoldsTheCreditTextAfterAnyNewValue) {
    EXPECT_EQ(list.About(), "");
    list.SetAbout("");
    EXPECT_EQ(list.About(), "");
    list.SetAbout("anything");
    const std::string credit = list.About();
    EXPECT_FALSE(credit.empty());
    EXPECT_NE(credit, "anything");
    list.SetAbout("something else");
    EXPECT_EQ(list.About(), credit);
}

TEST_F(WinListTest, DefaultsAreVisibleWindowsWithTaskBarRuleAndNoTimer) {
    EXPECT_EQ(list.WhatDoFind(), id_VisOnly);
    EXPECT_TRUE(list.TaskBarSty());
    EXPECT_FALSE(list.EmptyNames());
    EXPECT_FALSE(list.EnableTimer());
    EXPECT_EQ(list.TimerIntval(), 500);
    EXPECT_EQ(sizeof(TFind_ID), 1u);
}

TEST_F(WinListTest, TimerIntervalRules) {
    ManualEventLoop loop;
    list.SetEnableTimer(true);
    EXPECT_THAT(loop.RunningIntervals(), ElementsAre(500u));
    list.SetTimerIntval(700);
    EXPECT_EQ(list.TimerIntval(), 700);
    EXPECT_TRUE(list.EnableTimer());
    EXPECT_THAT(loop.RunningIntervals(), ElementsAre(700u));

    // A negative value turns the timer off, is stored, then fails; the period stays.
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
    EXPECT_THAT(loop.RunningIntervals(), ElementsAre(700u));

    list.SetTimerIntval(0);
    EXPECT_FALSE(list.EnableTimer());
    EXPECT_EQ(loop.RunningCount(), 0);
    list.SetEnableTimer(true);  // a period of 0 never runs
    EXPECT_EQ(loop.RunningCount(), 0);
}

TEST_F(WinListTest, RefreshTimerRestsDuringEveryScanAndRestartsAfterIt) {
    ManualEventLoop loop;
    desktop.Add(0x10, "window");
    std::vector<int> runningDuringScan;
    desktop.DuringEnumeration = [&] { runningDuringScan.push_back(loop.RunningCount()); };

    list.FindWindows();  // timer off: it stays off
    EXPECT_EQ(loop.RunningCount(), 0);
    list.SetEnableTimer(true);
    const int starts = loop.starts;
    list.FindWindows();
    EXPECT_EQ(loop.RunningCount(), 1);
    EXPECT_EQ(loop.starts, starts + 1);  // a new period begins at the end of the scan
    loop.TickAll();
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
    EXPECT_TRUE(list.Changed());
    EXPECT_TRUE(events.empty());

    loop.PendingMessages = [&] { events.push_back("messages"); };
    loop.TickAll();  // unchanged: messages handled, no notification
    EXPECT_THAT(events, ElementsAre("messages"));

    desktop.Add(0x20, "new window");
    loop.PendingMessages = [&] {
        events.push_back("messages");
        EXPECT_EQ(list.WindowList().Count(), 2);  // the new list is already there
    };
    loop.TickAll();
    EXPECT_THAT(events, ElementsAre("messages", "messages", "changed"));
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
