// TAutoURLLabel: the URL that follows the caption, the shell call on a press, the hand cursor.
#include "components/aurllabl.h"

#include <memory>

#include "toolkit/Layout.h"
#include "toolkit/Screen.h"

bool RegisterAutoURLLabelKind() {
    RegisterControlKind("urllabel", [](TComponent* owner) { return std::make_unique<TAutoURLLabel>(owner); });
    return true;
}

bool RegisterAutoURLLabelCursor(HINSTANCE instance) {
    HCURSOR hand = ::LoadCursorW(instance, L"AUTOURLLABELCURSOR");
    if (!hand) return false;
    Screen::SetCursor(crAutoURLLabel, hand);
    return true;
}

TAutoURLLabel::TAutoURLLabel(TComponent* owner) : TLabel(owner) {
    Font().SetColor(clBlue);
    Font().SetStyle(fsUnderline);
    SetWidth(100);
}

void TAutoURLLabel::SetURL(const std::string& url) {
    url_ = url;
    Repaint();
}

void TAutoURLLabel::TextChanged() {
    if (url_.empty() || url_ == lastCaption_) url_ = Caption();
    lastCaption_ = Caption();
    Repaint();
}

void TAutoURLLabel::MouseMove(TShiftState shift, int x, int y) {
    TLabel::MouseMove(shift, x, y);
    if (!Caption().empty()) SetCursor(crAutoURLLabel);
}

void TAutoURLLabel::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TLabel::MouseDown(button, shift, x, y);
    if (Caption().empty() || !shell_) return;
    // Whatever the shell makes of the address, a press never reports an error.
    try {
        shell_->ShellOpen("open", url_.c_str(), SW_RESTORE);
    } catch (...) {
    }
}

bool TAutoURLLabel::SetProperty(const std::string& name, const std::string& value) {
    if (name != "URL") return TLabel::SetProperty(name, value);
    SetURL(value);
    return true;
}
