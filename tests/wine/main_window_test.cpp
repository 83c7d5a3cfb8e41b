// The main window "Velqorns!": its frame and sizes, the two list pages embedded at start-up,
// tab switching, and closing, in this process and as the real program from the build tree.
#include "support/ChildProcess.h"
#include "support/TestWindows.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <tuple>

#include "pages/FFindPro.h"
#include "pages/FListWin.h"
#include "program/Unit1.h"

namespace {

// The start-up of the program, up to its message loop: the main window made and shown.
class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        application.Initialize();
        application.SetTitle("Velqorns!");
        application.CreateForm(Form1, platform::Win32Platform::Instance());
    }
    void TearDown() override {
        MSG quit;
        ::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }

    TApplication application;
};

// Start-up as far as the message loop, a round of the tabs, and closing from the frame.
TEST_F(MainWindow, HoldsBothPagesAtTheirLaidOutSizeShowsEachOnceAndClosesThemInOrder) {
    int processPageShown = 0, windowPageShown = 0;
    std::string closed;
    for (auto [page, count, name] : {std::tuple{static_cast<TForm*>(FormQorns), &processPageShown, "proc "},
                                     std::tuple{static_cast<TForm*>(FormWin), &windowPageShown, "win "}}) {
        page->OnShow = [count, original = page->OnShow](TObject* sender) {
            ++*count;
            if (original) original(sender);
        };
        page->OnCloseQuery = [&closed, name = std::string(name)](TObject*, bool& canClose) {
            closed += name;
            canClose = false;  // the main window destroys them anyway
        };
    }
    TPanel* cover = Form1->Own(std::make_unique<TPanel>(Form1));  // above the process page
    cover->SetParent(Form1->Panel2);
    cover->SetBounds(0, 0, 100, 100);
    Form1->Show();
    application.ProcessMessages();
    cover->BringToFront();

    HWND window = Form1->Handle();
    EXPECT_EQ(::GetWindowLongA(window, GWL_STYLE) & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME),
              WS_SYSMENU | WS_MINIMIZEBOX);
    char caption[32] = {};
    ::GetWindowTextA(window, caption, sizeof caption);
    EXPECT_STREQ(caption, "Velqorns!");
    EXPECT_NE(::SendMessageA(window, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_EQ(ClientSize(window).cx, 593);
    EXPECT_EQ(ClientSize(window).cy, 449);
    EXPECT_EQ(Form1->PageControl1->ActivePage(), Form1->TabWin);
    for (auto [page, host] : {std::pair{static_cast<TForm*>(FormWin), Form1->Panel3},
                              std::pair{static_cast<TForm*>(FormQorns), Form1->Panel2}}) {
        EXPECT_EQ(page->Owner, &application);
        EXPECT_EQ(::GetParent(page->Handle()), host->Handle());
        EXPECT_FALSE(::GetWindowLongA(page->Handle(), GWL_STYLE) & (WS_CAPTION | WS_POPUP));
        const RECT place = PlaceInParent(page->Handle());  // the host's size as laid out
        EXPECT_TRUE(place.left == 0 && place.top == 0 && place.right == 581 && place.bottom == 417)
            << page->Name << ": " << place.left << "," << place.top << " - " << place.right << "," << place.bottom;
    }
    EXPECT_EQ(windowPageShown, 1);
    EXPECT_EQ(processPageShown, 0);  // its tab is not chosen yet
    EXPECT_FALSE(::IsWindowVisible(FormQorns->Handle()));

    HWND tabs = Form1->PageControl1->Handle();
    ClickTab(tabs, 1);
    EXPECT_EQ(Form1->PageControl1->ActivePage(), Form1->TabProc);
    EXPECT_EQ(processPageShown, 1);
    EXPECT_TRUE(::IsWindowVisible(FormQorns->Handle()));
    EXPECT_EQ(::GetWindow(Form1->Panel2->Handle(), GW_CHILD), FormQorns->Handle());  // brought to the front
    for (int tab : {2, 1, 0}) ClickTab(tabs, tab);
    EXPECT_TRUE(::IsWindowVisible(FormWin->Handle()));
    EXPECT_EQ(processPageShown, 1);
    EXPECT_EQ(windowPageShown, 1);
    // Ctrl+Tab from a control of the window page, with Ctrl held in this thread's key state.
    BYTE keys[256] = {}, ctrlHeld[256] = {};
    ::GetKeyboardState(keys);
    std::copy(std::begin(keys), std::end(keys), ctrlHeld);
    ctrlHeld[VK_CONTROL] = 0x80;
    ::SetKeyboardState(ctrlHeld);
    ::PostMessageA(FormWin->ListBox1->Handle(), WM_KEYDOWN, VK_TAB, 1);
    application.ProcessMessages();
    ::SetKeyboardState(keys);
    EXPECT_EQ(Form1->PageControl1->ActivePage(), Form1->TabProc);

    HWND windowPage = FormWin->Handle(), processPage = FormQorns->Handle();
    ::SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(closed, "win proc ");
    EXPECT_TRUE(FormWin == nullptr && FormQorns == nullptr);
    EXPECT_FALSE(::IsWindow(windowPage) || ::IsWindow(processPage));
    EXPECT_EQ(application.FindComponent("FormQorns"), nullptr);
    MSG quit;
    ASSERT_TRUE(::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 0u);
}

HWND MainWindowOf(DWORD process) {
    for (HWND window = nullptr; (window = ::FindWindowExA(nullptr, window, nullptr, "Velqorns!"));) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner == process && ::IsWindowVisible(window)) return window;
    }
    return nullptr;
}

TEST(VelqornsProgram, ClosingTheMainWindowFromAnyTabEndsWithExitCodeZero) {
    const std::string program = BesideThisProgram("..\\Velqorns.exe");  // the build tree holds the tests
    ASSERT_NE(::GetFileAttributesA(program.c_str()), INVALID_FILE_ATTRIBUTES) << program;
    for (int tab = 0; tab < 3; ++tab) {
        ChildProcess velqorns(program);
        ASSERT_TRUE(velqorns.Started());  // its message loop is running
        HWND window = MainWindowOf(velqorns.Id());
        HWND tabs = ::FindWindowExA(::FindWindowExA(window, nullptr, nullptr, "Panel1"), nullptr, WC_TABCONTROLA, nullptr);
        ASSERT_NE(tabs, nullptr) << "tab " << tab;
        for (int step = 0; step < tab; ++step) ::SendMessageA(tabs, WM_KEYDOWN, VK_RIGHT, 1);  // a focused tab control's arrows
        EXPECT_EQ(::SendMessageA(tabs, TCM_GETCURSEL, 0, 0), tab);
        ::SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);  // the frame's close box
        EXPECT_EQ(velqorns.ExitCode(), 0u) << "closed from tab " << tab;
    }
}

}  // namespace
