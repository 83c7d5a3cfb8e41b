// TListBox: the LISTBOX class with LBS_NOTIFY; the toolkit fits the height to whole
// lines itself, because the system does so only on a resize and forgets it on WM_SETFONT.
#include "toolkit/ListBox.h"

#include <vector>

#include "shared/DisplayScale.h"
#include "shared/Utf16.h"
#include "toolkit/LayoutValues.h"

namespace {
HWND WindowOf(const TWinControl& control) {
    return control.HandleAllocated() ? const_cast<TWinControl&>(control).Handle() : nullptr;
}
}  // namespace

TListBox::TListBox(TComponent* owner) : TWinControl(owner) { TabStop = true; }

void TListBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.ClassName = "LISTBOX";
    params.Style = (params.Style & ~WS_CLIPCHILDREN) | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListBox::CreateWnd() {
    ApplyItemHeight();
    FillWindow();
    ::SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
}

// The lines go in while the window's WS_VISIBLE bit is cleared, as WM_SETREDRAW would clear
// it, and the window is redrawn once, frame and all, at the end. WM_SETREDRAW is not used: the
// list box answers its "redraw on" by drawing its scroll bar at once, which under Wine takes
// a few milliseconds, and the window is drawn whole anyway.
void TListBox::FillWindow() {
    HWND window = WindowOf(*this);
    if (!window) return;
    const LONG style = ::GetWindowLongW(window, GWL_STYLE);
    if (style & WS_VISIBLE) ::SetWindowLongW(window, GWL_STYLE, style & ~WS_VISIBLE);
    ::SendMessageW(window, LB_RESETCONTENT, 0, 0);
    std::vector<std::wstring> lines;
    lines.reserve(items_.size());
    size_t bytes = 0;
    for (const std::string& text : items_) bytes += (lines.emplace_back(Utf16FromUtf8(text)).size() + 1) * sizeof(wchar_t);
    ::SendMessageW(window, LB_INITSTORAGE, items_.size(), static_cast<LPARAM>(bytes));
    for (const std::wstring& line : lines) ::SendMessageW(window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    if (!(style & WS_VISIBLE)) return;  // a hidden list is drawn whole when it shows
    ::SetWindowLongW(window, GWL_STYLE, ::GetWindowLongW(window, GWL_STYLE) | WS_VISIBLE);
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void TListBox::Clear() {
    items_.clear();
    itemIndex_ = -1;
    if (HWND window = WindowOf(*this)) ::SendMessageW(window, LB_RESETCONTENT, 0, 0);
}

void TListBox::Add(const std::string& text) {
    items_.push_back(text);
    if (HWND window = WindowOf(*this))
        ::SendMessageW(window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf16FromUtf8(items_.back()).c_str()));
}

void TListBox::SetItems(const TStringList& items) {
    std::vector<std::string> texts;
    texts.reserve(static_cast<size_t>(items.Count()));
    for (int i = 0; i < items.Count(); ++i) texts.push_back(items.Strings(i));
    SetItems(texts);
}

void TListBox::SetItems(const std::vector<std::string>& items) {
    items_ = items;
    itemIndex_ = -1;
    FillWindow();
}

const std::string& TListBox::Strings(int index) const {
    if (index < 0 || index >= Count()) throw EStringListError(index);
    return items_[static_cast<size_t>(index)];
}

int TListBox::ItemIndex() const {
    HWND window = WindowOf(*this);
    if (!window) return itemIndex_;
    const LRESULT selected = ::SendMessageW(window, LB_GETCURSEL, 0, 0);
    return selected == LB_ERR ? -1 : static_cast<int>(selected);
}

void TListBox::SetItemIndex(int index) {
    if (index < 0 || index >= Count()) index = -1;
    itemIndex_ = index;
    if (HWND window = WindowOf(*this)) ::SendMessageW(window, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TListBox::SetItemHeight(int height) {
    if (height == itemHeight_ || height <= 0) return;
    itemHeight_ = height;
    ApplyItemHeight();
}

void TListBox::SetIntegralHeight(bool integralHeight) {
    if (integralHeight == integralHeight_) return;
    integralHeight_ = integralHeight;
    ApplyItemHeight();
}

// Sets the line height and makes the window as high as the layout asked, less the part of
// a line that would not fit: the list then shows whole lines only. Both heights are the
// designed ones scaled to the list's dpi.
void TListBox::ApplyItemHeight() {
    HWND window = WindowOf(*this);
    if (!window) return;
    const int itemHeight = Scaled(itemHeight_);
    ::SendMessageW(window, LB_SETITEMHEIGHT, 0, MAKELPARAM(itemHeight, 0));
    RECT outer, client;
    ::GetWindowRect(window, &outer);
    ::GetClientRect(window, &client);
    const int frame = (outer.bottom - outer.top) - client.bottom;
    int clientHeight = height_ - frame;
    if (integralHeight_) clientHeight = WholeLinesHeight(clientHeight, itemHeight);
    if (clientHeight + frame != outer.bottom - outer.top)
        ::SetWindowPos(window, nullptr, 0, 0, width_, clientHeight + frame,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(window, nullptr, TRUE);
}

void TListBox::FontChanged() {
    TWinControl::FontChanged();  // WM_SETFONT gives the list the font's line height
    ApplyItemHeight();
}

void TListBox::BoundsChanged() { ApplyItemHeight(); }

POINT TListBox::ContextMenuPoint() {
    RECT item;
    const int selected = ItemIndex();
    if (selected >= 0 &&
        ::SendMessageW(Handle(), LB_GETITEMRECT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(&item)) != LB_ERR) {
        RECT client;
        ::GetClientRect(Handle(), &client);
        if (item.top >= client.top && item.bottom <= client.bottom) return {item.left + 8, item.bottom};
    }
    return TWinControl::ContextMenuPoint();
}

LRESULT TListBox::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) itemIndex_ = ItemIndex();  // kept for a window made again later
    return TWinControl::WndProc(message, wParam, lParam);
}

bool TListBox::SetProperty(const std::string& name, const std::string& value) {
    if (name == "ItemHeight") SetItemHeight(IntFromText(value));
    else if (name == "IntegralHeight") SetIntegralHeight(BoolFromText(value));
    else return TWinControl::SetProperty(name, value);
    return true;
}
