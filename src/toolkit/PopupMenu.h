// TPopupMenu: a list of items shown at a point of the screen; choosing one raises its OnClick.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "toolkit/Component.h"
#include "toolkit/Control.h"

class TMenuItem : public TComponent {
public:
    TMenuItem(TComponent* owner, std::string caption) : TComponent(owner), Caption(std::move(caption)) {}
    std::string Caption;
    TNotifyEvent OnClick;
};

class TPopupMenu : public TComponent {
public:
    using TComponent::TComponent;

    // Adds an item at the end (owned by the menu) and returns it, borrowed; the caption "-"
    // makes a separator line.
    TMenuItem* Add(const std::string& caption);
    const std::vector<TMenuItem*>& Items() const { return items_; }

    // Shows the menu at a screen point, owned by owner (the window it was asked for), and runs
    // the chosen item's OnClick before returning.
    void Popup(int x, int y, HWND owner);
    // Called as the menu opens, before it shows.
    TNotifyEvent OnPopup;

private:
    std::vector<TMenuItem*> items_;
};
