// TFormQorns: the process list page behind the "Process list" tab. The running processes
// and the fields of the selected one on the left, its modules and the fields of the selected
// module on the right; a popup menu on each list ends the process or frees the module.
#pragma once

#include <windows.h>

#include <memory>

#include "components/FindProc.h"
#include "platform/Platform.h"
#include "toolkit/Bevel.h"
#include "toolkit/BitBtn.h"
#include "toolkit/DisplayIcon.h"
#include "toolkit/Form.h"
#include "toolkit/Image.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/Timer.h"

class TFormQorns : public TForm {
public:
    // Reads the system it is given (borrowed; it must outlive the page): the program gives the
    // real one, tests a made-up one.
    TFormQorns(TComponent* owner, platform::IProcessSystem& system);

    // The controls and components, in the order of the form's design (borrowed: the form owns them).
    TBitBtn* BitBtn1;
    TListBox* ListBox1;
    TListBox* ListBox2;
    TLabel* Label1;
    TLabel* Label2;
    TLabel* Label3;
    TLabel* Label4;
    TLabel* Label5;
    TLabel* Label6;
    TLabel* Label7;
    TLabel* Label8;
    TLabel* Label9;
    TLabel* Label10;
    TLabel* Label11;
    TLabel* Label12;
    TLabel* Label14;
    TLabel* Label15;
    TLabel* Label16;
    TLabel* Label17;
    TLabel* Label19;
    TLabel* Label20;
    TProcList* ProcList1;
    TImage* Image1;
    TImage* Image2;
    TLabel* Label18;
    TLabel* Label22;
    TLabel* Label13;
    TLabel* Label21;
    TPopupMenu* PopupMenu1;
    TPopupMenu* PopupMenu2;
    TMenuItem* CancelProcess1;
    TMenuItem* DeleteModule1;
    TMenuItem* Refresh1;
    TMenuItem* Refresh2;
    TLabel* Label23;
    TBevel* Bevel1;
    TBevel* Bevel2;
    TLabel* Label24;

    // Caption from ProcList1's credit text; the first refresh follows once the program's
    // window is on screen, or when the page first shows, whichever comes first.
    void FormCreate(TObject* sender);
    // Shows the selected process and module again, reading the module list anew.
    void FormShow(TObject* sender);
    // Lets go of the display icon; the page always agrees to close.
    void FormCloseQuery(TObject* sender, bool& canClose);
    // The refresh: blanks every line, takes a new process snapshot and selects line 0.
    void BitBtn1Click(TObject* sender);
    void ListBox1MouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void ListBox1KeyDown(TObject* sender, WORD& key, TShiftState shift);  // on key release
    void ListBox2MouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void ListBox2KeyDown(TObject* sender, WORD& key, TShiftState shift);  // on key release
    // Ends the selected process once the user confirms, then refreshes.
    void CancelProcess1Click(TObject* sender);
    // Frees the selected module once the user confirms; refreshes only when it was freed.
    void DeleteModule1Click(TObject* sender);
    // The selected process's fields and icon, and its modules read anew with line 0 selected.
    void LBox1();
    // The selected module's fields and icon.
    void LBox2();
    // Ctrl+C in ListBox1 or ListBox2: the selected entry and its detail lines, the path in
    // full, on the clipboard.
    void CopyProcessEntry();
    void CopyModuleEntry();

    // The layout and fonts at the new dpi, and the two paths fitted to their lines again.
    void ChangeScale(int dpi) override;

private:
    // Puts a new display icon object for icon in the slot, replacing the one there.
    const TDisplayIcon& MakeDisplayIcon(platform::IconHandle icon);
    // A path as it fits into a 217-pixel line (at 96 dpi) in the page's font.
    std::string FittedPath(const std::string& path) const;

    platform::IProcessSystem& system_;
    std::unique_ptr<TDisplayIcon> displayIcon_;
    TTimer* firstRefresh_ = nullptr;  // borrowed: the page owns it
    bool refreshed_ = false;
};

// The process list page, made by the main window (borrowed: the application owns it).
extern TFormQorns* FormQorns;
