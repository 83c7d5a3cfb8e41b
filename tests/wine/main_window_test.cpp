// The main window "Velqorns!": its frame, the two list pages embedded at start-up, tab
// switching, the drop shadows of the "About" tab, and closing, in this process and as the
// real program started from the build tree.
#include "support/ChildProcess.h"
#include "support/TestWindows.h"
#include "support/WindowPixels.h"

#include <commctrl.h>

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
        application.CreateForm(Form1);
    }
    void Start() {
        Form1->Show();
        application.ProcessMessages();
    }
    void TearDown() override {
        MSG quit;
        ::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }
    // Both list pages fill their panels' client areas from the top left, at the size laid out.
    static void ExpectPagesInPlace() {
        for (TForm* page : {static_cast<TForm*>(FormWin), static_cast<TForm*>(FormQorns)}) {
            const RECT place = PlaceInParent(page->Handle());
            EXPECT_TRUE(place.left == 0 && place.top == 0 && place.right == 581 && place.bottom == 417)
                << page->Name << ": " << place.left << "," << place.top << " - " << place.right << "," << place.bottom;
        }
        EXPECT_EQ(ClientSize(Form1->Handle()).cx, 593);
        EXPECT_EQ(ClientSize(Form1->Handle()).cy, 449);
    }

    TApplication application;
};

TEST_F(MainWindow, IsAFixedFrameWithSystemMenuAndMinimiseBoxOnly) {
    Start();
    HWND window = Form1->Handle();
    const LONG style = ::GetWindowLongA(window, GWL_STYLE);
    EXPECT_EQ(style & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), WS_SYSMENU | WS_MINIMIZEBOX);
    RECT frame;
    ::GetWindowRect(window, &frame);  // its corner is no grip for resizing
    EXPECT_NE(::SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(frame.right - 1, frame.bottom - 1)), HTBOTTOMRIGHT);
    char caption[32] = {};
    ::GetWindowTextA(window, caption, sizeof caption);
    EXPECT_STREQ(caption, "Velqorns!");
    EXPECT_EQ(application.MainForm, Form1);
    EXPECT_NE(::SendMessageA(window, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(::SendMessageA(window, WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_EQ(Form1->PageControl1->ActivePage(), Form1->TabWin);
}

TEST_F(MainWindow, StartUpEmbedsBothPagesBorderlessAtTheTopLeftOfTheirPanelsAndTheyStayThere) {
    Start();
    for (auto [page, host] : {std::pair{static_cast<TForm*>(FormWin), Form1->Panel3},
                              std::pair{static_cast<TForm*>(FormQorns), Form1->Panel2}}) {
        EXPECT_EQ(page->Owner, &application);
        EXPECT_EQ(::GetParent(page->Handle()), host->Handle());
        EXPECT_FALSE(::GetWindowLongA(page->Handle(), GWL_STYLE) & (WS_CAPTION | WS_POPUP));
        const RECT tab = host->Parent()->ClientRect();  // the host fills its tab
        EXPECT_EQ(host->Width(), tab.right);
        EXPECT_EQ(host->Height(), tab.bottom);
    }
    ExpectPagesInPlace();  // the host's size as laid out, taken before it was aligned
    EXPECT_TRUE(::IsWindowVisible(FormWin->Handle()));
    EXPECT_FALSE(::IsWindowVisible(FormQorns->Handle()));  // its tab is not chosen yet
    ::ShowWindow(Form1->Handle(), SW_MINIMIZE);
    ::ShowWindow(Form1->Handle(), SW_RESTORE);
    application.ProcessMessages();
    ExpectPagesInPlace();
}

TEST_F(MainWindow, ChoosingAListTabBringsItsPageToTheFrontAndShowsItOnceOnly) {
    int processPageShown = 0, windowPageShown = 0;
    for (auto [page, count] : {std::pair{static_cast<TForm*>(FormQorns), &processPageShown},
                               std::pair{static_cast<TForm*>(FormWin), &windowPageShown}}) {
        page->OnShow = [count, original = page->OnShow](TObject* sender) {
            ++*count;
            if (original) original(sender);
        };
    }
    // Something else in the process page's panel, brought above the page.
    TPanel* cover = Form1->Own(std::make_unique<TPanel>(Form1));
    cover->SetParent(Form1->Panel2);
    cover->SetBounds(0, 0, 100, 100);
    Start();
    cover->BringToFront();
    EXPECT_EQ(windowPageShown, 1);
    EXPECT_EQ(processPageShown, 0);

    HWND tabs = Form1->PageControl1->Handle();
    TFormQorns* processPage = FormQorns;
    ClickTab(tabs, 1);
    EXPECT_EQ(Form1->PageControl1->ActivePage(), Form1->TabProc);
    EXPECT_EQ(processPageShown, 1);
    EXPECT_TRUE(::IsWindowVisible(FormQorns->Handle()));
    EXPECT_EQ(::GetWindow(Form1->Panel2->Handle(), GW_CHILD), FormQorns->Handle());

    ClickTab(tabs, 2);
    EXPECT_FALSE(::IsWindowVisible(FormQorns->Handle()));
    EXPECT_FALSE(::IsWindowVisible(FormWin->Handle()));
    ClickTab(tabs, 1);
    ClickTab(tabs, 0);
    EXPECT_TRUE(::IsWindowVisible(FormWin->Handle()));
    EXPECT_EQ(processPageShown, 1);
    EXPECT_EQ(windowPageShown, 1);
    EXPECT_EQ(FormQorns, processPage);  // the same page, not made again
}

TEST_F(MainWindow, AboutTabCastsShadowsEtchesCaptionsFramesTwoLinesAndLinksToBareAddresses) {
    Start();
    Form1->PageControl1->SetActivePage(Form1->TabAbout);
    const WindowPixels tab(Form1->TabAbout->Handle());
    const COLORREF gray = RGB(128, 128, 128);
    for (auto [content, shadow] : {std::pair{Form1->Panel4, Form1->Panel5}, std::pair{Form1->Panel6, Form1->Panel7}}) {
        EXPECT_EQ(shadow->Left() - content->Left(), 4);
        EXPECT_EQ(shadow->Top() - content->Top(), 5);
        EXPECT_EQ(shadow->Width(), content->Width());
        const RECT box = content->BoundsRect();
        EXPECT_EQ(tab.At(box.right + 1, box.top + 40), gray);      // the strip on the right
        EXPECT_EQ(tab.At(box.left + 40, box.bottom + 2), gray);    // the strip below
        EXPECT_NE(tab.At(box.right - 10, box.bottom - 10), gray);  // covered by the content
        EXPECT_NE(tab.At(box.right + 1, box.top + 2), gray);       // above the shadow's top
    }
    const WindowPixels panel(Form1->Panel4->Handle());
    const RECT frame = Form1->CoolLabel4->BoundsRect();
    EXPECT_EQ(panel.At(frame.left + 5, frame.top), ColorToRGB(clBtnShadow));  // the sunken frame's top
    EXPECT_EQ(panel.At(frame.left, frame.top + 5), ColorToRGB(clBtnShadow));
    EXPECT_TRUE(panel.Contains(Form1->CoolLabel1->BoundsRect(), ColorToRGB(clBtnHighlight)));  // the etching
    EXPECT_TRUE(panel.Contains(Form1->AutoURLLabel1->BoundsRect(), RGB(0, 0, 255)));
    EXPECT_EQ(Form1->CoolLabel5->Width(), TextWidthOnScreen(Form1->CoolLabel5->Font(), Form1->CoolLabel5->Caption()));
    for (auto [link, url] : {std::pair{Form1->AutoURLLabel1, "http://www.example.com/"},
                             std::pair{Form1->AutoURLLabel2, "mailto:velqorns@example.com"},
                             std::pair{Form1->AutoURLLabel3, "http://www.example.org/components/"},
                             std::pair{Form1->AutoURLLabel4, "mailto:components@example.org"}})
        EXPECT_EQ(link->URL(), url);
    EXPECT_NE(Form1->AutoURLLabel1->Caption(), Form1->AutoURLLabel1->URL());  // name and address
}

TEST_F(MainWindow, ClosingClosesAndDestroysBothPagesThenEndsTheLoop) {
    std::string order;
    for (auto [page, name] : {std::pair{static_cast<TForm*>(FormWin), "win "}, std::pair{static_cast<TForm*>(FormQorns), "proc "}}) {
        page->OnCloseQuery = [&order, name = std::string(name)](TObject*, bool& canClose) {
            order += name;
            canClose = false;  // the main window destroys them anyway
        };
    }
    Start();
    HWND windowPage = FormWin->Handle(), processPage = FormQorns->Handle();
    ::SendMessageA(Form1->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(order, "win proc ");
    EXPECT_EQ(FormWin, nullptr);
    EXPECT_EQ(FormQorns, nullptr);
    EXPECT_FALSE(::IsWindow(windowPage));
    EXPECT_FALSE(::IsWindow(processPage));
    EXPECT_EQ(application.FindComponent("FormWin"), nullptr);
    EXPECT_EQ(application.FindComponent("FormQorns"), nullptr);
    EXPECT_FALSE(::IsWindowVisible(Form1->Handle()));
    MSG quit;
    ASSERT_TRUE(::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 0u);
}

// ---- The program itself, started from the build tree.

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
        for (int step = 0; step < tab; ++step)  // the arrow keys of a focused tab control
            ::SendMessageA(tabs, WM_KEYDOWN, VK_RIGHT, 1);
        EXPECT_EQ(::SendMessageA(tabs, TCM_GETCURSEL, 0, 0), tab);
        ::SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);  // the frame's close box
        EXPECT_EQ(velqorns.ExitCode(), 0u) << "closed from tab " << tab;
    }
}

}  // namespace
