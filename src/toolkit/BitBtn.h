// TBitBtn: a push button without glyph; a click, by mouse or keyboard, raises OnClick.
#pragma once

#include <string>

#include "toolkit/WinControl.h"

class TBitBtn : public TWinControl {
public:
    explicit TBitBtn(TComponent* owner);

    // The default button of its window: drawn with the heavy frame that Enter stands for.
    bool Default() const { return default_; }
    void SetDefault(bool isDefault);

    bool SetProperty(const std::string& name, const std::string& value) override;  // + "Default"

protected:
    void CreateParams(TCreateParams& params) override;
    void CommandNotify(WORD code) override;

private:
    bool default_ = false;
};
