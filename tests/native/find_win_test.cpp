// TWinList against a made-up desktop: filters, the task-bar rule, change detection,
// the records and the refresh timer.
#include "components/FindWin.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <new>

#include "support/FakeDesktop.h"
#include "support/FakeProcessSystem.h"
#include "support/ManualEventLoop.h"

namespace {

using platform::WindowHandle;
using Handles = std::vector<WindowHandle>;
using ::testing::ElementsAre;

constexpr std::uint32_t kPopup = 0x80000000, kDisabled = 0x08000000;
constexpr std::uint32_t kTaskBarPopup = kPopup | 0x00080000 /* system menu */ | 0x00020000 /* minimize box */;

class WinListTest : public ::testing::Test {
protected:
    WinListTest() {
        processes.processes = {FakeProcessSystem::Process(0x200, "C:\\APPS\\FAKE.EXE")};
        processes.icons["C:\\APPS\\FAKE.EXE"] = 0x7000;
    }
    Handles Scan(TFind_ID what, bool taskBar, bool emptyNames = false) {
        list.SetWhatDoFind(what);
        list.SetTaskBarSty(taskBar);
        list.SetEmptyNames(emptyNames);
        list.FindWindows();
        Handles handles;
        for (int i = 0; i < list.WindowList().Count(); ++i) handles.push_back(list.GetHwnd(i));
        return handles;
    }
    int Snapshots() const { return static_cast<int>(processes.snapshotsTaken.size()); }

    FakeDesktop desktop;
    FakeProcessSystem processes;
    TWinList list{nullptr, desktop, processes};
};

TEST_F(WinListTest, TaskBarRuleTakesUnownedWindowsWhosePopupStyleOrLastActivePopupPasses) {
    desktop.Add(0x10, "overlapped", kDisabled);
    desktop.Add(0x11, "owned").owner = 0x10;
    desktop.Add(0x12, "owned popup", kTaskBarPopup).owner = 0x10;
    desktop.Add(0x20, "tool popup", kTaskBarPopup).exStyle = 0x80;  // extended style not consulted
    desktop.Add(0x30, "no system menu", kTaskBarPopup & ~0x00080000u);
    desktop.Add(0x40, "no minimize box", kTaskBarPopup & ~0x00020000u);
    desktop.Add(0x50, "disabled", kTaskBarPopup | kDisabled).lastActivePopup = 0x51;
    desktop.Add(0x51, "its plain popup", kPopup).owner = 0x50;
    desktop.Add(0x60, "frame", kPopup).lastActivePopup = 0x61;
    desktop.Add(0x61, "its dialog", kTaskBarPopup).owner = 0x60;
    desktop.Add(0x70, "frame whose popup is gone", kPopup).lastActivePopup = 0x99;
    EXPECT_THAT(Scan(id_All, true), ElementsAre(0x10, 0x20, 0x60));  // the frame, not its dialog
    EXPECT_EQ(Scan(id_All, false).size(), 11u);
}

// Order, titles and the filter that let the set through do not count; the set itself does,
// even when the handle sums agree (mod 2^32). Each component compares with its own last set.
TEST_F(WinListTest, OnlyADifferentSetOfWindowsRebuilds) {
    list.FindWindows();  // an empty desktop first: nothing to rebuild
    EXPECT_FALSE(list.Changed());
    desktop.Add(0x10, "first");
    desktop.Add(0x20, "second");
    desktop.Add(0x30, "hidden").visible = false;
    EXPECT_THAT(Scan(id_VisOnly, false), ElementsAre(0x10, 0x20));
    EXPECT_TRUE(list.Changed());
    const int snapshots = Snapshots(), records = desktop.recordQueries;
    std::swap(desktop.windows[0], desktop.windows[1]);
    desktop.windows[1].title = "renamed";
    desktop.windows[2].title = "";  // the same two windows qualify for GetAll
    Scan(id_All, false);
    EXPECT_FALSE(list.Changed());
    EXPECT_EQ(std::pair(Snapshots(), desktop.recordQueries), std::pair(snapshots, records));
    EXPECT_EQ(list.WindowList().Strings(0), "first");
    TWinList other{nullptr, desktop, processes};
    other.FindWindows();
    EXPECT_TRUE(other.Changed());

    for (const Handles& set : {Handles{0x100, 0x400}, {0x200, 0x300}, {0xFFFFFFF0, 0x510}, {}}) {
        desktop.windows.clear();
        for (WindowHandle handle : set) desktop.Add(handle, "w");
        EXPECT_EQ(Scan(id_All, false), set);
        EXPECT_TRUE(list.Changed());
    }
    EXPECT_EQ(list.Generation(), 5u);
}

TEST_F(WinListTest, RecordHoldsOwnerTitleAndProcessExecutableAndRefusesOtherIndexes) {
    desktop.Add(0x10, "Owner").className = std::string(150, 'C');
    desktop.Add(0x20, std::string(300, 'T')).owner = 0x10;
    desktop.Add(0x30, "").processId = 0x999;  // untitled, and its process is not in the snapshot
    desktop.Add(0x40, "Owned by untitled").owner = 0x30;
    Scan(id_All, false, true);
    std::vector<std::string> records;
    for (int i = 0; i < 4; ++i)
        records.push_back(std::to_string(list.GetHwndParent(i)) + " " + list.GetParentName(i) + " " +
                          list.GetExeFile(i) + " " + std::to_string(list.GetIcon(i)));
    EXPECT_THAT(records, ElementsAre("0 Desktop C:\\APPS\\FAKE.EXE 28672", "16 Owner C:\\APPS\\FAKE.EXE 28672",
                                     "0 Desktop  0", "48 NoName C:\\APPS\\FAKE.EXE 28672"));
    EXPECT_EQ(list.GetClassName(0) + list.WindowList().Strings(1), std::string(99, 'C') + std::string(254, 'T'));
    EXPECT_THROW(list.GetHwnd(4), EStringListError);
}

// The rebuild reads every record, beyond 256 windows too, and the records keep their values
// when the windows go. Each process is opened once per rebuild, and closed when it
// ends; its path is asked only while the window still belongs to it (once the window is gone,
// its id may name another process). Where it cannot be opened, a snapshot gives the file name
// and is always closed. Icons wait until asked for; a rebuild that failed is tried again.
TEST_F(WinListTest, RecordsAreReadAtTheRebuildAndThePathOnlyWhileTheWindowStillBelongsToTheProcess) {
    processes.processes = {FakeProcessSystem::Process(0x200, "FAKE.EXE"), FakeProcessSystem::Process(0x300, "B.EXE")};
    processes.imagePaths = {{0x200, "C:\\APPS\\FAKE.EXE"}, {0x300, "C:\\B.EXE"}};
    processes.opens = true;
    std::vector<std::uint32_t> opened;
    processes.OnOpen = [&](std::uint32_t id) { opened.push_back(id); };
    for (WindowHandle i = 0; i < 300; ++i) desktop.Add(0x1000 + 4 * i, "window").processId = i == 1 ? 0x300 : 0x200;
    EXPECT_EQ(Scan(id_VisOnly, true).size(), 300u);
    EXPECT_EQ(std::tuple(desktop.recordQueries >= 300, opened, processes.openHandles, Snapshots(), processes.queriedPaths.size()),
              std::tuple(true, std::vector<std::uint32_t>{0x200, 0x300}, 0, 0, std::size_t{0}));
    desktop.windows.clear();  // the records stay as read
    EXPECT_EQ(std::to_string(list.GetProcessId(1)) + list.GetExeFile(1) + list.GetExeFile(299), "768C:\\B.EXEC:\\APPS\\FAKE.EXE");
    for (int i : {0, 299, 0}) EXPECT_EQ(list.GetIcon(i), 0x7000u);
    EXPECT_EQ(processes.queriedPaths.size(), 2u);  // an icon per record asked

    // B's window closes as its process is opened: no path, nor the name of a snapshot that the
    // window did not outlive. A process that cannot be opened: the snapshot's name, if any, from
    // one snapshot per rebuild.
    desktop.Add(0x1000, "window");
    processes.OnOpen = [&](std::uint32_t id) { if (id == 0x300) desktop.windows.pop_back(); };
    const std::tuple<bool, bool, std::string> cases[] = {{true, false, "C:\\APPS\\FAKE.EXE|"}, {false, true, "|"}, {false, false, "FAKE.EXE|"}};
    for (WindowHandle handle = 0x50; const auto& [opens, snapshotFails, expected] : cases) {
        std::tie(processes.opens, processes.snapshotFails) = std::tuple(opens, snapshotFails);
        desktop.Add(handle += 0x10, "B's").processId = 0x300;
        const int snapshots = Snapshots();
        EXPECT_EQ(Scan(id_VisOnly, true).size(), 2u);
        EXPECT_EQ(std::pair(list.GetExeFile(0) + "|" + list.GetExeFile(1), Snapshots() - snapshots), std::pair(expected, 1));
    }
    processes.failAtEntry = 0;  // a rebuild that fails is made again by the next scan
    desktop.Add(0x90, "new");
    EXPECT_THROW(list.FindWindows(), std::bad_alloc);
    processes.failAtEntry = -1;
    EXPECT_EQ(Scan(id_VisOnly, true).size(), 2u);
    EXPECT_EQ(std::tuple(list.GetExeFile(1), processes.openSnapshots), std::tuple("FAKE.EXE", 0));
}

// A negative period is refused and stops the timer, keeping the period it had; 0 never runs.
// The timer rests while a scan runs; only a tick whose scan rebuilt notifies, after the
// waiting messages; a component destroyed meanwhile is not touched again.
TEST_F(WinListTest, TimerRestsDuringEveryScanAndOnChangedComesOnlyFromATickWhoseScanRebuilt) {
    ManualEventLoop loop;
    list.SetEnableTimer(true);
    EXPECT_EQ(loop.Period(), 500u);
    list.SetTimerIntval(700);
    EXPECT_THAT([&] { list.SetTimerIntval(-5); }, ::testing::ThrowsMessage<std::range_error>("Range check error"));
    EXPECT_EQ(std::tuple(list.TimerIntval(), list.EnableTimer(), loop.running.size()), std::tuple(-5, false, std::size_t{0}));
    list.SetEnableTimer(true);
    EXPECT_EQ(loop.Period(), 700u);

    std::vector<std::string> events;
    desktop.Add(0x10, "window");
    desktop.DuringEnumeration = [&] { events.push_back("scan with " + std::to_string(loop.running.size())); };
    list.OnChanged = [&](TObject* sender) { events.push_back(sender == &list ? "changed" : "?"); };
    list.FindWindows();
    const int starts = loop.starts;
    list.FindWindows();  // a direct scan rebuilds or not, but does not notify
    loop.PendingMessages = [&] { events.push_back("messages"); };
    loop.TickAll();  // unchanged
    EXPECT_EQ(loop.starts, starts + 2);  // a new period after each scan
    desktop.Add(0x20, "new window");
    loop.PendingMessages = [&] { events.push_back(std::to_string(list.WindowList().Count())); };
    loop.TickAll();
    EXPECT_THAT(events, ElementsAre("scan with 0", "scan with 0", "scan with 0", "messages", "scan with 0", "2", "changed"));
    list.SetTimerIntval(0);
    EXPECT_FALSE(list.EnableTimer());
    list.SetEnableTimer(true);
    EXPECT_EQ(loop.running.size(), 0u);  // a period of 0 never runs

    auto doomed = std::make_unique<TWinList>(nullptr, desktop, processes);
    doomed->OnChanged = [&](TObject*) { ADD_FAILURE() << "notified after destruction"; };
    doomed->SetEnableTimer(true);
    loop.PendingMessages = [&] { doomed.reset(); };  // the page closes meanwhile
    loop.TickAll();
    EXPECT_EQ(loop.running.size(), 0u);
}

}  // namespace
