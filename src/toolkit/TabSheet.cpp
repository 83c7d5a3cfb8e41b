// TTabSheet: joins and leaves its page control, which keeps the tab in step with it.
#include "toolkit/TabSheet.h"

#include <stdexcept>

#include "toolkit/PageControl.h"

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {}

TTabSheet::~TTabSheet() {
    if (pageControl_) pageControl_->RemovePage(this);
}

void TTabSheet::SetParent(TWinControl* parent) {
    if (parent == Parent()) return;
    auto* pageControl = dynamic_cast<TPageControl*>(parent);
    if (parent && !pageControl) throw std::invalid_argument("The parent of tab sheet \"" + Name + "\" must be a page control");
    if (pageControl_) pageControl_->RemovePage(this);
    pageControl_ = nullptr;
    SetVisible(false);  // until its page control makes it the active page
    TWinControl::SetParent(parent);
    pageControl_ = pageControl;
    if (pageControl_) pageControl_->InsertPage(this);
}

void TTabSheet::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.ExStyle |= WS_EX_CONTROLPARENT;
}

void TTabSheet::TextChanged() {
    if (pageControl_) pageControl_->UpdateTab(this);
}
