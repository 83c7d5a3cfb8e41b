// TTabSheet: one page of a TPageControl; its caption is the text of its tab, and the page
// control shows it (over the display area) only while it is the active page.
#pragma once

#include "toolkit/WinControl.h"

class TPageControl;

class TTabSheet : public TWinControl {
public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;

    // A page's parent is its page control: it joins that control's pages at the end.
    // Throws std::invalid_argument for any other kind of parent.
    void SetParent(TWinControl* parent) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void TextChanged() override;

private:
    friend class TPageControl;
    TPageControl* pageControl_ = nullptr;
};
