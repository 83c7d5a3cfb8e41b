// TForm1: the main window's layout, the embedding of the list pages and the closing order.
#include "program/Unit1.h"

#include <memory>

#include "pages/FFindPro.h"
#include "pages/FListWin.h"
#include "shared/Version.h"
#include "toolkit/Application.h"
#include "toolkit/Layout.h"

TForm1* Form1 = nullptr;

namespace {

const TProperties kFormProperties = {
    {"Caption", "Velqorns!"},
    {"BorderStyle", "bsSingle"},
    {"BorderIcons", "biSystemMenu,biMinimize"},
    {"ClientWidth", "593"},
    {"ClientHeight", "449"},
    {"Position", "poDefaultPosOnly"},
    {"Font.Name", "MS Sans Serif"},
    {"Font.Height", "-11"},
    {"Font.Color", "clWindowText"},
};

// A list page's host: the whole tab, sunken, without bevel or caption.
const TProperties kHostPanel = {
    {"Align", "alClient"}, {"BevelOuter", "bvNone"}, {"BorderStyle", "bsSingle"}, {"TabOrder", "0"}};

// Properties shared by the "About" tab's captions.
const std::pair<std::string, std::string> kTransparent{"Transparent", "true"};
const std::pair<std::string, std::string> kFixedSize{"AutoSize", "false"};
const std::pair<std::string, std::string> kShadowRightBottom{"ShadowPos", "spRightBottom"};
// The framed lines: a sunken frame with the text just inside it.
const TProperties kSunkenFrame = {{"ShadowPos", "spRightBottom"}, {"BevelOuter", "bvLowered"}, {"BevelsOffset", "1"}};
const TProperties kUnderlinedFont = {
    {"Font.Name", "MS Sans Serif"}, {"Font.Height", "-11"}, {"Font.Color", "clWindowText"}, {"Font.Style", "underline"}};
const TProperties kLinkFont = {
    {"Font.Name", "MS Sans Serif"}, {"Font.Height", "-11"}, {"Font.Color", "clBlue"}, {"Font.Style", "underline"}};

TProperties With(TProperties properties, const TProperties& more) {
    properties.insert(properties.end(), more.begin(), more.end());
    return properties;
}

// A link's properties: its caption, the link font, then its own address, which replaces
// the one the label took from its caption.
TProperties Link(const std::string& caption, const std::string& url) {
    return With(With({{"Caption", caption}}, kLinkFont), {{"URL", url}});
}

// The frame and the "About" tab. Windowed siblings stack in tab order, the first on top:
// each grey drop-shadow panel lies under its content panel, 4 pixels right and 5 pixels lower.
const TLayout kLayout = {
    {"Panel1", "panel", "", 0, 0, 593, 449,
     {{"Align", "alClient"}, {"BevelOuter", "bvNone"}, {"BorderStyle", "bsSingle"}, {"Caption", "Panel1"}, {"TabOrder", "0"}},
     Member(&TForm1::Panel1)},
    {"PageControl1", "pagecontrol", "Panel1", 0, 0, 589, 445,
     {{"Align", "alClient"}, {"ActivePage", "TabWin"}, {"TabOrder", "0"}}, Member(&TForm1::PageControl1)},
    {"TabWin", "tabsheet", "PageControl1", 0, 0, 0, 0, {{"Caption", "Window list"}}, Member(&TForm1::TabWin)},
    {"Panel3", "panel", "TabWin", 0, 0, 581, 417, kHostPanel, Member(&TForm1::Panel3)},
    {"TabProc", "tabsheet", "PageControl1", 0, 0, 0, 0, {{"Caption", "Process list"}}, Member(&TForm1::TabProc)},
    {"Panel2", "panel", "TabProc", 0, 0, 581, 417, kHostPanel, Member(&TForm1::Panel2)},
    {"TabAbout", "tabsheet", "PageControl1", 0, 0, 0, 0, {{"Caption", "About"}}, Member(&TForm1::TabAbout)},

    {"Panel7", "panel", "TabAbout", 108, 289, 440, 83, {{"BevelOuter", "bvNone"}, {"Color", "clGray"}, {"TabOrder", "3"}},
     Member(&TForm1::Panel7)},
    {"Panel5", "panel", "TabAbout", 24, 29, 301, 181, {{"BevelOuter", "bvNone"}, {"Color", "clGray"}, {"TabOrder", "1"}},
     Member(&TForm1::Panel5)},
    {"Panel4", "panel", "TabAbout", 20, 24, 301, 181, {{"BevelOuter", "bvRaised"}, {"TabOrder", "0"}},
     Member(&TForm1::Panel4)},
    {"CoolLabel1", "coollabel", "Panel4", 12, 8, 98, 14,
     {kShadowRightBottom, kFixedSize, {"Caption", std::string("Velqorns! v ") + kProductVersion}, kTransparent},
     Member(&TForm1::CoolLabel1)},
    {"CoolLabel2", "coollabel", "Panel4", 12, 23, 197, 16,
     {kShadowRightBottom, kFixedSize, {"Caption", "© 1997-1998 the Velqorns! author"}, kTransparent},
     Member(&TForm1::CoolLabel2)},
    {"CoolLabel4", "coollabel", "Panel4", 10, 65, 212, 16,
     With(kSunkenFrame, {kFixedSize, {"Caption", " Velqorns! is for Windows95, not WinNT"}, kTransparent}),
     Member(&TForm1::CoolLabel4)},
    {"CoolLabel5", "coollabel", "Panel4", 28, 84, 164, 13,
     With({kShadowRightBottom, {"AutoSize", "true"}, {"Caption", "There's no support for this product!"}},
          With(kUnderlinedFont, {kTransparent})), Member(&TForm1::CoolLabel5)},
    {"AutoURLLabel1", "urllabel", "Panel4", 42, 128, 245, 13,
     Link("Velqorns Workshop  http://www.example.com/", "http://www.example.com/"), Member(&TForm1::AutoURLLabel1)},
    {"AutoURLLabel2", "urllabel", "Panel4", 42, 152, 181, 13, Link("velqorns@example.com", "mailto:velqorns@example.com"),
     Member(&TForm1::AutoURLLabel2)},
    {"Label1", "label", "Panel4", 11, 128, 27, 13, {{"Caption", "www:"}}, Member(&TForm1::Label1)},
    {"Label2", "label", "Panel4", 12, 152, 27, 13, {{"Caption", "email:"}, kTransparent}, Member(&TForm1::Label2)},

    {"Panel6", "panel", "TabAbout", 104, 284, 440, 83, {{"BevelOuter", "bvRaised"}, {"TabOrder", "2"}},
     Member(&TForm1::Panel6)},
    {"CoolLabel6", "coollabel", "Panel6", 5, 4, 430, 16,
     With(kSunkenFrame, {{"Alignment", "taCenter"}, kFixedSize,
                         {"Caption", "TWinList and TProcList components by the Example Components Group"}, kTransparent}),
                          Member(&TForm1::CoolLabel6)},
    {"CoolLabel7", "coollabel", "Panel6", 7, 28, 95, 13,
     With({kShadowRightBottom, {"AutoSize", "true"}, {"Caption", "The components' author on the net:"}},
          With(kUnderlinedFont, {kTransparent})), Member(&TForm1::CoolLabel7)},
    {"Label3", "label", "Panel6", 20, 47, 27, 13, {{"Caption", "www:"}}, Member(&TForm1::Label3)},
    {"Label4", "label", "Panel6", 20, 63, 27, 13, {{"Caption", "email:"}, kTransparent}, Member(&TForm1::Label4)},
    {"AutoURLLabel3", "urllabel", "Panel6", 51, 47, 184, 13,
     Link("http://www.example.org/components/", "http://www.example.org/components/"), Member(&TForm1::AutoURLLabel3)},
    {"AutoURLLabel4", "urllabel", "Panel6", 51, 63, 137, 13,
     Link("components@example.org", "mailto:components@example.org"), Member(&TForm1::AutoURLLabel4)},
};

// Makes a list page owned by the application (on the platform given) and embeds it
// borderless at the top left of host, with the host's size as laid out (its outer size: the
// sunken edge clips the page), scaled with the host.
template <class Page, class... Platform>
Page* EmbedPage(TPanel* host, Platform&... platform) {
    Page* page = Application->Own(std::make_unique<Page>(Application, platform...));
    page->SetBorderStyle(bsNone);
    const RECT& laidOut = host->DesignBounds();  // left, top, width, height at 96 dpi
    page->SetDesignBounds(0, 0, laidOut.right, laidOut.bottom);
    page->SetParent(host);
    page->Show();
    return page;
}

// Closes a page (its close query runs) and destroys it, whatever it answered.
template <class Page>
void ClosePage(Page*& page) {
    if (!page) return;
    page->Close();
    Application->DestroyComponent(page);
    page = nullptr;
}

}  // namespace

TForm1::TForm1(TComponent* owner, platform::IWindowSystem& windows, platform::IProcessSystem& processes,
               platform::IShell& shell)
    : TForm(owner), windows_(windows), processes_(processes) {
    Name = "Form1";
    ApplyProperties(*this, kFormProperties);
    BuildLayout(*this, kLayout);
    for (TAutoURLLabel* link : {AutoURLLabel1, AutoURLLabel2, AutoURLLabel3, AutoURLLabel4}) link->SetShell(shell);

    OnCreate = [this](TObject* sender) { FormCreate(sender); };
    OnCloseQuery = [this](TObject* sender, bool& canClose) { FormCloseQuery(sender, canClose); };
    PageControl1->OnChange = [this](TObject* sender) { PageControl1Change(sender); };
    DoCreate();
}

void TForm1::FormCreate(TObject*) {
    FormWin = EmbedPage<TFormWin>(Panel3, windows_, processes_);
    FormQorns = EmbedPage<TFormQorns>(Panel2, processes_);
}

void TForm1::PageControl1Change(TObject*) {
    if (PageControl1->ActivePage() == TabProc) {
        if (FormQorns) FormQorns->BringToFront();
    } else if (PageControl1->ActivePage() == TabWin) {
        if (FormWin) FormWin->BringToFront();
    }
}

// The pages' references are cleared as they go, so that nothing can reach a destroyed page.
void TForm1::FormCloseQuery(TObject*, bool& canClose) {
    ClosePage(FormWin);
    ClosePage(FormQorns);
    canClose = true;
}
