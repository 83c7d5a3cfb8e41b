// TPageControl: a tab control (WC_TABCONTROL) whose tabs stand for TTabSheet pages; it shows
// the active page over its display area, hides the others, and switches pages when the
// user chooses a tab, presses Ctrl+Tab or Ctrl+Shift+Tab.
#pragma once

#include <string>
#include <vector>

#include "toolkit/WinControl.h"
#include "toolkit/TabSheet.h"

class TPageControl : public TWinControl {
public:
    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;

    int PageCount() const { return static_cast<int>(pages_.size()); }
    int IndexOfPage(const TTabSheet* page) const;

    // The page on show (borrowed), or nullptr. The first page to join becomes active.
    TTabSheet* ActivePage() const { return activePage_; }
    void SetActivePage(TTabSheet* page);  // does not raise OnChange
    int ActivePageIndex() const { return IndexOfPage(activePage_); }
    // Selects the next page (or the previous one), wrapping round, and raises OnChange.
    void SelectNextPage(bool forward);

    // After the user has switched pages.
    TNotifyEvent OnChange;

    // + "ActivePage": the name of a page, which may join later
    bool SetProperty(const std::string& name, const std::string& value) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void AlignControls() override;  // every page over the display area
    LRESULT NotifyReflect(NMHDR* header) override;
    virtual void Change();

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void UpdateTab(TTabSheet* page);
    bool FilterCtrlTab(const MSG& message);
    bool OwnsKeysOf(HWND window);

    std::vector<TTabSheet*> pages_;  // borrowed; each page leaves the list when it goes
    TTabSheet* activePage_ = nullptr;
    std::string pendingActivePage_;
    int keyFilter_ = 0;  // the application's Ctrl+Tab filter for this control, or 0
};
