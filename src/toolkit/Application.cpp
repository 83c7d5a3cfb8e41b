// TApplication: message loop with keyboard navigation, thread timers, pending messages;
// the message box that shows an error raised in a handler.
#include "toolkit/Application.h"

#include <commctrl.h>

#include <exception>
#include <vector>

#include "shared/Utf16.h"

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

// Numbers are never reused, also across applications: removing a filter from an application
// that does not hold it does nothing.
int TApplication::AddMessageFilter(TMessageFilter filter) {
    static int lastId = 0;
    messageFilters_[++lastId] = std::move(filter);
    return lastId;
}

void TApplication::RemoveMessageFilter(int id) { messageFilters_.erase(id); }

void TApplication::HandleMessage(MSG& message) {
    // The filters of now, each by copy and only while it is still there: a filter may add or
    // remove filters (a page control made or destroyed in a handler). Numbers only grow, so the
    // walk goes on after the number last asked and stops before the ones added meanwhile.
    if (!messageFilters_.empty()) {
        const int newest = messageFilters_.rbegin()->first;
        for (auto it = messageFilters_.begin(); it != messageFilters_.end() && it->first <= newest;) {
            const int id = it->first;
            const TMessageFilter filter = it->second;
            if (filter && filter(message)) return;
            it = messageFilters_.upper_bound(id);
        }
    }
    // Tab and arrow navigation between the controls of our own top-level windows.
    if (message.hwnd) {
        HWND root = ::GetAncestor(message.hwnd, GA_ROOT);
        if (root && TWinControl::FromHandle(root) && ::IsDialogMessageW(root, &message)) return;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
}

int TApplication::Run() {
    if (MainForm) MainForm->Show();
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
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
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(message.wParam));  // leave it for Run
            break;
        }
        HandleMessage(message);
    }
}

bool TApplication::StartTimer(TTimer& timer, unsigned interval) {
    StopTimer(timer);
    const UINT_PTR id = ::SetTimer(nullptr, 0, interval, &TimerProc);
    if (!id) return false;  // the system has no timer left
    timers_[id] = &timer;
    return true;
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

TExceptionHandler& ExceptionHandler() {
    static TExceptionHandler handler = [](const std::string& message) {
        ::MessageBoxW(::GetActiveWindow(), Utf16FromUtf8(message).c_str(), L"Velqorns!", MB_OK | MB_ICONERROR);
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
