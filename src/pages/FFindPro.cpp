// TFormQorns: the page's frame, built from its layout.
#include "pages/FFindPro.h"

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

const TLayout kLayout = {};

}  // namespace

TFormQorns::TFormQorns(TComponent* owner) : TForm(owner) {
    Name = "FormQorns";
    ApplyProperties(*this, kFormProperties);
    BuildLayout(*this, kLayout);
    DoCreate();
}
