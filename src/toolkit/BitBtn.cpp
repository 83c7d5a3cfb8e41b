// TBitBtn: the BUTTON class as a push button; BN_CLICKED comes back from the parent.
#include "toolkit/BitBtn.h"

#include "toolkit/LayoutValues.h"

TBitBtn::TBitBtn(TComponent* owner) : TWinControl(owner) { TabStop = true; }

void TBitBtn::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.ClassName = "BUTTON";
    params.Style = (params.Style & ~WS_CLIPCHILDREN) | (default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
}

void TBitBtn::CommandNotify(WORD code) {
    if (code == BN_CLICKED) Click();
}

void TBitBtn::SetDefault(bool isDefault) {
    if (isDefault == default_) return;
    default_ = isDefault;
    if (HandleAllocated())
        ::SendMessageW(Handle(), BM_SETSTYLE, default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

bool TBitBtn::SetProperty(const std::string& name, const std::string& value) {
    if (name != "Default") return TWinControl::SetProperty(name, value);
    SetDefault(BoolFromText(value));
    return true;
}
