// TFormQorns: the page's layout, its refresh, the detail lines of the selected process and
// module, and the two confirmed actions (ending a process, freeing a module).
#include "pages/FFindPro.h"

#include <utility>

#include "components/ProcessActions.h"
#include "platform/Win32Handles.h"
#include "shared/NumberFormat.h"
#include "shared/ShortenPath.h"
#include "toolkit/Clipboard.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Layout.h"

TFormQorns* FormQorns = nullptr;

namespace {

const TProperties kFormProperties = {
    {"Caption", "FormQorns"},
    {"BorderStyle", "bsDialog"},
    {"ClientWidth", "546"},
    {"ClientHeight", "408"},
    {"Font.Name", "MS Sans Serif"},
    {"Font.Height", "-11"},
    {"Font.Color", "clWindowText"},
};

// Every label lies on the page's surface; most take the size of their text. The labels show
// data as it is: an "&" in a path is a character, not an accelerator mark. The lists and the
// detail lines (those without a caption of their own) show data in the data face.
const std::pair<std::string, std::string> kDataFont{"Font.Name", kDataFontName};
TLayoutItem Line(const std::string& name, TLabel* TFormQorns::*member, int left, int top,
                 const std::string& caption = "") {
    TLayoutItem line{name, "label", "", left, top, 0, 13,
                     {{"Caption", caption}, {"Transparent", "true"}, {"ShowAccelChar", "false"}}, Member(member)};
    if (caption.empty()) line.Properties.push_back(kDataFont);
    return line;
}
// The two path lines keep their width whatever their text.
TLayoutItem PathLine(const std::string& name, TLabel* TFormQorns::*member, int left, int top) {
    return {name, "label", "", left, top, 217, 13,
            {{"AutoSize", "false"}, {"Transparent", "true"}, {"ShowAccelChar", "false"}, kDataFont}, Member(member)};
}
TLayoutItem Icon(const std::string& name, TImage* TFormQorns::*member, int left, int top) {
    return {name, "image", "", left, top, 36, 36, {{"AutoSize", "true"}, {"Center", "true"}}, Member(member)};
}
TLayoutItem List(const std::string& name, TListBox* TFormQorns::*member, int left, int tabOrder) {
    return {name, "listbox", "", left, 33, 220, 186,
            {{"IntegralHeight", "true"}, {"ItemHeight", "13"}, {"TabOrder", std::to_string(tabOrder)}, kDataFont},
            Member(member)};
}

// In the order of the form's design: the later a windowless control, the higher it lies.
const TLayout kLayout = {
    {"Bevel2", "bevel", "", 235, 14, 232, 373, {{"Shape", "bsFrame"}}, Member(&TFormQorns::Bevel2)},
    {"Bevel1", "bevel", "", 3, 14, 232, 387, {{"Shape", "bsFrame"}}, Member(&TFormQorns::Bevel1)},
    Line("Label1", &TFormQorns::Label1, 8, 17, "ProcessList:"),
    Line("Label2", &TFormQorns::Label2, 384, 17, "List of modules:"),
    Line("Label3", &TFormQorns::Label3, 8, 233),
    Line("Label4", &TFormQorns::Label4, 240, 233),
    Line("Label5", &TFormQorns::Label5, 8, 257),
    Line("Label6", &TFormQorns::Label6, 8, 273),
    Line("Label7", &TFormQorns::Label7, 8, 289),
    Line("Label8", &TFormQorns::Label8, 8, 305),
    Line("Label9", &TFormQorns::Label9, 8, 321),
    Line("Label10", &TFormQorns::Label10, 8, 337),
    Line("Label11", &TFormQorns::Label11, 8, 353),
    Line("Label12", &TFormQorns::Label12, 8, 369),
    Line("Label14", &TFormQorns::Label14, 240, 257),
    Line("Label15", &TFormQorns::Label15, 240, 273),
    Line("Label16", &TFormQorns::Label16, 240, 289),
    Line("Label17", &TFormQorns::Label17, 240, 305),
    Line("Label19", &TFormQorns::Label19, 240, 321),
    Line("Label20", &TFormQorns::Label20, 240, 337),
    Icon("Image1", &TFormQorns::Image1, 192, 233),
    Icon("Image2", &TFormQorns::Image2, 424, 233),
    Line("Label18", &TFormQorns::Label18, 168, 273),
    Line("Label22", &TFormQorns::Label22, 400, 273),
    PathLine("Label13", &TFormQorns::Label13, 8, 385),
    PathLine("Label21", &TFormQorns::Label21, 240, 369),
    Line("Label23", &TFormQorns::Label23, 240, 353),
    Line("Label24", &TFormQorns::Label24, 158, 0, "... right mouse-button for menu ..."),
    {"BitBtn1", "bitbtn", "", 476, 14, 67, 25, {{"Caption", "Refesh"}, {"TabOrder", "0"}, {"TabStop", "false"}},
     Member(&TFormQorns::BitBtn1)},
    List("ListBox1", &TFormQorns::ListBox1, 8, 1),
    List("ListBox2", &TFormQorns::ListBox2, 240, 2),
};

constexpr int kPathWidth = 217;  // of Label13 and Label21, as designed
constexpr unsigned kFirstRefreshDelay = 200;  // milliseconds after the page is made

const char* const kProcessPlaceholder = "click an item for process information";
const char* const kModulePlaceholder = "click an item for module information";
// Line breaks in the warnings: LF CR.
const char* const kBreak = "\n\r";

template <class Component>
Component* Named(TComponent* owner, std::unique_ptr<Component> component, const std::string& name) {
    component->Name = name;
    return owner->Own(std::move(component));
}

void Blank(std::initializer_list<TLabel*> lines) {
    for (TLabel* line : lines) line->SetCaption("");
}

std::string Count(const TStringList& list) { return Decimal(static_cast<std::uint32_t>(list.Count())); }

}  // namespace

TFormQorns::TFormQorns(TComponent* owner, platform::IProcessSystem& system) : TForm(owner), system_(system) {
    Name = "FormQorns";
    ApplyProperties(*this, kFormProperties);
    // The components first, so that they outlive the controls that refer to them.
    ProcList1 = Named(this, std::make_unique<TProcList>(this, system), "ProcList1");
    ProcList1->SetAbout("TProcList");  // as the form data does: the component keeps its credit text
    PopupMenu1 = Named(this, std::make_unique<TPopupMenu>(this), "PopupMenu1");
    CancelProcess1 = PopupMenu1->Add("Terminate Process");
    CancelProcess1->Name = "CancelProcess1";
    Refresh1 = PopupMenu1->Add("Refresh");
    Refresh1->Name = "Refresh1";
    PopupMenu2 = Named(this, std::make_unique<TPopupMenu>(this), "PopupMenu2");
    DeleteModule1 = PopupMenu2->Add("Delete Module");
    DeleteModule1->Name = "DeleteModule1";
    Refresh2 = PopupMenu2->Add("Refresh");
    Refresh2->Name = "Refresh2";

    BuildLayout(*this, kLayout);

    ListBox1->PopupMenu = PopupMenu1;
    ListBox2->PopupMenu = PopupMenu2;
    OnCreate = [this](TObject* sender) { FormCreate(sender); };
    OnShow = [this](TObject* sender) { FormShow(sender); };
    OnCloseQuery = [this](TObject* sender, bool& canClose) { FormCloseQuery(sender, canClose); };
    BitBtn1->OnClick = [this](TObject* sender) { BitBtn1Click(sender); };
    Refresh1->OnClick = [this](TObject* sender) { BitBtn1Click(sender); };
    Refresh2->OnClick = [this](TObject* sender) { BitBtn1Click(sender); };
    CancelProcess1->OnClick = [this](TObject* sender) { CancelProcess1Click(sender); };
    DeleteModule1->OnClick = [this](TObject* sender) { DeleteModule1Click(sender); };
    ListBox1->OnMouseUp = [this](TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
        ListBox1MouseUp(sender, button, shift, x, y);
    };
    ListBox2->OnMouseUp = [this](TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
        ListBox2MouseUp(sender, button, shift, x, y);
    };
    ListBox1->OnKeyUp = [this](TObject* sender, WORD& key, TShiftState shift) { ListBox1KeyDown(sender, key, shift); };
    ListBox2->OnKeyUp = [this](TObject* sender, WORD& key, TShiftState shift) { ListBox2KeyDown(sender, key, shift); };
    ListBox1->OnKeyDown = [this](TObject*, WORD& key, TShiftState shift) {
        if (IsCopyKey(key, shift)) CopyProcessEntry();
    };
    ListBox2->OnKeyDown = [this](TObject*, WORD& key, TShiftState shift) {
        if (IsCopyKey(key, shift)) CopyModuleEntry();
    };
    firstRefresh_ = Own(std::make_unique<TTimer>(this));
    firstRefresh_->SetEnabled(false);
    firstRefresh_->SetInterval(kFirstRefreshDelay);
    firstRefresh_->OnTimer = [this](TObject*) {
        if (!refreshed_) BitBtn1Click(this);
    };
    DoCreate();
}

// The first refresh walks every process and grows with their number; the page lies hidden
// behind its tab while the program starts, so the walk waits until the program's window is
// on screen and answering (a timer fires only once the queue is empty), and at the latest
// until the page first shows. Either way the page is filled before the user can see it.
void TFormQorns::FormCreate(TObject*) {
    SetCaption(ProcList1->About());
    firstRefresh_->SetEnabled(true);
}

void TFormQorns::FormShow(TObject*) {
    if (!refreshed_) return BitBtn1Click(this);  // which ends with what follows
    LBox1();
    LBox2();
}

void TFormQorns::FormCloseQuery(TObject*, bool& canClose) {
    displayIcon_.reset();
    canClose = true;
}

void TFormQorns::BitBtn1Click(TObject*) {
    refreshed_ = true;
    firstRefresh_->SetEnabled(false);
    ListBox1->Clear();
    ListBox2->Clear();
    Image1->Clear();
    Image2->Clear();
    Blank({Label3, Label14});
    Label5->SetCaption(kProcessPlaceholder);
    Blank({Label6, Label7, Label8, Label9, Label10, Label11, Label12, Label13});
    Blank({Label4});
    Blank({Label15, Label16, Label17, Label19, Label20, Label23, Label21});
    Blank({Label18, Label22});

    ProcList1->ReadProcessList();
    ListBox1->SetItems(ProcList1->ProcessList());
    ListBox1->SetItemIndex(0);
    Label3->SetCaption(Count(ProcList1->ProcessList()) + " running processes found");
    FormShow(this);
}

void TFormQorns::ListBox1MouseUp(TObject*, TMouseButton, TShiftState, int, int) { LBox1(); }
void TFormQorns::ListBox1KeyDown(TObject*, WORD&, TShiftState) { LBox1(); }
void TFormQorns::ListBox2MouseUp(TObject*, TMouseButton, TShiftState, int, int) { LBox2(); }
void TFormQorns::ListBox2KeyDown(TObject*, WORD&, TShiftState) { LBox2(); }

const TDisplayIcon& TFormQorns::MakeDisplayIcon(platform::IconHandle icon) {
    displayIcon_ = std::make_unique<TDisplayIcon>(platform::ToHicon(icon));
    return *displayIcon_;
}

std::string TFormQorns::FittedPath(const std::string& path) const {
    // Measured in the path lines' own font, as they draw it (both lines have the same).
    const TFont& font = std::as_const(*Label13).Font();
    return ShortenPath(path, [&font](const std::string& text) { return TextWidthOnScreen(font, text); }, Scaled(kPathWidth));
}

void TFormQorns::ChangeScale(int dpi) {
    if (dpi == Dpi()) return;
    TForm::ChangeScale(dpi);
    const int i = ListBox1->ItemIndex(), j = ListBox2->ItemIndex();
    if (!Label13->Caption().empty() && i >= 0 && i < ProcList1->ProcessList().Count())
        Label13->SetCaption(FittedPath(ProcList1->ProcessExeFile(i)));
    if (!Label21->Caption().empty() && j >= 0 && j < ProcList1->ModuleList().Count())
        Label21->SetCaption(FittedPath(ProcList1->ModuleExePath(j)));
}

void TFormQorns::LBox1() {
    if (ListBox1->Count() == 0 || ListBox1->ItemIndex() < 0) return;
    const int i = ListBox1->ItemIndex();
    ListBox2->Clear();
    const TDisplayIcon& icon = MakeDisplayIcon(ProcList1->ProcessIcon(i));
    ListBox1->Repaint();
    Image1->Clear();
    Image2->Clear();
    Label14->SetCaption(kModulePlaceholder);
    Blank({Label15, Label16, Label17, Label19, Label20, Label23, Label21, Label22});

    const TProcList& list = *ProcList1;
    Label5->SetCaption("CntUsage: " + Decimal(list.ProcessCntUsage(i)));
    Label6->SetCaption("ProcessID: " + Hex(list.ProcessID(i), 8));
    Label7->SetCaption("DefHeapID: " + Hex(list.ProcessDefaultHeapID(i), 8));
    Label8->SetCaption("ModuleID: " + Hex(list.ProcessModuleID(i), 8));
    Label9->SetCaption("CntThreads: " + Decimal(list.ProcessCntThreads(i)));
    Label10->SetCaption("ParentID: " + Hex(list.ProcessParentID(i), 8));
    Label11->SetCaption("Priority: " + Decimal(list.ProcessPriClassBase(i)) + " " + list.ProcessPriorityText(i) + " " +
                        list.ProcessExeType(i));
    Label12->SetCaption("dwFlags: " + Decimal(list.ProcessFlags(i)));
    Label13->SetCaption(FittedPath(list.ProcessExeFile(i)));
    Label18->SetCaption("HIcon: " + Hex(list.ProcessIcon(i), 4));
    Image1->SetIcon(icon.Handle());

    ProcList1->ReadModuleList(list.ProcessID(i));
    ListBox2->SetItems(ProcList1->ModuleList());
    ListBox2->SetItemIndex(0);
    Label4->SetCaption(Count(ProcList1->ModuleList()) + " module(s) found");
    LBox2();
}

void TFormQorns::LBox2() {
    if (ListBox2->Count() == 0 || ListBox2->ItemIndex() < 0) return;
    const int j = ListBox2->ItemIndex();
    const TProcList& list = *ProcList1;
    Image2->SetIcon(MakeDisplayIcon(list.ModuleIcon(j)).Handle());
    Label22->SetCaption("HIcon: " + Hex(list.ModuleIcon(j), 4));
    Label14->SetCaption("ModuleID: " + Hex(list.ModuleID(j), 8));
    Label15->SetCaption("ProcessID: " + Hex(list.ModuleProcessID(j), 8));
    Label16->SetCaption("GlblCntUse: " + Decimal(list.ModuleGlblCntUsage(j)));
    Label17->SetCaption("ProcCntUse: " + Decimal(list.ModuleProcCntUsage(j)));
    Label19->SetCaption("modBaseSize: " + Decimal(list.ModuleBaseSize(j)));
    Label23->SetCaption("mBaseAdress: " + Hex(list.ModuleBaseAddr(j), 8));
    Label20->SetCaption("hModule: " + Hex(list.ModuleHandle(j), 8));
    Label21->SetCaption(FittedPath(list.ModuleExePath(j)));
}

// The entry's text, then its detail lines top to bottom (a row left to right), the path in full.
void TFormQorns::CopyProcessEntry() {
    const int i = ListBox1->ItemIndex();
    if (ListBox1->Count() == 0 || i < 0) return;
    std::string text = ListBox1->Strings(i) + "\r\n";
    for (const TLabel* line : {Label5, Label6, Label18, Label7, Label8, Label9, Label10, Label11, Label12})
        text += line->Caption() + "\r\n";
    text += ProcList1->ProcessExeFile(i) + "\r\n";
    CopyToClipboard(Handle(), text);
}

void TFormQorns::CopyModuleEntry() {
    const int j = ListBox2->ItemIndex();
    if (ListBox2->Count() == 0 || j < 0) return;
    std::string text = ListBox2->Strings(j) + "\r\n";
    for (const TLabel* line : {Label14, Label15, Label22, Label16, Label17, Label19, Label20, Label23})
        text += line->Caption() + "\r\n";
    text += ProcList1->ModuleExePath(j) + "\r\n";
    CopyToClipboard(Handle(), text);
}

// The process is taken from the line chosen before the question opens: the answer then
// acts on the process the user read in the warning.
void TFormQorns::CancelProcess1Click(TObject*) {
    if (ListBox1->Count() == 0 || ListBox1->ItemIndex() < 0) return;
    const int i = ListBox1->ItemIndex();
    const TProcessIdentity process = ProcList1->ProcessIdentity(i);
    const std::string warning = "Process: --> " + ListBox1->Strings(i) + kBreak + kBreak +
                                "TerminateProcess can make your system unstable or crash it." + kBreak +
                                "You want to terminate selected process?";
    if (MessageDlg(warning, mtConfirmation, mbYes | mbNo, 0) != mrYes) return;
    // Only the process the line was read from is ended, not a later one given its identifier;
    // the wait for its end is bounded (see TerminateProcessById): a process that will not die
    // must not freeze the program.
    if (TerminateProcessById(system_, process) == TTerminateOutcome::NotOpened)
        MessageDlg("Couldn't find the handle for the selected procress!", mtError, mbOK, 0);
    BitBtn1Click(this);
}

// Only a module of this program's own process can be freed (see FreeOwnModule); anything
// else is reported and leaves the page exactly as it was.
void TFormQorns::DeleteModule1Click(TObject*) {
    if (ListBox1->ItemIndex() < 0 || ListBox2->Count() == 0 || ListBox2->ItemIndex() < 0) return;
    const int j = ListBox2->ItemIndex();
    const std::uint32_t processId = ProcList1->ModuleProcessID(j);
    const std::uint64_t module = ProcList1->ModuleHandle(j);
    const std::string path = ProcList1->ModuleExePath(j);
    const std::string warning = "Module: --> " + ListBox2->Strings(j) + kBreak + kBreak +
                                "\"FreeLibrary\" can crash your system or make it very unstable." + kBreak +
                                "You want to free the module?";
    if (MessageDlg(warning, mtConfirmation, mbYes | mbNo, 0) != mrYes) return;
    if (FreeOwnModule(system_, processId, module, path))
        BitBtn1Click(this);
    else
        MessageDlg("Couldn't free selected module!", mtError, mbOK, 0);
}
