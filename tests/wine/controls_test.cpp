// The controls the pages rely on, against real windows: list box filling and selection, its
// popup menu after the release handler; errors in handlers, timer ticks and layouts shown;
// check boxes set by code or by the user; a disabled group box.
#include <stdexcept>

#include "support/DialogAnswerer.h"
#include "support/TestWindows.h"
#include "support/WindowPixels.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Form.h"
#include "toolkit/GroupBox.h"
#include "toolkit/Layout.h"
#include "toolkit/PopupMenu.h"

namespace {

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        application.Initialize();
        form.SetBounds(40, 40, 600, 400), form.Show(), ::SetForegroundWindow(form.Handle());
    }

    TApplication application;
    TForm form{nullptr};
};

// An error in a control's handler or a timer's tick is stopped and shown, and the program goes
// on; an error in a layout is shown as the program's start-up shows it, never ignored.
TEST_F(ControlsTest, ErrorsOfHandlersTimerTicksAndLayoutsAreShown) {
    std::string shown;
    const TExceptionHandler saved = ExceptionHandler();
    ExceptionHandler() = [&](const std::string& message) { shown = message; };
    TListBox list(nullptr);
    list.SetParent(&form);
    list.OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { list.Strings(4); };
    TTimer timer(nullptr);
    const auto build = [](TProperties properties) {
        return [properties] {
            try {
                TForm page(nullptr);
                BuildLayout(page, {{"Bevel1", "bevel", "", 0, 0, 9, 9, properties, {}}});
            } catch (...) {
                HandleException();
            }
        };
    };
    const struct {
        std::function<void()> cause;
        std::string shown;
    } cases[] = {
        {[&] { ::SendMessageA(list.Handle(), WM_LBUTTONUP, 0, 0); }, "List index out of bounds (4)"},
        {[&] {
             timer.OnTimer = [&](TObject*) { throw std::runtime_error("tick failed"); };
             timer.SetInterval(10);  // it runs once it has a period and a handler
             PumpUntil(application, [&] { return !shown.empty(); });
             timer.SetEnabled(false);
         },
         "tick failed"},
        {build({{"Shape", "bsOval"}}), "Control \"Bevel1\": property Shape = \"bsOval\": Shape has no value \"bsOval\""},
        // A number is all of its text.
        {build({{"Font.Height", "13px"}}), "Control \"Bevel1\": property Font.Height = \"13px\": \"13px\" is not a number"},
        {build({{"Color", "0x80000008z"}}),
         "Control \"Bevel1\": property Color = \"0x80000008z\": \"0x80000008z\" is not a number"},
    };
    for (const auto& c : cases) {
        shown.clear();
        c.cause();
        EXPECT_EQ(shown, c.shown);
    }
    ExceptionHandler() = saved;
}

// A list box keeps its lines in list order with one selection or none; a right click keeps the
// selection and opens the menu after the mouse-up handler.
TEST_F(ControlsTest, ListBoxKeepsListOrderAndOneSelectionOrNoneAndRightClickOpensTheMenuAfterMouseUp) {
    TListBox list(nullptr);
    list.SetItems(std::vector<std::string>{"zeta", "alpha", "mid"});  // before the window exists
    list.SetItemIndex(1), list.SetBounds(8, 30, 273, 186), list.SetParent(&form);
    EXPECT_EQ(std::pair(list.ItemIndex(), ShownLine(list, 0)), std::pair(1, std::string("zeta")));  // not sorted
    list.SetItemIndex(3);        // no such line
    EXPECT_EQ(::SendMessageA(list.Handle(), LB_GETCURSEL, 0, 0), LB_ERR);
    list.SetItemIndex(1);
    list.SetItems(std::vector<std::string>{"one", "two", "three", "four", "five"});
    // A refill leaves no selection; drawing is held during a refill, not the window.
    EXPECT_TRUE(list.ItemIndex() == -1 && ::IsWindowVisible(list.Handle()));
    list.SetItemIndex(1);
    std::string seen;
    list.OnMouseUp = [&](TObject*, TMouseButton button, TShiftState, int, int) {
        seen += "mouse " + std::to_string(button) + " at " + std::to_string(list.ItemIndex()) + ";";
    };
    TPopupMenu menu(nullptr);
    list.PopupMenu = &menu;
    menu.Add("Terminate Process")->OnClick = [&](TObject*) { seen += "menu at " + std::to_string(list.ItemIndex()) + ";"; };
    menu.Add("Refresh");
    DialogAnswerer answer("");  // the popup menu
    ClickLine(application, list, 3, /*right=*/true);
    PumpUntil(application, [&] { return seen.find("menu") != std::string::npos; });
    EXPECT_TRUE(answer.Finish()) << answer.Failure();
    EXPECT_EQ(seen, "mouse 1 at 1;menu at 1;");
}

// A check box raises OnClick for the user's click, with the new state, not when code sets it; in
// a disabled group box the boxes keep their look but take no input.
TEST_F(ControlsTest, CheckBoxesRaiseOnClickForTheUserOnlyAndADisabledGroupTakesNoInputButLooksTheSame) {
    TGroupBox group(nullptr);
    group.SetBounds(288, 8, 281, 209), group.SetParent(&form);
    TCheckBox outside(nullptr), ticked(nullptr), unticked(nullptr);
    ticked.SetChecked(true);  // before the window exists
    int clicks = 0;
    std::string outsideClicks;  // the state each OnClick of outside saw
    outside.OnClick = [&](TObject*) { outsideClicks += outside.Checked() ? "on;" : "off;"; };
    outside.SetBounds(8, 8, 121, 17), outside.SetParent(&form);
    outside.SetChecked(true), outside.SetChecked(false);
    for (TCheckBox* box : {&ticked, &unticked}) {
        box->OnClick = [&](TObject*) { ++clicks; };
        box->Font().SetColor(clNavy), box->SetParent(&group), box->SetBounds(8, box == &ticked ? 16 : 32, 121, 17);
        box->SetCaption("WS_POPUP");
    }
    EXPECT_EQ(::SendMessageA(ticked.Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    auto focusInGroup = [&] { return ::IsChild(group.Handle(), ::GetFocus()) != FALSE; };
    // Another test program may take the foreground, and the focus with it, at any time.
    for (int attempt = 0; attempt < 10 && !focusInGroup(); ++attempt) {
        ::SetForegroundWindow(form.Handle());
        ticked.SetFocus();
    }
    ASSERT_TRUE(focusInGroup());
    group.SetEnabled(false);  // while a box in it has the focus
    EXPECT_FALSE(focusInGroup());
    for (TCheckBox* box : {&ticked, &unticked})  // navy text, not greyed
        EXPECT_GT(WindowPixels(box->Handle()).Bounds(RGB(0, 0, 0x80)).right, 0);

    // Input keeps its order: once the click on outside is seen, so were the others.
    for (TCheckBox* box : {&ticked, &unticked, &outside}) Click(box->Handle(), {6, 8});
    PumpUntil(application, [&] { return !outsideClicks.empty(); });
    Settle(application);
    EXPECT_EQ(outsideClicks, "on;");
    for (int i = 0; i < 3; ++i) {
        PostKey(::GetFocus(), VK_TAB), PostKey(::GetFocus(), VK_SPACE), Settle(application);
        EXPECT_FALSE(focusInGroup());
    }
    EXPECT_EQ(std::tuple(clicks, ticked.Checked(), unticked.Checked()), std::tuple(0, true, false));
}

}  // namespace
