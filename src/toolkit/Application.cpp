// TApplication: message loop with keyboard navigation, thread timers, pending messages.
#include "toolkit/Application.h"

#include <commctrl.h>

TApplication* Application = nullptr;

TApplication::TApplication() : TComponent(nullptr) { Application = this; }

TApplication::~TApplication() {
    for (auto& [id, timer] : timers_) ::KillTimer(nullptr, id);
    timers_.clear();
    if (initialized_) InstallEventLoop(previousLoop_);
    if (Application == this) Application = nullptr;
}

void TApplication::Initialize() {
    if (initialized_) return;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    previousLoop_ = InstallEventLoop(this);
    initialized_ = true;
}

void TApplication::SetTitle(const std::string& title) { title_ = title; }

void TApplication::HandleMessage(MSG& message) {
    // By index and by copy: a filter may add filters (a page control made in a handler).
    for (size_t index = 0; index < MessageFilters.size(); ++index) {
        const auto filter = MessageFilters[index];
        if (filter && filter(message)) return;
    }
    // Tab and arrow navigation between the controls of our own top-level windows.
    if (message.hwnd) {
        HWND root = ::GetAncestor(message.hwnd, GA_ROOT);
        if (root && TWinControl::FromHandle(root) && ::IsDialogMessageA(root, &message)) return;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
}

int TApplication::Run() {
    if (MainForm) MainForm->Show();
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        try {
            HandleMessage(message);
        } catch (...) {
            HandleException();
        }
    }
    return static_cast<int>(message.wParam);
}

void TApplication::ProcessMessages() {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(message.wParam));  // leave it for Run
            break;
        }
        HandleMessage(message);
    }
}

void TApplication::StartTimer(TTimer& timer, unsigned interval) {
    StopTimer(timer);
    if (UINT_PTR id = ::SetTimer(nullptr, 0, interval, &TimerProc)) timers_[id] = &timer;
}

void TApplication::StopTimer(TTimer& timer) {
    for (auto it = timers_.begin(); it != timers_.end();) {
        if (it->second == &timer) {
            ::KillTimer(nullptr, it->first);
            it = timers_.erase(it);
        } else {
            ++it;
        }
    }
}

void CALLBACK TApplication::TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
    if (!Application) return;
    auto found = Application->timers_.find(id);
    if (found == Application->timers_.end()) return;
    try {
        found->second->Tick();
    } catch (...) {
        HandleException();
    }
}
