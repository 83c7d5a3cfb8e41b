// TFormWin: the window list page behind the "Window list" tab. For now an empty page with
// its frame; the main window embeds it borderless in its tab.
#pragma once

#include "toolkit/Form.h"

class TFormWin : public TForm {
public:
    explicit TFormWin(TComponent* owner);
};

// The window list page, made by the main window (borrowed: the application owns it).
extern TFormWin* FormWin;
