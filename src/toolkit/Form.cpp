// TForm: frame styles and their switching on a live window, embedding as a child window,
// the first-show and close-query events, and focus kept across activation.
#include "toolkit/Form.h"

#include "toolkit/LayoutValues.h"

#include "toolkit/Application.h"
#include "toolkit/Dpi.h"

namespace {

// The application icon at the system's size for dpi, from the image of the program's own
// resources that suits it best.
HICON ApplicationIcon(int metricX, int metricY, int dpi) {
    return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON,
                                           SystemMetricForDpi(metricX, dpi), SystemMetricForDpi(metricY, dpi), 0));
}

}  // namespace

// A form is laid out for the system's dpi; a form of its own takes its window's once made.
TForm::TForm(TComponent* owner) : TWinControl(owner) {
    SetVisible(false);
    ChangeScale(SystemDpi());
}

// The window styles of the current border, icons and parent (visibility and enabled state
// are the caller's).
void TForm::WindowStyles(DWORD& style, DWORD& exStyle) const {
    style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    exStyle = WS_EX_CONTROLPARENT;
    if (borderStyle_ != bsNone) {
        style |= WS_CAPTION;
        if (borderIcons_ & biSystemMenu) style |= WS_SYSMENU;
    }
    if (borderStyle_ == bsDialog) exStyle |= WS_EX_DLGMODALFRAME;
    if (Parent()) {
        style |= WS_CHILD;  // the box bits would mean WS_GROUP and WS_TABSTOP here
    } else {
        if (borderStyle_ == bsNone) style |= WS_POPUP;
        if (borderStyle_ == bsSingle && (borderIcons_ & biSystemMenu)) {
            if (borderIcons_ & biMinimize) style |= WS_MINIMIZEBOX;
            if (borderIcons_ & biMaximize) style |= WS_MAXIMIZEBOX;
        }
    }
}

void TForm::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    const DWORD state = params.Style & (WS_VISIBLE | WS_DISABLED);
    WindowStyles(params.Style, params.ExStyle);
    params.Style |= state;
    if (!Parent()) {
        params.Style &= ~WS_VISIBLE;  // shown once its controls exist, so that showing is seen
        if (position_ == poDefaultPosOnly) params.X = params.Y = CW_USEDEFAULT;
    }
}

void TForm::CreateWnd() {
    TWinControl::CreateWnd();
    HWND window = Handle();
    if (!Parent()) {
        // On a monitor of another dpi than the system's, the window has that monitor's.
        const int dpi = WindowDpi(window);
        if (dpi != Dpi()) ChangeScale(dpi);
        // The frame at this dpi may differ from the one reckoned before the window existed.
        const SIZE client = ScaledClient();
        if (ClientWidth() != client.cx || ClientHeight() != client.cy) SetClientSize(client.cx, client.cy);
        SetIcons();
        RECT placed;
        ::GetWindowRect(window, &placed);  // where the system put it, for a default position
        left_ = placed.left, top_ = placed.top;
    }
    CheckFirstShow();  // a form made inside windows already on screen is visible at once
}

// The old icons are released only once the window holds the new ones.
void TForm::SetIcons() {
    const HICON big = ApplicationIcon(SM_CXICON, SM_CYICON, Dpi()), small = ApplicationIcon(SM_CXSMICON, SM_CYSMICON, Dpi());
    ::SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    ::SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    bigIcon_.reset(big);
    smallIcon_.reset(small);
}

void TForm::ChangeScale(int dpi) {
    if (dpi == Dpi()) return;
    TWinControl::ChangeScale(dpi);
    if (Parent()) return;
    const SIZE client = ScaledClient();
    SetClientSize(client.cx, client.cy);
}

// The window went to a monitor of another dpi: the layout and fonts are scaled to it, and
// the window takes the rectangle the system suggests.
LRESULT TForm::DpiChanged(int dpi, const RECT& suggested) {
    ChangeScale(dpi);
    ::SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    SetIcons();
    return 0;
}

// Applies the styles of the current border, icons and parent to the existing window.
void TForm::Restyle() {
    if (!HandleAllocated()) return;
    HWND window = Handle();
    DWORD style = 0, exStyle = 0;
    WindowStyles(style, exStyle);
    const DWORD kept = WS_VISIBLE | WS_DISABLED | WS_MINIMIZE | WS_MAXIMIZE;
    const DWORD current = static_cast<DWORD>(::GetWindowLongW(window, GWL_STYLE));
    ::SetWindowLongW(window, GWL_STYLE, static_cast<LONG>(style | (current & kept)));
    ::SetWindowLongW(window, GWL_EXSTYLE, static_cast<LONG>(exStyle));
    ::SetWindowPos(window, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::SetBorderStyle(TBorderStyle style) {
    if (style == borderStyle_) return;
    borderStyle_ = style;
    Restyle();
}

void TForm::SetBorderIcons(TBorderIcons icons) {
    if (icons == borderIcons_) return;
    borderIcons_ = icons;
    Restyle();
}

// Width and height that the frame adds around the client area.
SIZE TForm::FrameSize() const {
    RECT frame{0, 0, 0, 0};
    if (HandleAllocated()) {
        const RECT client = ClientRect();
        return {Width() - (client.right - client.left), Height() - (client.bottom - client.top)};
    }
    DWORD style = 0, exStyle = 0;
    WindowStyles(style, exStyle);
    AdjustWindowRectForDpi(frame, style, exStyle, Dpi());
    return {frame.right - frame.left, frame.bottom - frame.top};
}

int TForm::ClientWidth() const { return Width() - FrameSize().cx; }

int TForm::ClientHeight() const { return Height() - FrameSize().cy; }

void TForm::SetClientSize(int width, int height) {
    const SIZE frame = FrameSize();
    SetBounds(Left(), Top(), width + frame.cx, height + frame.cy);
}

void TForm::SetDesignClientSize(int width, int height) {
    designClient_ = {width, height};
    const SIZE client = ScaledClient();
    SetClientSize(client.cx, client.cy);
}

// The designed client size at the form's dpi; a side not designed stays as it is.
SIZE TForm::ScaledClient() const {
    return {designClient_.cx > 0 ? Scaled(designClient_.cx) : ClientWidth(),
            designClient_.cy > 0 ? Scaled(designClient_.cy) : ClientHeight()};
}

void TForm::SetParent(TWinControl* parent) {
    if (parent == Parent()) return;
    if (!HandleAllocated()) {
        TWinControl::SetParent(parent);
        return;
    }
    // The live window changes kind: a child's style goes on before it changes parent.
    HWND window = Handle();
    HWND parentWindow = parent ? parent->Handle() : nullptr;
    TControl::SetParent(parent);
    Restyle();
    ::SetParent(window, parentWindow);
    ::SetWindowPos(window, nullptr, Left(), Top(), Width(), Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    CheckFirstShow();
}

void TForm::VisibleChanged() {
    if (Visible() && !HandleAllocated() && (!Parent() || Parent()->HandleAllocated())) Handle();
    if (!HandleAllocated()) return;  // a child form appears with its parent's window
    ::ShowWindow(Handle(), Visible() ? (Parent() ? SW_SHOWNA : SW_SHOW) : SW_HIDE);
}

void TForm::Show() {
    SetVisible(true);
    BringToFront();
}

bool TForm::IsMainForm() const { return Application && Application->MainForm == this; }

void TForm::Close() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    if (!canClose) return;
    Hide();
    if (IsMainForm()) Application->Terminate(0);
}

void TForm::DoCreate() {
    if (OnCreate) OnCreate(this);
}

void TForm::WindowShown() { CheckFirstShow(); }

// OnShow belongs to the first time the form is really on screen: its own window and every
// ancestor visible. Showing a form inside a hidden tab page waits for the page.
void TForm::CheckFirstShow() {
    if (shown_ || !HandleAllocated() || !::IsWindowVisible(Handle())) return;
    shown_ = true;
    if (OnShow) OnShow(this);
}

// Like a dialog: the focus comes back to the control that had it, else to the first tab stop.
// Whether a control took it.
bool TForm::SetFocusOnActivation() {
    HWND window = Handle();
    HWND target = lastFocus_;
    if (!target || !::IsChild(window, target) || !::IsWindowVisible(target) || !::IsWindowEnabled(target))
        target = ::GetNextDlgTabItem(window, nullptr, FALSE);
    if (!target || !::IsChild(window, target)) return false;
    ::SetFocus(target);
    return true;
}

LRESULT TForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:  // the frame's close box, Alt+F4
            Close();
            return 0;
        case WM_DPICHANGED:
            if (!Parent() && lParam) return DpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            break;
        case WM_WINDOWPOSCHANGED: {  // moved by the user or the system
            const auto* position = reinterpret_cast<const WINDOWPOS*>(lParam);
            if (!(position->flags & SWP_NOMOVE)) left_ = position->x, top_ = position->y;
            if (!(position->flags & SWP_NOSIZE)) width_ = position->cx, height_ = position->cy;
            break;
        }
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = ::GetFocus();
                if (focus && ::IsChild(Handle(), focus)) lastFocus_ = focus;
            } else if (!HIWORD(wParam) && SetFocusOnActivation()) {  // not minimised
                return 0;  // the default would first give the focus to the form itself
            }
            break;
        default:
            break;
    }
    return TWinControl::WndProc(message, wParam, lParam);
}

bool TForm::SetProperty(const std::string& name, const std::string& value) {
    if (name == "BorderStyle") {
        SetBorderStyle(EnumFromText<TBorderStyle>(name, value, {{"bsNone", bsNone}, {"bsSingle", bsSingle}, {"bsDialog", bsDialog}}));
    } else if (name == "BorderIcons") {
        SetBorderIcons(SetFromText<TBorderIcons>(
            name, value, {{"biSystemMenu", biSystemMenu}, {"biMinimize", biMinimize}, {"biMaximize", biMaximize}}));
    } else if (name == "Position") {
        SetPosition(EnumFromText<TPosition>(name, value, {{"poDesigned", poDesigned}, {"poDefaultPosOnly", poDefaultPosOnly}}));
    } else if (name == "ClientWidth") {
        SetDesignClientSize(IntFromText(value), designClient_.cy);
    } else if (name == "ClientHeight") {
        SetDesignClientSize(designClient_.cx, IntFromText(value));
    } else {
        return TWinControl::SetProperty(name, value);
    }
    return true;
}
