// The standard controls against real windows: list box filling, selection and whole lines,
// mouse and key releases and its popup menu; check boxes set by code or by the user; a
// disabled group box; the image and the bevel as their parent paints them.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "toolkit/Application.h"
#include "toolkit/Bevel.h"
#include "toolkit/BitBtn.h"
#include "toolkit/CheckBox.h"
#include "toolkit/GroupBox.h"
#include "toolkit/Image.h"
#include "toolkit/ListBox.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/StaticText.h"

namespace {

class TopLevel : public TWinControl {
public:
    using TWinControl::TWinControl;

protected:
    void CreateParams(TCreateParams& params) override {
        TWinControl::CreateParams(params);
        params.Style = (params.Style & ~WS_CHILD) | WS_OVERLAPPEDWINDOW;
        params.ExStyle |= WS_EX_TOPMOST;  // real mouse input must land on it, not on another test's window
    }
};

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        application.Initialize();
        form.SetBounds(40, 40, 600, 400);
        ASSERT_NE(form.Handle(), nullptr);
        ::ShowWindow(form.Handle(), SW_SHOW);
        ::SetForegroundWindow(form.Handle());
        ::UpdateWindow(form.Handle());
    }

    // Handles messages until done() holds (or a generous time-out, so a fault cannot hang).
    void PumpUntil(const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!done() && std::chrono::steady_clock::now() < deadline) {
            application.ProcessMessages();
            ::Sleep(1);
        }
    }
    // Handles every message posted so far: they keep their order, so a marker posted now
    // comes after them.
    void Settle() {
        bool reached = false;
        application.MessageFilters.push_back([&](MSG& message) {
            if (message.hwnd || message.message != WM_APP) return false;
            reached = true;
            return true;
        });
        ::PostThreadMessageA(::GetCurrentThreadId(), WM_APP, 0, 0);
        PumpUntil([&] { return reached; });
        application.MessageFilters.pop_back();
    }

    // A real click through the system's input queue at a point of control's client area.
    // Each event carries its position: another program may move the pointer in between.
    void Click(TWinControl& control, POINT point, bool right = false) {
        ::SetWindowPos(form.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        ::ClientToScreen(control.Handle(), &point);
        const LONG width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
        INPUT input[2]{};
        for (INPUT& event : input) {
            event.type = INPUT_MOUSE;
            event.mi.dx = (point.x * 65536 + width - 1) / width;
            event.mi.dy = (point.y * 65536 + height - 1) / height;
            event.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        }
        input[0].mi.dwFlags |= right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
        input[1].mi.dwFlags |= right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
        ASSERT_EQ(::SendInput(2, input, sizeof(INPUT)), 2u);
    }

    static void PostKey(HWND window, WORD key) {
        ::PostMessageA(window, WM_KEYDOWN, key, 1);
        ::PostMessageA(window, WM_KEYUP, key, 1 | (3u << 30));
    }

    COLORREF Pixel(int x, int y) {
        ScopedWindowDC dc(form.Handle());
        return ::GetPixel(dc.get(), x, y);
    }

    TApplication application;
    TopLevel form{nullptr};
};

RECT ItemRect(TListBox& list, int index) {
    RECT rect{};
    ::SendMessageA(list.Handle(), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
    return rect;
}

POINT ItemCentre(TListBox& list, int index) {
    const RECT rect = ItemRect(list, index);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
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

// From a background thread: waits for the popup menu, notes where it opened, then presses
// the given keys in it.
class MenuAnswerer {
public:
    explicit MenuAnswerer(std::vector<WORD> keys) : keys_(std::move(keys)) {
        thread_ = std::thread([this] {
            HWND menu = nullptr;
            for (int i = 0; i < 2000 && !(menu = OpenMenu()); ++i) ::Sleep(5);
            if (menu) {
                ::GetWindowRect(menu, &rect_);
                for (WORD key : keys_) {
                    ::PostMessageA(menu, WM_KEYDOWN, key, 1);
                    ::PostMessageA(menu, WM_KEYUP, key, 1 | (3u << 30));
                }
                opened_ = true;
            }
            done_ = true;
        });
    }
    ~MenuAnswerer() { Finish(); }
    bool Finish() {
        if (thread_.joinable()) thread_.join();
        return opened_;
    }
    bool Done() const { return done_; }
    RECT Rect() const { return rect_; }

private:
    std::vector<WORD> keys_;
    std::atomic<bool> opened_{false}, done_{false};
    RECT rect_{};
    std::thread thread_;
};

TEST_F(ControlsTest, ListBoxKeepsItsLinesInListOrderWithOneSelectionOrNone) {
    TListBox list(nullptr);
    list.SetBounds(8, 30, 273, 186);
    list.SetItems(std::vector<std::string>{"zeta", "alpha", "mid"});  // before the window exists
    list.SetItemIndex(1);
    list.SetParent(&form);
    ASSERT_EQ(::SendMessageA(list.Handle(), LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(list.ItemIndex(), 1);
    char text[16] = "";
    ::SendMessageA(list.Handle(), LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "zeta");  // not sorted

    TStringList names;
    for (const char* name : {"b", "a", "c", "a"}) names.AddObject(name, nullptr);
    list.SetItems(names);
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(::SendMessageA(list.Handle(), LB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(list.Strings(3), "a");
    EXPECT_EQ(list.ItemIndex(), -1);  // a refill leaves no selection
    list.SetItemIndex(2);
    EXPECT_EQ(list.ItemIndex(), 2);
    list.SetItemIndex(4);  // no such line
    EXPECT_EQ(list.ItemIndex(), -1);
    try {
        list.Strings(4);
        ADD_FAILURE() << "no error for a line that is not there";
    } catch (const std::out_of_range& error) {
        EXPECT_STREQ(error.what(), "List index out of bounds (4)");
    }

    list.Add("d");
    EXPECT_EQ(list.Strings(4), "d");
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(::SendMessageA(list.Handle(), LB_GETCOUNT, 0, 0), 0);
    list.SetItemIndex(0);  // an empty list stays without selection
    EXPECT_EQ(list.ItemIndex(), -1);
    EXPECT_EQ(::SendMessageA(list.Handle(), LB_GETCURSEL, 0, 0), LB_ERR);
}

TEST_F(ControlsTest, ListBoxShowsWholeLinesOfItsItemHeight) {
    TListBox list(nullptr);
    list.SetParent(&form);
    auto clientHeight = [&] {
        RECT client;
        ::GetClientRect(list.Handle(), &client);
        return client.bottom;
    };
    list.SetBounds(8, 30, 273, 186);  // 182 inside the 2-pixel edge: 14 lines
    EXPECT_EQ(::SendMessageA(list.Handle(), LB_GETITEMHEIGHT, 0, 0), 13);
    EXPECT_EQ(clientHeight(), 182);
    list.SetBounds(8, 30, 273, 200);  // 196: 15 lines and 1 pixel over
    EXPECT_EQ(clientHeight(), 195);
    list.Font().SetHeight(-20);  // a new font keeps the line height
    EXPECT_EQ(::SendMessageA(list.Handle(), LB_GETITEMHEIGHT, 0, 0), 13);
    EXPECT_EQ(clientHeight(), 195);
    list.SetItemHeight(16);
    EXPECT_EQ(clientHeight(), 192);
    list.SetIntegralHeight(false);
    EXPECT_EQ(clientHeight(), 196);
}

TEST_F(ControlsTest, ListBoxReleasesOfAnyButtonOrKeySeeTheSelectionTheyMade) {
    TListBox list(nullptr);
    list.SetBounds(8, 30, 273, 186);
    list.SetParent(&form);
    list.SetItems(std::vector<std::string>{"one", "two", "three", "four", "five"});
    list.SetItemIndex(0);
    std::string seen;
    list.OnMouseUp = [&](TObject*, TMouseButton button, TShiftState, int, int) {
        seen += "mouse " + std::to_string(button) + " at " + std::to_string(list.ItemIndex()) + ";";
    };
    list.OnKeyUp = [&](TObject*, WORD& key, TShiftState) {
        seen += "key " + std::to_string(key) + " at " + std::to_string(list.ItemIndex()) + ";";
    };

    Click(list, ItemCentre(list, 2));
    PumpUntil([&] { return !seen.empty(); });
    EXPECT_EQ(seen, "mouse 0 at 2;");

    seen.clear();
    list.SetFocus();
    PostKey(list.Handle(), VK_DOWN);
    PumpUntil([&] { return !seen.empty(); });
    EXPECT_EQ(seen, "key " + std::to_string(VK_DOWN) + " at 3;");

    seen.clear();
    PostKey(list.Handle(), VK_SHIFT);  // a key that moves nothing is reported all the same
    PumpUntil([&] { return !seen.empty(); });
    EXPECT_EQ(seen, "key " + std::to_string(VK_SHIFT) + " at 3;");
}

TEST_F(ControlsTest, ListBoxRightClickKeepsTheSelectionAndOpensTheMenuAfterTheMouseUpHandler) {
    TListBox list(nullptr);
    list.SetBounds(8, 30, 273, 186);
    list.SetParent(&form);
    list.SetItems(std::vector<std::string>{"one", "two", "three", "four", "five"});
    list.SetItemIndex(1);
    TPopupMenu menu(nullptr);
    list.PopupMenu = &menu;
    std::string seen;
    menu.Add("Terminate Process")->OnClick = [&](TObject*) { seen += "menu at " + std::to_string(list.ItemIndex()) + ";"; };
    menu.Add("Refresh");
    list.OnMouseUp = [&](TObject*, TMouseButton button, TShiftState, int, int) {
        seen += "mouse " + std::to_string(button) + " at " + std::to_string(list.ItemIndex()) + ";";
    };

    {
        MenuAnswerer answer({VK_DOWN, VK_RETURN});  // the first item
        Click(list, ItemCentre(list, 3), /*right=*/true);
        PumpUntil([&] { return seen.find("menu") != std::string::npos; });
        EXPECT_TRUE(answer.Finish());
    }
    EXPECT_EQ(seen, "mouse 1 at 1;menu at 1;");
    EXPECT_EQ(list.ItemIndex(), 1);

    // From the keyboard the menu opens at the selected line.
    seen.clear();
    MenuAnswerer answer({VK_ESCAPE});
    list.SetFocus();
    ::PostMessageA(list.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list.Handle()), -1);
    PumpUntil([&] { return answer.Done(); });
    ASSERT_TRUE(answer.Finish());
    const RECT line = ItemRect(list, 1);
    POINT expected{line.left + 8, line.bottom};
    ::ClientToScreen(list.Handle(), &expected);
    EXPECT_EQ(answer.Rect().left, expected.x);
    EXPECT_EQ(answer.Rect().top, expected.y);
    PumpUntil([] { return OpenMenu() == nullptr; });
    EXPECT_EQ(seen, "");
}

TEST_F(ControlsTest, CheckBoxRaisesOnClickForTheUsersClickOnlyNotForCode) {
    TCheckBox box(nullptr);
    box.SetBounds(10, 10, 150, 17);
    box.SetCaption("WS_OVERLAPPED");
    box.SetChecked(true);  // before the window exists
    box.Font().SetColor(clNavy);
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
    Settle();
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(box.Checked());

    Click(box, {6, 8});
    PumpUntil([&] { return clicks > 0; });
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(box.Checked());
    EXPECT_FALSE(checkedInHandler);  // the handler sees the new state

    box.SetFocus();
    PostKey(box.Handle(), VK_SPACE);
    PumpUntil([&] { return clicks > 1; });
    EXPECT_EQ(clicks, 2);
    EXPECT_TRUE(box.Checked());
}

TEST_F(ControlsTest, ButtonRaisesOnClickOnceAndCanBeLeftOutOfTheTabOrder) {
    TBitBtn refresh(nullptr);
    refresh.SetBounds(476, 14, 67, 25);
    refresh.SetCaption("Refesh");
    int clicks = 0;
    refresh.OnClick = [&](TObject*) { ++clicks; };
    refresh.SetParent(&form);
    Click(refresh, {30, 12});
    PumpUntil([&] { return clicks > 0; });
    Settle();
    EXPECT_EQ(clicks, 1);

    EXPECT_TRUE(::GetWindowLongA(refresh.Handle(), GWL_STYLE) & WS_TABSTOP);
    ASSERT_TRUE(refresh.SetProperty("TabStop", "false"));
    EXPECT_FALSE(::GetWindowLongA(refresh.Handle(), GWL_STYLE) & WS_TABSTOP);
}

TEST_F(ControlsTest, StaticTextIsOneLineAsWideAsItsText) {
    TStaticText text(nullptr);
    text.SetBounds(136, 6, 20, 17);
    text.SetCaption("[ right mouse-button for menu ]");
    text.SetParent(&form);
    EXPECT_EQ(text.Width(), TextWidthOnScreen(text.Font(), text.Caption()));
    RECT client;
    ::GetClientRect(text.Handle(), &client);
    EXPECT_EQ(client.right, text.Width());
    EXPECT_EQ(client.bottom, 17);
    ASSERT_TRUE(text.SetProperty("AutoSize", "false"));
    text.SetWidth(40);
    text.SetCaption("a longer line than forty pixels");
    EXPECT_EQ(text.Width(), 40);
}

// Counts the pixels of one colour in a window's client area.
int CountPixels(HWND window, COLORREF colour) {
    ::UpdateWindow(window);
    RECT client;
    ::GetClientRect(window, &client);
    ScopedWindowDC dc(window);
    int count = 0;
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x)
            if (::GetPixel(dc.get(), x, y) == colour) ++count;
    return count;
}

TEST_F(ControlsTest, DisabledGroupBoxShowsItsBoxesAsTheyAreButTheyTakeNoInput) {
    TGroupBox group(nullptr);
    group.SetBounds(288, 8, 281, 209);
    group.SetCaption(" WinStyles ");
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
    }
    ticked.SetBounds(8, 16, 121, 17);
    ticked.SetCaption("WS_POPUP");
    ticked.SetChecked(true);
    unticked.SetBounds(8, 32, 121, 17);
    unticked.SetCaption("WS_CHILD");
    auto focusInGroup = [&] { return ::IsChild(group.Handle(), ::GetFocus()) != FALSE; };

    // Enabled, the mouse and the keyboard reach the boxes.
    Click(unticked, {6, 8});
    PumpUntil([&] { return clicks > 0; });
    ASSERT_TRUE(unticked.Checked());
    unticked.SetChecked(false);
    clicks = 0;
    // Another test program may take the foreground, and the focus with it, at any time.
    for (int attempt = 0; attempt < 10 && !focusInGroup(); ++attempt) {
        ::SetForegroundWindow(form.Handle());
        ticked.SetFocus();
    }
    ASSERT_TRUE(focusInGroup());

    group.SetEnabled(false);  // while a box in it has the focus
    ASSERT_FALSE(focusInGroup());
    EXPECT_TRUE(::IsWindowEnabled(ticked.Handle()));  // drawn as an enabled box
    EXPECT_GT(CountPixels(ticked.Handle(), RGB(0, 0, 0x80)), 10);  // navy text, not greyed
    EXPECT_GT(CountPixels(unticked.Handle(), RGB(0, 0, 0x80)), 10);

    Click(ticked, {6, 8});
    Click(unticked, {6, 8});
    Click(outside, {6, 8});  // input keeps its order: once this one is seen, so were the others
    PumpUntil([&] { return outsideClicks > 0; });
    for (int i = 0; i < 3; ++i) {
        PostKey(::GetFocus(), VK_TAB);
        PostKey(::GetFocus(), VK_SPACE);
        Settle();
        EXPECT_FALSE(focusInGroup());
    }
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(ticked.Checked());
    EXPECT_FALSE(unticked.Checked());
}

// A square icon of one colour, fully opaque.
HICON SolidIcon(COLORREF colour, int size) {
    ScopedWindowDC screen(nullptr);
    GdiObject<HBITMAP> image(::CreateCompatibleBitmap(screen.get(), size, size));
    GdiObject<HBITMAP> mask(::CreateBitmap(size, size, 1, 1, nullptr));
    {
        ScopedMemoryDC dc(screen.get());
        ScopedSelect select(dc.get(), image.get());
        TCanvas(dc.get()).FillRect({0, 0, size, size}, colour);
        ScopedSelect selectMask(dc.get(), mask.get());
        ::PatBlt(dc.get(), 0, 0, size, size, BLACKNESS);  // black AND mask: opaque everywhere
    }
    ICONINFO info{TRUE, 0, 0, mask.get(), image.get()};
    return ::CreateIconIndirect(&info);
}

TEST_F(ControlsTest, ImageShowsABorrowedIconCentredAndCanSizeItselfToIt) {
    const COLORREF red = RGB(255, 0, 0), face = ::GetSysColor(COLOR_BTNFACE);
    HICON icon = SolidIcon(red, 32);
    ASSERT_NE(icon, nullptr);
    {
        TImage centred(nullptr);
        centred.SetBounds(100, 100, 48, 48);
        centred.SetCenter(true);
        centred.SetParent(&form);
        ::UpdateWindow(form.Handle());
        for (int offset : {0, 8, 24, 47}) EXPECT_EQ(Pixel(100 + offset, 100 + offset), face) << "empty at " << offset;

        centred.SetIcon(icon);
        ::UpdateWindow(form.Handle());
        EXPECT_EQ(Pixel(107, 107), face);
        EXPECT_EQ(Pixel(108, 108), red);
        EXPECT_EQ(Pixel(139, 139), red);
        EXPECT_EQ(Pixel(140, 140), face);
        EXPECT_EQ(centred.Width(), 48);  // without AutoSize the box keeps its size

        TImage fitted(nullptr);
        fitted.SetBounds(200, 100, 45, 41);
        fitted.SetProperty("AutoSize", "true");
        fitted.SetProperty("Center", "true");
        fitted.SetParent(&form);
        fitted.SetIcon(icon);
        EXPECT_EQ(fitted.Width(), 32);
        EXPECT_EQ(fitted.Height(), 32);
        fitted.Clear();
        ::UpdateWindow(form.Handle());
        EXPECT_EQ(fitted.Width(), 32);  // an empty picture leaves the size
        EXPECT_EQ(Pixel(210, 110), face);
    }
    ICONINFO info{};
    EXPECT_TRUE(::GetIconInfo(icon, &info)) << "the image destroyed an icon it does not own";
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    ::DestroyIcon(icon);
}

TEST_F(ControlsTest, LoweredFrameBevelIsAnEtchedLine) {
    TBevel bevel(nullptr);
    bevel.SetBounds(20, 200, 100, 60);
    ASSERT_TRUE(bevel.SetProperty("Shape", "bsFrame"));
    bevel.SetParent(&form);
    ::UpdateWindow(form.Handle());
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW), light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    // Outer line dark at the top and left, light at the bottom and right; the inner line the other way.
    EXPECT_EQ(Pixel(20, 230), shadow);
    EXPECT_EQ(Pixel(21, 230), light);
    EXPECT_EQ(Pixel(70, 200), shadow);
    EXPECT_EQ(Pixel(70, 201), light);
    EXPECT_EQ(Pixel(119, 230), light);
    EXPECT_EQ(Pixel(118, 230), shadow);
    EXPECT_EQ(Pixel(70, 259), light);
    EXPECT_EQ(Pixel(70, 258), shadow);
    EXPECT_EQ(Pixel(70, 230), face);  // the middle is left to the parent
}

}  // namespace
