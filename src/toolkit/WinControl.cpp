// TWinControl: making the window, children and their tab order, bounds, focus, painting of
// the windowless children. Its messages are handled in WinControlMessages.cpp.
#include "toolkit/WinControl.h"

#include <algorithm>
#include <stdexcept>
#include <unordered_map>

#include "shared/Utf16.h"
#include "toolkit/LayoutValues.h"

// The toolkit's own class: every window of it goes to StaticWndProc from its first message.
// A registration that failed is tried again with the next window.
void TWinControl::RegisterWindowClass() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = &StaticWndProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    const std::wstring className = Utf16FromUtf8(kWindowClass);
    windowClass.lpszClassName = className.c_str();
    if (!::RegisterClassExW(&windowClass)) {
        const DWORD error = ::GetLastError();
        if (error != ERROR_CLASS_ALREADY_EXISTS)
            throw std::runtime_error("Cannot register the window class \"" + std::string(kWindowClass) + "\" (error " +
                                     std::to_string(error) + ")");
    }
    registered = true;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    // Children that outlive this window lose their parent; their windows go with ours.
    for (TControl* child : std::vector<TControl*>(controls_)) child->parent_ = nullptr;
    controls_.clear();
    DestroyHandle();
}

namespace {

// The toolkit's windows and their objects. Every message of every window is looked up here,
// so the table is the program's own: a window property would cost a call into the window
// manager per message (under Wine a round trip to its server, tens of microseconds). A
// window lives on the thread that made it, and so does its entry.
std::unordered_map<HWND, TWinControl*>& Objects() {
    thread_local std::unordered_map<HWND, TWinControl*> objects;
    return objects;
}

}  // namespace

TWinControl* TWinControl::FromHandle(HWND window) {
    if (!window) return nullptr;
    const auto& objects = Objects();
    const auto found = objects.find(window);
    return found != objects.end() ? found->second : nullptr;
}

void TWinControl::Attach(HWND window) {
    handle_ = window;
    Objects()[window] = this;
}

void TWinControl::Detach() {
    Objects().erase(handle_);
    handle_ = nullptr;
}

void TWinControl::CreateParams(TCreateParams& params) {
    params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (Visible()) params.Style |= WS_VISIBLE;
    if (!Enabled()) params.Style |= WS_DISABLED;
    if (TabStop) params.Style |= WS_TABSTOP;
    params.Caption = Caption();
}

HWND TWinControl::Handle() {
    if (!handle_) CreateHandle();
    return handle_;
}

void TWinControl::CreateHandle() {
    TCreateParams params;
    params.X = left_, params.Y = top_, params.Width = width_, params.Height = height_;
    CreateParams(params);
    HWND parentWindow = nullptr;
    if (params.Style & WS_CHILD) {
        if (!parent_) return;  // a child window needs its parent first
        parentWindow = parent_->Handle();
        if (!parentWindow) return;
    } else {
        parentWindow = params.WndParent;
    }
    ownClass_ = params.ClassName.empty();
    const char* className = ownClass_ ? kWindowClass : params.ClassName.c_str();
    if (ownClass_) {
        RegisterWindowClass();
        defaultProc_ = nullptr;
    }
    // An own-class window is bound to this object by WM_NCCREATE, from the creation parameter.
    creating_ = true;
    HWND window = ::CreateWindowExW(params.ExStyle, Utf16FromUtf8(className).c_str(), Utf16FromUtf8(params.Caption).c_str(), params.Style, params.X, params.Y,
                                    params.Width, params.Height, parentWindow, nullptr, ::GetModuleHandleW(nullptr),
                                    ownClass_ ? this : nullptr);
    creating_ = false;
    if (!window) {
        const DWORD error = ::GetLastError();
        handle_ = nullptr;
        throw std::runtime_error("Cannot create a window of class \"" + std::string(className) + "\" (error " +
                                 std::to_string(error) + ")");
    }
    if (!ownClass_) {  // a system class: subclassed now that it exists
        Attach(window);
        defaultProc_ = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StaticWndProc)));
    }
    ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
    AlignControls();
    // A new window goes to the bottom of its siblings, so making them in tab order stacks
    // them in tab order; a window made later among existing siblings needs rearranging.
    creatingChildren_ = true;
    try {
        for (TWinControl* child : TabOrderedChildren()) child->Handle();
    } catch (...) {
        creatingChildren_ = false;  // a later child is then placed among its siblings again
        throw;
    }
    creatingChildren_ = false;
    if (parent_ && !parent_->creatingChildren_) parent_->ArrangeTabOrder();
    CreateWnd();
}

void TWinControl::CreateWnd() {}

void TWinControl::DestroyHandle() {
    if (!handle_) return;
    HWND window = handle_;
    ::DestroyWindow(window);  // WM_NCDESTROY forgets the handle
    if (handle_) Detach();    // ... unless the window could not be destroyed
}

void TWinControl::SetParent(TWinControl* parent) {
    if (parent == Parent()) return;
    TControl::SetParent(parent);
    if (handle_) {
        if (parent && parent->Handle()) {
            ::SetParent(handle_, parent->Handle());
        } else if (::GetWindowLongW(handle_, GWL_STYLE) & WS_CHILD) {
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

// The children follow, and then those that fill the client area take it again: the client
// of a framed control does not grow by the same rounding as the designed sizes.
void TWinControl::ChangeScale(int dpi) {
    if (dpi == Dpi()) return;
    TControl::ChangeScale(dpi);
    for (TControl* child : std::vector<TControl*>(controls_)) child->ChangeScale(dpi);
    AlignControls();
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
        const LONG style = ::GetWindowLongW(handle_, GWL_STYLE);
        ::SetWindowLongW(handle_, GWL_STYLE, TabStop ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
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
    if (handle_) ::SetWindowTextW(handle_, Utf16FromUtf8(Caption()).c_str());
}

void TWinControl::FontChanged() {
    if (handle_) ::SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
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
