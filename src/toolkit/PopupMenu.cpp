// TPopupMenu: a Win32 popup menu, built on each showing, tracked until the user chooses.
#include "toolkit/PopupMenu.h"

#include <windows.h>

#include <memory>
#include <type_traits>

#include "shared/Utf16.h"

namespace {

// A menu for the duration of one showing.
struct MenuDestroyer {
    void operator()(HMENU menu) const { ::DestroyMenu(menu); }
};
using MenuOwner = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDestroyer>;

}  // namespace

TMenuItem* TPopupMenu::Add(const std::string& caption) {
    TMenuItem* item = Own(std::make_unique<TMenuItem>(this, caption));
    items_.push_back(item);
    return item;
}

void TPopupMenu::Popup(int x, int y, HWND owner) {
    if (OnPopup) OnPopup(this);
    const MenuOwner menu(::CreatePopupMenu());
    if (!menu) return;
    for (size_t i = 0; i < items_.size(); ++i) {
        if (items_[i]->Caption == "-") ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
        else ::AppendMenuW(menu.get(), MF_STRING, i + 1, Utf16FromUtf8(items_[i]->Caption).c_str());
    }
    const UINT chosen = static_cast<UINT>(::TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                                           x, y, 0, owner, nullptr));
    if (chosen >= 1 && chosen <= items_.size()) {
        TMenuItem* item = items_[chosen - 1];
        if (item->OnClick) item->OnClick(item);
    }
}
