// The window list page, embedded as the main window embeds it, against windows and programs
// that the test makes: the filters, the details of a line, the warning before a process is
// ended, lines kept in step with the records, and a long run of automatic refreshing.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "pages/FListWin.h"
#include "platform/Win32Platform.h"
#include "shared/NumberFormat.h"
#include "shared/ShortenPath.h"
#include "support/DialogAnswerer.h"
#include "toolkit/Application.h"

namespace {

using platform::Win32Platform;

constexpr const char* kClassName = "VelqornsWindowPageTest";

// The real platform, with a scan counter, a hook at each scan and two failures on demand.
class TestPlatform : public platform::IWindowSystem, public platform::IProcessSystem {
public:
    int scans = 0;
    std::function<void()> onScan;
    bool hideProcesses = false;  // process snapshots come back empty
    bool refuseOpen = false;     // no process can be opened
    bool noWindows = false;      // the desktop shows no window at all

    void EnumWindows(bool (*visit)(platform::WindowHandle, void*), void* context) override {
        ++scans;
        if (onScan) onScan();
        if (!noWindows) real.EnumWindows(visit, context);
    }
    int WindowText(platform::WindowHandle w, char* b, int n) override { return real.WindowText(w, b, n); }
    bool IsWindowVisible(platform::WindowHandle w) override { return real.IsWindowVisible(w); }
    platform::WindowHandle GetOwner(platform::WindowHandle w) override { return real.GetOwner(w); }
    platform::WindowHandle GetLastActivePopup(platform::WindowHandle w) override { return real.GetLastActivePopup(w); }
    bool IsWindow(platform::WindowHandle w) override { return real.IsWindow(w); }
    std::uint32_t WindowLong(platform::WindowHandle w, int i) override { return real.WindowLong(w, i); }
    std::uint32_t GetWindowThreadProcessId(platform::WindowHandle w, std::uint32_t* p) override {
        return real.GetWindowThreadProcessId(w, p);
    }
    int WindowClassName(platform::WindowHandle w, char* b, int n) override { return real.WindowClassName(w, b, n); }

    platform::SnapshotHandle CreateToolhelp32Snapshot(std::uint32_t f, std::uint32_t p) override {
        return real.CreateToolhelp32Snapshot(f, p);
    }
    bool Process32First(platform::SnapshotHandle s, platform::ProcessEntry& e) override {
        return !hideProcesses && real.Process32First(s, e);
    }
    bool Process32Next(platform::SnapshotHandle s, platform::ProcessEntry& e) override { return real.Process32Next(s, e); }
    bool Module32First(platform::SnapshotHandle s, platform::ModuleEntry& e) override { return real.Module32First(s, e); }
    bool Module32Next(platform::SnapshotHandle s, platform::ModuleEntry& e) override { return real.Module32Next(s, e); }
    void CloseHandle(platform::SnapshotHandle s) override { real.CloseHandle(s); }
    platform::IconHandle FileIcon(const char* path) override { return real.FileIcon(path); }
    std::uint32_t ExeType(const char* path) override { return real.ExeType(path); }
    int CompareTextIgnoreCase(const char* a, int la, const char* b, int lb) override {
        return real.CompareTextIgnoreCase(a, la, b, lb);
    }
    std::uintptr_t OpenProcess(std::uint32_t a, bool i, std::uint32_t p) override {
        return refuseOpen ? 0 : real.OpenProcess(a, i, p);
    }
    bool TerminateProcess(std::uintptr_t p, std::uint32_t c) override { return real.TerminateProcess(p, c); }
    std::uint32_t WaitForSingleObject(std::uintptr_t p, std::uint32_t t) override { return real.WaitForSingleObject(p, t); }
    void CloseProcessHandle(std::uintptr_t p) override { real.CloseProcessHandle(p); }
    std::uint64_t ModuleHandleOf(const char* path) override { return real.ModuleHandleOf(path); }
    bool FreeLibrary(std::uint64_t m) override { return real.FreeLibrary(m); }
    std::uint32_t CurrentProcessId() override { return real.CurrentProcessId(); }

private:
    Win32Platform& real = Win32Platform::Instance();
};

struct WindowDestroyer {
    void operator()(HWND window) const { ::DestroyWindow(window); }
};
using Window = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

Window MakeWindow(const std::string& title, DWORD style, HWND owner = nullptr) {
    return Window(::CreateWindowExA(0, kClassName, title.c_str(), style, 30, 30, 200, 90, owner, nullptr,
                                    ::GetModuleHandleA(nullptr), nullptr));
}

std::string TestDirectory() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory = path;
    return directory.substr(0, directory.rfind('\\') + 1);
}

// A started copy of titled_window.exe showing one window with the given title; ended with
// the object unless the test ended it.
class TitledProgram {
public:
    TitledProgram(const std::string& exe, const std::string& title) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string commandLine = "\"" + exe + "\" \"" + title + "\"";
        if (::CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &info))
            ::WaitForInputIdle(info.hProcess, 10000);
    }
    ~TitledProgram() {
        if (!info.hProcess) return;
        ::TerminateProcess(info.hProcess, 1);
        ::WaitForSingleObject(info.hProcess, 10000);
        ::CloseHandle(info.hThread);
        ::CloseHandle(info.hProcess);
    }
    bool Running() const { return info.hProcess && ::WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT; }
    PROCESS_INFORMATION info{};
};

// A visible popup menu of this process, or nullptr.
HWND OpenMenu() {
    for (HWND menu = nullptr; (menu = ::FindWindowExA(nullptr, menu, "#32768", nullptr));) {
        DWORD process = 0;
        ::GetWindowThreadProcessId(menu, &process);
        if (process == ::GetCurrentProcessId() && ::IsWindowVisible(menu)) return menu;
    }
    return nullptr;
}

// From a background thread: waits for the popup menu until stopped and chooses its item at index.
class MenuChooser {
public:
    explicit MenuChooser(int index) {
        thread_ = std::thread([this, index] {
            HWND menu = nullptr;
            while (!stop_ && !(menu = OpenMenu())) ::Sleep(5);
            if (!menu) return;
            for (int i = 0; i <= index; ++i) PostKey(menu, VK_DOWN);
            PostKey(menu, VK_RETURN);
            opened_ = true;
        });
    }
    ~MenuChooser() { Finish(); }
    bool Finish() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        return opened_;
    }
    static void PostKey(HWND window, WORD key) {
        ::PostMessageA(window, WM_KEYDOWN, key, 1);
        ::PostMessageA(window, WM_KEYUP, key, 1 | (3u << 30));
    }

private:
    std::atomic<bool> opened_{false}, stop_{false};
    std::thread thread_;
};

class WindowPage : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = ::DefWindowProcA;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kClassName;
        ::RegisterClassA(&windowClass);
    }

    void SetUp() override { application.Initialize(); }

    // The page embedded in a panel of a top-level frame, as the main window embeds it, and shown.
    void Embed() {
        host = application.Own(std::make_unique<TForm>(&application));
        host->SetClientSize(593, 449);
        auto* panel = host->Own(std::make_unique<TPanel>(host));
        panel->SetBounds(0, 0, 581, 417);
        panel->SetParent(host);
        page = application.Own(std::make_unique<TFormWin>(&application, platform, platform));
        page->SetBorderStyle(bsNone);
        page->SetBounds(0, 0, 581, 417);
        page->SetParent(panel);
        page->Show();
        host->Show();
        ::SetForegroundWindow(host->Handle());
        Pump();
    }

    void PumpUntil(const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!done() && std::chrono::steady_clock::now() < deadline) {
            application.ProcessMessages();
            ::Sleep(1);
        }
    }
    void Pump() {
        for (int i = 0; i < 10; ++i) application.ProcessMessages(), ::Sleep(1);
    }

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
        for (int i = 0; i < page->ListBox1->Count(); ++i)
            if (page->ListBox1->Strings(i) == title) return i;
        return -1;
    }
    // Refreshes until a window with this title is listed (a started program opens it late).
    int WaitListed(const std::string& title) {
        PumpUntil([&] {
            page->Refresh1Click(page);
            return LineOf(title) >= 0;
        });
        return LineOf(title);
    }
    bool Listed(const Window& window) const {
        for (int i = 0; i < page->WinList1->WindowList().Count(); ++i)
            if (page->WinList1->GetHwnd(i) == platform::FromHwnd(window.get())) return true;
        return false;
    }

    // A click on a line of ListBox1 (scrolled into view) posted to the list as the system
    // posts one, so that another program on the display cannot take it; handled before it
    // returns.
    void ClickLine(int line, bool right = false) {
        HWND list = page->ListBox1->Handle();
        ::SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(line), 0);
        RECT item{};
        ::SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&item));
        const LPARAM point = MAKELPARAM(item.left + 20, (item.top + item.bottom) / 2);
        bool released = false;
        const TMouseEvent original = page->ListBox1->OnMouseUp;
        page->ListBox1->OnMouseUp = [&](TObject* s, TMouseButton b, TShiftState k, int x, int y) {
            original(s, b, k, x, y);
            released = true;
        };
        ::PostMessageA(list, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, point);
        ::PostMessageA(list, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, point);
        PumpUntil([&] { return released; });
        page->ListBox1->OnMouseUp = original;
        ASSERT_TRUE(released);
    }
    // Selects line, then chooses "Terminate Process" from the menu that a right click on the
    // line opens or, with key VK_F10, that Shift+F10 opens; returns once the item's handler
    // has run. (Wine makes the Menu key's WM_CONTEXTMENU from real keyboard input only.)
    void TerminateFromLine(int line, WORD key = 0) {
        ClickLine(line);
        bool done = false;
        const TNotifyEvent original = page->TerminateProcess1->OnClick;
        page->TerminateProcess1->OnClick = [&](TObject* sender) {
            original(sender);
            done = true;
        };
        MenuChooser chooser(0);
        BYTE keys[256] = {}, held[256] = {};
        ::GetKeyboardState(keys);
        HWND list = page->ListBox1->Handle();
        if (key == VK_F10) {  // F10 is a system key; Shift is held meanwhile
            std::copy(keys, keys + 256, held);
            held[VK_SHIFT] = 0x80;
            ::SetKeyboardState(held);
            ::PostMessageA(list, WM_SYSKEYDOWN, VK_F10, 1);
            ::PostMessageA(list, WM_SYSKEYUP, VK_F10, 1 | (3u << 30));
        } else {
            ClickLine(line, true);
        }
        PumpUntil([&] { return done; });
        ::SetKeyboardState(keys);
        page->TerminateProcess1->OnClick = original;
        EXPECT_TRUE(chooser.Finish());
        EXPECT_TRUE(done);
    }
    void Click(TWinControl* control) {
        ::SendMessageA(control->Handle(), BM_CLICK, 0, 0);
        Pump();
    }

    TApplication application;
    TestPlatform platform;
    TForm* host = nullptr;
    TFormWin* page = nullptr;
};

TEST_F(WindowPage, ButtonsAndBoxesChooseTheWindowsListedFromTheFirstShowOn) {
    const Window plain = MakeWindow("Velqorns page: plain", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    const Window owned = MakeWindow("Velqorns page: owned", WS_OVERLAPPEDWINDOW | WS_VISIBLE, plain.get());
    const Window hidden = MakeWindow("Velqorns page: hidden", WS_OVERLAPPEDWINDOW);
    const Window untitled = MakeWindow("", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    Embed();  // shown: visible windows with the task-bar rule
    EXPECT_EQ(page->Caption(), page->WinList1->About());
    EXPECT_TRUE(Listed(plain));
    EXPECT_FALSE(Listed(owned) || Listed(hidden) || Listed(untitled));
    EXPECT_EQ(Lines(), Entries());
    EXPECT_EQ(page->ListBox1->ItemIndex(), 0);
    EXPECT_EQ(page->Label3->Caption(), std::to_string(page->ListBox1->Count()) + " window(s) found  ");
    EXPECT_TRUE(page->CheckBox2->Checked());
    EXPECT_FALSE(page->CheckBox1->Checked() || page->CheckBox1->Enabled() || page->CheckBox3->Checked());

    Click(page->BitBtn1);  // GetAll, with the task-bar rule
    EXPECT_TRUE(Listed(plain) && Listed(hidden));
    EXPECT_FALSE(Listed(owned) || Listed(untitled));

    Click(page->CheckBox2);  // the rule off: EmptyNames offered again, and a new scan at once
    EXPECT_TRUE(page->CheckBox1->Enabled());
    EXPECT_TRUE(Listed(plain) && Listed(hidden) && Listed(owned));
    EXPECT_FALSE(Listed(untitled));
    Click(page->CheckBox1);
    EXPECT_TRUE(Listed(untitled));
    EXPECT_GE(LineOf(""), 0);
    EXPECT_EQ(Lines(), Entries());

    Click(page->CheckBox2);  // the rule back on: EmptyNames unticked and refused
    EXPECT_FALSE(page->CheckBox1->Checked() || page->CheckBox1->Enabled());
    EXPECT_FALSE(Listed(untitled) || Listed(owned));
    Click(page->BitBtn3);
    EXPECT_TRUE(Listed(hidden));
    EXPECT_FALSE(Listed(plain));
    Click(page->BitBtn2);
    EXPECT_TRUE(Listed(plain));
    EXPECT_FALSE(Listed(hidden));

    const int scans = platform.scans;  // "Automatic" alone does not scan
    Click(page->CheckBox3);
    EXPECT_TRUE(page->WinList1->EnableTimer());
    EXPECT_EQ(platform.scans, scans);
    Click(page->CheckBox3);
    EXPECT_FALSE(page->WinList1->EnableTimer());
}

TEST_F(WindowPage, StyleBoxesTickExactlyForTheirBits) {
    Embed();
    auto ticked = [&] {
        std::string boxes;
        for (int i = 0; i < 22; ++i)
            if (page->Control<TCheckBox>("cb" + std::to_string(i + 1))->Checked()) boxes += std::to_string(i + 1) + " ";
        return boxes;
    };
    page->SetStyle(0);
    EXPECT_EQ(ticked(), "");
    page->SetStyle(0x00CF0000);
    EXPECT_EQ(ticked(), "1 10 11 12 15 16 17 18 19 20 21 ");
    page->SetStyle(0x80880000);
    EXPECT_EQ(ticked(), "1 2 11 15 22 ");
    page->SetStyle(0x00400000);  // one of the two caption bits
    EXPECT_EQ(ticked(), "1 12 ");
    EXPECT_FALSE(page->GroupBox1->Enabled());  // the boxes show, they take no input
    EXPECT_EQ(page->cb22->Font().Color(), clNavy);
}

TEST_F(WindowPage, EmptyListShowsTheHintAndNoDetailsOfAnyWindow) {
    const Window plain = MakeWindow("Velqorns page: plain", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    Embed();
    ASSERT_NE(page->Label1->Caption().find("HWnd:"), std::string::npos);
    platform.noWindows = true;
    page->Refresh1Click(page);
    EXPECT_EQ(page->ListBox1->Count(), 0);
    EXPECT_EQ(page->ListBox1->ItemIndex(), -1);
    EXPECT_EQ(page->Label3->Caption(), "0 window(s) found  ");
    EXPECT_EQ(page->Label7->Caption(), "klick an item to obtain some information");
    for (TLabel* label : {page->Label1, page->Label6, page->Label5, page->Label2, page->Label8, page->Label4})
        EXPECT_EQ(label->Caption(), "") << label->Name;
    EXPECT_EQ(page->Image1->Icon(), nullptr);
    EXPECT_FALSE(page->cb1->Checked());
    DialogAnswerer none("Confirm", DialogAnswerer::Press("&No"));
    page->TerminateProcess1Click(page->TerminateProcess1);
    none.Stop();
    EXPECT_FALSE(none.Found());
}

TEST_F(WindowPage, SelectedLineShowsItsWindowsDetailsPathAndIcon) {
    const Window known = MakeWindow("Velqorns page: details", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    const Window neighbour = MakeWindow("Velqorns page: neighbour", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    Embed();
    const int line = LineOf("Velqorns page: details");
    ASSERT_GE(line, 0);
    ClickLine(line);
    ASSERT_EQ(page->ListBox1->ItemIndex(), line);
    const std::uint32_t style = static_cast<std::uint32_t>(::GetWindowLongA(known.get(), GWL_STYLE));
    const std::uint32_t exStyle = static_cast<std::uint32_t>(::GetWindowLongA(known.get(), GWL_EXSTYLE));
    EXPECT_EQ(page->Label1->Caption(), "HWnd:      " + Hex(platform::FromHwnd(known.get()), 4));
    EXPECT_EQ(page->Label7->Caption(),
              "ThreadID:  " + Hex(::GetCurrentThreadId(), 4) + " / ProcessID: " + Hex(::GetCurrentProcessId(), 4));
    EXPECT_EQ(page->Label6->Caption(), "HParent:   0000 -> Desktop");
    EXPECT_EQ(page->Label5->Caption(), std::string("ClassName: ") + kClassName);
    EXPECT_EQ(page->Label2->Caption(), "WinStyle:  " + Hex(style, 4) + " / WinExSty: " + Hex(exStyle, 4));
    char exe[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
    EXPECT_EQ(page->Label4->Caption(), exe);  // short enough to be shown whole
    const platform::IconHandle icon = page->WinList1->GetIcon(line);
    EXPECT_NE(icon, 0u);
    EXPECT_EQ(page->Label8->Caption(), "HIcon: " + Hex(icon, 4));
    EXPECT_EQ(page->Image1->Icon(), platform::ToHicon(icon));
    EXPECT_TRUE(page->cb21->Checked());
    EXPECT_TRUE(page->cb5->Checked());

    // A key release shows the line the key moved to; closing the page lets the icon object go,
    // never the icon, which stays the record's.
    page->ListBox1->SetFocus();
    MenuChooser::PostKey(page->ListBox1->Handle(), line > 0 ? VK_UP : VK_DOWN);
    PumpUntil([&] { return page->ListBox1->ItemIndex() != line; });
    Pump();
    EXPECT_EQ(page->Label1->Caption(), "HWnd:      " + Hex(page->WinList1->GetHwnd(page->ListBox1->ItemIndex()), 4));
    page->Close();
    EXPECT_EQ(page->SelectedIcon, nullptr);
    EXPECT_GT(IconSize(platform::ToHicon(icon)).cx, 0);
}

TEST_F(WindowPage, LongPathLosesLeadingDirectoriesAndUnknownExecutableShowsNoIcon) {
    // A copy of the program in directories far wider than the label.
    std::string path = TestDirectory();
    for (const char* directory : {"velqorns page test with a long directory name one",
                                  "and a second directory whose name is long as well", "third"}) {
        path += directory;
        path += '\\';
        ::CreateDirectoryA(path.c_str(), nullptr);
    }
    path += "titled_window.exe";
    ASSERT_TRUE(::CopyFileA((TestDirectory() + "titled_window.exe").c_str(), path.c_str(), FALSE));
    {
        const TitledProgram program(path, "Velqorns page: far away");
        ASSERT_TRUE(program.Running());
        Embed();
        const int line = WaitListed("Velqorns page: far away");
        ASSERT_GE(line, 0);
        ClickLine(line);
        const std::string full = page->WinList1->GetExeFile(line);
        const std::string& shown = page->Label4->Caption();
        auto width = [&](const std::string& text) { return TextWidthOnScreen(page->Font(), text); };
        ASSERT_GT(width(full), 561);
        EXPECT_EQ(shown, ShortenPath(full, width, 561));
        EXPECT_LE(width(shown), 561);
        EXPECT_NE(shown.find("...\\"), std::string::npos) << shown;
        EXPECT_EQ(shown.substr(shown.rfind('\\')), "\\titled_window.exe");
    }
    ::DeleteFileA(path.c_str());
    for (std::string directory = path; directory.size() > TestDirectory().size();) {
        directory.erase(directory.rfind('\\'));
        ::RemoveDirectoryA(directory.c_str());
    }

    platform.hideProcesses = true;  // no process found for any window
    page->Refresh1Click(page);
    const Window lost = MakeWindow("Velqorns page: lost", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    page->Refresh1Click(page);
    ClickLine(LineOf("Velqorns page: lost"));
    EXPECT_EQ(page->Label4->Caption(), "");
    EXPECT_EQ(page->Label8->Caption(), "HIcon: 0000");
    EXPECT_EQ(page->Image1->Icon(), nullptr);
}

std::string Warning(const std::string& title) {
    return "Process: --> " + title +
           "\n\r\n\rTerminateProcess kann das System in einen instabilen Zustand \n\r"
           "f\xFChren. Sie sollten dies nur tun, wenn Sie sich v\xF6llig sicher\n\rsind! Sind Sie sicher?";
}

TEST_F(WindowPage, TerminateWarnsFirstAndOnlyYesEndsTheProcessThenRefreshes) {
    const std::string title = "Velqorns page: victim";
    TitledProgram victim(TestDirectory() + "titled_window.exe", title);
    ASSERT_TRUE(victim.Running());
    Embed();
    ASSERT_GE(WaitListed(title), 0);
    const std::vector<std::pair<DialogAnswerer::Answer, WORD>> refusals = {
        {DialogAnswerer::Press("&No"), 0},
        {DialogAnswerer::PressEscape(), 0},
        {DialogAnswerer::CloseByBox(), VK_F10},
    };
    for (const auto& [answer, key] : refusals) {
        SCOPED_TRACE(key);
        DialogAnswerer dialog("Confirm", answer);
        TerminateFromLine(LineOf(title), key);
        ASSERT_TRUE(dialog.Finish()) << dialog.Failure();
        EXPECT_EQ(dialog.Text(), Warning(title));
        EXPECT_TRUE(victim.Running());
        EXPECT_GE(LineOf(title), 0);
    }

    platform.refuseOpen = true;  // the handle is refused: the error, then a refresh
    int scans = platform.scans;
    DialogAnswerer confirm("Confirm", DialogAnswerer::Press("&Yes"));
    DialogAnswerer error("Error", DialogAnswerer::Press("OK"));
    TerminateFromLine(LineOf(title));
    EXPECT_TRUE(confirm.Finish()) << confirm.Failure();
    ASSERT_TRUE(error.Finish()) << error.Failure();
    EXPECT_EQ(error.Text(), "Kann das Handle des selektierten Prozesses nicht finden!");
    EXPECT_TRUE(victim.Running());
    EXPECT_EQ(platform.scans, scans + 1);

    platform.refuseOpen = false;
    scans = platform.scans;
    DialogAnswerer yes("Confirm", DialogAnswerer::Press("&Yes"));
    TerminateFromLine(LineOf(title));
    ASSERT_TRUE(yes.Finish()) << yes.Failure();
    EXPECT_FALSE(victim.Running());
    EXPECT_EQ(platform.scans, scans + 1);
    EXPECT_EQ(LineOf(title), -1);
    EXPECT_EQ(page->ListBox1->ItemIndex(), page->ListBox1->Count() > 0 ? 0 : -1);
}

TEST_F(WindowPage, TerminateEndsTheProcessTheWarningNamedWhenATickRefillsTheListMeanwhile) {
    const std::string exe = TestDirectory() + "titled_window.exe";
    TitledProgram victim(exe, "Velqorns page: victim");
    Embed();
    ASSERT_GE(WaitListed("Velqorns page: victim"), 0);
    page->WinList1->SetTimerIntval(5);
    Click(page->CheckBox3);
    std::atomic<int> refills{0};
    const TNotifyEvent original = page->WinList1->OnChanged;
    page->WinList1->OnChanged = [&](TObject* sender) {
        original(sender);
        ++refills;
    };
    // While the warning is open, another program appears and a tick puts it on the list.
    std::unique_ptr<TitledProgram> newcomer;
    int before = 0;
    DialogAnswerer dialog("Confirm", DialogAnswerer::Press("&Yes"), [&] {
        if (!newcomer) {
            before = refills;
            newcomer = std::make_unique<TitledProgram>(exe, "Velqorns page: newcomer");
        }
        return refills > before;
    });
    TerminateFromLine(LineOf("Velqorns page: victim"));
    ASSERT_TRUE(dialog.Finish()) << dialog.Failure();
    EXPECT_EQ(dialog.Text(), Warning("Velqorns page: victim"));
    EXPECT_FALSE(victim.Running());
    ASSERT_NE(newcomer, nullptr);
    EXPECT_TRUE(newcomer->Running());
}

TEST_F(WindowPage, LinesAreNeverPairedWithTheRecordsOfANewerList) {
    const Window first = MakeWindow("Velqorns page: first", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    Embed();
    auto paired = [&] {
        const int line = page->ListBox1->ItemIndex();
        return Lines() == Entries() &&
               (line < 0 || page->Label1->Caption() == "HWnd:      " + Hex(page->WinList1->GetHwnd(line), 4));
    };
    // WinList1 rebuilt and the list box not yet refilled, as between a tick's scan and its
    // OnChanged: a click on an old line shows the new list instead of a record of it.
    const Window second = MakeWindow("Velqorns page: second", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    page->WinList1->FindWindows();
    ASSERT_NE(Lines(), Entries());
    ClickLine(LineOf("Velqorns page: first"));
    EXPECT_TRUE(paired());
    EXPECT_EQ(page->ListBox1->ItemIndex(), 0);

    // The menu opened from the keyboard over an old line ends no process: no warning at all.
    const Window third = MakeWindow("Velqorns page: third", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    page->WinList1->FindWindows();
    {
        DialogAnswerer guard("Confirm", DialogAnswerer::Press("&No"));
        MenuChooser chooser(0);
        HWND list = page->ListBox1->Handle();
        ::PostMessageA(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), -1);
        Pump();
        EXPECT_TRUE(chooser.Finish());
        guard.Stop();
        EXPECT_FALSE(guard.Found());
        EXPECT_TRUE(paired());
    }

    // A real tick: a click waiting when its scan has rebuilt the list is handled before OnChanged.
    const Window fourth = MakeWindow("Velqorns page: fourth", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    const int line = LineOf("Velqorns page: first");
    bool armed = true, clicked = false, pairedAtClick = false, clickedBeforeChange = false, changed = false;
    platform.onScan = [&] {
        if (!armed) return;
        armed = false;
        RECT item{};
        HWND list = page->ListBox1->Handle();
        ::SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&item));
        const LPARAM point = MAKELPARAM(item.left + 20, (item.top + item.bottom) / 2);
        ::PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
        ::PostMessageA(list, WM_LBUTTONUP, 0, point);
    };
    const TMouseEvent mouseUp = page->ListBox1->OnMouseUp;
    page->ListBox1->OnMouseUp = [&](TObject* s, TMouseButton b, TShiftState k, int x, int y) {
        mouseUp(s, b, k, x, y);
        clicked = true;
        pairedAtClick = paired();
    };
    const TNotifyEvent onChanged = page->WinList1->OnChanged;
    page->WinList1->OnChanged = [&](TObject* sender) {
        clickedBeforeChange = clicked;
        onChanged(sender);
        changed = true;
    };
    page->WinList1->SetTimerIntval(5);
    page->WinList1->SetEnableTimer(true);
    PumpUntil([&] { return changed; });
    EXPECT_TRUE(clickedBeforeChange);
    EXPECT_TRUE(pairedAtClick);
    EXPECT_TRUE(paired());
}

TEST_F(WindowPage, AStandalonePageKeepsItsSelectionWhenActivatedAgain) {
    const Window first = MakeWindow("Velqorns page: first", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    const Window second = MakeWindow("Velqorns page: second", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    page = application.Own(std::make_unique<TFormWin>(&application, platform, platform));
    page->Show();
    Pump();
    ASSERT_GE(page->ListBox1->Count(), 2);
    page->ListBox1->SetItemIndex(1);
    page->DoWindow();
    const std::string details = page->Label1->Caption();
    auto comeBack = [&] {
        ::SetForegroundWindow(first.get());
        Pump();
        ::SetForegroundWindow(page->Handle());
        Pump();
        ASSERT_EQ(::GetActiveWindow(), page->Handle());
    };
    comeBack();
    EXPECT_EQ(page->ListBox1->ItemIndex(), 1);
    EXPECT_EQ(page->Label1->Caption(), details);
    const Window third = MakeWindow("Velqorns page: third", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    page->WinList1->FindWindows();  // a newer list waits: coming back shows it
    comeBack();
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
    Click(page->CheckBox3);
    // One window of this program appears and goes; the list follows each way.
    auto round = [&](int i) {
        const std::string title = "Velqorns soak " + std::to_string(i % 3);
        {
            const Window window = MakeWindow(title, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
            PumpUntil([&] { return LineOf(title) >= 0; });
            if (LineOf(title) < 0) return false;
        }
        PumpUntil([&] { return LineOf(title) < 0; });
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
