// The controls against real windows: windowless children painted by their parent and given
// the mouse, errors in handlers caught; list box filling, selection, whole lines, releases
// and its popup menu; check boxes set by code or by the user; a disabled group box; the
// button, the static text and the image.
#include <atomic>
#include <stdexcept>
#include <thread>

#include "support/TestWindows.h"
#include "support/WindowPixels.h"
#include "toolkit/BitBtn.h"
#include "toolkit/CheckBox.h"
#include "toolkit/GroupBox.h"
#include "toolkit/Image.h"
#include "toolkit/ListBox.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/StaticText.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kNavy = RGB(0, 0, 0x80);

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        application.Initialize();
        form.ShowInFront(40, 40, 600, 400);
    }
    void Until(const std::function<bool()>& done) { PumpUntil(application, done); }
    void ClickAt(TWinControl& control, POINT point, bool right = false) { Click(control.Handle(), point, right); }
    // A list box in the form with five lines, the given one selected, reporting its releases.
    void FillList(TListBox& list, int selected, std::string& seen) {
        list.SetBounds(8, 30, 273, 186);
        list.SetParent(&form);
        list.SetItems(std::vector<std::string>{"one", "two", "three", "four", "five"});
        list.SetItemIndex(selected);
        list.OnMouseUp = [&](TObject*, TMouseButton button, TShiftState, int, int) {
            seen += "mouse " + std::to_string(button) + " at " + std::to_string(list.ItemIndex()) + ";";
        };
    }

    TApplication application;
    TopLevel form{nullptr, true};
};

// A 50-pixel square that paints itself in one colour, so that a test can find it on the
// parent's surface.
class Swatch : public TGraphicControl {
public:
    Swatch(TWinControl& parent, int left, int top, COLORREF colour) : TGraphicControl(nullptr), colour(colour) {
        SetBounds(left, top, 50, 50);
        SetParent(&parent);
    }
    COLORREF colour;
    void Paint(HDC dc) override { TCanvas(dc).FillRect({0, 0, Width(), Height()}, colour); }
};

TEST_F(ControlsTest, WindowlessChildrenArePaintedInStackingOrderAndGetTheMouse) {
    Swatch below(form, 10, 10, kRed), above(form, 40, 40, kBlue);
    EXPECT_EQ(PixelAt(form.Handle(), 20, 20), kRed);
    EXPECT_EQ(PixelAt(form.Handle(), 45, 45), kBlue);  // the later one lies on top
    below.BringToFront();
    EXPECT_EQ(PixelAt(form.Handle(), 45, 45), kRed);

    std::string seen;
    below.OnMouseDown = [&](TObject*, TMouseButton button, TShiftState, int x, int y) {
        seen += "down " + std::to_string(button) + " " + std::to_string(x) + "," + std::to_string(y) + ";";
    };
    below.OnClick = [&](TObject*) { seen += "click;"; };
    ::SendMessageA(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(15, 25));
    ::SendMessageA(form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(15, 25));
    ::SendMessageA(form.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(200, 150));  // over nothing
    EXPECT_EQ(seen, "down 0 5,15;click;");
}

TEST_F(ControlsTest, AnErrorRaisedInAHandlerIsShownAndTheProgramGoesOn) {
    std::string shown;
    const TExceptionHandler saved = ExceptionHandler();
    ExceptionHandler() = [&](const std::string& message) { shown = message; };
    form.OnMouseUp = [](TObject*, TMouseButton, TShiftState, int, int) { throw std::out_of_range("List index out of bounds (3)"); };
    ::SendMessageA(form.Handle(), WM_LBUTTONUP, 0, 0);
    ExceptionHandler() = saved;
    EXPECT_EQ(shown, "List index out of bounds (3)");
}

POINT ItemCentre(TListBox& list, int index) {
    RECT rect{};
    ::SendMessageA(list.Handle(), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

TEST_F(ControlsTest, ListBoxKeepsItsLinesInListOrderWithOneSelectionOrNone) {
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
    EXPECT_EQ(::SendMessageA(list.Handle(), LB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(list.Strings(3), "a");
    EXPECT_EQ(list.ItemIndex(), -1);  // a refill leaves no selection
    list.SetItemIndex(4);             // no such line
    EXPECT_EQ(list.ItemIndex(), -1);
    EXPECT_THROW(list.Strings(4), EStringListError);
    list.Clear();
    list.SetItemIndex(0);  // an empty list stays without selection
    EXPECT_EQ(::SendMessageA(list.Handle(), LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(::SendMessageA(list.Handle(), LB_GETCURSEL, 0, 0), LB_ERR);
}

TEST_F(ControlsTest, ListBoxShowsWholeLinesOfItsItemHeight) {
    TListBox list(nullptr);
    list.SetParent(&form);
    list.SetBounds(8, 30, 273, 186);  // 182 inside the 2-pixel edge: 14 lines
    EXPECT_EQ(::SendMessageA(list.Handle(), LB_GETITEMHEIGHT, 0, 0), 13);
    EXPECT_EQ(ClientSize(list.Handle()).cy, 182);
    list.SetBounds(8, 30, 273, 200);  // 196: 15 lines and 1 pixel over
    EXPECT_EQ(ClientSize(list.Handle()).cy, 195);
    list.Font().SetHeight(-20);  // a new font keeps the line height
    EXPECT_EQ(::SendMessageA(list.Handle(), LB_GETITEMHEIGHT, 0, 0), 13);
    EXPECT_EQ(ClientSize(list.Handle()).cy, 195);
    list.SetItemHeight(16);
    EXPECT_EQ(ClientSize(list.Handle()).cy, 192);
    list.SetIntegralHeight(false);
    EXPECT_EQ(ClientSize(list.Handle()).cy, 196);
}

TEST_F(ControlsTest, ListBoxReleasesOfAnyButtonOrKeySeeTheSelectionTheyMade) {
    TListBox list(nullptr);
    std::string seen;
    FillList(list, 0, seen);
    list.OnKeyUp = [&](TObject*, WORD& key, TShiftState) {
        seen += "key " + std::to_string(key) + " at " + std::to_string(list.ItemIndex()) + ";";
    };
    ClickAt(list, ItemCentre(list, 2));
    Until([&] { return !seen.empty(); });
    list.SetFocus();
    PostKey(list.Handle(), VK_DOWN);
    PostKey(list.Handle(), VK_SHIFT);  // a key that moves nothing is reported all the same
    Until([&] { return seen.find("key 16") != std::string::npos; });
    EXPECT_EQ(seen, "mouse 0 at 2;key 40 at 3;key 16 at 3;");  // VK_DOWN, VK_SHIFT
}

// A visible popup menu of this process, or nullptr.
HWND OpenMenu() {
    HWND menu = nullptr;
    while ((menu = ::FindWindowExA(nullptr, menu, "#32768", nullptr))) {
        DWORD process = 0;
        ::GetWindowThreadProcessId(menu, &process);
        if (process == ::GetCurrentProcessId() && ::IsWindowVisible(menu)) return menu;
    }
    return nullptr;
}

// From a background thread: waits for the popup menu, then presses the given keys in it.
class MenuAnswerer {
public:
    explicit MenuAnswerer(std::vector<WORD> keys)
        : thread_([this, keys] {
              HWND menu = nullptr;
              for (int i = 0; i < 2000 && !(menu = OpenMenu()); ++i) ::Sleep(5);
              for (WORD key : keys) PostKey(menu, key);
              opened_ = menu != nullptr;
          }) {}
    ~MenuAnswerer() { Finish(); }
    bool Finish() {
        if (thread_.joinable()) thread_.join();
        return opened_;
    }

private:
    std::atomic<bool> opened_{false};
    std::thread thread_;
};

TEST_F(ControlsTest, ListBoxRightClickKeepsTheSelectionAndOpensTheMenuAfterTheMouseUpHandler) {
    TListBox list(nullptr);
    std::string seen;
    FillList(list, 1, seen);
    TPopupMenu menu(nullptr);
    list.PopupMenu = &menu;
    menu.Add("Terminate Process")->OnClick = [&](TObject*) { seen += "menu at " + std::to_string(list.ItemIndex()) + ";"; };
    menu.Add("Refresh");
    MenuAnswerer answer({VK_DOWN, VK_RETURN});  // the first item
    ClickAt(list, ItemCentre(list, 3), /*right=*/true);
    Until([&] { return seen.find("menu") != std::string::npos; });
    EXPECT_TRUE(answer.Finish());
    EXPECT_EQ(seen, "mouse 1 at 1;menu at 1;");
    EXPECT_EQ(list.ItemIndex(), 1);
}

TEST_F(ControlsTest, CheckBoxAndButtonRaiseOnClickOnceForTheUsersClickOnlyNotForCode) {
    TCheckBox box(nullptr);
    box.SetBounds(10, 10, 150, 17);
    box.SetCaption("WS_OVERLAPPED");
    box.SetChecked(true);  // before the window exists
    int clicks = 0;
    bool checkedInHandler = false;
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

    ClickAt(box, {6, 8});
    Until([&] { return clicks > 0; });
    EXPECT_FALSE(box.Checked());
    EXPECT_FALSE(checkedInHandler);  // the handler sees the new state
    box.SetFocus();
    PostKey(box.Handle(), VK_SPACE);
    Until([&] { return clicks > 1; });
    EXPECT_EQ(clicks, 2);
    EXPECT_TRUE(box.Checked());

    TBitBtn refresh(nullptr);
    refresh.SetBounds(476, 14, 67, 25);
    refresh.OnClick = [&](TObject*) { clicks += 10; };
    refresh.SetParent(&form);
    ClickAt(refresh, {30, 12});
    Until([&] { return clicks > 2; });
    Settle(application);
    EXPECT_EQ(clicks, 12);
}

TEST_F(ControlsTest, StaticTextIsOneLineAsWideAsItsText) {
    TStaticText text(nullptr);
    text.SetBounds(136, 6, 20, 17);
    text.SetCaption("[ right mouse-button for menu ]");
    text.SetParent(&form);
    EXPECT_EQ(text.Width(), TextWidthOnScreen(text.Font(), text.Caption()));
    EXPECT_EQ(ClientSize(text.Handle()).cx, text.Width());
    EXPECT_EQ(ClientSize(text.Handle()).cy, 17);
    ASSERT_TRUE(text.SetProperty("AutoSize", "false"));
    text.SetWidth(40);
    text.SetCaption("a longer line than forty pixels");
    EXPECT_EQ(text.Width(), 40);
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
    EXPECT_TRUE(::IsWindowEnabled(ticked.Handle()));  // drawn as an enabled box
    EXPECT_GT(WindowPixels(ticked.Handle()).Count(kNavy), 10);  // navy text, not greyed
    EXPECT_GT(WindowPixels(unticked.Handle()).Count(kNavy), 10);

    ClickAt(ticked, {6, 8});
    ClickAt(unticked, {6, 8});
    ClickAt(outside, {6, 8});  // input keeps its order: once this one is seen, so were the others
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

TEST_F(ControlsTest, ImageShowsABorrowedIconCentredAndCanSizeItselfToIt) {
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE), white = RGB(255, 255, 255);
    const std::vector<BYTE> opaque(128, 0x00), ones(128, 0xFF);  // 32 x 32, one bit a pixel
    HICON icon = ::CreateIcon(::GetModuleHandleA(nullptr), 32, 32, 1, 1, opaque.data(), ones.data());
    ASSERT_NE(icon, nullptr);
    {
        TImage centred(nullptr), fitted(nullptr);
        centred.SetBounds(100, 100, 48, 48);
        centred.SetCenter(true);
        centred.SetParent(&form);
        EXPECT_EQ(PixelAt(form.Handle(), 124, 124), face);  // empty
        centred.SetIcon(icon);
        EXPECT_EQ(PixelAt(form.Handle(), 107, 107), face);
        EXPECT_EQ(PixelAt(form.Handle(), 108, 108), white);
        EXPECT_EQ(PixelAt(form.Handle(), 139, 139), white);
        EXPECT_EQ(PixelAt(form.Handle(), 140, 140), face);
        EXPECT_EQ(centred.Width(), 48);  // without AutoSize the box keeps its size

        fitted.SetBounds(200, 100, 45, 41);
        fitted.SetProperty("AutoSize", "true");
        fitted.SetParent(&form);
        fitted.SetIcon(icon);
        EXPECT_EQ(fitted.Width(), 32);
        EXPECT_EQ(fitted.Height(), 32);
        fitted.Clear();
        EXPECT_EQ(fitted.Width(), 32);  // an empty picture leaves the size
        EXPECT_EQ(PixelAt(form.Handle(), 210, 110), face);
    }
    ICONINFO info{};
    EXPECT_TRUE(::GetIconInfo(icon, &info)) << "the image destroyed an icon it does not own";
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    ::DestroyIcon(icon);
}

}  // namespace
