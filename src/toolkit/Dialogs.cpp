// MessageDlg: a modal window of the toolkit's own, sized to its text, with its own message
// loop. The loop dispatches everything (thread timers included) and handles Enter and
// Escape itself, so that their meaning does not depend on the system's dialog manager.
#include "toolkit/Dialogs.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "shared/Utf16.h"
#include "toolkit/Application.h"
#include "toolkit/BitBtn.h"
#include "toolkit/DialogText.h"
#include "toolkit/Dpi.h"
#include "toolkit/WinControl.h"
#include "toolkit/Image.h"

namespace {

constexpr int kMargin = 12;         // around the content
constexpr int kGap = 12;            // between icon and text, and text and buttons
constexpr int kIconSize = 32;
constexpr int kButtonWidth = 75, kButtonHeight = 25, kButtonGap = 8;
constexpr UINT kTextFormat = DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS;

struct ButtonKind {
    TMsgDlgButtons button;
    const char* caption;
    int result;
};
const ButtonKind kButtonKinds[] = {
    {mbYes, "&Yes", mrYes},          {mbNo, "&No", mrNo},          {mbOK, "OK", mrOk},
    {mbCancel, "Cancel", mrCancel}, {mbAbort, "&Abort", mrAbort}, {mbRetry, "&Retry", mrRetry},
    {mbIgnore, "&Ignore", mrIgnore}};

std::string TitleOf(TMsgDlgType type) {
    switch (type) {
        case mtWarning: return "Warning";
        case mtError: return "Error";
        case mtInformation: return "Information";
        case mtConfirmation: return "Confirm";
        default: return Application ? Application->Title() : std::string();
    }
}

LPCWSTR IconOf(TMsgDlgType type) {
    switch (type) {
        case mtWarning: return IDI_EXCLAMATION;
        case mtError: return IDI_HAND;
        case mtInformation: return IDI_ASTERISK;
        case mtConfirmation: return IDI_QUESTION;
        default: return nullptr;
    }
}

SIZE MeasureText(const TFont& font, const std::wstring& text, int maxWidth) {
    ScopedSelect select(MeasuringDC(), font.Handle());
    RECT rect{0, 0, maxWidth, 0};
    ::DrawTextW(MeasuringDC(), text.c_str(), static_cast<int>(text.size()), &rect, kTextFormat | DT_CALCRECT);
    return {rect.right, rect.bottom};
}

// The message: a window of its own, so that its text can be read back (WM_GETTEXT gives
// the text as it was given, line breaks included). It quotes data (titles, names), so it is
// drawn in the data face, which Windows links to fonts of every script.
class MessageText : public TWinControl {
public:
    using TWinControl::TWinControl;

    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_GETTEXTLENGTH) return static_cast<LRESULT>(Utf16FromUtf8(Caption()).size());
        if (message == WM_GETTEXT) {
            if (wParam == 0) return 0;
            const std::wstring caption = Utf16FromUtf8(Caption());
            const size_t length = std::min(caption.size(), static_cast<size_t>(wParam) - 1);
            auto* buffer = reinterpret_cast<wchar_t*>(lParam);
            caption.copy(buffer, length);
            buffer[length] = L'\0';
            return static_cast<LRESULT>(length);
        }
        return TWinControl::WndProc(message, wParam, lParam);
    }

protected:
    void PaintWindow(HDC dc) override {
        TWinControl::PaintWindow(dc);
        ScopedSelect select(dc, Font().Handle());
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ColorToRGB(Font().Color()));
        RECT client = ClientRect();
        const std::wstring text = DialogDisplayText(Caption());
        ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &client, kTextFormat);
    }
};

class MessageForm : public TWinControl {
public:
    MessageForm(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, HWND owner);
    int ShowModal();
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    struct DialogButton {
        TMsgDlgButtons kind;
        std::unique_ptr<TBitBtn> button;
    };
    TBitBtn* ButtonFor(TMsgDlgButtons kind) const {
        for (const DialogButton& button : buttons_)
            if (button.kind == kind) return button.button.get();
        return nullptr;
    }
    bool HandleDialogKey(const MSG& message);
    void Layout(const std::string& text, TMsgDlgType type);

    HWND owner_;
    TMsgDlgType type_;
    TImage icon_{nullptr};
    MessageText text_{nullptr};
    std::vector<DialogButton> buttons_;
    TBitBtn* default_ = nullptr;
    TBitBtn* cancel_ = nullptr;
    int result_ = mrNone;
};

MessageForm::MessageForm(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, HWND owner)
    : TWinControl(nullptr), owner_(owner), type_(type) {
    SetVisible(false);
    ChangeScale(owner ? WindowDpi(owner) : SystemDpi());  // shown on its owner's monitor
    SetCaption(TitleOf(type));
    if ((buttons & (mbYes | mbNo | mbOK | mbCancel | mbAbort | mbRetry | mbIgnore)) == 0) buttons = mbOK;
    for (const ButtonKind& kind : kButtonKinds) {
        if (!(buttons & kind.button)) continue;
        auto button = std::make_unique<TBitBtn>(nullptr);
        button->SetCaption(kind.caption);
        const int result = kind.result;
        button->OnClick = [this, result](TObject*) { result_ = result; };
        buttons_.push_back({kind.button, std::move(button)});
    }
    default_ = ButtonFor(mbOK);
    if (!default_) default_ = ButtonFor(mbYes);
    if (!default_) default_ = buttons_.front().button.get();
    default_->SetDefault(true);
    cancel_ = ButtonFor(mbCancel);
    if (!cancel_) cancel_ = ButtonFor(mbNo);
    if (!cancel_) cancel_ = ButtonFor(mbOK);
    Layout(text, type);
}

void MessageForm::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.Style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    params.ExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    params.WndParent = owner_;
}

// Icon at the top left, the text beside it as wide as it needs (up to half the screen),
// the buttons centred in one row below.
void MessageForm::Layout(const std::string& text, TMsgDlgType type) {
    // The sizes above are designed at 96 dpi.
    const int margin = Scaled(kMargin), gap = Scaled(kGap), iconSize = Scaled(kIconSize);
    const int buttonWidth = Scaled(kButtonWidth), buttonHeight = Scaled(kButtonHeight), buttonGap = Scaled(kButtonGap);
    const int maxTextWidth = std::max(200, ::GetSystemMetrics(SM_CXSCREEN) / 2);
    text_.Font().SetName(kDataFontName);
    text_.ChangeScale(Dpi());  // measured before it joins the dialog: at the dialog's dpi
    const SIZE textSize = MeasureText(text_.Font(), DialogDisplayText(text), maxTextWidth);
    int textLeft = margin;
    if (LPCWSTR iconName = IconOf(type)) {
        icon_.SetBounds(margin, margin, iconSize, iconSize);
        icon_.SetCenter(true);
        icon_.SetIcon(::LoadIconW(nullptr, iconName));  // a shared icon: never destroyed
        icon_.SetParent(this);
        textLeft += iconSize + gap;
    }
    text_.SetCaption(text);
    text_.SetBounds(textLeft, margin, textSize.cx, textSize.cy);
    text_.SetParent(this);

    const int count = static_cast<int>(buttons_.size());
    const int rowWidth = count * buttonWidth + (count - 1) * buttonGap;
    const int contentHeight = std::max<int>(textSize.cy, icon_.Parent() ? iconSize : 0);
    const int clientWidth = std::max<int>(textLeft + textSize.cx, rowWidth + margin) + margin;
    const int buttonsTop = margin + contentHeight + gap;
    int x = (clientWidth - rowWidth) / 2;
    for (DialogButton& button : buttons_) {
        button.button->SetBounds(x, buttonsTop, buttonWidth, buttonHeight);
        button.button->SetParent(this);
        x += buttonWidth + buttonGap;
    }

    TCreateParams params;
    CreateParams(params);
    RECT frame{0, 0, clientWidth, buttonsTop + buttonHeight + margin};
    AdjustWindowRectForDpi(frame, params.Style, params.ExStyle, Dpi());
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    RECT work{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SetBounds(work.left + (work.right - work.left - width) / 2, work.top + (work.bottom - work.top - height) / 2,
              width, height);
}

LRESULT MessageForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {  // close box, Alt+F4, the system menu
        if (result_ == mrNone) result_ = mrCancel;
        return 0;
    }
    if (message == WM_DPICHANGED && lParam) {  // moved to a monitor of another dpi: laid out anew there
        ChangeScale(LOWORD(wParam));
        Layout(text_.Caption(), type_);
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        SetBounds(suggested->left, suggested->top, Width(), Height());
        return 0;
    }
    return TWinControl::WndProc(message, wParam, lParam);
}

bool MessageForm::HandleDialogKey(const MSG& message) {
    if (message.message != WM_KEYDOWN) return false;
    if (message.hwnd != Handle() && !::IsChild(Handle(), message.hwnd)) return false;
    if (message.wParam == VK_ESCAPE) {
        if (cancel_) cancel_->Click();
        return true;
    }
    if (message.wParam == VK_RETURN) {
        TBitBtn* pressed = default_;
        for (DialogButton& button : buttons_)
            if (button.button->Focused()) pressed = button.button.get();
        pressed->Click();
        return true;
    }
    return false;
}

int MessageForm::ShowModal() {
    HWND window = Handle();
    if (!window) return mrCancel;
    const bool disableOwner = owner_ && ::IsWindowEnabled(owner_);
    if (disableOwner) ::EnableWindow(owner_, FALSE);
    SetVisible(true);
    ::SetForegroundWindow(window);
    ::SetActiveWindow(window);
    default_->SetFocus();

    MSG message;
    while (result_ == mrNone && HandleAllocated()) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) ::PostQuitMessage(static_cast<int>(message.wParam));  // for the main loop
            break;
        }
        if (HandleDialogKey(message) || ::IsDialogMessageW(window, &message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    // The owner first, so that it becomes active again when the dialog goes.
    if (disableOwner) ::EnableWindow(owner_, TRUE);
    if (HandleAllocated()) ::ShowWindow(Handle(), SW_HIDE);
    return result_ == mrNone ? mrCancel : result_;
}

HWND ActiveWindowOfProgram() {
    if (HWND active = ::GetActiveWindow()) return active;
    if (Application && Application->MainForm && Application->MainForm->HandleAllocated())
        return Application->MainForm->Handle();
    return nullptr;
}

}  // namespace

int MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons, int /*helpContext*/) {
    HWND focus = ::GetFocus();
    int result;
    {
        MessageForm form(text, type, buttons, ActiveWindowOfProgram());
        result = form.ShowModal();
    }
    // The owner is active again; the control that had the focus gets it back.
    if (focus && ::IsWindow(focus)) ::SetFocus(focus);
    return result;
}
