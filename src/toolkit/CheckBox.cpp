// TCheckBox: the BUTTON class as an automatic check box.
#include "toolkit/CheckBox.h"

#include "toolkit/LayoutValues.h"

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) { TabStop = true; }

void TCheckBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.ClassName = "BUTTON";
    params.Style = (params.Style & ~WS_CLIPCHILDREN) | BS_AUTOCHECKBOX;
}

void TCheckBox::CreateWnd() {
    if (checked_) ::SendMessageW(Handle(), BM_SETCHECK, BST_CHECKED, 0);  // a new box is unticked
}

bool TCheckBox::Checked() const {
    if (!HandleAllocated()) return checked_;
    HWND window = const_cast<TCheckBox*>(this)->Handle();
    return ::SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// BM_SETCHECK sends no BN_CLICKED, so no OnClick follows. A box already so is left alone: the
// button would draw itself again all the same.
void TCheckBox::SetChecked(bool checked) {
    if (checked == Checked()) return;
    checked_ = checked;
    if (HandleAllocated()) ::SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::CommandNotify(WORD code) {
    if (code != BN_CLICKED) return;
    checked_ = Checked();
    Click();
}

HBRUSH TCheckBox::CtlColor(HDC dc) { return TextOnParentColor(dc); }

bool TCheckBox::SetProperty(const std::string& name, const std::string& value) {
    if (name != "Checked") return TWinControl::SetProperty(name, value);
    SetChecked(BoolFromText(value));
    return true;
}
