// The window list page, embedded as the main window embeds it, against windows and programs
// that the test makes: the filters, the details of a line and Ctrl+C, the warning before a
// process is ended, lines kept in step with the records, a long run of automatic refreshing,
// the finder dragged with real pointer input, closing a window and bringing it to the front,
// and the platform's walk of the top-level windows.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>

#include "pages/FListWin.h"
#include "platform/Win32Platform.h"
#include "shared/NumberFormat.h"
#include "support/ChildProcess.h"
#include "support/DialogAnswerer.h"
#include "support/TestWindows.h"
#include "toolkit/Clipboard.h"

namespace {

using namespace platform;

// Too wide for the path line: shown shortened, copied whole; its "&" shown as it is.
const std::string kLongPath = "C:\\Program Files\\Tom & Jérry\\A Longer Product Name\\With A Folder For Each Version"
                              "\\And Another For Each Language\\Bin\\np&x.exe";

// The real platform, with a scan counter, this program run from kLongPath; and processes that
// cannot be opened, on demand.
class TestPlatform : public Win32Platform {
public:
    int scans = 0;
    bool refuseOpen = false;

    void EnumWindows(bool (*visit)(WindowHandle, void*), void* context) override {
        ++scans;
        Win32Platform::EnumWindows(visit, context);
    }
    std::uintptr_t OpenProcess(std::uint32_t access, bool inherit, std::uint32_t processId) override {
        return refuseOpen ? 0 : Win32Platform::OpenProcess(access, inherit, processId);
    }
    std::string ProcessImagePath(std::uintptr_t process) override {
        const HANDLE handle = reinterpret_cast<HANDLE>(process);
        return ::GetProcessId(handle) == ::GetCurrentProcessId() ? kLongPath : Win32Platform::ProcessImagePath(process);
    }
};

// titled_window.exe showing one window with this title (a console program: the window comes
// late, so callers wait until it is listed). A "quiet" window leaves the activation where it is,
// so that it does not close a menu or dialog of the test; a "stubborn" one refuses to close.
std::unique_ptr<ChildProcess> StartTitled(const std::string& title, const std::string& mode = "") {
    return std::make_unique<ChildProcess>(BesideThisProgram("titled_window.exe"), "\"" + title + "\" " + mode);
}
HWND TitledWindow(const std::string& title) { return WaitForWindow("VelqornsTitledWindow", title); }

std::string Warning(const std::string& title) {
    return "Process: --> " + title +
           "\n\r\n\rTerminateProcess kann das System in einen instabilen Zustand \n\r"
           "führen. Sie sollten dies nur tun, wenn Sie sich völlig sicher\n\rsind! Sind Sie sicher?";
}

class WindowPage : public ::testing::Test {
protected:
    // The page embedded in a panel of a top-level frame, as the main window embeds it, and shown.
    void Embed() {
        application.Initialize();
        host = application.Own(std::make_unique<TForm>(&application));
        host->SetClientSize(593, 449);
        TPanel* panel = host->Own(std::make_unique<TPanel>(host));
        panel->SetBounds(0, 0, 581, 417), panel->SetParent(host);
        page = application.Own(std::make_unique<TFormWin>(&application, platform, platform));
        page->SetBorderStyle(bsNone), page->SetBounds(0, 0, 581, 417), page->SetParent(panel);
        page->Show(), host->Show();
        ::SetForegroundWindow(host->Handle());
        Settle(application);
    }

    // ListBox1 shows WinList1's list, line for line.
    bool InStep() const { return LinesOf(*page->ListBox1) == LinesOf(page->WinList1->WindowList()); }
    int LineOf(const std::string& title) const { return ::LineOf(*page->ListBox1, title); }
    void ClickLine(int line, bool right = false) { ::ClickLine(application, *page->ListBox1, line, right); }
    // Selects the window's line and chooses "Terminate Process", answering the warning.
    void Terminate(const std::string& title, const std::string& answer) {
        ClickLine(LineOf(title));
        DialogAnswerer confirm("Confirm", answer);
        page->TerminateProcess1->OnClick(page->TerminateProcess1);
        EXPECT_TRUE(confirm.Finish()) << confirm.Failure();
        EXPECT_EQ(confirm.Text(), Warning(title));
    }

    // Drags the finder from its middle to a point of the screen with real pointer input, a move
    // at a time; during(), if given, runs before the release.
    void DragFinderTo(POINT to, const std::function<void()>& during = {}) {
        const POINT from = Centre(page->Finder1->Handle());
        SendPointer(from, MOUSEEVENTF_LEFTDOWN);
        PumpUntil(application, [&] { return page->Finder1->Dragging(); });
        for (int step = 1; step <= 4; ++step)
            SendPointer({from.x + (to.x - from.x) * step / 4, from.y + (to.y - from.y) * step / 4});
        if (during) {  // once the frame is around the top-level window there
            const HWND root = ::GetAncestor(::WindowFromPoint(to), GA_ROOT);
            RECT frame{}, bounds{};
            PumpUntil(application, [&] {
                return ::GetWindowRect(Frame(), &frame) && ::GetWindowRect(root, &bounds) && ::EqualRect(&frame, &bounds);
            });
            during();
        }
        SendPointer(to, MOUSEEVENTF_LEFTUP);
        PumpUntil(application, [&] { return !page->Finder1->Dragging(); });
    }
    static HWND Frame() { return ::FindWindowW(L"VelqornsOutlineFrame", nullptr); }
    static POINT Centre(HWND window) {
        RECT bounds{};
        ::GetWindowRect(window, &bounds);
        return {(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
    }
    // What the page shows: the selected line, the boxes of the filters and the details.
    Lines Shown() {
        return {std::to_string(page->ListBox1->ItemIndex()), std::to_string(page->WinList1->WhatDoFind()),
                std::to_string(page->CheckBox1->Checked() * 2 + page->CheckBox2->Checked()), page->Label1->Caption(),
                page->Label7->Caption(), page->Label5->Caption()};
    }

    TApplication application;
    TestPlatform platform;
    TForm* host = nullptr;
    TFormWin* page = nullptr;
};

// The platform's walk visits the top-level windows that EnumWindows visits, hidden ones
// included, in the same order, and no message-only window (this program's windows compared).
TEST(WindowWalk, VisitsWhatEnumWindowsVisitsInItsOrderAndNoMessageOnlyWindow) {
    const HWND messageOnly = ::CreateWindowExA(0, "STATIC", "message only", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                               nullptr, nullptr);
    const HWND hidden = ::CreateWindowExA(0, "STATIC", "hidden", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(messageOnly && hidden);
    std::vector<HWND> expected, walked;
    ::EnumWindows([](HWND window, LPARAM list) -> BOOL {
        return reinterpret_cast<std::vector<HWND>*>(list)->push_back(window), TRUE;
    }, reinterpret_cast<LPARAM>(&expected));
    Win32Platform::Instance().EnumWindows([](WindowHandle window, void* list) {
        return static_cast<std::vector<HWND>*>(list)->push_back(ToHwnd(window)), true;
    }, &walked);
    const auto ofOtherProcesses = [](HWND window) {
        DWORD process = 0;
        ::GetWindowThreadProcessId(window, &process);
        return process != ::GetCurrentProcessId();
    };
    for (std::vector<HWND>* windows : {&expected, &walked}) std::erase_if(*windows, ofOtherProcesses);
    EXPECT_EQ(walked, expected);
    EXPECT_EQ(std::count(walked.begin(), walked.end(), messageOnly), 0);
    EXPECT_EQ(std::count(walked.begin(), walked.end(), hidden), 1);
    for (HWND window : {messageOnly, hidden}) ::DestroyWindow(window);
}

// Under Wine the list's questions run on a thread kept for them (on Windows, on the caller's):
// the same thread each time, a run from within a run does not wait for itself, and a failure
// there reaches the caller, after which runs go on.
TEST(WindowWalk, QueriesRunOnOneKeptThreadUnderWineAndTheirFailuresReachTheCaller) {
    Win32Platform& system = Win32Platform::Instance();
    DWORD first = 0, nested = 0, second = 0;
    system.RunQueries([&] {
        first = ::GetCurrentThreadId();
        system.RunQueries([&] { nested = ::GetCurrentThreadId(); });
    });
    EXPECT_THROW(system.RunQueries([] { throw std::runtime_error("gone"); }), std::runtime_error);
    system.RunQueries([&] { second = ::GetCurrentThreadId(); });
    EXPECT_EQ(std::tuple(first != ::GetCurrentThreadId(), nested, second), std::tuple(RunsOnWine(), first, first));
}

TEST_F(WindowPage, ButtonsAndBoxesChooseTheWindowsListedAndLinesAreNeverPairedWithRecordsOfANewerList) {
    const Window plain = MakeWindow("Velqorns page: plain"), hidden = MakeWindow("Velqorns page: hidden", WS_OVERLAPPEDWINDOW);
    const Window owned = MakeWindow("Velqorns page: owned", WS_OVERLAPPEDWINDOW | WS_VISIBLE, plain.get());
    const Window untitled = MakeWindow("");
    auto listing = [&] {
        std::string listed = page->CheckBox1->Enabled() ? "EmptyNames offered:" : "";
        for (const auto& [window, name] : std::vector<std::pair<const Window*, const char*>>{
                 {&plain, " plain"}, {&owned, " owned"}, {&hidden, " hidden"}, {&untitled, " untitled"}})
            for (int i = 0; i < page->WinList1->WindowList().Count(); ++i)
                if (page->WinList1->GetHwnd(i) == FromHwnd(window->get())) listed += name;
        return listed;
    };
    Embed();  // shown: visible windows with the task-bar rule
    EXPECT_EQ(std::tuple(page->Caption(), listing(), page->ListBox1->ItemIndex()), std::tuple(page->WinList1->About(), " plain", 0));
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
        EXPECT_TRUE(InStep()) << control->Name;
    }
    EXPECT_FALSE(page->CheckBox1->Checked());

    // WinList1 rebuilt and the list box not yet refilled, as between a tick's scan and its
    // OnChanged: a click or the menu over an old line shows the new list instead of pairing
    // the line with another window's record, and ends no process.
    const Window second = MakeWindow("Velqorns page: second");
    page->WinList1->FindWindows();
    ASSERT_FALSE(InStep());
    ClickLine(LineOf("Velqorns page: plain"));
    EXPECT_TRUE(InStep() && page->ListBox1->ItemIndex() == 0);
    EXPECT_EQ(page->Label1->Caption(), "HWnd:      " + Hex(page->WinList1->GetHwnd(0), 4));
    const Window third = MakeWindow("Velqorns page: third");
    page->WinList1->FindWindows();
    DialogAnswerer guard("Confirm", "&No");
    page->TerminateProcess1->OnClick(page->TerminateProcess1);
    EXPECT_TRUE(!(guard.Stop() || guard.Found()) && InStep());
}

TEST_F(WindowPage, SelectedLineShowsItsWindowsDetailsPathAndIconAndCtrlCCopiesThem) {
    const std::string title = "Velqorns page: Fish & Chips, \"Müller\"";
    const Window known = MakeWindow(title.c_str()), neighbour = MakeWindow("Velqorns page: neighbour");
    Embed();
    // Each style box against the system's mask: ticked by all its bits, not by one fewer (the
    // first, WS_OVERLAPPED, by any style but 0).
    const DWORD masks[] = {0, WS_POPUP, WS_CHILD, WS_MINIMIZE, WS_VISIBLE, WS_DISABLED, WS_CLIPSIBLINGS, WS_CLIPCHILDREN,
                           WS_MAXIMIZE, WS_CAPTION, WS_BORDER, WS_DLGFRAME, WS_VSCROLL, WS_HSCROLL, WS_SYSMENU, WS_THICKFRAME,
                           WS_GROUP, WS_TABSTOP, WS_MINIMIZEBOX, WS_MAXIMIZEBOX, WS_TILEDWINDOW, WS_POPUPWINDOW};
    std::string wrong;  // the boxes ticked wrongly
    for (int box = 1; box <= 22; ++box) {
        const auto ticks = [&](DWORD style) { return page->SetStyle(style), page->Control<TCheckBox>("cb" + std::to_string(box))->Checked(); };
        const DWORD mask = masks[box - 1];
        bool right = ticks(mask ? mask : WS_DISABLED) && !ticks(0);
        for (DWORD bit = 1; bit; bit <<= 1) right = right && !((mask & bit) && ticks(mask & ~bit));
        if (!right) wrong += std::to_string(box) + " ";
    }
    EXPECT_EQ(wrong, "");
    ClickLine(LineOf(title));
    ASSERT_EQ(page->ListBox1->ItemIndex(), LineOf(title));
    const auto word = [&](int index) { return Hex(static_cast<std::uint32_t>(::GetWindowLongA(known.get(), index)), 4); };
    const IconHandle icon = page->WinList1->GetIcon(LineOf(title));  // none: no such file
    EXPECT_EQ(Captions({page->Label1, page->Label7, page->Label6, page->Label5, page->Label2, page->Label8}), (Lines{
                         "HWnd:      " + Hex(FromHwnd(known.get()), 4),
                         "ThreadID:  " + Hex(::GetCurrentThreadId(), 4) + " / ProcessID: " + Hex(::GetCurrentProcessId(), 4),
                         "HParent:   0000 -> Desktop", std::string("ClassName: ") + kPlainWindowClass,
                         "WinStyle:  " + word(GWL_STYLE) + " / WinExSty: " + word(GWL_EXSTYLE), "HIcon: " + Hex(icon, 4)}));
    const std::string path = page->Label4->Caption();  // shortened to fit
    EXPECT_TRUE(path.size() < kLongPath.size() && path.ends_with("\\np&x.exe") && !page->Label4->ShowAccelChar()) << path;
    EXPECT_TRUE(page->Image1->Icon() == ToHicon(icon) && page->Control<TCheckBox>("cb21")->Checked());  // WS_OVERLAPPEDWINDOW

    // Ctrl+C: the line and its details as shown, the path whole.
    PressWithCtrl(application, page->ListBox1->Handle(), 'C');
    const std::string copied = Copied({title, page->Label8->Caption(), page->Label1->Caption(), page->Label7->Caption(),
                                       page->Label5->Caption(), page->Label6->Caption(), page->Label2->Caption(), kLongPath});
    EXPECT_EQ(ClipboardText(), copied);
    ASSERT_TRUE(SetClipboardText(host->Handle(), "before"));
    page->ListBox1->SetItemIndex(-1);  // without a selection nothing is copied
    PressWithCtrl(application, page->ListBox1->Handle(), 'C');
    EXPECT_EQ(ClipboardText(), "before");
    page->ListBox1->SetItemIndex(LineOf(title));  // the clipboard held by another: the user is told
    std::atomic<int> held{0};
    std::thread holder([&] { held = ::OpenClipboard(nullptr) ? 1 : 2; while (held == 1) ::Sleep(10); ::CloseClipboard(); });
    while (held == 0) ::Sleep(1);
    DialogAnswerer error("Error", "OK");
    PressWithCtrl(application, page->ListBox1->Handle(), 'C');
    EXPECT_TRUE(error.Finish() && error.Text() == "Couldn't put the text on the clipboard!") << error.Text();
    held = 3;
    holder.join();

    // Another program, run from a folder and file named in Cyrillic and CJK, its title in them with
    // an emoji and an accent: listed, shown and copied exactly, its full path and its file's icon,
    // the same handle after a rebuild. CTest runs this again under code page 1251.
    const UnicodeProgram program;
    PumpUntil(application, [&] { return page->Refresh1Click(page), LineOf(kUnicodeTitle) >= 0; });
    ClickLine(LineOf(kUnicodeTitle));
    EXPECT_EQ(std::pair(ShownLine(*page->ListBox1, LineOf(kUnicodeTitle)), page->Label4->Caption()),
              std::pair(std::string(kUnicodeTitle), program.path));
    const IconHandle programIcon = page->WinList1->GetIcon(LineOf(kUnicodeTitle));
    EXPECT_TRUE(programIcon != 0 && page->Image1->Icon() == ToHicon(programIcon));
    PressWithCtrl(application, page->ListBox1->Handle(), 'C');
    EXPECT_TRUE(ClipboardText().starts_with(kUnicodeTitle + std::string("\r\n")) &&
                ClipboardText().ends_with(program.path + "\r\n"));
    const Window another = MakeWindow("Velqorns page: another");
    page->Refresh1Click(page);
    EXPECT_EQ(page->WinList1->GetIcon(LineOf(kUnicodeTitle)), programIcon);
}

// The warning names the window's process; only "Yes" ends it, and only while its window still
// shows it is that process. A window closed since the refresh (its program running on) shows
// what the list read. The process ended is the one the menu was opened on and the warning
// named, though ticks refill the list (a new window, the selection back on line 0) meanwhile.
TEST_F(WindowPage, TerminateWarnsFirstAndEndsOnlyTheProcessTheMenuAndWarningNamed) {
    const std::string title = "Velqorns page: victim", chosenTitle = "Velqorns page: chosen", closing = "Velqorns page: closing";
    const auto closes = StartTitled(closing, "quiet");  // first: below the others, never line 0
    const HWND window = TitledWindow(closing);
    const auto victim = StartTitled(title), chosen = StartTitled(chosenTitle);
    Embed();
    auto listed = [&] { return LineOf(title) >= 0 && LineOf(chosenTitle) >= 0 && LineOf(closing) > 0; };
    PumpUntil(application, [&] { return page->Refresh1Click(page), listed(); });  // the programs open their windows late
    ASSERT_TRUE(listed());
    int scans = platform.scans;
    Terminate(title, "&No");  // it lives on: below
    EXPECT_EQ(platform.scans, scans);

    const auto word = [&](int index) { return Hex(static_cast<std::uint32_t>(::GetWindowLongA(window, index)), 4); };
    const Lines details = {"ThreadID:  " + Hex(::GetWindowThreadProcessId(window, nullptr), 4) + " / ProcessID: " + Hex(closes->Id(), 4),
                           "ClassName: VelqornsTitledWindow", "WinStyle:  " + word(GWL_STYLE) + " / WinExSty: " + word(GWL_EXSTYLE)};
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    PumpUntil(application, [&] { return !::IsWindow(window); });
    ClickLine(LineOf(closing));
    EXPECT_EQ(Captions({page->Label7, page->Label5, page->Label2}), details);
    EXPECT_TRUE(page->Label4->Caption().ends_with("titled_window.exe")) << page->Label4->Caption();

    // The window gone (its process's identifier may name another process by now), or the
    // handle refused: the error, then a refresh.
    for (const std::string& name : {closing, title}) {
        DialogAnswerer error("Error", "OK");
        platform.refuseOpen = name == title;
        Terminate(name, "&Yes");
        platform.refuseOpen = false;
        ASSERT_TRUE(error.Finish()) << error.Failure();
        EXPECT_EQ(error.Text(), "Kann das Handle des selektierten Prozesses nicht finden!");
        EXPECT_FALSE(victim->Ended() || closes->Ended());
        EXPECT_EQ(platform.scans, ++scans);
    }
    Terminate(title, "&Yes");
    EXPECT_EQ(std::tuple(victim->Ended(), platform.scans, LineOf(title), page->ListBox1->ItemIndex()), std::tuple(true, scans + 1, -1, 0));

    page->WinList1->SetTimerIntval(5);
    page->WinList1->SetEnableTimer(true);
    std::atomic<int> refills{0};
    const TNotifyEvent original = page->WinList1->OnChanged;
    page->WinList1->OnChanged = [&](TObject* sender) { original(sender), ++refills; };
    std::unique_ptr<ChildProcess> newcomers[2];
    // Answers once newcomer k has started and a tick has put it on the list (on the answerer's thread).
    auto afterRefill = [&](int k) {
        return [&, k, before = 0]() mutable {
            if (!newcomers[k]) before = refills, newcomers[k] = StartTitled("Velqorns page: newcomer", "quiet");
            return refills > before;
        };
    };
    ClickLine(LineOf(chosenTitle));
    DialogAnswerer menu("", "", afterRefill(0));
    DialogAnswerer confirm("Confirm", "&Yes", afterRefill(1));
    ClickLine(page->ListBox1->ItemIndex(), /*right=*/true);
    PumpUntil(application, [&] { return confirm.Found() && chosen->Ended(); });
    ASSERT_TRUE(menu.Finish()) << menu.Failure();
    ASSERT_TRUE(confirm.Finish()) << confirm.Failure();
    EXPECT_TRUE(confirm.Text() == Warning(chosenTitle) && chosen->Ended());
    for (const auto& newcomer : newcomers) EXPECT_TRUE(newcomer && !newcomer->Ended());
}

// The finder outlines the top-level window under the pointer and shows it on the drop as a click
// on its line would, first widening the filters the least that lists it; Escape, the desktop and
// the finder itself change nothing and leave no frame.
TEST_F(WindowPage, FinderDropShowsTheTopLevelWindowUnderThePointerWideningTheFiltersTheLeast) {
    const std::string title = "Velqorns finder: program";
    const auto program = StartTitled(title, "quiet");
    const Window owner = MakeWindow("Velqorns finder: owner");
    const Window owned = MakeWindow("Velqorns finder: owned", WS_OVERLAPPEDWINDOW | WS_VISIBLE, owner.get()), untitled = MakeWindow("");
    Embed();
    const HWND window = TitledWindow(title), child = ::FindWindowExA(window, nullptr, "BUTTON", nullptr);
    ASSERT_TRUE(window && child);
    ::SetWindowPos(host->Handle(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    for (auto [each, top] : {std::pair{window, 60}, std::pair{owned.get(), 300}, std::pair{untitled.get(), 450}})
        ::SetWindowPos(each, HWND_TOPMOST, 700, top, 240, 120, SWP_NOACTIVATE);

    DragFinderTo(Centre(child), [&] {
        RECT frame{}, bounds{};
        EXPECT_TRUE(::GetWindowRect(Frame(), &frame) && ::GetWindowRect(window, &bounds) && ::EqualRect(&frame, &bounds) &&
                    ::IsWindowVisible(Frame()));
    });
    EXPECT_EQ(std::tuple(page->ListBox1->ItemIndex(), page->Label1->Caption(), Frame()),
              std::tuple(LineOf(title), "HWnd:      " + Hex(FromHwnd(window), 4), HWND{}));

    // Owned, and left out by "GetInvisible": the visible windows, the task-bar rule off; then an
    // untitled window.
    ::SendMessageA(page->BitBtn3->Handle(), BM_CLICK, 0, 0);
    DragFinderTo(Centre(owned.get()));
    EXPECT_EQ(Shown(), (Lines{std::to_string(LineOf("Velqorns finder: owned")), "1", "0",
                              "HWnd:      " + Hex(FromHwnd(owned.get()), 4), page->Label7->Caption(),
                              std::string("ClassName: ") + kPlainWindowClass}));
    DragFinderTo(Centre(untitled.get()));  // untitled windows counted
    EXPECT_EQ(Shown()[2] + Shown()[3], "2HWnd:      " + Hex(FromHwnd(untitled.get()), 4));

    const Lines before = Shown();
    DragFinderTo(Centre(child), [&] {
        ::SetForegroundWindow(host->Handle());
        INPUT escape[2]{};
        for (INPUT& key : escape) key.type = INPUT_KEYBOARD, key.ki.wVk = VK_ESCAPE;
        escape[1].ki.dwFlags = KEYEVENTF_KEYUP;
        ::SendInput(2, escape, sizeof(INPUT));
        PumpUntil(application, [&] { return !page->Finder1->Dragging(); });
        EXPECT_EQ(Frame(), nullptr);
    });
    for (POINT point : {POINT{::GetSystemMetrics(SM_CXSCREEN) - 5, ::GetSystemMetrics(SM_CYSCREEN) - 5}, Centre(page->Finder1->Handle())})
        DragFinderTo(point);  // the desktop, the finder itself
    EXPECT_EQ(Shown(), before);
}

// "Close Window" posts the close box's command and goes on at once: a window that accepts goes
// and the list follows; one that refuses stays listed. "Bring to Front" restores a minimised
// window into the foreground. Both come after the first two items, which keep their places.
TEST_F(WindowPage, CloseWindowAndBringToFrontActOnTheChosenWindow) {
    const std::string accepts = "Velqorns close: accepts", refuses = "Velqorns close: refuses";
    const auto accepting = StartTitled(accepts, "quiet"), refusing = StartTitled(refuses, "stubborn");
    Embed();
    Lines items;
    for (const TMenuItem* item : page->PopupMenu1->Items()) items.push_back(item->Caption);
    EXPECT_EQ(items, (Lines{"Terminate Process", "Refresh", "-", "Bring to Front", "Close Window"}));
    PumpUntil(application, [&] { return page->Refresh1Click(page), LineOf(accepts) >= 0 && LineOf(refuses) >= 0; });
    for (const std::string& title : {refuses, accepts}) {
        ClickLine(LineOf(title));
        const int scans = platform.scans;
        page->CloseWindow1->OnClick(page->CloseWindow1);
        EXPECT_EQ(platform.scans, scans) << title;  // not waited for
        PumpUntil(application, [&] { return platform.scans > scans; });
        EXPECT_EQ(LineOf(title) >= 0, title == refuses) << title;
    }
    const HWND window = TitledWindow(refuses);
    ::ShowWindow(window, SW_MINIMIZE);
    ClickLine(LineOf(refuses));
    page->BringToFront1->OnClick(page->BringToFront1);
    PumpUntil(application, [&] { return ::GetForegroundWindow() == window; });
    EXPECT_TRUE(::GetForegroundWindow() == window && !::IsIconic(window));
}

// The values the system gives a new event and a new icon now (both released again), and the
// memory in use: none grows over a thousand ticks.
std::vector<SIZE_T> Resources() {
    const BYTE andMask[128] = {}, xorMask[128] = {};
    HANDLE event = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HICON icon = ::CreateIcon(::GetModuleHandleA(nullptr), 32, 32, 1, 1, andMask, xorMask);
    PROCESS_MEMORY_COUNTERS memory{};
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof memory);
    ::CloseHandle(event), ::DestroyIcon(icon);
    // A user handle carries a reuse count in its upper word; its slot is the lower word.
    return {reinterpret_cast<SIZE_T>(event), LOWORD(reinterpret_cast<std::uintptr_t>(icon)), memory.PagefileUsage,
            memory.WorkingSetSize};
}

TEST_F(WindowPage, AutomaticRefreshFollowsWindowsForAThousandTicksAndNothingGrows) {
    Embed();
    page->WinList1->SetTimerIntval(5);
    ::SendMessageA(page->CheckBox3->Handle(), BM_CLICK, 0, 0);
    // One window of this program appears and goes; the list follows each way.
    auto round = [&](int i) {
        const std::string title = "Velqorns soak " + std::to_string(i % 3);
        Window window = MakeWindow(title.c_str());
        PumpUntil(application, [&] { return LineOf(title) >= 0; });
        const bool listed = LineOf(title) >= 0;
        window.reset();
        PumpUntil(application, [&] { return LineOf(title) < 0; });
        return listed && LineOf(title) < 0 && InStep();
    };
    for (int i = 0; i < 30; ++i) ASSERT_TRUE(round(i)) << "warm-up round " << i;
    const std::vector<SIZE_T> before = Resources();
    const int start = platform.scans;
    for (int i = 0; platform.scans - start < 1000; ++i) ASSERT_TRUE(round(i)) << "round " << i;
    const std::vector<SIZE_T> after = Resources();
    constexpr SIZE_T kMargins[] = {0, 0, 1024 * 1024, 1024 * 1024};
    for (size_t k = 0; k < after.size(); ++k) EXPECT_LE(after[k], before[k] + kMargins[k]) << "resource " << k;
}

}  // namespace
