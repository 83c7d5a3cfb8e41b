// TFormWin: the window list page behind the "Window list" tab. It lets the user choose which
// top-level windows WinList1 lists, shows them, the details of the selected one (handles,
// owner, class, styles decoded into 22 boxes, executable path and icon), and can end the
// process that owns it after a warning, bring the window to the front or ask it to close. A
// finder target dragged onto any window on the screen shows that window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "components/FindWin.h"
#include "platform/Platform.h"
#include "toolkit/BitBtn.h"
#include "toolkit/CheckBox.h"
#include "toolkit/DisplayIcon.h"
#include "toolkit/Form.h"
#include "toolkit/GroupBox.h"
#include "toolkit/Image.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"
#include "toolkit/Panel.h"
#include "toolkit/OutlineFrame.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/ScreenPicker.h"
#include "toolkit/StaticText.h"
#include "toolkit/Timer.h"

class TFormWin : public TForm {
public:
    // The page on the platform it is given (borrowed; it must outlive the page).
    TFormWin(TComponent* owner, platform::IWindowSystem& windows, platform::IProcessSystem& processes);

    // The controls, as the layout builds them (borrowed: the page owns them).
    TLabel* Label3;
    TStaticText* StaticText1;
    TListBox* ListBox1;
    TBitBtn* BitBtn1;
    TBitBtn* BitBtn2;
    TBitBtn* BitBtn3;
    TCheckBox* CheckBox3;
    TCheckBox* CheckBox1;
    TCheckBox* CheckBox2;
    TGroupBox* GroupBox1;
    TCheckBox *cb1, *cb2, *cb3, *cb4, *cb5, *cb6, *cb7, *cb8, *cb9, *cb10, *cb11;
    TCheckBox *cb12, *cb13, *cb14, *cb15, *cb16, *cb17, *cb18, *cb19, *cb20, *cb21, *cb22;
    TImage* Image1;
    TLabel* Label8;
    TPanel* Panel1;
    TLabel* Label1;
    TLabel* Label7;
    TLabel* Label5;
    TLabel* Label6;
    TLabel* Label2;
    TLabel* Label4;
    TScreenPicker* Finder1;
    // The components (borrowed: the page owns them).
    TWinList* WinList1;
    TPopupMenu* PopupMenu1;
    TMenuItem* TerminateProcess1;
    TMenuItem* Refresh1;
    TMenuItem* N1;  // the separator
    TMenuItem* BringToFront1;
    TMenuItem* CloseWindow1;
    TTimer* CloseTimer1;  // runs while a window asked to close may still be there

    // The icon Image1 shows; none until the first detail display.
    std::unique_ptr<TDisplayIcon> SelectedIcon;

    void FormCreate(TObject* sender);
    // Copies the two rule boxes into WinList1, takes the filter from a button sender (a box
    // or the page itself keeps it), scans and shows the list.
    void BitBtn1Click(TObject* sender);
    // Fills ListBox1 from WinList1's list, selects line 0 and shows its details.
    void ListWin(TObject* sender);
    // Shows the details of the selected line.
    void DoWindow();
    // Ticks the 22 style boxes for the style word.
    void SetStyle(std::uint32_t style);
    void ListBox1MouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void ListBox1KeyUp(TObject* sender, WORD& key, TShiftState shift);
    void CheckBox3Click(TObject* sender);
    // Ends the process of the selected window once the user has agreed, then refreshes.
    void TerminateProcess1Click(TObject* sender);
    void Refresh1Click(TObject* sender);
    // Restores the chosen window if it is minimised and brings it to the foreground.
    void BringToFront1Click(TObject* sender);
    // Asks the chosen window to close as its close box does; the list is refreshed once it has
    // gone, or after at most 2 s, while the page goes on working.
    void CloseWindow1Click(TObject* sender);
    void CloseTimer1Timer(TObject* sender);
    // The finder: the window under the pointer outlined during the drag, shown on the drop.
    void Finder1Track(TObject* sender, POINT point);
    void Finder1Drop(TObject* sender, POINT point);
    void Finder1Cancel(TObject* sender);
    // Selects the window's line and shows its details as a click on the line does, first
    // widening the filters the least that lists it (the boxes show the change).
    void ShowPickedWindow(platform::WindowHandle window);
    // Remembers the window selected as the menu opens: the menu's actions act on it.
    void PopupMenu1Popup(TObject* sender);
    void FormCloseQuery(TObject* sender, bool& canClose);
    // Ctrl+C in ListBox1: the selected entry and its detail lines, the path in full, on the clipboard.
    void CopyWindowEntry();

    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The layout and fonts at the new dpi, and the details shown again: the path fitted anew.
    void ChangeScale(int dpi) override;

private:
    // Whether ListBox1 shows the list WinList1 holds now, line for record.
    bool InStep() const { return WinList1->Generation() == shownGeneration_; }

    // The line to act on: the one the menu opened on, else the selected one; -1 for none.
    int ChosenLine();
    // The window of the chosen line while it still exists as that process's; 0 otherwise.
    platform::WindowHandle ChosenWindow();
    // The window the finder would pick at a point of the screen; 0 over the finder itself.
    platform::WindowHandle PickedWindow(POINT point);

    platform::IWindowSystem& windows_;
    platform::IProcessSystem& processes_;
    TOutlineFrame outline_;  // around the window under the finder during a drag
    platform::WindowHandle closing_ = 0;  // the window last asked to close
    ULONGLONG closeDeadline_ = 0;         // when the list is refreshed if it is still there
    std::uint32_t shownGeneration_ = 0;  // WinList1's generation that ListBox1 shows
    // The window selected when PopupMenu1 last opened. Ticks go on while the menu is open and
    // may refill the list, moving the selection to line 0, so the line number alone could
    // name a window the user never chose.
    struct MenuTarget {
        platform::WindowHandle window;
        std::uint32_t processId;
    };
    std::optional<MenuTarget> menuTarget_;
};

// The window list page, made by the main window (borrowed: the application owns it).
extern TFormWin* FormWin;
