// Forms, panels, the page control and the layout builder against real windows: embedding a
// form in a panel, the first OnShow, tab switching by Ctrl+Tab, alignment, stacking, and
// layouts that the builder refuses. Closing and choosing tabs by the mouse are tested on
// the main window.
#include "support/TestWindows.h"

#include <stdexcept>

#include "toolkit/Form.h"
#include "toolkit/Layout.h"
#include "toolkit/PageControl.h"
#include "toolkit/Panel.h"

namespace {

// Ctrl (and Shift) held in this thread's keyboard state while a Tab key comes through the loop.
void PressCtrlTab(TApplication& application, HWND focus, bool shift) {
    BYTE keys[256], held[256];
    ::GetKeyboardState(keys);
    std::copy(std::begin(keys), std::end(keys), held);
    held[VK_CONTROL] = held[VK_LCONTROL] = 0x80;
    if (shift) held[VK_SHIFT] = held[VK_LSHIFT] = 0x80;
    ::SetKeyboardState(held);
    ::PostMessageA(focus, WM_KEYDOWN, VK_TAB, 1);
    application.ProcessMessages();
    ::SetKeyboardState(keys);
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
        application.MainForm = frame;
    }
    TPageControl* BuildPages() {
        BuildLayout(*frame, kPages);
        return frame->Control<TPageControl>("Pages");
    }

    TApplication application;
    TForm* frame = nullptr;
};

TEST_F(Forms, AFramedFormParentedToAPanelBecomesABorderlessChildWindowInsideIt) {
    TPanel* panel = frame->Own(std::make_unique<TPanel>(frame));
    panel->SetParent(frame);
    panel->SetBounds(10, 10, 150, 120);
    panel->SetProperty("BorderStyle", "bsSingle");
    frame->Show();
    TForm page(nullptr);
    page.SetBorderStyle(bsDialog);
    page.SetClientSize(200, 100);
    HWND window = page.Handle();  // made now, as a framed top-level window
    EXPECT_TRUE(::GetWindowLongA(window, GWL_STYLE) & WS_CAPTION);
    EXPECT_EQ(ClientSize(window).cx, 200);

    page.SetBorderStyle(bsNone);
    page.SetBounds(0, 0, 150, 120);
    page.SetParent(panel);
    page.Show();
    EXPECT_EQ(page.Handle(), window);  // the same window, restyled
    EXPECT_EQ(::GetParent(window), panel->Handle());
    EXPECT_EQ(::GetWindowLongA(window, GWL_STYLE) & (WS_CHILD | WS_POPUP | WS_CAPTION | WS_DLGFRAME | WS_BORDER), WS_CHILD);
    EXPECT_FALSE(::GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
    const RECT place = PlaceInParent(window);  // larger than the panel's client area
    EXPECT_TRUE(place.left == 0 && place.top == 0 && place.right == 150 && place.bottom == 120)
        << place.left << "," << place.top << " - " << place.right << "," << place.bottom;
}

TEST_F(Forms, OnShowFiresOnceWhenTheFormFirstAppearsOnScreen) {
    TPageControl* pages = BuildPages();
    int visibleShown = 0, hiddenShown = 0;
    TForm inVisibleTab(nullptr), inHiddenTab(nullptr);
    inVisibleTab.OnShow = [&](TObject*) { ++visibleShown; };
    inHiddenTab.OnShow = [&](TObject*) { ++hiddenShown; };
    for (auto [page, host] : {std::pair{&inVisibleTab, static_cast<TWinControl*>(frame->Control<TTabSheet>("First"))},
                              std::pair{&inHiddenTab, static_cast<TWinControl*>(frame->Control<TPanel>("Host"))}}) {
        page->SetBorderStyle(bsNone);
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

TEST_F(Forms, CtrlTabAndCtrlShiftTabSwitchPagesRoundAndRound) {
    TPageControl* pages = BuildPages();
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
    pages->SetActivePage(frame->Control<TTabSheet>("First"));  // by the program: no OnChange
    EXPECT_EQ(seen, "Second Third First Third Second ");
}

TEST_F(Forms, TheLayoutBuilderStacksWindowedSiblingsInTabOrderAndAlignsToTheClientArea) {
    BuildLayout(*frame, {
        {"Outer", "panel", "", 10, 10, 200, 150, {{"BorderStyle", "bsSingle"}, {"BevelOuter", "bvNone"}}},
        {"Inner", "panel", "Outer", 0, 0, 10, 10, {{"Align", "alClient"}}},
        {"D", "panel", "", 0, 0, 5, 5, {{"TabOrder", "3"}}},
        {"B", "panel", "", 0, 0, 5, 5, {{"TabOrder", "1"}}},
        {"A", "panel", "", 0, 0, 5, 5, {{"TabOrder", "0"}}},
        {"C", "panel", "", 0, 0, 5, 5, {{"TabOrder", "2"}}},
    });
    frame->Show();
    std::string stacking;  // top first
    for (HWND child = ::GetWindow(frame->Handle(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        stacking += TWinControl::FromHandle(child)->Name;
    EXPECT_EQ(stacking, "OuterABCD");
    auto* outer = frame->Control<TPanel>("Outer");
    outer->SetBounds(10, 10, 120, 90);  // the aligned panel follows, inside the sunken edge
    EXPECT_EQ(frame->Control<TPanel>("Inner")->Width(), ClientSize(outer->Handle()).cx);
    EXPECT_EQ(frame->Control<TPanel>("Inner")->Height(), ClientSize(outer->Handle()).cy);
    EXPECT_LT(ClientSize(outer->Handle()).cx, 120);
}

TEST_F(Forms, TheLayoutBuilderRefusesWhatItDoesNotKnowAndSaysWhat) {
    const std::pair<TLayoutItem, std::string> refused[] = {
        {{"Gauge1", "gauge", "", 0, 0, 1, 1, {}}, "gauge"},
        {{"Panel8", "panel", "", 0, 0, 1, 1, {{"Glow", "true"}}}, "Glow"},
        {{"Panel9", "panel", "", 0, 0, 1, 1, {{"BevelOuter", "bvWavy"}}}, "bvWavy"},
        {{"Label5", "label", "", 0, 0, 1, 1, {{"AutoSize", "maybe"}}}, "AutoSize"},
        {{"Label6", "label", "", 0, 0, 1, 1, {{"Color", "clMauve"}}}, "Color"},
        {{"Label7", "label", "Nowhere", 0, 0, 1, 1, {}}, "Nowhere"},
        {{"Panel8", "panel", "", 0, 0, 1, 1, {}}, "Panel8"},  // made above, then refused
        {{"Sheet1", "tabsheet", "", 0, 0, 1, 1, {}}, "page control"},
    };
    for (const auto& [item, what] : refused) {
        try {
            BuildLayout(*frame, {item});
            ADD_FAILURE() << item.Name << " accepted";
        } catch (const std::invalid_argument& error) {
            EXPECT_NE(std::string(error.what()).find(what), std::string::npos) << error.what();
        }
    }
}

}  // namespace
