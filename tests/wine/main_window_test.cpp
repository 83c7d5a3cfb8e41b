// The main window "Velqorns!": its frame, the two list pages embedded at start-up, tab
// switching, the drop shadows of the "About" tab, and closing, in this process and as the
// real program started from the build tree.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pages/FFindPro.h"
#include "pages/FListWin.h"
#include "program/Unit1.h"
#include "support/WindowPixels.h"
#include "toolkit/Application.h"

namespace {

RECT PlaceInParent(HWND child) {
    RECT rect;
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void ClickTab(HWND tabs, int index) {
    RECT tab{};
    ::SendMessageA(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&tab));
    const LPARAM point = MAKELPARAM((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
    ::SendMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, point);
    ::SendMessageA(tabs, WM_LBUTTONUP, 0, point);
}

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

    TApplication application;
};

TEST_F(MainWindow, IsAFixedFrameWithSystemMenuAndMinimiseBoxOnly) {
    Start();
    HWND window = Form1->Handle();
    RECT client;
    ::GetClientRect(window, &client);
    EXPECT_EQ(client.right, 593);
    EXPECT_EQ(client.bottom, 449);
    const LONG style = ::GetWindowLongA(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_THICKFRAME));
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
    EXPECT_EQ(Form1->PageControl1->PageCount(), 3);
}

TEST_F(MainWindow, StartUpEmbedsBothPagesBorderlessAtTheTopLeftOfTheirPanels) {
    ASSERT_NE(FormWin, nullptr);
    ASSERT_NE(FormQorns, nullptr);
    EXPECT_EQ(FormWin->Owner, &application);
    EXPECT_EQ(FormQorns->Owner, &application);
    Start();
    const struct {
        TForm* page;
        TPanel* host;
    } embedded[] = {{FormWin, Form1->Panel3}, {FormQorns, Form1->Panel2}};
    for (const auto& [page, host] : embedded) {
        EXPECT_EQ(page->Parent(), host);
        HWND window = page->Handle();
        EXPECT_EQ(::GetParent(window), host->Handle());
        EXPECT_FALSE(::GetWindowLongA(window, GWL_STYLE) & (WS_CAPTION | WS_POPUP));
        const RECT place = PlaceInParent(window);
        EXPECT_EQ(place.left, 0);
        EXPECT_EQ(place.top, 0);
        EXPECT_EQ(place.right, 581);  // the host's size as laid out, taken before it was aligned
        EXPECT_EQ(place.bottom, 417);
        const RECT tab = host->Parent()->ClientRect();  // the host fills its tab
        EXPECT_EQ(host->Width(), tab.right);
        EXPECT_EQ(host->Height(), tab.bottom);
    }
    EXPECT_TRUE(::IsWindowVisible(FormWin->Handle()));
    EXPECT_FALSE(::IsWindowVisible(FormQorns->Handle()));  // its tab is not chosen yet
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
    EXPECT_EQ(::GetWindow(Form1->Panel2->Handle(), GW_CHILD), cover->Handle());

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

TEST_F(MainWindow, MinimisingAndRestoringLeavesThePagesInPlace) {
    Start();
    ::ShowWindow(Form1->Handle(), SW_MINIMIZE);
    ::ShowWindow(Form1->Handle(), SW_RESTORE);
    application.ProcessMessages();
    for (TForm* page : {static_cast<TForm*>(FormWin), static_cast<TForm*>(FormQorns)}) {
        const RECT place = PlaceInParent(page->Handle());
        EXPECT_EQ(place.left, 0);
        EXPECT_EQ(place.top, 0);
        EXPECT_EQ(place.right, 581);
        EXPECT_EQ(place.bottom, 417);
    }
    RECT client;
    ::GetClientRect(Form1->Handle(), &client);
    EXPECT_EQ(client.right, 593);
    EXPECT_EQ(client.bottom, 449);
}

TEST_F(MainWindow, AboutTabPanelsCastTheirShadowsFourRightAndFiveDown) {
    Start();
    Form1->PageControl1->SetActivePage(Form1->TabAbout);
    for (auto [content, shadow] : {std::pair{Form1->Panel4, Form1->Panel5}, std::pair{Form1->Panel6, Form1->Panel7}}) {
        EXPECT_EQ(shadow->Left() - content->Left(), 4);
        EXPECT_EQ(shadow->Top() - content->Top(), 5);
        EXPECT_EQ(shadow->Width(), content->Width());
        const WindowPixels pixels(Form1->TabAbout->Handle());
        const RECT box = content->BoundsRect();
        const COLORREF gray = RGB(128, 128, 128);
        EXPECT_EQ(pixels.At(box.right + 1, box.top + 40), gray);      // the strip on the right
        EXPECT_EQ(pixels.At(box.left + 40, box.bottom + 2), gray);    // the strip below
        EXPECT_NE(pixels.At(box.right - 10, box.bottom - 10), gray);  // covered by the content
        EXPECT_NE(pixels.At(box.right + 1, box.top + 2), gray);       // above the shadow's top
    }
}

TEST_F(MainWindow, AboutTabEtchesItsCaptionsFramesTwoLinesAndLinksToBareAddresses) {
    Start();
    Form1->PageControl1->SetActivePage(Form1->TabAbout);
    for (TCoolLabel* label : {Form1->CoolLabel1, Form1->CoolLabel2, Form1->CoolLabel4, Form1->CoolLabel5,
                              Form1->CoolLabel6, Form1->CoolLabel7}) {
        SCOPED_TRACE(label->Name);
        EXPECT_EQ(label->ShadowPos(), spRightBottom);
        EXPECT_EQ(label->ShadowSize(), 1);
        EXPECT_EQ(label->ShadowColor(), clBtnHighlight);
        EXPECT_TRUE(label->Transparent());
        const bool framed = label == Form1->CoolLabel4 || label == Form1->CoolLabel6;
        EXPECT_EQ(label->BevelOuter(), framed ? bvLowered : bvNone);
        EXPECT_EQ(label->BevelsOffset(), framed ? 1 : 0);
    }
    EXPECT_EQ(Form1->CoolLabel6->Alignment(), taCenter);
    EXPECT_EQ(Form1->CoolLabel4->Width(), 212);  // fixed at the design size
    const TCoolLabel& sized = *Form1->CoolLabel5;
    EXPECT_EQ(sized.Width(), TextWidthOnScreen(sized.Font(), sized.Caption()));

    const WindowPixels pixels(Form1->Panel4->Handle());
    const RECT frame = Form1->CoolLabel4->BoundsRect();
    EXPECT_EQ(pixels.At(frame.left + 5, frame.top), ColorToRGB(clBtnShadow));  // the sunken frame's top
    EXPECT_EQ(pixels.At(frame.left, frame.top + 5), ColorToRGB(clBtnShadow));
    EXPECT_TRUE(pixels.Contains(Form1->CoolLabel1->BoundsRect(), ColorToRGB(clBtnHighlight)));  // the etching

    for (auto [link, url] : {std::pair{Form1->AutoURLLabel1, "http://www.example.com/"},
                             std::pair{Form1->AutoURLLabel2, "mailto:velqorns@example.com"},
                             std::pair{Form1->AutoURLLabel3, "http://www.example.org/components/"},
                             std::pair{Form1->AutoURLLabel4, "mailto:components@example.org"}}) {
        EXPECT_EQ(link->URL(), url);
        EXPECT_EQ(static_cast<const TAutoURLLabel*>(link)->Font().Color(), clBlue);
    }
    EXPECT_TRUE(pixels.Contains(Form1->AutoURLLabel1->BoundsRect(), RGB(0, 0, 255)));
    EXPECT_NE(Form1->AutoURLLabel1->Caption(), Form1->AutoURLLabel1->URL());  // name and address
    EXPECT_EQ(Form1->AutoURLLabel3->Caption(), Form1->AutoURLLabel3->URL());
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

std::string ProgramPath() {
    char path[MAX_PATH];
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string tests(path);
    tests.erase(tests.find_last_of("\\/"));  // <build>/tests
    return tests.substr(0, tests.find_last_of("\\/")) + "\\Velqorns.exe";
}

struct Found {
    DWORD process;
    HWND window;
};

HWND MainWindowOf(DWORD process) {
    Found found{process, nullptr};
    ::EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* wanted = reinterpret_cast<Found*>(data);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            char caption[32] = {};
            ::GetWindowTextA(window, caption, sizeof caption);
            if (owner != wanted->process || std::string(caption) != "Velqorns!" || !::IsWindowVisible(window)) return TRUE;
            wanted->window = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found.window;
}

HWND TabControlIn(HWND window) {
    HWND tabs = nullptr;
    ::EnumChildWindows(
        window,
        [](HWND child, LPARAM data) -> BOOL {
            char kind[64] = {};
            ::GetClassNameA(child, kind, sizeof kind);
            if (std::string(kind) != WC_TABCONTROLA) return TRUE;
            *reinterpret_cast<HWND*>(data) = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&tabs));
    return tabs;
}

TEST(VelqornsProgram, ClosingTheMainWindowFromAnyTabEndsWithExitCodeZero) {
    const std::string program = ProgramPath();
    ASSERT_NE(::GetFileAttributesA(program.c_str()), INVALID_FILE_ATTRIBUTES) << program;
    for (int tab = 0; tab < 3; ++tab) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started{};
        std::vector<char> commandLine(program.begin(), program.end());
        commandLine.push_back('\0');
        ASSERT_TRUE(::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                     &startup, &started));
        ::WaitForInputIdle(started.hProcess, INFINITE);  // its message loop is running
        HWND window = MainWindowOf(started.dwProcessId);
        HWND tabs = window ? TabControlIn(window) : nullptr;
        EXPECT_NE(tabs, nullptr) << "tab " << tab;
        for (int step = 0; tabs && step < tab; ++step)  // the arrow keys of a focused tab control
            ::SendMessageA(tabs, WM_KEYDOWN, VK_RIGHT, 1);
        if (tabs) {
            EXPECT_EQ(::SendMessageA(tabs, TCM_GETCURSEL, 0, 0), tab);
        }
        if (window) ::SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);  // the frame's close box
        else ::TerminateProcess(started.hProcess, 99);
        ::WaitForSingleObject(started.hProcess, INFINITE);
        DWORD exitCode = 1;
        ::GetExitCodeProcess(started.hProcess, &exitCode);
        EXPECT_EQ(exitCode, 0u) << "closed from tab " << tab;
        ::CloseHandle(started.hThread);
        ::CloseHandle(started.hProcess);
    }
}

}  // namespace
