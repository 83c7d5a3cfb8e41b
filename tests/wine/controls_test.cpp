// The controls the pages rely on, against real windows: list box filling and selection, an
// error in its handler, its popup menu after the release handler; check boxes set by code or
// by the user; a disabled group box.
#include <atomic>
#include <thread>

#include "support/MenuAnswerer.h"
#include "support/TestWindows.h"
#include "support/WindowPixels.h"
#include "toolkit/CheckBox.h"
#include "toolkit/GroupBox.h"
#include "toolkit/ListBox.h"
#include "toolkit/PopupMenu.h"

namespace {

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        application.Initialize();
        form.ShowInFront(40, 40, 600, 400);
    }
    void Until(const std::function<bool()>& done) { PumpUntil(application, done); }

    TApplication application;
    TopLevel form{nullptr, true};
};

TEST_F(ControlsTest, ListBoxKeepsItsLinesInListOrderWithOneSelectionOrNoneAndAnErrorInItsHandlerIsShown) {
    TListBox list(nullptr);
    list.SetItems(std::vector<std::string>{"zeta", "alpha", "mid"});  // before the window exists
    list.SetItemIndex(1);
    list.SetParent(&form);
    EXPECT_EQ(::SendMessageA(list.Handle(), LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(list.ItemIndex(), 1);
    char text[16] = "";
    ::SendMessageA(list.Handle(), LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "zeta");  // not sorted

    TStringList names;
    for (const char* name : {"b", "a", "c", "a"}) names.AddObject(name, nullptr);
    list.SetItems(names);
    EXPECT_EQ(list.Strings(3), "a");
    EXPECT_EQ(list.ItemIndex(), -1);  // a refill leaves no selection
    list.SetItemIndex(4);             // no such line
    EXPECT_EQ(list.ItemIndex(), -1);
    // A handler that reads past the end is stopped, its error shown, and the program goes on.
    std::string shown;
    const TExceptionHandler saved = ExceptionHandler();
    ExceptionHandler() = [&](const std::string& message) { shown = message; };
    list.OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { list.Strings(4); };
    ::SendMessageA(list.Handle(), WM_LBUTTONUP, 0, 0);
    ExceptionHandler() = saved;
    EXPECT_EQ(shown, "List index out of bounds (4)");
    list.Clear();
    list.SetItemIndex(0);  // an empty list stays without selection
    EXPECT_EQ(::SendMessageA(list.Handle(), LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(::SendMessageA(list.Handle(), LB_GETCURSEL, 0, 0), LB_ERR);
}

TEST_F(ControlsTest, ListBoxRightClickKeepsTheSelectionAndOpensTheMenuAfterTheMouseUpHandler) {
    TListBox list(nullptr);
    list.SetBounds(8, 30, 273, 186);
    list.SetParent(&form);
    list.SetItems(std::vector<std::string>{"one", "two", "three", "four", "five"});
    list.SetItemIndex(1);
    std::string seen;
    list.OnMouseUp = [&](TObject*, TMouseButton button, TShiftState, int, int) {
        seen += "mouse " + std::to_string(button) + " at " + std::to_string(list.ItemIndex()) + ";";
    };
    TPopupMenu menu(nullptr);
    list.PopupMenu = &menu;
    menu.Add("Terminate Process")->OnClick = [&](TObject*) { seen += "menu at " + std::to_string(list.ItemIndex()) + ";"; };
    menu.Add("Refresh");
    MenuAnswerer answer;
    RECT line{};
    ::SendMessageA(list.Handle(), LB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&line));
    Click(list.Handle(), {(line.left + line.right) / 2, (line.top + line.bottom) / 2}, /*right=*/true);
    Until([&] { return seen.find("menu") != std::string::npos; });
    EXPECT_TRUE(answer.Finish());
    EXPECT_EQ(seen, "mouse 1 at 1;menu at 1;");
}

TEST_F(ControlsTest, CheckBoxRaisesOnClickForTheUsersClickWithTheNewStateButNotForCode) {
    TCheckBox box(nullptr);
    box.SetBounds(10, 10, 150, 17);
    box.SetChecked(true);  // before the window exists
    int clicks = 0;
    bool checkedInHandler = true;
    box.OnClick = [&](TObject*) {
        ++clicks;
        checkedInHandler = box.Checked();
    };
    box.SetParent(&form);
    EXPECT_EQ(::SendMessageA(box.Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    box.SetChecked(false);
    box.SetChecked(true);
    Settle(application);
    EXPECT_EQ(clicks, 0);
    Click(box.Handle(), {6, 8});
    Until([&] { return clicks > 0; });
    Settle(application);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(box.Checked());
    EXPECT_FALSE(checkedInHandler);
}

TEST_F(ControlsTest, DisabledGroupBoxShowsItsBoxesAsTheyAreButTheyTakeNoInput) {
    TGroupBox group(nullptr);
    group.SetBounds(288, 8, 281, 209);
    group.SetParent(&form);
    TCheckBox outside(nullptr), ticked(nullptr), unticked(nullptr);
    outside.SetBounds(8, 8, 121, 17);
    outside.SetParent(&form);
    int clicks = 0, outsideClicks = 0;
    outside.OnClick = [&](TObject*) { ++outsideClicks; };
    for (TCheckBox* box : {&ticked, &unticked}) {
        box->Font().SetColor(clNavy);
        box->OnClick = [&](TObject*) { ++clicks; };
        box->SetParent(&group);
        box->SetBounds(8, box == &ticked ? 16 : 32, 121, 17);
        box->SetCaption("WS_POPUP");
    }
    ticked.SetChecked(true);
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
        EXPECT_GT(WindowPixels(box->Handle()).Count(RGB(0, 0, 0x80)), 10);

    Click(ticked.Handle(), {6, 8});
    Click(unticked.Handle(), {6, 8});
    Click(outside.Handle(), {6, 8});  // input keeps its order: once this one is seen, so were the others
    Until([&] { return outsideClicks > 0; });
    for (int i = 0; i < 3; ++i) {
        PostKey(::GetFocus(), VK_TAB);
        PostKey(::GetFocus(), VK_SPACE);
        Settle(application);
        EXPECT_FALSE(focusInGroup());
    }
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(ticked.Checked());
    EXPECT_FALSE(unticked.Checked());
}

}  // namespace
