// TPageControl: tab items kept in step with the pages, the active page shown over the
// display area, the user's tab choice reflected back as OnChange, Ctrl+Tab as a key filter.
#include "toolkit/PageControl.h"

#include <commctrl.h>

#include <algorithm>

#include "shared/Utf16.h"
#include "toolkit/Application.h"

namespace {

void InsertTabItem(HWND tabs, int index, const std::string& text) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    std::wstring wide = Utf16FromUtf8(text);
    item.pszText = wide.data();
    ::SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

}  // namespace

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {
    TabStop = true;
    if (Application) keyFilter_ = Application->AddMessageFilter([this](MSG& message) { return FilterCtrlTab(message); });
}

TPageControl::~TPageControl() {
    if (Application && keyFilter_) Application->RemoveMessageFilter(keyFilter_);
    for (TTabSheet* page : pages_) page->pageControl_ = nullptr;
}

int TPageControl::IndexOfPage(const TTabSheet* page) const {
    const auto found = std::find(pages_.begin(), pages_.end(), page);
    return found == pages_.end() ? -1 : static_cast<int>(found - pages_.begin());
}

void TPageControl::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.ClassName = "SysTabControl32";  // WC_TABCONTROL
    params.Style |= TCS_TABS | TCS_SINGLELINE | TCS_FOCUSONBUTTONDOWN;
    params.ExStyle |= WS_EX_CONTROLPARENT;
}

void TPageControl::CreateWnd() {
    TWinControl::CreateWnd();
    for (size_t index = 0; index < pages_.size(); ++index)
        InsertTabItem(Handle(), static_cast<int>(index), pages_[index]->Caption());
    ::SendMessageW(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(ActivePageIndex()), 0);
    AlignControls();  // the display area depends on the tabs
}

void TPageControl::AlignControls() {
    if (!HandleAllocated()) return;
    RECT display;
    ::GetClientRect(Handle(), &display);
    ::SendMessageW(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    for (TTabSheet* page : pages_)
        page->SetBounds(display.left, display.top, display.right - display.left, display.bottom - display.top);
}

void TPageControl::InsertPage(TTabSheet* page) {
    pages_.push_back(page);
    if (HandleAllocated()) {
        InsertTabItem(Handle(), PageCount() - 1, page->Caption());
        AlignControls();
    }
    if (page->Name == pendingActivePage_ || (!activePage_ && pendingActivePage_.empty())) {
        pendingActivePage_.clear();
        SetActivePage(page);
    }
}

void TPageControl::RemovePage(TTabSheet* page) {
    const int index = IndexOfPage(page);
    if (index < 0) return;
    pages_.erase(pages_.begin() + index);
    if (HandleAllocated()) ::SendMessageW(Handle(), TCM_DELETEITEM, static_cast<WPARAM>(index), 0);
    if (activePage_ == page) {
        activePage_ = nullptr;
        if (!pages_.empty()) SetActivePage(pages_[std::min<size_t>(static_cast<size_t>(index), pages_.size() - 1)]);
    }
}

void TPageControl::UpdateTab(TTabSheet* page) {
    const int index = IndexOfPage(page);
    if (index < 0 || !HandleAllocated()) return;
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    std::wstring wide = Utf16FromUtf8(page->Caption());
    item.pszText = wide.data();
    ::SendMessageW(Handle(), TCM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    AlignControls();
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page == activePage_ || (page && page->pageControl_ != this)) return;
    TTabSheet* previous = activePage_;
    activePage_ = page;
    if (HandleAllocated()) ::SendMessageW(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(ActivePageIndex()), 0);
    // The focus must not stay behind on a page that goes out of sight.
    HWND focus = ::GetFocus();
    const bool focusLeaves = previous && previous->HandleAllocated() && focus && ::IsChild(previous->Handle(), focus);
    if (page) page->SetVisible(true);  // shown first, then the old page hidden: no flicker
    if (previous) previous->SetVisible(false);
    if (focusLeaves) {
        HWND first = page && page->HandleAllocated() ? ::GetNextDlgTabItem(page->Handle(), nullptr, FALSE) : nullptr;
        if (first && ::IsChild(page->Handle(), first)) ::SetFocus(first);
        else SetFocus();
    }
}

void TPageControl::SelectNextPage(bool forward) {
    if (pages_.empty()) return;
    const int count = PageCount();
    const int current = ActivePageIndex();
    const int next = current < 0 ? (forward ? 0 : count - 1) : (current + (forward ? 1 : count - 1)) % count;
    if (pages_[static_cast<size_t>(next)] == activePage_) return;
    SetActivePage(pages_[static_cast<size_t>(next)]);
    Change();
}

void TPageControl::Change() {
    if (OnChange) OnChange(this);
}

LRESULT TPageControl::NotifyReflect(NMHDR* header) {
    if (header->code == TCN_SELCHANGE) {
        const int index = static_cast<int>(::SendMessageW(Handle(), TCM_GETCURSEL, 0, 0));
        if (index >= 0 && index < PageCount()) {
            SetActivePage(pages_[static_cast<size_t>(index)]);
            Change();
        }
    }
    return 0;  // TCN_SELCHANGING: the switch may go ahead
}

// The keys of a window belong to the innermost page control around it; those of a
// top-level form itself (the focus on no control) to a page control inside it.
bool TPageControl::OwnsKeysOf(HWND window) {
    for (HWND inside = window; inside; inside = ::GetAncestor(inside, GA_PARENT)) {
        if (auto* pageControl = dynamic_cast<TPageControl*>(TWinControl::FromHandle(inside)))
            return pageControl == this;
        if (!(::GetWindowLongW(inside, GWL_STYLE) & WS_CHILD)) break;
    }
    return window == ::GetAncestor(Handle(), GA_ROOT);
}

bool TPageControl::FilterCtrlTab(const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB || ::GetKeyState(VK_CONTROL) >= 0) return false;
    if (!HandleAllocated() || !::IsWindowVisible(Handle()) || !::IsWindowEnabled(Handle())) return false;
    if (!OwnsKeysOf(message.hwnd)) return false;
    SelectNextPage(::GetKeyState(VK_SHIFT) >= 0);
    return true;
}

bool TPageControl::SetProperty(const std::string& name, const std::string& value) {
    if (name != "ActivePage") return TWinControl::SetProperty(name, value);
    for (TTabSheet* page : pages_) {
        if (page->Name == value) {
            SetActivePage(page);
            return true;
        }
    }
    pendingActivePage_ = value;  // a page of a layout joins after its page control
    return true;
}
