// The main window "Velqorns!": the two list pages embedded at start-up, tab switching, and
// closing, in this process and as the real program from the build tree.
#include "support/ChildProcess.h"
#include "support/TestWindows.h"

#include <commctrl.h>

#include <tuple>

#include "pages/FFindPro.h"
#include "pages/FListWin.h"
#include "platform/Win32Platform.h"
#include "program/Unit1.h"

namespace {

// Start-up as far as the message loop, a round of the tabs, and closing from the frame.
TEST(MainWindow, HoldsBothPagesAtTheirLaidOutSizeShowsEachOnceAndClosesThemInOrder) {
    TApplication application;
    application.Initialize();
    application.SetTitle("Velqorns!");
    platform::Win32Platform& system = platform::Win32Platform::Instance();
    application.CreateForm(Form1, system, system, system);
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
    cover->SetParent(Form1->Panel2), cover->SetBounds(0, 0, 100, 100);
    Form1->Show(), application.ProcessMessages(), cover->BringToFront();

    HWND window = Form1->Handle();
    EXPECT_NE(::SendMessageA(window, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_EQ(Form1->PageControl1->ActivePage(), Form1->TabWin);
    for (auto [page, host] : {std::pair{static_cast<TForm*>(FormWin), Form1->Panel3},
                              std::pair{static_cast<TForm*>(FormQorns), Form1->Panel2}}) {
        EXPECT_EQ(::GetParent(page->Handle()), host->Handle());
        EXPECT_FALSE(::GetWindowLongA(page->Handle(), GWL_STYLE) & (WS_CAPTION | WS_POPUP));
        RECT place;  // the host's size as laid out
        ::GetWindowRect(page->Handle(), &place);
        ::MapWindowPoints(nullptr, host->Handle(), reinterpret_cast<POINT*>(&place), 2);
        EXPECT_TRUE(place.left == 0 && place.top == 0 && place.right == 581 && place.bottom == 417) << page->Name;
    }
    // The process page's tab is not chosen yet.
    EXPECT_EQ(std::tuple(windowPageShown, processPageShown, ::IsWindowVisible(FormQorns->Handle()) != 0), std::tuple(1, 0, false));

    // Tabs pressed with the mouse, as the user does.
    auto clickTab = [tabs = Form1->PageControl1->Handle()](int index) {
        RECT tab{};
        ::SendMessageA(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&tab));
        const LPARAM point = MAKELPARAM((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
        ::SendMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, point), ::SendMessageA(tabs, WM_LBUTTONUP, 0, point);
    };
    clickTab(1);
    EXPECT_EQ(std::tuple(Form1->PageControl1->ActivePage(), processPageShown, ::IsWindowVisible(FormQorns->Handle()) != 0),
              std::tuple(Form1->TabProc, 1, true));
    EXPECT_EQ(::GetWindow(Form1->Panel2->Handle(), GW_CHILD), FormQorns->Handle());  // brought to the front
    for (int tab : {2, 1, 0}) clickTab(tab);
    EXPECT_EQ(std::tuple(::IsWindowVisible(FormWin->Handle()) != 0, windowPageShown, processPageShown), std::tuple(true, 1, 1));
    PressWithCtrl(application, FormWin->ListBox1->Handle(), VK_TAB);  // from a control of the window page
    EXPECT_EQ(Form1->PageControl1->ActivePage(), Form1->TabProc);

    HWND windowPage = FormWin->Handle(), processPage = FormQorns->Handle();
    ::SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(closed, "win proc ");  // the program's end: below
    EXPECT_TRUE(FormWin == nullptr && FormQorns == nullptr && !::IsWindow(windowPage) && !::IsWindow(processPage));
}

TEST(VelqornsProgram, ClosingTheMainWindowFromAnyTabEndsWithExitCodeZero) {
    const std::string program = BesideThisProgram("..\\Velqorns.exe");  // the build tree holds the tests
    for (int tab = 0; tab < 3; ++tab) {
        ChildProcess velqorns(program);
        ASSERT_TRUE(velqorns.Started()) << program;  // its message loop is running
        HWND window = nullptr;
        DWORD owner = 0;
        while ((window = ::FindWindowExA(nullptr, window, nullptr, "Velqorns!")) &&
               (::GetWindowThreadProcessId(window, &owner), owner != velqorns.Id() || !::IsWindowVisible(window))) {
        }
        HWND tabs = ::FindWindowExA(::FindWindowExA(window, nullptr, nullptr, "Panel1"), nullptr, WC_TABCONTROLA, nullptr);
        ASSERT_NE(tabs, nullptr) << "tab " << tab;
        for (int step = 0; step < tab; ++step) ::SendMessageA(tabs, WM_KEYDOWN, VK_RIGHT, 1);  // a focused tab control's arrows
        EXPECT_EQ(::SendMessageA(tabs, TCM_GETCURSEL, 0, 0), tab);
        ::SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);  // the frame's close box
        EXPECT_EQ(velqorns.ExitCode(), 0u) << "closed from tab " << tab;
    }
}

}  // namespace
