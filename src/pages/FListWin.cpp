// TFormWin: the page's frame, built from its layout.
#include "pages/FListWin.h"

#include "toolkit/Layout.h"

TFormWin* FormWin = nullptr;

namespace {

const TProperties kFormProperties = {
    {"Caption", "WindowsList"},
    {"BorderStyle", "bsDialog"},
    {"ClientWidth", "578"},
    {"ClientHeight", "414"},
    {"Font.Name", "MS Sans Serif"},
    {"Font.Height", "-11"},
    {"Font.Color", "clWindowText"},
};

const TLayout kLayout = {};

}  // namespace

TFormWin::TFormWin(TComponent* owner) : TForm(owner) {
    Name = "FormWin";
    ApplyProperties(*this, kFormProperties);
    BuildLayout(*this, kLayout);
    DoCreate();
}
