// Forms, panels, the page control and the layout builder against real windows: frames
// switched on live windows, embedding, the first OnShow, the close query, tab switching by
// the user and by Ctrl+Tab, alignment, stacking, and layouts that the builder refuses.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/Layout.h"
#include "toolkit/PageControl.h"
#include "toolkit/Panel.h"

namespace {

SIZE ClientSize(HWND window) {
    RECT rect;
    ::GetClientRect(window, &rect);
    return {rect.right, rect.bottom};
}

SIZE WindowSize(HWND window) {
    RECT rect;
    ::GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

// Top-left corner of child in the client coordinates of its parent window.
POINT PlaceInParent(HWND child) {
    RECT rect;
    ::GetWindowRect(child, &rect);
    POINT corner{rect.left, rect.top};
    ::ScreenToClient(::GetParent(child), &corner);
    return corner;
}

// Presses the left mouse button on a tab, as the user does.
void ClickTab(TPageControl& pages, int index) {
    RECT tab{};
    ::SendMessageA(pages.Handle(), TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&tab));
    const LPARAM point = MAKELPARAM((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
    ::SendMessageA(pages.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, point);
    ::SendMessageA(pages.Handle(), WM_LBUTTONUP, 0, point);
}

// Ctrl (and Shift) held in this thread's keyboard state while a Tab key comes through the loop.
void PressCtrlTab(TApplication& application, HWND focus, bool shift) {
    BYTE keys[256];
    ::GetKeyboardState(keys);
    BYTE held[256];
    std::copy(std::begin(keys), std::end(keys), held);
    held[VK_CONTROL] = held[VK_LCONTROL] = 0x80;
    if (shift) held[VK_SHIFT] = held[VK_LSHIFT] = 0x80;
    ::SetKeyboardState(held);
    ::PostMessageA(focus, WM_KEYDOWN, VK_TAB, 1);
    application.ProcessMessages();
    ::SetKeyboardState(keys);
}

bool PostedQuit() {
    MSG message;
    return ::PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) && message.wParam == 0;
}

// A frame with a page control of three pages, the second holding a panel.
const TLayout kPages = {
    {"Pages", "pagecontrol", "", 0, 0, 300, 200, {{"Align", "alClient"}, {"ActivePage", "First"}}},
    {"First", "tabsheet", "Pages", 0, 0, 0, 0, {{"Caption", "First"}}},
    {"Second", "tabsheet", "Pages", 0, 0, 0, 0, {{"Caption", "Second"}}},
    {"Host", "panel", "Second", 0, 0, 100, 100, {{"Align", "alClient"}, {"BorderStyle", "bsSingle"}}},
    {"Third", "tabsheet", "Pages", 0, 0, 0, 0, {{"Caption", "Third"}}},
};

class Forms : public ::testing::Test {
protected:
    void SetUp() override {
        application.Initialize();
        frame = application.Own(std::make_unique<TForm>(&application));
        frame->SetBounds(20, 20, 320, 240);
        frame->SetCaption("Frame");
        application.MainForm = frame;
    }

    TApplication application;
    TForm* frame = nullptr;
};

TEST_F(Forms, BorderStyleNoneTurnsAFramedWindowIntoAPlainRectangle) {
    TForm page(nullptr);
    page.SetBorderStyle(bsDialog);
    page.SetClientSize(200, 100);
    HWND window = page.Handle();
    EXPECT_EQ(ClientSize(window).cx, 200);
    EXPECT_EQ(ClientSize(window).cy, 100);
    EXPECT_TRUE(::GetWindowLongA(window, GWL_STYLE) & WS_CAPTION);
    EXPECT_FALSE(::GetWindowLongA(window, GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX));

    const SIZE outer = WindowSize(window);
    page.SetBorderStyle(bsNone);
    EXPECT_EQ(page.Handle(), window);  // the same window, restyled
    EXPECT_FALSE(::GetWindowLongA(window, GWL_STYLE) & (WS_CAPTION | WS_DLGFRAME | WS_BORDER));
    EXPECT_FALSE(::GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
    EXPECT_EQ(ClientSize(window).cx, outer.cx);
    EXPECT_EQ(ClientSize(window).cy, outer.cy);
}

TEST_F(Forms, AFormParentedToAPanelBecomesAChildWindowInsideIt) {
    TPanel* panel = frame->Own(std::make_unique<TPanel>(frame));
    panel->SetParent(frame);
    panel->SetBounds(10, 10, 150, 120);
    panel->SetProperty("BorderStyle", "bsSingle");
    frame->Show();

    // One page whose window already exists as a framed top-level window, one without a window.
    for (bool early : {true, false}) {
        TForm page(nullptr);
        page.SetBorderStyle(bsDialog);
        if (early) {
            ASSERT_NE(page.Handle(), nullptr);
        }
        page.SetBorderStyle(bsNone);
        page.SetBounds(0, 0, 150, 120);
        page.SetParent(panel);
        page.Show();
        HWND window = page.Handle();
        EXPECT_EQ(::GetParent(window), panel->Handle()) << early;
        const LONG style = ::GetWindowLongA(window, GWL_STYLE);
        EXPECT_TRUE(style & WS_CHILD) << early;
        EXPECT_FALSE(style & (WS_POPUP | WS_CAPTION)) << early;
        EXPECT_TRUE(::IsWindowVisible(window)) << early;
        EXPECT_EQ(PlaceInParent(window).x, 0) << early;
        EXPECT_EQ(PlaceInParent(window).y, 0) << early;
        EXPECT_EQ(WindowSize(window).cx, 150) << early;  // larger than the panel's client area
    }
}

TEST_F(Forms, OnShowFiresOnceWhenTheFormFirstAppearsOnScreen) {
    BuildLayout(*frame, kPages);
    auto* pages = frame->Control<TPageControl>("Pages");
    int visibleShown = 0, hiddenShown = 0;
    TForm inVisibleTab(nullptr), inHiddenTab(nullptr);
    inVisibleTab.OnShow = [&](TObject*) { ++visibleShown; };
    inHiddenTab.OnShow = [&](TObject*) { ++hiddenShown; };
    for (auto [page, host] : {std::pair{&inVisibleTab, static_cast<TWinControl*>(frame->Control<TTabSheet>("First"))},
                              std::pair{&inHiddenTab, static_cast<TWinControl*>(frame->Control<TPanel>("Host"))}}) {
        page->SetBorderStyle(bsNone);
        page->SetBounds(0, 0, 50, 50);
        page->SetParent(host);
        page->Show();
    }
    EXPECT_EQ(visibleShown + hiddenShown, 0);  // the frame is not on screen yet

    frame->Show();
    EXPECT_EQ(visibleShown, 1);
    EXPECT_EQ(hiddenShown, 0);
    pages->SetActivePage(frame->Control<TTabSheet>("Second"));
    EXPECT_EQ(hiddenShown, 1);
    pages->SetActivePage(frame->Control<TTabSheet>("First"));
    pages->SetActivePage(frame->Control<TTabSheet>("Second"));
    frame->Hide();
    frame->Show();
    EXPECT_EQ(visibleShown, 1);
    EXPECT_EQ(hiddenShown, 1);
}

TEST_F(Forms, CloseAsksFirstHidesWhenAllowedAndForTheMainFormEndsTheLoop) {
    bool allow = false;
    int asked = 0;
    frame->OnCloseQuery = [&](TObject*, bool& canClose) {
        ++asked;
        canClose = allow;
    };
    frame->Show();
    ::SendMessageA(frame->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);  // the frame's close box
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(::IsWindowVisible(frame->Handle()));
    EXPECT_FALSE(PostedQuit());

    allow = true;
    ::SendMessageA(frame->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(asked, 2);
    EXPECT_FALSE(::IsWindowVisible(frame->Handle()));
    EXPECT_TRUE(PostedQuit());

    TForm other(nullptr);  // not the main form: closing only hides it
    other.Show();
    other.Close();
    EXPECT_FALSE(::IsWindowVisible(other.Handle()));
    EXPECT_FALSE(PostedQuit());
}

TEST_F(Forms, TheUserChoosingATabShowsItsPageAndRaisesOnChange) {
    BuildLayout(*frame, kPages);
    auto* pages = frame->Control<TPageControl>("Pages");
    int changes = 0;
    pages->OnChange = [&](TObject*) { ++changes; };
    frame->Show();
    auto* first = frame->Control<TTabSheet>("First");
    auto* second = frame->Control<TTabSheet>("Second");

    RECT display;
    ::GetClientRect(pages->Handle(), &display);
    ::SendMessageA(pages->Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    EXPECT_EQ(first->BoundsRect().left, display.left);
    EXPECT_EQ(first->BoundsRect().bottom, display.bottom);
    EXPECT_EQ(frame->Control<TPanel>("Host")->Width(), second->ClientRect().right);  // aligned in its page

    ClickTab(*pages, 1);
    EXPECT_EQ(pages->ActivePage(), second);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(::IsWindowVisible(second->Handle()));
    EXPECT_FALSE(::IsWindowVisible(first->Handle()));

    pages->SetActivePage(first);  // by the program: no OnChange
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(::SendMessageA(pages->Handle(), TCM_GETCURSEL, 0, 0), 0);
    EXPECT_FALSE(::IsWindowVisible(second->Handle()));

    second->SetCaption("Renamed");
    char text[32] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    ::SendMessageA(pages->Handle(), TCM_GETITEMA, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, "Renamed");
}

TEST_F(Forms, CtrlTabAndCtrlShiftTabSwitchPagesRoundAndRound) {
    BuildLayout(*frame, kPages);
    auto* pages = frame->Control<TPageControl>("Pages");
    std::string seen;
    pages->OnChange = [&](TObject*) { seen += pages->ActivePage()->Name + " "; };
    frame->Show();
    HWND inside = frame->Control<TPanel>("Host")->Handle();  // a window inside the second page

    PressCtrlTab(application, pages->Handle(), false);
    PressCtrlTab(application, inside, false);
    PressCtrlTab(application, pages->Handle(), false);
    PressCtrlTab(application, frame->Handle(), true);  // the focus on the frame itself
    PressCtrlTab(application, pages->Handle(), true);
    EXPECT_EQ(seen, "Second Third First Third Second ");

    ::PostMessageA(pages->Handle(), WM_KEYDOWN, VK_TAB, 1);  // Tab alone is not a page switch
    application.ProcessMessages();
    EXPECT_EQ(pages->ActivePage()->Name, "Second");
}

TEST_F(Forms, AlignedPanelsFillTheClientAreaAndWindowedSiblingsStackInTabOrder) {
    const TLayout layout = {
        {"Outer", "panel", "", 10, 10, 200, 150, {{"BorderStyle", "bsSingle"}, {"BevelOuter", "bvNone"}}},
        {"Inner", "panel", "Outer", 0, 0, 10, 10, {{"Align", "alClient"}}},
        {"D", "panel", "", 0, 0, 5, 5, {{"TabOrder", "3"}}},
        {"B", "panel", "", 0, 0, 5, 5, {{"TabOrder", "1"}}},
        {"A", "panel", "", 0, 0, 5, 5, {{"TabOrder", "0"}}},
        {"C", "panel", "", 0, 0, 5, 5, {{"TabOrder", "2"}}},
    };
    BuildLayout(*frame, layout);
    frame->Show();
    auto* outer = frame->Control<TPanel>("Outer");
    auto* inner = frame->Control<TPanel>("Inner");
    EXPECT_EQ(inner->Width(), ClientSize(outer->Handle()).cx);
    EXPECT_EQ(inner->Height(), ClientSize(outer->Handle()).cy);
    EXPECT_LT(inner->Width(), 200);  // inside the sunken edge
    outer->SetBounds(10, 10, 120, 90);
    EXPECT_EQ(inner->Width(), ClientSize(outer->Handle()).cx);
    EXPECT_EQ(inner->Height(), ClientSize(outer->Handle()).cy);

    std::string stacking;  // top first
    for (HWND child = ::GetWindow(frame->Handle(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        stacking += TWinControl::FromHandle(child)->Name;
    EXPECT_EQ(stacking, "OuterABCD");
}

TEST_F(Forms, TheLayoutBuilderMakesNamedControlsAndSizesLabelsOnceLoaded) {
    const TLayout layout = {
        {"Panel1", "panel", "", 5, 6, 100, 50, {{"Color", "clGray"}, {"Caption", "P"}}},
        {"Label1", "label", "Panel1", 3, 4, 65, 17, {{"Caption", "Sized"}, {"Font.Style", "underline"}}},
        {"Label2", "label", "Panel1", 3, 24, 70, 13, {{"AutoSize", "false"}, {"Caption", "Kept at its design size"}}},
    };
    BuildLayout(*frame, layout);
    auto* panel = frame->Control<TPanel>("Panel1");
    auto* sized = frame->Control<TLabel>("Label1");
    auto* kept = frame->Control<TLabel>("Label2");
    EXPECT_EQ(panel->Parent(), frame);
    EXPECT_EQ(panel->Owner, frame);
    EXPECT_EQ(panel->BoundsRect().left, 5);
    EXPECT_EQ(panel->BoundsRect().bottom, 56);
    EXPECT_EQ(panel->Color(), clGray);
    EXPECT_EQ(sized->Parent(), panel);
    EXPECT_FALSE(sized->Loading());
    EXPECT_EQ(sized->Width(), TextWidthOnScreen(static_cast<const TLabel*>(sized)->Font(), "Sized"));
    EXPECT_EQ(kept->Width(), 70);
    EXPECT_EQ(kept->Height(), 13);
    EXPECT_THROW(frame->Control<TPanel>("Label1"), std::invalid_argument);
    EXPECT_THROW(frame->Control<TLabel>("Label9"), std::invalid_argument);
}

TEST_F(Forms, TheLayoutBuilderRefusesWhatItDoesNotKnowAndSaysWhat) {
    const auto refusal = [&](const TLayoutItem& item) -> std::string {
        try {
            BuildLayout(*frame, {item});
        } catch (const std::invalid_argument& error) {
            return error.what();
        }
        return "accepted";
    };
    const auto mentions = [](const std::string& message, const std::string& what) {
        return message.find(what) != std::string::npos;
    };
    EXPECT_TRUE(mentions(refusal({"Gauge1", "gauge", "", 0, 0, 1, 1, {}}), "gauge"));
    EXPECT_TRUE(mentions(refusal({"Panel8", "panel", "", 0, 0, 1, 1, {{"Glow", "true"}}}), "Glow"));
    EXPECT_TRUE(mentions(refusal({"Panel9", "panel", "", 0, 0, 1, 1, {{"BevelOuter", "bvWavy"}}}), "bvWavy"));
    EXPECT_TRUE(mentions(refusal({"Label5", "label", "", 0, 0, 1, 1, {{"AutoSize", "maybe"}}}), "AutoSize"));
    EXPECT_TRUE(mentions(refusal({"Label6", "label", "", 0, 0, 1, 1, {{"Color", "clMauve"}}}), "Color"));
    EXPECT_TRUE(mentions(refusal({"Label7", "label", "Nowhere", 0, 0, 1, 1, {}}), "Nowhere"));
    EXPECT_TRUE(mentions(refusal({"Panel8", "panel", "", 0, 0, 1, 1, {}}), "Panel8"));  // made above, then refused
    EXPECT_TRUE(mentions(refusal({"Sheet1", "tabsheet", "", 0, 0, 1, 1, {}}), "page control"));
}

}  // namespace
