// TForm1: the main window "Velqorns!": a fixed frame around a tab control whose "Window
// list" and "Process list" tabs host the two list pages and whose "About" tab is static.
#pragma once

#include "components/CoolCtrls.h"
#include "components/aurllabl.h"
#include "platform/Platform.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/PageControl.h"
#include "toolkit/Panel.h"
#include "toolkit/TabSheet.h"

class TForm1 : public TForm {
public:
    // The pages and links work on these (borrowed; they must outlive the window).
    TForm1(TComponent* owner, platform::IWindowSystem& windows, platform::IProcessSystem& processes,
           platform::IShell& shell);

    // The controls, as the layout builds them (borrowed: the form owns them).
    TPanel* Panel1;
    TPageControl* PageControl1;
    TTabSheet* TabWin;
    TPanel* Panel3;
    TTabSheet* TabProc;
    TPanel* Panel2;
    TTabSheet* TabAbout;
    TPanel* Panel7;
    TPanel* Panel5;
    TPanel* Panel4;
    TCoolLabel* CoolLabel1;
    TCoolLabel* CoolLabel2;
    TCoolLabel* CoolLabel4;
    TCoolLabel* CoolLabel5;
    TAutoURLLabel* AutoURLLabel1;
    TAutoURLLabel* AutoURLLabel2;
    TLabel* Label1;
    TLabel* Label2;
    TPanel* Panel6;
    TCoolLabel* CoolLabel6;
    TCoolLabel* CoolLabel7;
    TLabel* Label3;
    TLabel* Label4;
    TAutoURLLabel* AutoURLLabel3;
    TAutoURLLabel* AutoURLLabel4;

    // Embeds the two list pages in their tabs' panels.
    void FormCreate(TObject* sender);
    // Brings the page of the tab the user has just chosen to the front of its panel.
    void PageControl1Change(TObject* sender);
    // Closes and destroys both pages; the main window always agrees to close.
    void FormCloseQuery(TObject* sender, bool& canClose);

private:
    platform::IWindowSystem& windows_;
    platform::IProcessSystem& processes_;
};

// The main window (borrowed: the application owns it).
extern TForm1* Form1;
