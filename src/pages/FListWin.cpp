// TFormWin: the page's layout, the filter buttons and boxes, the list and its details, the
// menu actions and the finder. ListBox1 and WinList1's list are kept in step through the list's
// generation: a line is never paired with a record of a newer list.
#include "pages/FListWin.h"

#include <array>
#include <utility>

#include "components/ProcessActions.h"
#include "components/WindowActions.h"
#include "platform/Win32Handles.h"
#include "shared/NumberFormat.h"
#include "shared/ShortenPath.h"
#include "shared/WindowStyles.h"
#include "toolkit/Clipboard.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Layout.h"

TFormWin* FormWin = nullptr;

namespace {

const TProperties kFormProperties = {
    {"Caption", "WindowsList"},
    {"BorderStyle", "bsDialog"},
    {"ClientWidth", "578"},
    {"ClientHeight", "414"},
    {"Position", "poDefaultPosOnly"},
    {"Font.Name", "MS Sans Serif"},
    {"Font.Height", "-11"},
    {"Font.Color", "clWindowText"},
};

// What the form description writes into WinList1's About; the component keeps its own
// credit text instead.
constexpr const char* kWinListAbout = "TWinList";

constexpr const char* kHint = "klick an item to obtain some information";

// A window asked to close is looked for this often, and the list refreshed after this long at
// the latest, when its program is slow to close it or refuses.
constexpr unsigned kClosePollMilliseconds = 50;
constexpr ULONGLONG kCloseWaitMilliseconds = 2000;

// The places of the style boxes of GroupBox1, cb1 to cb22; each shows the style name of the
// same rank, ticked by the same rule as everywhere else (WindowStyleNames).
struct StyleBoxRow {
    TCheckBox* TFormWin::*box;
    const char* name;
    int left, top, width;
};
const std::array<StyleBoxRow, 22> kStyleBoxes = {{
    {&TFormWin::cb1, "cb1", 8, 16, 121},
    {&TFormWin::cb2, "cb2", 8, 32, 121},
    {&TFormWin::cb3, "cb3", 8, 48, 121},
    {&TFormWin::cb4, "cb4", 8, 64, 121},
    {&TFormWin::cb5, "cb5", 8, 80, 121},
    {&TFormWin::cb6, "cb6", 8, 96, 121},
    {&TFormWin::cb7, "cb7", 8, 112, 121},
    {&TFormWin::cb8, "cb8", 8, 128, 129},
    {&TFormWin::cb9, "cb9", 144, 16, 121},
    {&TFormWin::cb10, "cb10", 144, 32, 121},
    {&TFormWin::cb11, "cb11", 144, 48, 121},
    {&TFormWin::cb12, "cb12", 144, 64, 121},
    {&TFormWin::cb13, "cb13", 144, 80, 121},
    {&TFormWin::cb14, "cb14", 144, 96, 121},
    {&TFormWin::cb15, "cb15", 144, 112, 121},
    {&TFormWin::cb16, "cb16", 144, 128, 121},
    {&TFormWin::cb17, "cb17", 8, 144, 121},
    {&TFormWin::cb18, "cb18", 144, 144, 121},
    {&TFormWin::cb19, "cb19", 8, 160, 121},
    {&TFormWin::cb20, "cb20", 144, 160, 121},
    {&TFormWin::cb21, "cb21", 8, 176, 129},
    {&TFormWin::cb22, "cb22", 144, 176, 129},
}};
constexpr int kStyleBoxHeight = 17;

const std::pair<std::string, std::string> kTransparent{"Transparent", "true"};
// The labels show data as it is: an "&" in a title or path is a character, not an accelerator mark.
const std::pair<std::string, std::string> kPlainText{"ShowAccelChar", "false"};
// The list and the detail lines show data in any script: the data face, at the form's size.
const std::pair<std::string, std::string> kDataFont{"Font.Name", kDataFontName};

TLayout PageLayout() {
    TLayout layout = {
        {"Label3", "label", "", 8, 8, 32, 13, {{"Caption", "Label3"}, kPlainText}, Member(&TFormWin::Label3)},
        {"StaticText1", "statictext", "", 136, 6, 147, 17,
         {{"AutoSize", "false"}, {"Caption", "[ right mouse-button for menu ]"}, {"TabOrder", "9"}},
         Member(&TFormWin::StaticText1)},
        {"ListBox1", "listbox", "", 8, 30, 273, 186, {{"ItemHeight", "13"}, {"IntegralHeight", "true"}, {"TabOrder", "0"}, kDataFont},
         Member(&TFormWin::ListBox1)},
        {"BitBtn1", "bitbtn", "", 8, 220, 75, 25, {{"Caption", "GetAll"}, {"TabOrder", "1"}},
         Member(&TFormWin::BitBtn1)},
        {"BitBtn2", "bitbtn", "", 8, 248, 75, 25, {{"Caption", "GetVisible"}, {"TabOrder", "2"}},
         Member(&TFormWin::BitBtn2)},
        {"BitBtn3", "bitbtn", "", 8, 276, 75, 25, {{"Caption", "GetInvisible"}, {"TabOrder", "3"}},
         Member(&TFormWin::BitBtn3)},
        {"CheckBox3", "checkbox", "", 96, 230, 85, 19, {{"Caption", "Automatic"}, {"Checked", "false"}, {"TabOrder", "6"}},
         Member(&TFormWin::CheckBox3)},
        {"CheckBox1", "checkbox", "", 96, 254, 85, 17, {{"Caption", "EmptyNames"}, {"Checked", "false"}, {"TabOrder", "4"}},
         Member(&TFormWin::CheckBox1)},
        {"CheckBox2", "checkbox", "", 96, 278, 85, 17, {{"Caption", "TaskBarStyle"}, {"Checked", "true"}, {"TabOrder", "5"}},
         Member(&TFormWin::CheckBox2)},
        {"GroupBox1", "groupbox", "", 288, 8, 281, 209, {{"Caption", " WinStyles "}, {"Enabled", "false"}, {"TabOrder", "7"}},
         Member(&TFormWin::GroupBox1)},
    };
    for (std::size_t i = 0; i < kStyleBoxes.size(); ++i) {
        const StyleBoxRow& box = kStyleBoxes[i];
        layout.push_back({box.name, "checkbox", "GroupBox1", box.left, box.top, box.width, kStyleBoxHeight,
                          {{"Caption", WindowStyleNames()[i].name}, {"Font.Color", "clNavy"}, {"TabOrder", std::to_string(i)}},
                          Member(box.box)});
    }
    const TLayout rest = {
        {"Image1", "image", "", 492, 232, 45, 41, {{"AutoSize", "true"}, {"Center", "true"}},
         Member(&TFormWin::Image1)},
        {"Label8", "label", "", 480, 278, 32, 13, {{"Caption", "HIcon:"}, {"Font.Color", "clNavy"}, kTransparent, kPlainText},
         Member(&TFormWin::Label8)},
        {"Panel1", "panel", "", 4, 304, 569, 106,
         {{"BevelOuter", "bvRaised"}, {"BevelInner", "bvLowered"}, {"Caption", ""}, {"TabOrder", "8"}},
         Member(&TFormWin::Panel1)},
        {"Label1", "label", "Panel1", 5, 4, 39, 13, {{"Caption", "Handles"}, kTransparent, kPlainText, kDataFont},
         Member(&TFormWin::Label1)},
        {"Label7", "label", "Panel1", 4, 20, 39, 13, {{"Caption", "Handles"}, kTransparent, kPlainText, kDataFont},
         Member(&TFormWin::Label7)},
        {"Label5", "label", "Panel1", 4, 37, 53, 13, {{"Caption", "ClassName"}, kTransparent, kPlainText, kDataFont},
         Member(&TFormWin::Label5)},
        {"Label6", "label", "Panel1", 4, 53, 39, 13, {{"Caption", "HParent"}, kTransparent, kPlainText, kDataFont},
         Member(&TFormWin::Label6)},
        {"Label2", "label", "Panel1", 4, 70, 28, 13, {{"Caption", "Styles"}, kTransparent, kPlainText, kDataFont},
         Member(&TFormWin::Label2)},
        {"Label4", "label", "Panel1", 4, 88, 561, 13,
         {{"AutoSize", "false"}, {"Caption", "Path"}, kTransparent, kPlainText, kDataFont}, Member(&TFormWin::Label4)},
        // In the free place right of the check boxes; last in the tab order, and no tab stop.
        {"Finder1", "screenpicker", "", 200, 240, 150, 36, {{"Caption", "Drag onto a window"}, {"TabOrder", "10"}},
         Member(&TFormWin::Finder1)},
    };
    layout.insert(layout.end(), rest.begin(), rest.end());
    return layout;
}

std::string HexWord(std::uint32_t value) { return Hex(value, 4); }

}  // namespace

TFormWin::TFormWin(TComponent* owner, platform::IWindowSystem& windows, platform::IProcessSystem& processes)
    : TForm(owner), windows_(windows), processes_(processes) {
    Name = "FormWin";
    ApplyProperties(*this, kFormProperties);
    BuildLayout(*this, PageLayout());

    WinList1 = Own(std::make_unique<TWinList>(this, windows, processes));
    WinList1->Name = "WinList1";
    WinList1->SetAbout(kWinListAbout);
    PopupMenu1 = Own(std::make_unique<TPopupMenu>(this));
    PopupMenu1->Name = "PopupMenu1";
    TerminateProcess1 = PopupMenu1->Add("Terminate Process");
    TerminateProcess1->Name = "TerminateProcess1";
    Refresh1 = PopupMenu1->Add("Refresh");
    Refresh1->Name = "Refresh1";
    N1 = PopupMenu1->Add("-");
    N1->Name = "N1";
    BringToFront1 = PopupMenu1->Add("Bring to Front");
    BringToFront1->Name = "BringToFront1";
    CloseWindow1 = PopupMenu1->Add("Close Window");
    CloseWindow1->Name = "CloseWindow1";
    CloseTimer1 = Own(std::make_unique<TTimer>(this));
    CloseTimer1->Name = "CloseTimer1";
    CloseTimer1->SetEnabled(false);
    CloseTimer1->SetInterval(kClosePollMilliseconds);
    ListBox1->PopupMenu = PopupMenu1;
    PopupMenu1->OnPopup = [this](TObject* sender) { PopupMenu1Popup(sender); };

    const TNotifyEvent filterClick = [this](TObject* sender) { BitBtn1Click(sender); };
    for (TControl* control : std::initializer_list<TControl*>{BitBtn1, BitBtn2, BitBtn3, CheckBox1, CheckBox2})
        control->OnClick = filterClick;
    CheckBox3->OnClick = [this](TObject* sender) { CheckBox3Click(sender); };
    ListBox1->OnMouseUp = [this](TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
        ListBox1MouseUp(sender, button, shift, x, y);
    };
    ListBox1->OnKeyUp = [this](TObject* sender, WORD& key, TShiftState shift) { ListBox1KeyUp(sender, key, shift); };
    ListBox1->OnKeyDown = [this](TObject*, WORD& key, TShiftState shift) {
        if (IsCopyKey(key, shift)) CopyWindowEntry();
    };
    TerminateProcess1->OnClick = [this](TObject* sender) { TerminateProcess1Click(sender); };
    Refresh1->OnClick = [this](TObject* sender) { Refresh1Click(sender); };
    BringToFront1->OnClick = [this](TObject* sender) { BringToFront1Click(sender); };
    CloseWindow1->OnClick = [this](TObject* sender) { CloseWindow1Click(sender); };
    CloseTimer1->OnTimer = [this](TObject* sender) { CloseTimer1Timer(sender); };
    Finder1->OnTrack = [this](TObject* sender, POINT point) { Finder1Track(sender, point); };
    Finder1->OnDrop = [this](TObject* sender, POINT point) { Finder1Drop(sender, point); };
    Finder1->OnCancel = [this](TObject* sender) { Finder1Cancel(sender); };
    WinList1->OnChanged = [this](TObject* sender) { ListWin(sender); };
    OnCreate = [this](TObject* sender) { FormCreate(sender); };
    OnShow = [this](TObject*) { BitBtn1Click(this); };
    OnCloseQuery = [this](TObject* sender, bool& canClose) { FormCloseQuery(sender, canClose); };
    DoCreate();
}

void TFormWin::FormCreate(TObject*) {
    SetCaption(WinList1->About());
    CheckBox1->SetChecked(WinList1->EmptyNames());
    CheckBox3->SetChecked(WinList1->EnableTimer());
    CheckBox2->SetChecked(WinList1->TaskBarSty());
}

void TFormWin::BitBtn1Click(TObject* sender) {
    WinList1->SetTaskBarSty(CheckBox2->Checked());
    // "TaskBarStyle" leaves out owned windows, so untitled helpers need not be offered.
    if (CheckBox2->Checked()) {
        CheckBox1->SetChecked(false);
        CheckBox1->SetEnabled(false);
    } else {
        CheckBox1->SetEnabled(true);
    }
    WinList1->SetEmptyNames(CheckBox1->Checked());
    if (sender == BitBtn1) WinList1->SetWhatDoFind(id_All);
    else if (sender == BitBtn2) WinList1->SetWhatDoFind(id_VisOnly);
    else if (sender == BitBtn3) WinList1->SetWhatDoFind(id_InvisOnly);
    WinList1->FindWindows();
    ListWin(sender);
}

void TFormWin::ListWin(TObject*) {
    ListBox1->SetItems(WinList1->WindowList());
    shownGeneration_ = WinList1->Generation();
    ListBox1->SetItemIndex(0);
    SetStyle(0);
    Label3->SetCaption(Decimal(static_cast<std::uint32_t>(ListBox1->Count())) + " window(s) found  ");
    // Label1 is emptied too: a handle of the previous list must not stay on show beside the hint.
    for (TLabel* label : {Label1, Label6, Label5, Label2, Label8, Label4}) label->SetCaption("");
    Label7->SetCaption(kHint);
    Image1->Clear();
    DoWindow();
}

void TFormWin::DoWindow() {
    // During a refresh tick WinList1 may already hold a newer list than ListBox1 shows: the
    // selected line would then name another window than the record at its index.
    if (!InStep()) {
        ListWin(this);
        return;
    }
    const int i = ListBox1->ItemIndex();
    if (ListBox1->Count() == 0 || i < 0) return;
    Image1->Clear();
    SelectedIcon.reset();

    const platform::WindowHandle hwnd = WinList1->GetHwnd(i);
    const platform::WindowHandle hwndParent = WinList1->GetHwndParent(i);
    const std::uint32_t threadId = WinList1->GetThreadId(i);
    const std::uint32_t processId = WinList1->GetProcessId(i);
    const std::uint32_t style = WinList1->GetStyle(i);
    const std::uint32_t exStyle = WinList1->GetExStyle(i);
    const std::string& parentName = WinList1->GetParentName(i);
    const std::string& className = WinList1->GetClassName(i);
    const std::string& exeFile = WinList1->GetExeFile(i);
    const platform::IconHandle icon = WinList1->GetIcon(i);

    Label1->SetCaption("HWnd:      " + HexWord(hwnd));
    Label7->SetCaption("ThreadID:  " + HexWord(threadId) + " / ProcessID: " + HexWord(processId));
    Label6->SetCaption("HParent:   " + HexWord(hwndParent) + " -> " + parentName);
    Label5->SetCaption("ClassName: " + className);
    Label2->SetCaption("WinStyle:  " + HexWord(style) + " / WinExSty: " + HexWord(exStyle));
    const TFont& font = std::as_const(*Label4).Font();  // measured as it is drawn
    Label4->SetCaption(ShortenPath(
        exeFile, [&font](const std::string& text) { return TextWidthOnScreen(font, text); }, Label4->Width()));
    Label8->SetCaption("HIcon: " + HexWord(icon));

    // The handle stays WinList1's record's; the page only shows it.
    SelectedIcon = std::make_unique<TDisplayIcon>(platform::ToHicon(icon));
    Image1->SetIcon(SelectedIcon->Handle());
    SetStyle(style);
}

void TFormWin::ChangeScale(int dpi) {
    if (dpi == Dpi()) return;
    TForm::ChangeScale(dpi);
    if (ListBox1->Count() > 0) DoWindow();
}

void TFormWin::SetStyle(std::uint32_t style) {
    for (std::size_t i = 0; i < kStyleBoxes.size(); ++i)
        (this->*kStyleBoxes[i].box)->SetChecked(StyleShows(WindowStyleNames()[i], style));
}

void TFormWin::ListBox1MouseUp(TObject*, TMouseButton, TShiftState, int, int) { DoWindow(); }

void TFormWin::ListBox1KeyUp(TObject*, WORD&, TShiftState) { DoWindow(); }

void TFormWin::CheckBox3Click(TObject*) { WinList1->SetEnableTimer(CheckBox3->Checked()); }

void TFormWin::PopupMenu1Popup(TObject*) {
    menuTarget_.reset();
    const int i = ListBox1->ItemIndex();
    if (InStep() && i >= 0 && i < ListBox1->Count()) menuTarget_ = MenuTarget{WinList1->GetHwnd(i), WinList1->GetProcessId(i)};
}

int TFormWin::ChosenLine() {
    const std::optional<MenuTarget> target = std::exchange(menuTarget_, std::nullopt);
    // WinList1 may hold a newer list than ListBox1 shows (a tick between its scan and its
    // refill): the old line's index would name another window. Show the new list first.
    if (!InStep()) {
        ListWin(this);
        if (!target) return -1;
    }
    if (target) return WinList1->IndexOf(target->window, target->processId);  // -1 once it has gone
    const int i = ListBox1->ItemIndex();
    return ListBox1->Count() == 0 || i < 0 ? -1 : i;
}

void TFormWin::TerminateProcess1Click(TObject*) {
    const int i = ChosenLine();
    if (i < 0) return;
    // Taken before the warning shows: ticks may refill the list while it is open, and the
    // process the warning names is the one that is ended.
    const std::string title = WinList1->WindowList().Strings(i);
    const platform::WindowHandle window = WinList1->GetHwnd(i);
    const std::uint32_t processId = WinList1->GetProcessId(i);

    const std::string warning = "Process: --> " + title +
                                "\n\r\n\r"
                                "TerminateProcess kann das System in einen instabilen Zustand \n\r"
                                "führen. Sie sollten dies nur tun, wenn Sie sich völlig sicher\n\r"
                                "sind! Sind Sie sicher?";
    if (MessageDlg(warning, mtConfirmation, mbYes | mbNo, 0) != mrYes) return;
    // The identifier may have been given to another process since the list was read; the
    // window, still there and still its process's, proves it was not. The wait for the
    // process's end is bounded, so a process that takes long to die cannot freeze the program.
    const auto isChosen = [this, window, processId](std::uintptr_t) { return WinList1->WindowBelongsTo(window, processId); };
    if (TerminateProcessIf(processes_, processId, isChosen) == TTerminateOutcome::NotOpened)
        MessageDlg("Kann das Handle des selektierten Prozesses nicht finden!", mtError, mbOK, 0);
    Refresh1Click(this);
}

// The lines as the page shows them, top to bottom: the icon line above the panel, then the
// panel's lines; the path in full instead of shortened.
void TFormWin::CopyWindowEntry() {
    if (!InStep()) {  // the labels may show a window the list no longer holds
        ListWin(this);
        return;
    }
    const int i = ListBox1->ItemIndex();
    if (ListBox1->Count() == 0 || i < 0) return;
    std::string text = ListBox1->Strings(i) + "\r\n";
    for (const TLabel* line : {Label8, Label1, Label7, Label5, Label6, Label2}) text += line->Caption() + "\r\n";
    text += WinList1->GetExeFile(i) + "\r\n";
    CopyToClipboard(Handle(), text);
}

void TFormWin::Refresh1Click(TObject*) {
    WinList1->FindWindows();
    ListWin(this);
}

platform::WindowHandle TFormWin::ChosenWindow() {
    const int i = ChosenLine();
    if (i < 0) return 0;
    const platform::WindowHandle window = WinList1->GetHwnd(i);
    return WinList1->WindowBelongsTo(window, WinList1->GetProcessId(i)) ? window : 0;
}

void TFormWin::BringToFront1Click(TObject*) {
    if (const platform::WindowHandle window = ChosenWindow()) BringWindowToFront(windows_, window);
}

void TFormWin::CloseWindow1Click(TObject*) {
    const platform::WindowHandle window = ChosenWindow();
    if (!window || !AskWindowToClose(windows_, window)) return;
    closing_ = window;
    closeDeadline_ = ::GetTickCount64() + kCloseWaitMilliseconds;
    CloseTimer1->SetEnabled(true);
}

void TFormWin::CloseTimer1Timer(TObject*) {
    if (windows_.IsWindow(closing_) && ::GetTickCount64() < closeDeadline_) return;
    CloseTimer1->SetEnabled(false);
    closing_ = 0;
    Refresh1Click(this);
}

platform::WindowHandle TFormWin::PickedWindow(POINT point) {
    RECT finder{};
    ::GetWindowRect(Finder1->Handle(), &finder);
    return ::PtInRect(&finder, point) ? 0 : PickableWindowAt(windows_, point.x, point.y);
}

// One update of the frame per move: a question or two to the window manager, whatever the
// number of windows on the desktop.
void TFormWin::Finder1Track(TObject*, POINT point) {
    platform::WindowRect bounds;
    const platform::WindowHandle window = PickedWindow(point);
    if (window && windows_.GetWindowRect(window, bounds)) outline_.ShowAround({bounds.left, bounds.top, bounds.right, bounds.bottom});
    else outline_.Hide();
}

void TFormWin::Finder1Drop(TObject*, POINT point) {
    outline_.Hide();
    if (const platform::WindowHandle window = PickedWindow(point)) ShowPickedWindow(window);
}

void TFormWin::Finder1Cancel(TObject*) { outline_.Hide(); }

void TFormWin::ShowPickedWindow(platform::WindowHandle window) {
    const TFind_ID shown = WinList1->WhatDoFind();
    const TFind_ID wider = shown == id_InvisOnly ? id_VisOnly : id_All;  // to the visible windows first
    const bool rule = CheckBox2->Checked(), untitled = CheckBox1->Checked();
    // The changes in the order of how much they widen the list: none, the visibility, the
    // task-bar rule off, both, and untitled windows counted (which needs the rule off).
    struct Change {
        bool widen, ruleOff, untitled;
    };
    static constexpr Change kChanges[] = {{false, false, false}, {true, false, false}, {false, true, false},
                                          {true, true, false},   {false, true, true},  {true, true, true}};
    for (const Change& change : kChanges) {
        const TFind_ID what = change.widen ? wider : shown;
        const bool taskBar = rule && !change.ruleOff, empty = (untitled || change.untitled) && !taskBar;
        if (!WinList1->WouldTake(window, what, empty, taskBar)) continue;
        WinList1->SetWhatDoFind(what);
        CheckBox2->SetChecked(taskBar);
        CheckBox1->SetChecked(empty);
        BitBtn1Click(this);  // the boxes into WinList1, a scan and the list
        for (int i = 0; i < ListBox1->Count(); ++i) {
            if (WinList1->GetHwnd(i) != window) continue;
            ListBox1->SetItemIndex(i);
            DoWindow();
            break;
        }
        return;
    }
}

void TFormWin::FormCloseQuery(TObject*, bool& canClose) {
    Image1->Clear();
    SelectedIcon.reset();
    canClose = true;
}

// Only a page shown as a window of its own is ever activated; embedded in the main window
// it is a child window, which the system never activates. Coming back to the page keeps
// the user's selection: the list is refilled only when it is out of step with WinList1.
LRESULT TFormWin::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = TForm::WndProc(message, wParam, lParam);
    if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE && !InStep()) ListWin(this);
    return result;
}
