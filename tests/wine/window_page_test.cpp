// The window list page, embedded as the main window embeds it, against windows and programs
// that the test makes: the filters, the details of a line, the warning before a process is
// ended, lines kept in step with the records, and a long run of automatic refreshing.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "pages/FListWin.h"
#include "platform/Win32Platform.h"
#include "shared/NumberFormat.h"
#include "support/ChildProcess.h"
#include "support/DialogAnswerer.h"
#include "support/MenuAnswerer.h"
#include "support/RealDesktop.h"
#include "support/TestWindows.h"

namespace {

using namespace platform;

// The real platform, with a scan counter, and processes that cannot be opened or windows
// that have gone, on demand.
class TestPlatform : public Win32Platform {
public:
    int scans = 0;
    bool refuseOpen = false, windowsGone = false;

    bool IsWindow(WindowHandle window) override { return !windowsGone && Win32Platform::IsWindow(window); }
    void EnumWindows(bool (*visit)(WindowHandle, void*), void* context) override {
        ++scans;
        Win32Platform::EnumWindows(visit, context);
    }
    std::uintptr_t OpenProcess(std::uint32_t access, bool inherit, std::uint32_t processId) override {
        return refuseOpen ? 0 : Win32Platform::OpenProcess(access, inherit, processId);
    }
};

// titled_window.exe showing one window with this title (a console program: the window comes
// late, so callers wait until it is listed).
std::unique_ptr<ChildProcess> StartTitled(const std::string& title) {
    return std::make_unique<ChildProcess>(BesideThisProgram("titled_window.exe"), "\"" + title + "\"");
}

std::string Warning(const std::string& title) {
    return "Process: --> " + title +
           "\n\r\n\rTerminateProcess kann das System in einen instabilen Zustand \n\r"
           "f\xFChren. Sie sollten dies nur tun, wenn Sie sich v\xF6llig sicher\n\rsind! Sind Sie sicher?";
}

class WindowPage : public ::testing::Test {
protected:
    // The page embedded in a panel of a top-level frame, as the main window embeds it, and shown.
    void SetUp() override {
        application.Initialize();
        host = application.Own(std::make_unique<TForm>(&application));
        host->SetClientSize(593, 449);
        panel = host->Own(std::make_unique<TPanel>(host));
        panel->SetBounds(0, 0, 581, 417);
        panel->SetParent(host);
    }
    void Embed() {
        page = application.Own(std::make_unique<TFormWin>(&application, platform, platform));
        page->SetBorderStyle(bsNone);
        page->SetBounds(0, 0, 581, 417);
        page->SetParent(panel);
        page->Show();
        host->Show();
        ::SetForegroundWindow(host->Handle());
        Settle(application);
    }
    void Until(const std::function<bool()>& done) { PumpUntil(application, done); }

    // The lines of ListBox1 and of WinList1's list.
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        for (int i = 0; i < page->ListBox1->Count(); ++i) lines.push_back(page->ListBox1->Strings(i));
        return lines;
    }
    std::vector<std::string> Entries() const {
        std::vector<std::string> entries;
        for (int i = 0; i < page->WinList1->WindowList().Count(); ++i) entries.push_back(page->WinList1->WindowList().Strings(i));
        return entries;
    }
    int LineOf(const std::string& title) const {
        const std::vector<std::string> lines = Lines();
        const auto found = std::find(lines.begin(), lines.end(), title);
        return found == lines.end() ? -1 : static_cast<int>(found - lines.begin());
    }
    // Refreshes until a window with this title is listed (a started program opens it late).
    int WaitListed(const std::string& title) {
        Until([&] { return page->Refresh1Click(page), LineOf(title) >= 0; });
        return LineOf(title);
    }
    bool Listed(const Window& window) const {
        for (int i = 0; i < page->WinList1->WindowList().Count(); ++i)
            if (page->WinList1->GetHwnd(i) == FromHwnd(window.get())) return true;
        return false;
    }
    // A click on a line (scrolled into view) posted as the system posts one, so that another
    // program on the display cannot take it; handled before it returns.
    void ClickLine(int line) {
        HWND list = page->ListBox1->Handle();
        ::SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(line), 0);
        RECT item{};
        ::SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&item));
        const LPARAM point = MAKELPARAM(item.left + 20, (item.top + item.bottom) / 2);
        ::PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
        ::PostMessageA(list, WM_LBUTTONUP, 0, point);
        Settle(application);
    }
    // Selects the window's line and chooses "Terminate Process", answering the warning.
    void Terminate(const std::string& title, const std::string& answer) {
        ClickLine(LineOf(title));
        DialogAnswerer confirm("Confirm", DialogAnswerer::Press(answer));
        page->TerminateProcess1->OnClick(page->TerminateProcess1);
        EXPECT_TRUE(confirm.Finish()) << confirm.Failure();
        EXPECT_EQ(confirm.Text(), Warning(title));
    }

    TApplication application;
    TestPlatform platform;
    TForm* host = nullptr;
    TPanel* panel = nullptr;
    TFormWin* page = nullptr;
};

TEST_F(WindowPage, ButtonsAndBoxesChooseTheWindowsListedFromTheFirstShowOn) {
    const Window plain = MakeWindow("Velqorns page: plain"), hidden = MakeWindow("Velqorns page: hidden", WS_OVERLAPPEDWINDOW);
    const Window owned = MakeWindow("Velqorns page: owned", WS_OVERLAPPEDWINDOW | WS_VISIBLE, plain.get());
    const Window untitled = MakeWindow("");
    auto listing = [&] {
        std::string listed = page->CheckBox1->Enabled() ? "EmptyNames offered:" : "";
        for (const auto& [window, name] : std::vector<std::pair<const Window*, const char*>>{
                 {&plain, " plain"}, {&owned, " owned"}, {&hidden, " hidden"}, {&untitled, " untitled"}})
            if (Listed(*window)) listed += name;
        return listed;
    };
    Embed();  // shown: visible windows with the task-bar rule
    EXPECT_EQ(page->Caption(), page->WinList1->About());
    EXPECT_EQ(listing(), " plain");
    EXPECT_EQ(page->ListBox1->ItemIndex(), 0);
    EXPECT_EQ(page->Label3->Caption(), std::to_string(page->ListBox1->Count()) + " window(s) found  ");
    const std::vector<std::pair<TWinControl*, std::string>> steps = {
        {page->BitBtn1, " plain hidden"},                                       // GetAll
        {page->CheckBox2, "EmptyNames offered: plain owned hidden"},            // the task-bar rule off
        {page->CheckBox1, "EmptyNames offered: plain owned hidden untitled"},  // EmptyNames
        {page->CheckBox2, " plain hidden"},                                     // the rule on: EmptyNames refused
        {page->BitBtn3, " hidden"},                                             // GetInvisible
        {page->BitBtn2, " plain"},                                              // GetVisible
    };
    for (const auto& [control, expected] : steps) {
        ::SendMessageA(control->Handle(), BM_CLICK, 0, 0);
        Settle(application);
        EXPECT_EQ(listing(), expected) << control->Name;
        EXPECT_EQ(Lines(), Entries()) << control->Name;
    }
    EXPECT_FALSE(page->CheckBox1->Checked());
}

TEST_F(WindowPage, StyleBoxesTickExactlyForTheirBits) {
    Embed();
    auto ticked = [&](std::uint32_t style) {
        page->SetStyle(style);
        std::string boxes;
        for (int i = 1; i <= 22; ++i)
            if (page->Control<TCheckBox>("cb" + std::to_string(i))->Checked()) boxes += std::to_string(i) + " ";
        return boxes;
    };
    EXPECT_EQ(ticked(0), "");
    EXPECT_EQ(ticked(0x00CF0000), "1 10 11 12 15 16 17 18 19 20 21 ");
}

TEST_F(WindowPage, SelectedLineShowsItsWindowsDetailsPathAndIcon) {
    const Window known = MakeWindow("Velqorns page: details"), neighbour = MakeWindow("Velqorns page: neighbour");
    Embed();
    const int line = LineOf("Velqorns page: details");
    ASSERT_GE(line, 0);
    ClickLine(line);
    ASSERT_EQ(page->ListBox1->ItemIndex(), line);
    const std::uint32_t style = static_cast<std::uint32_t>(::GetWindowLongA(known.get(), GWL_STYLE));
    const std::uint32_t exStyle = static_cast<std::uint32_t>(::GetWindowLongA(known.get(), GWL_EXSTYLE));
    const IconHandle icon = page->WinList1->GetIcon(line);
    EXPECT_NE(icon, 0u);
    const std::vector<std::string> shown = {page->Label1->Caption(), page->Label7->Caption(), page->Label6->Caption(),
                                            page->Label5->Caption(), page->Label2->Caption(), page->Label4->Caption(),
                                            page->Label8->Caption()};
    EXPECT_EQ(shown, (std::vector<std::string>{
                         "HWnd:      " + Hex(FromHwnd(known.get()), 4),
                         "ThreadID:  " + Hex(::GetCurrentThreadId(), 4) + " / ProcessID: " + Hex(::GetCurrentProcessId(), 4),
                         "HParent:   0000 -> Desktop", std::string("ClassName: ") + kPlainWindowClass,
                         "WinStyle:  " + Hex(style, 4) + " / WinExSty: " + Hex(exStyle, 4),
                         ThisProgram() /* short enough to be shown whole */, "HIcon: " + Hex(icon, 4)}));
    EXPECT_EQ(page->Image1->Icon(), ToHicon(icon));
    EXPECT_TRUE(page->cb21->Checked() && page->cb5->Checked());
}

TEST_F(WindowPage, TerminateWarnsFirstAndOnlyYesEndsTheProcessThenRefreshes) {
    const std::string title = "Velqorns page: victim";
    const auto victim = StartTitled(title);
    Embed();
    ASSERT_GE(WaitListed(title), 0);
    int scans = platform.scans;
    Terminate(title, "&No");
    EXPECT_FALSE(victim->Ended());
    EXPECT_EQ(platform.scans, scans);

    platform.refuseOpen = true;  // the handle is refused: the error, then a refresh
    DialogAnswerer error("Error", DialogAnswerer::Press("OK"));
    Terminate(title, "&Yes");
    ASSERT_TRUE(error.Finish()) << error.Failure();
    EXPECT_EQ(error.Text(), "Kann das Handle des selektierten Prozesses nicht finden!");
    EXPECT_FALSE(victim->Ended());
    EXPECT_EQ(platform.scans, scans + 1);

    platform.refuseOpen = false;
    // The window has gone: its process's identifier may name another process by now.
    platform.windowsGone = true;
    DialogAnswerer gone("Error", DialogAnswerer::Press("OK"));
    Terminate(title, "&Yes");
    ASSERT_TRUE(gone.Finish()) << gone.Failure();
    EXPECT_FALSE(victim->Ended());
    platform.windowsGone = false;

    Terminate(title, "&Yes");
    EXPECT_TRUE(victim->Ended());
    EXPECT_EQ(platform.scans, scans + 3);
    EXPECT_EQ(LineOf(title), -1);
    EXPECT_EQ(page->ListBox1->ItemIndex(), page->ListBox1->Count() > 0 ? 0 : -1);
}

TEST_F(WindowPage, TerminateEndsTheProcessTheWarningNamedWhenATickRefillsTheListMeanwhile) {
    const auto victim = StartTitled("Velqorns page: victim");
    Embed();
    ASSERT_GE(WaitListed("Velqorns page: victim"), 0);
    page->WinList1->SetTimerIntval(5);
    page->WinList1->SetEnableTimer(true);
    std::atomic<int> refills{0};
    const TNotifyEvent original = page->WinList1->OnChanged;
    page->WinList1->OnChanged = [&](TObject* sender) { original(sender), ++refills; };
    // While the warning is open, another program appears and a tick puts it on the list.
    std::unique_ptr<ChildProcess> newcomer;
    int before = 0;
    ClickLine(LineOf("Velqorns page: victim"));
    DialogAnswerer dialog("Confirm", DialogAnswerer::Press("&Yes"), [&] {
        if (!newcomer) before = refills, newcomer = StartTitled("Velqorns page: newcomer");
        return refills > before;
    });
    page->TerminateProcess1->OnClick(page->TerminateProcess1);
    ASSERT_TRUE(dialog.Finish()) << dialog.Failure();
    EXPECT_EQ(dialog.Text(), Warning("Velqorns page: victim"));
    EXPECT_TRUE(victim->Ended());
    ASSERT_NE(newcomer, nullptr);
    EXPECT_FALSE(newcomer->Ended());
}

// With the menu open, a tick puts a new window on the list and the selection back on line 0:
// "Terminate Process" still acts on the window the menu was opened on.
TEST_F(WindowPage, TheMenuActsOnTheWindowItOpenedOnWhenATickRefillsTheListMeanwhile) {
    const auto chosen = StartTitled("Velqorns page: chosen");
    Embed();
    ASSERT_GE(WaitListed("Velqorns page: chosen"), 0);
    page->WinList1->SetTimerIntval(5);
    page->WinList1->SetEnableTimer(true);
    std::atomic<int> refills{0};
    const TNotifyEvent original = page->WinList1->OnChanged;
    page->WinList1->OnChanged = [&](TObject* sender) { original(sender), ++refills; };
    ClickLine(LineOf("Velqorns page: chosen"));
    std::unique_ptr<ChildProcess> newcomer;
    int before = 0;
    MenuAnswerer menu([&] {
        if (!newcomer) before = refills, newcomer = StartTitled("Velqorns page: newcomer");
        return refills > before;
    });
    DialogAnswerer confirm("Confirm", DialogAnswerer::Press("&Yes"));
    RECT line{};
    ::SendMessageA(page->ListBox1->Handle(), LB_GETITEMRECT, static_cast<WPARAM>(page->ListBox1->ItemIndex()),
                   reinterpret_cast<LPARAM>(&line));
    const LPARAM point = MAKELPARAM(line.left + 20, (line.top + line.bottom) / 2);
    ::PostMessageA(page->ListBox1->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, point);
    ::PostMessageA(page->ListBox1->Handle(), WM_RBUTTONUP, 0, point);
    Until([&] { return confirm.Found() && chosen->Ended(); });
    ASSERT_TRUE(menu.Finish());
    ASSERT_TRUE(confirm.Finish()) << confirm.Failure();
    EXPECT_EQ(confirm.Text(), Warning("Velqorns page: chosen"));
    EXPECT_TRUE(chosen->Ended());
    ASSERT_NE(newcomer, nullptr);
    EXPECT_FALSE(newcomer->Ended());
}

// A program whose folder holds "&" and a non-ASCII letter, among a hundred other processes:
// its path is shown exactly as it is.
TEST_F(WindowPage, APathWithAnAmpersandIsShownAsItIs) {
    RealDesktop desktop;
    ASSERT_TRUE(desktop.Started());
    Embed();
    ClickLine(WaitListed(RealDesktop::kOddTitle));
    EXPECT_EQ(page->Label4->Caption(), desktop.OddProgram());
    EXPECT_FALSE(page->Label4->ShowAccelChar());
}

// WinList1 rebuilt and the list box not yet refilled, as between a tick's scan and its
// OnChanged: a click or the menu over an old line shows the new list instead of pairing
// the line with another window's record, and ends no process.
TEST_F(WindowPage, LinesAreNeverPairedWithTheRecordsOfANewerList) {
    const Window first = MakeWindow("Velqorns page: first");
    Embed();
    const Window second = MakeWindow("Velqorns page: second");
    page->WinList1->FindWindows();
    ASSERT_NE(Lines(), Entries());
    ClickLine(LineOf("Velqorns page: first"));
    EXPECT_EQ(Lines(), Entries());
    EXPECT_EQ(page->ListBox1->ItemIndex(), 0);
    EXPECT_EQ(page->Label1->Caption(), "HWnd:      " + Hex(page->WinList1->GetHwnd(0), 4));

    const Window third = MakeWindow("Velqorns page: third");
    page->WinList1->FindWindows();
    DialogAnswerer guard("Confirm", DialogAnswerer::Press("&No"));
    page->TerminateProcess1->OnClick(page->TerminateProcess1);
    guard.Stop();
    EXPECT_FALSE(guard.Found());
    EXPECT_EQ(Lines(), Entries());
}

struct HandleValues {
    std::uintptr_t event, icon;
};

// The values the system gives a new event and a new icon now; both are released again.
HandleValues NextHandleValues() {
    const BYTE andMask[128] = {}, xorMask[128] = {};
    HANDLE event = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HICON icon = ::CreateIcon(::GetModuleHandleA(nullptr), 32, 32, 1, 1, andMask, xorMask);
    const HandleValues values{reinterpret_cast<std::uintptr_t>(event), reinterpret_cast<std::uintptr_t>(icon)};
    ::CloseHandle(event);
    ::DestroyIcon(icon);
    return values;
}

PROCESS_MEMORY_COUNTERS Memory() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
    return counters;
}

TEST_F(WindowPage, AutomaticRefreshFollowsWindowsForAThousandTicksAndNothingGrows) {
    Embed();
    page->WinList1->SetTimerIntval(5);
    ::SendMessageA(page->CheckBox3->Handle(), BM_CLICK, 0, 0);
    // One window of this program appears and goes; the list follows each way.
    auto round = [&](int i) {
        const std::string title = "Velqorns soak " + std::to_string(i % 3);
        {
            const Window window = MakeWindow(title.c_str());
            Until([&] { return LineOf(title) >= 0; });
            if (LineOf(title) < 0) return false;
        }
        Until([&] { return LineOf(title) < 0; });
        return LineOf(title) < 0 && Lines() == Entries();
    };
    for (int i = 0; i < 30; ++i) ASSERT_TRUE(round(i)) << "warm-up round " << i;
    const PROCESS_MEMORY_COUNTERS before = Memory();
    const HandleValues handlesBefore = NextHandleValues();
    const int start = platform.scans;
    for (int i = 0; platform.scans - start < 1000; ++i) ASSERT_TRUE(round(i)) << "round " << i;
    const HandleValues handlesAfter = NextHandleValues();
    const PROCESS_MEMORY_COUNTERS after = Memory();

    EXPECT_LE(handlesAfter.event, handlesBefore.event);
    // A user handle carries a reuse count in its upper word; its slot is the lower word.
    EXPECT_LE(LOWORD(handlesAfter.icon), LOWORD(handlesBefore.icon));
    constexpr SIZE_T kMargin = 1024 * 1024;
    EXPECT_LE(after.PagefileUsage, before.PagefileUsage + kMargin);
    EXPECT_LE(after.WorkingSetSize, before.WorkingSetSize + kMargin);
}

}  // namespace
