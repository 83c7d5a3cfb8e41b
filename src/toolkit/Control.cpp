// The control hierarchy: bounds, fonts, painting of windowless children, message routing.
#include "toolkit/Control.h"

#include <windowsx.h>

#include <algorithm>
#include <exception>
#include <map>
#include <stdexcept>

#include "toolkit/PopupMenu.h"

namespace {

const char kObjectProperty[] = "Velqorns.Control";
const char kWindowClass[] = "VelqornsWindow";

std::map<int, HCURSOR>& CursorTable() {
    static std::map<int, HCURSOR> table;
    return table;
}

void RegisterWindowClass() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = DefWindowProcA;  // replaced per window by the subclassing below
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kWindowClass;
    ::RegisterClassExA(&windowClass);
    registered = true;
}

TMouseButton ButtonOf(UINT message) {
    switch (message) {
        case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK: return mbRight;
        case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK: return mbMiddle;
        default: return mbLeft;
    }
}

bool IsButtonDown(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
           message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDBLCLK;
}

bool IsButtonUp(UINT message) {
    return message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP;
}

TShiftState ShiftFromMouseKeys(WPARAM keys) {
    TShiftState shift = 0;
    if (keys & MK_SHIFT) shift |= ssShift;
    if (keys & MK_CONTROL) shift |= ssCtrl;
    if (keys & MK_LBUTTON) shift |= ssLeft;
    if (keys & MK_RBUTTON) shift |= ssRight;
    if (keys & MK_MBUTTON) shift |= ssMiddle;
    if (::GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    return shift;
}

}  // namespace

void Screen::SetCursor(int index, HCURSOR cursor) { CursorTable()[index] = cursor; }

HCURSOR Screen::Cursor(int index) {
    auto found = CursorTable().find(index);
    return found == CursorTable().end() ? nullptr : found->second;
}

TColor ColorFromText(const std::string& text) {
    static const std::map<std::string, TColor> named = {
        {"clBlack", clBlack}, {"clNavy", clNavy}, {"clGray", clGray}, {"clBlue", clBlue}, {"clWhite", clWhite},
        {"clWindowText", clWindowText}, {"clBtnFace", clBtnFace}, {"clBtnShadow", clBtnShadow},
        {"clBtnHighlight", clBtnHighlight}};
    auto found = named.find(text);
    if (found != named.end()) return found->second;
    return static_cast<TColor>(std::stoul(text, nullptr, 0));
}

bool BoolFromText(const std::string& text) {
    if (text == "true" || text == "1") return true;
    if (text == "false" || text == "0") return false;
    throw std::invalid_argument("\"" + text + "\" is neither true nor false");
}

int IntFromText(const std::string& text) { return static_cast<int>(std::stol(text, nullptr, 0)); }

TShiftState CurrentShiftState() {
    TShiftState shift = 0;
    if (::GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
    if (::GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
    if (::GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    return shift;
}

TExceptionHandler& ExceptionHandler() {
    static TExceptionHandler handler = [](const std::string& message) {
        ::MessageBoxA(::GetActiveWindow(), message.c_str(), "Velqorns!", MB_OK | MB_ICONERROR);
    };
    return handler;
}

void HandleException() {
    std::string message = "Unknown error";
    try {
        throw;
    } catch (const std::exception& error) {
        message = error.what();
    } catch (...) {
    }
    if (ExceptionHandler()) ExceptionHandler()(message);
}

// ---- TControl

TControl::TControl(TComponent* owner) : TComponent(owner) {
    font_.OnChange = [this] {
        if (!parentFont_) FontChanged();
    };
}

TControl::~TControl() {
    if (parent_) parent_->RemoveControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    Invalidate();
    left_ = left, top_ = top, width_ = width, height_ = height;
    Invalidate();
    BoundsChanged();
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    Invalidate();
    if (parent_) parent_->RemoveControl(this);
    parent_ = parent;
    if (parent_) parent_->InsertControl(this);
    if (parentFont_) FontChanged();
    Invalidate();
}

void TControl::SetVisible(bool visible) {
    if (visible == visible_) return;
    Invalidate();
    visible_ = visible;
    VisibleChanged();
    Invalidate();
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    EnabledChanged();
}

void TControl::SetCaption(const std::string& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    TextChanged();
}

const TFont& TControl::Font() const {
    if (parentFont_ && parent_) return static_cast<const TControl*>(parent_)->Font();
    return font_;
}

TFont& TControl::Font() {
    if (parentFont_) {
        const TFont& inEffect = static_cast<const TControl*>(this)->Font();
        if (&inEffect != &font_) font_.Assign(inEffect);
        parentFont_ = false;
        FontChanged();
    }
    return font_;
}

void TControl::SetParentFont(bool parentFont) {
    if (parentFont == parentFont_) return;
    parentFont_ = parentFont;
    FontChanged();
}

void TControl::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    ColorChanged();
}

void TControl::SetAlign(TAlign align) {
    if (align == align_) return;
    align_ = align;
    if (parent_) parent_->AlignControls();
}

void TControl::Invalidate() {}
void TControl::Repaint() {}
void TControl::BringToFront() {}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

bool TControl::SetProperty(const std::string& name, const std::string& value) {
    if (name == "Caption") SetCaption(value);
    else if (name == "Color") SetColor(ColorFromText(value));
    else if (name == "Visible") SetVisible(BoolFromText(value));
    else if (name == "Enabled") SetEnabled(BoolFromText(value));
    else if (name == "ParentFont") SetParentFont(BoolFromText(value));
    else if (name == "Cursor") SetCursor(IntFromText(value));
    else if (name == "Align") {
        if (value == "alNone") SetAlign(alNone);
        else if (value == "alClient") SetAlign(alClient);
        else throw std::invalid_argument("Align has no value \"" + value + "\"");
    }
    else if (name == "Font.Name") Font().SetName(value);
    else if (name == "Font.Height") Font().SetHeight(IntFromText(value));
    else if (name == "Font.Color") Font().SetColor(ColorFromText(value));
    else if (name == "Font.Style") {
        std::uint8_t style = 0;
        if (value.find("bold") != std::string::npos) style |= fsBold;
        if (value.find("italic") != std::string::npos) style |= fsItalic;
        if (value.find("underline") != std::string::npos) style |= fsUnderline;
        if (value.find("strikeout") != std::string::npos) style |= fsStrikeOut;
        Font().SetStyle(style);
    } else {
        return false;
    }
    return true;
}

// ---- TGraphicControl

void TGraphicControl::Invalidate() {
    TWinControl* parent = Parent();
    if (!parent || !parent->HandleAllocated()) return;
    const RECT bounds = BoundsRect();
    ::InvalidateRect(parent->Handle(), &bounds, TRUE);
}

void TGraphicControl::Repaint() {
    Invalidate();
    if (Parent() && Parent()->HandleAllocated()) ::UpdateWindow(Parent()->Handle());
}

void TGraphicControl::BringToFront() {
    TWinControl* parent = Parent();
    if (!parent) return;
    parent->RemoveControl(this);
    parent->InsertControl(this);
    Invalidate();
}

// ---- TWinControl

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    // Children that outlive this window lose their parent; their windows go with ours.
    for (TControl* child : std::vector<TControl*>(controls_)) child->parent_ = nullptr;
    controls_.clear();
    DestroyHandle();
}

TWinControl* TWinControl::FromHandle(HWND window) {
    return window ? static_cast<TWinControl*>(::GetPropA(window, kObjectProperty)) : nullptr;
}

void TWinControl::CreateParams(TCreateParams& params) {
    params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (Visible()) params.Style |= WS_VISIBLE;
    if (!Enabled()) params.Style |= WS_DISABLED;
    if (TabStop) params.Style |= WS_TABSTOP;
    params.Caption = Caption();
}

HWND TWinControl::Handle() {
    if (handle_) return handle_;
    TCreateParams params;
    params.X = left_, params.Y = top_, params.Width = width_, params.Height = height_;
    CreateParams(params);
    HWND parentWindow = nullptr;
    if (params.Style & WS_CHILD) {
        if (!parent_) return nullptr;  // a child window needs its parent first
        parentWindow = parent_->Handle();
        if (!parentWindow) return nullptr;
    } else {
        parentWindow = params.WndParent;
    }
    ownClass_ = params.ClassName.empty();
    if (ownClass_) RegisterWindowClass();
    HWND window = ::CreateWindowExA(params.ExStyle, ownClass_ ? kWindowClass : params.ClassName.c_str(),
                                    params.Caption.c_str(), params.Style, params.X, params.Y, params.Width, params.Height,
                                    parentWindow, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    if (!window) return nullptr;
    handle_ = window;
    ::SetPropA(window, kObjectProperty, this);
    defaultProc_ = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StaticWndProc)));
    ::SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
    AlignControls();
    // A new window goes to the bottom of its siblings, so making them in tab order stacks
    // them in tab order; a window made later among existing siblings needs rearranging.
    creatingChildren_ = true;
    for (TWinControl* child : TabOrderedChildren()) child->Handle();
    creatingChildren_ = false;
    if (parent_ && !parent_->creatingChildren_) parent_->ArrangeTabOrder();
    CreateWnd();
    return handle_;
}

void TWinControl::CreateWnd() {}

void TWinControl::DestroyHandle() {
    if (!handle_) return;
    HWND window = handle_;
    ::DestroyWindow(window);  // WM_NCDESTROY forgets the handle
    handle_ = nullptr;
}

void TWinControl::SetParent(TWinControl* parent) {
    if (parent == Parent()) return;
    TControl::SetParent(parent);
    if (handle_) {
        if (parent && parent->Handle()) {
            ::SetParent(handle_, parent->Handle());
        } else if (::GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD) {
            DestroyHandle();
        }
    } else if (parent && parent->HandleAllocated()) {
        Handle();
    }
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    left_ = left, top_ = top, width_ = width, height_ = height;
    if (handle_) ::MoveWindow(handle_, left, top, width, height, TRUE);
    BoundsChanged();
}

RECT TWinControl::ClientRect() const {
    RECT rect{0, 0, width_, height_};
    if (handle_) ::GetClientRect(handle_, &rect);
    return rect;
}

void TWinControl::Invalidate() {
    if (handle_) ::InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::Repaint() {
    if (!handle_) return;
    ::InvalidateRect(handle_, nullptr, TRUE);
    ::UpdateWindow(handle_);
}

void TWinControl::BringToFront() {
    if (TWinControl* parent = Parent()) {
        parent->RemoveControl(this);
        parent->InsertControl(this);
    }
    if (handle_) ::SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::SetTabOrder(int tabOrder) {
    if (tabOrder == tabOrder_) return;
    tabOrder_ = tabOrder;
    if (parent_) parent_->ArrangeTabOrder();
}

std::vector<TWinControl*> TWinControl::TabOrderedChildren() const {
    std::vector<TWinControl*> windowed;
    for (TControl* child : controls_)
        if (auto* control = dynamic_cast<TWinControl*>(child)) windowed.push_back(control);
    std::stable_sort(windowed.begin(), windowed.end(),
                     [](const TWinControl* a, const TWinControl* b) { return a->tabOrder_ < b->tabOrder_; });
    return windowed;
}

// Dialog navigation (Tab, arrows) follows the stacking order of windows, the top one first.
void TWinControl::ArrangeTabOrder() {
    if (!handle_) return;
    HWND above = HWND_TOP;
    for (TWinControl* child : TabOrderedChildren()) {
        if (!child->handle_) continue;
        ::SetWindowPos(child->handle_, above, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        above = child->handle_;
    }
}

void TWinControl::AlignControls() {
    if (!handle_) return;
    const RECT client = ClientRect();
    for (TControl* child : std::vector<TControl*>(controls_))
        if (child->Align() == alClient)
            child->SetBounds(client.left, client.top, client.right - client.left, client.bottom - client.top);
}

void TWinControl::NotifyShown() {
    WindowShown();
    for (TControl* child : std::vector<TControl*>(controls_))
        if (auto* windowed = dynamic_cast<TWinControl*>(child); windowed && windowed->handle_) windowed->NotifyShown();
}

bool TWinControl::SetProperty(const std::string& name, const std::string& value) {
    if (name == "TabOrder") {
        SetTabOrder(IntFromText(value));
        return true;
    }
    if (name != "TabStop") return TControl::SetProperty(name, value);
    TabStop = BoolFromText(value);
    if (handle_) {
        const LONG style = ::GetWindowLongA(handle_, GWL_STYLE);
        ::SetWindowLongA(handle_, GWL_STYLE, TabStop ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
    }
    return true;
}

void TWinControl::SetFocus() {
    if (Handle()) ::SetFocus(handle_);
}

bool TWinControl::Focused() const { return handle_ && ::GetFocus() == handle_; }

void TWinControl::VisibleChanged() {
    if (handle_) ::ShowWindow(handle_, Visible() ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::EnabledChanged() {
    if (!handle_) return;
    // The system takes the focus only from the disabled window itself; a child of it would
    // keep the focus and go on getting keys (and the dialog manager would loop looking for
    // a mnemonic among windows it cannot enter). The focus goes to the top-level window.
    HWND focus = ::GetFocus();
    if (!Enabled() && focus && ::IsChild(handle_, focus)) {
        HWND root = ::GetAncestor(handle_, GA_ROOT);
        ::SetFocus(root != handle_ ? root : nullptr);
    }
    ::EnableWindow(handle_, Enabled());
}

void TWinControl::TextChanged() {
    if (handle_) ::SetWindowTextA(handle_, Caption().c_str());
}

void TWinControl::FontChanged() {
    if (handle_) ::SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
    for (TControl* child : controls_)
        if (child->ParentFont()) child->FontChanged();
}

void TWinControl::InsertControl(TControl* control) {
    if (auto* windowed = dynamic_cast<TWinControl*>(control); windowed && windowed->tabOrder_ < 0) {
        int siblings = 0;
        for (TControl* child : controls_) siblings += dynamic_cast<TWinControl*>(child) != nullptr;
        windowed->tabOrder_ = siblings;
    }
    controls_.push_back(control);
}

void TWinControl::RemoveControl(TControl* control) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) windowed->tabOrder_ = -1;
    if (mouseCapture_ == control) mouseCapture_ = nullptr;
}

TGraphicControl* TWinControl::GraphicControlAt(int x, int y) const {
    for (auto child = controls_.rbegin(); child != controls_.rend(); ++child) {
        auto* graphic = dynamic_cast<TGraphicControl*>(*child);
        if (!graphic || !graphic->Visible() || !graphic->Enabled()) continue;
        const RECT bounds = graphic->BoundsRect();
        const POINT point{x, y};
        if (::PtInRect(&bounds, point)) return graphic;
    }
    return nullptr;
}

void TWinControl::PaintWindow(HDC dc) {
    TCanvas canvas(dc);
    RECT client;
    ::GetClientRect(handle_, &client);
    canvas.FillRect(client, Color());
    PaintControls(dc);
}

void TWinControl::PaintControls(HDC dc) {
    for (TControl* child : controls_) {
        auto* graphic = dynamic_cast<TGraphicControl*>(child);
        if (!graphic || !graphic->Visible()) continue;
        const int saved = ::SaveDC(dc);
        ::IntersectClipRect(dc, graphic->Left(), graphic->Top(), graphic->Left() + graphic->Width(),
                            graphic->Top() + graphic->Height());
        ::SetViewportOrgEx(dc, graphic->Left(), graphic->Top(), nullptr);
        graphic->Paint(dc);
        ::RestoreDC(dc, saved);
    }
}

POINT TWinControl::ContextMenuPoint() { return {width_ / 2, height_ / 2}; }

HBRUSH TWinControl::TextOnParentColor(HDC dc) {
    const COLORREF background = ColorToRGB(parent_ ? parent_->Color() : Color());
    if (!parentBrush_.get() || parentBrushColor_ != background) {
        parentBrush_.reset(::CreateSolidBrush(background));
        parentBrushColor_ = background;
    }
    ::SetTextColor(dc, ColorToRGB(Font().Color()));
    ::SetBkColor(dc, background);
    ::SetBkMode(dc, TRANSPARENT);
    return parentBrush_.get();
}

// Mouse messages over a windowless child go to that child (and stay with it while a
// button is held); returns true when a child took the message.
bool TWinControl::RouteMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    TGraphicControl* target = mouseCapture_ ? mouseCapture_ : GraphicControlAt(x, y);
    if (!target) return false;
    const int localX = x - target->Left(), localY = y - target->Top();
    const TShiftState shift = ShiftFromMouseKeys(wParam);
    if (message == WM_MOUSEMOVE) {
        target->MouseMove(shift, localX, localY);
    } else if (IsButtonDown(message)) {
        mouseCapture_ = target;
        ::SetCapture(handle_);
        target->MouseDown(ButtonOf(message), shift, localX, localY);
    } else if (IsButtonUp(message)) {
        mouseCapture_ = nullptr;
        ::ReleaseCapture();
        target->MouseUp(ButtonOf(message), shift, localX, localY);
        const RECT bounds = target->ClientRect();
        if (message == WM_LBUTTONUP && ::PtInRect(&bounds, POINT{localX, localY})) target->Click();
    }
    return true;
}

LRESULT TWinControl::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
    if (defaultProc_ && defaultProc_ != &StaticWndProc)
        return ::CallWindowProcA(defaultProc_, handle_, message, wParam, lParam);
    return ::DefWindowProcA(handle_, message, wParam, lParam);
}

LRESULT TWinControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(lParam))) {
                child->CommandNotify(HIWORD(wParam));
                return 0;
            }
            break;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (TWinControl* child = FromHandle(header->hwndFrom); child && child != this)
                return child->NotifyReflect(header);
            break;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLOREDIT:
            if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(lParam)))
                if (HBRUSH brush = child->CtlColor(reinterpret_cast<HDC>(wParam)))
                    return reinterpret_cast<LRESULT>(brush);
            break;
        case WM_ERASEBKGND:
            if (ownClass_) return 1;  // WM_PAINT fills the background
            break;
        case WM_PAINT:
            if (ownClass_) {
                PaintScope paint(handle_);
                PaintWindow(paint.dc());
                return 0;
            }
            break;
        case WM_SIZE:
            AlignControls();
            break;
        case WM_WINDOWPOSCHANGED:
            if (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW) {
                const LRESULT result = DefaultHandler(message, wParam, lParam);
                NotifyShown();
                return result;
            }
            break;
        case WM_SETCURSOR:
            if (reinterpret_cast<HWND>(wParam) == handle_ && LOWORD(lParam) == HTCLIENT) {
                POINT point;
                ::GetCursorPos(&point);
                ::ScreenToClient(handle_, &point);
                const TControl* over = GraphicControlAt(point.x, point.y);
                if (!over) over = this;
                if (HCURSOR cursor = over->Cursor() != crDefault ? Screen::Cursor(over->Cursor()) : nullptr) {
                    ::SetCursor(cursor);
                    return TRUE;
                }
            }
            break;
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
        case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK: case WM_MBUTTONDBLCLK:
        case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP: {
            if (ownClass_ && RouteMouse(message, wParam, lParam)) return 0;
            const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
            const TShiftState shift = ShiftFromMouseKeys(wParam);
            if (message == WM_MOUSEMOVE) {
                MouseMove(shift, x, y);
            } else if (IsButtonDown(message)) {
                const LRESULT result = DefaultHandler(message, wParam, lParam);
                MouseDown(ButtonOf(message), shift, x, y);
                return result;
            } else {
                // The event first: a right button's release opens the popup menu after it.
                MouseUp(ButtonOf(message), shift, x, y);
            }
            break;
        }
        case WM_KEYDOWN:
        case WM_KEYUP: {
            WORD key = static_cast<WORD>(wParam);
            TKeyEvent& event = message == WM_KEYDOWN ? OnKeyDown : OnKeyUp;
            if (event) event(this, key, CurrentShiftState());
            if (key == 0) return 0;
            break;
        }
        case WM_CONTEXTMENU:
            if (PopupMenu && reinterpret_cast<HWND>(wParam) == handle_) {
                POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                if (lParam == -1) {  // from the keyboard: Menu key or Shift+F10
                    point = ContextMenuPoint();
                    ::ClientToScreen(handle_, &point);
                }
                PopupMenu->Popup(point.x, point.y);
                return 0;
            }
            break;
        case WM_NCDESTROY: {
            const LRESULT result = DefaultHandler(message, wParam, lParam);
            ::RemovePropA(handle_, kObjectProperty);
            handle_ = nullptr;
            return result;
        }
        default:
            break;
    }
    return DefaultHandler(message, wParam, lParam);
}

LRESULT CALLBACK TWinControl::StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TWinControl* control = FromHandle(window);
    if (!control) return ::DefWindowProcA(window, message, wParam, lParam);
    try {
        return control->WndProc(message, wParam, lParam);
    } catch (...) {
        HandleException();
        return 0;
    }
}
