// TFormQorns: the process list page behind the "Process list" tab. For now an empty page
// with its frame; the main window embeds it borderless in its tab.
#pragma once

#include "toolkit/Form.h"

class TFormQorns : public TForm {
public:
    explicit TFormQorns(TComponent* owner);
};

// The process list page, made by the main window (borrowed: the application owns it).
extern TFormQorns* FormQorns;
