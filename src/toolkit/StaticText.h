// TStaticText: one line of text in a window of its own, in the font's colour on the
// parent's background. With AutoSize (on by default) it is as wide as its text.
#pragma once

#include <string>

#include "toolkit/WinControl.h"

class TStaticText : public TWinControl {
public:
    explicit TStaticText(TComponent* owner) : TWinControl(owner) {}

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);

    bool SetProperty(const std::string& name, const std::string& value) override;  // + "AutoSize"

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override { FitToText(); }
    void TextChanged() override;
    void FontChanged() override;
    HBRUSH CtlColor(HDC dc) override { return TextOnParentColor(dc); }

private:
    void FitToText();
    bool autoSize_ = true;
};
