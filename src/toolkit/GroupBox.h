// TGroupBox: a container drawn as an etched frame with its caption in the top line.
// Disabled, it keeps its children from the mouse and keyboard while they go on showing
// their state as usual.
#pragma once

#include "toolkit/WinControl.h"

class TGroupBox : public TWinControl {
public:
    explicit TGroupBox(TComponent* owner) : TWinControl(owner) {}

protected:
    void CreateParams(TCreateParams& params) override;
    void PaintWindow(HDC dc) override;
    void EnabledChanged() override;
    void TextChanged() override;
};
