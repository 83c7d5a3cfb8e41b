// TCheckBox: a check box that the user ticks by clicking; setting it from code raises no
// OnClick. Its text takes the font's colour on the parent's background.
#pragma once

#include <string>

#include "toolkit/WinControl.h"

class TCheckBox : public TWinControl {
public:
    explicit TCheckBox(TComponent* owner);

    bool Checked() const;
    void SetChecked(bool checked);

    bool SetProperty(const std::string& name, const std::string& value) override;  // + "Checked"

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void CommandNotify(WORD code) override;
    HBRUSH CtlColor(HDC dc) override;

private:
    bool checked_ = false;  // the state while there is no window
};
