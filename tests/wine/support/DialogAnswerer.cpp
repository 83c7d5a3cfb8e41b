// DialogAnswerer: the dialog is found by caption (a menu by its class, "#32768") among this
// process's visible top-level windows; captions are read without sending messages, so that
// a busy main thread cannot hold the search up.
#include "support/DialogAnswerer.h"

#include <algorithm>
#include <chrono>

#include "shared/Utf16.h"
#include "support/TestWindows.h"

namespace {

constexpr auto kTimeout = std::chrono::seconds(20);
constexpr auto kPoll = std::chrono::milliseconds(10);

// The window's text as stored by the system (no message sent).
std::string WindowText(HWND window) {
    wchar_t wide[512];
    return Utf8FromUtf16({wide, static_cast<size_t>(std::max(0, ::InternalGetWindowText(window, wide, 512)))});
}

// A key can reach a menu before its loop reads the keyboard and be lost, so each step is
// repeated until the menu shows it: the first item lit, then the menu gone. The keys go to the
// menu's own window, never to a dialog that the chosen item opens.
void ChooseFirstItem(HWND window) {
    constexpr UINT kGetMenu = 0x01E1;  // MN_GETHMENU
    const HMENU menu = reinterpret_cast<HMENU>(::SendMessageA(window, kGetMenu, 0, 0));
    for (int step = 0; step < 40 && ::IsWindow(window) && ::IsWindowVisible(window); ++step) {
        const bool lit = ::GetMenuState(menu, 0, MF_BYPOSITION) & MF_HILITE;
        PostKey(window, lit ? VK_RETURN : VK_DOWN);
        std::this_thread::sleep_for(std::chrono::milliseconds(lit ? 500 : 100));
    }
}

// Keys go to the dialog's control that has the focus; while another program holds the
// foreground the focus may be elsewhere or nowhere, and they go to the dialog itself.
HWND FocusIn(HWND dialog) {
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog, nullptr), &thread);
    return ::IsChild(dialog, thread.hwndFocus) ? thread.hwndFocus : dialog;
}

}  // namespace

DialogAnswerer::DialogAnswerer(std::string caption, std::string answer, std::function<bool()> ready)
    : wanted_(std::move(caption)), answer_(std::move(answer)), ready_(std::move(ready)), thread_([this] { Run(); }) {}

bool DialogAnswerer::Finish() {
    if (thread_.joinable()) thread_.join();
    return answered_;
}

bool DialogAnswerer::Stop() {
    stop_ = true;
    return Finish();
}

HWND DialogAnswerer::Find() const {
    const bool menu = wanted_.empty();
    for (HWND window = nullptr;
         (window = ::FindWindowExA(nullptr, window, menu ? "#32768" : nullptr, menu ? nullptr : wanted_.c_str()));) {
        DWORD process = 0;
        ::GetWindowThreadProcessId(window, &process);
        if (process == ::GetCurrentProcessId() && ::IsWindowVisible(window)) return window;
    }
    return nullptr;
}

bool DialogAnswerer::Act(HWND dialog) {
    const HWND focus = FocusIn(dialog);
    if (wanted_.empty()) return ChooseFirstItem(dialog), true;
    if (answer_ == kTabEnter) {  // Enter only once the Tab has moved the focus
        PostKey(focus, VK_TAB);
        for (int wait = 0; wait < 500 && FocusIn(dialog) == focus; ++wait) std::this_thread::sleep_for(kPoll);
        return PostKey(FocusIn(dialog), VK_RETURN), true;
    }
    if (answer_ == kEnter || answer_ == kEscape) return PostKey(focus, answer_ == kEnter ? VK_RETURN : VK_ESCAPE), true;
    if (answer_ == kCloseBox) return ::PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    for (size_t i = 0; i < buttons_.size(); ++i)
        if (buttons_[i] == answer_) return ::PostMessageA(buttonWindows_[i], BM_CLICK, 0, 0);
    failure_ = "no button \"" + answer_ + "\"";
    return false;
}

void DialogAnswerer::Run() {
    const auto deadline = std::chrono::steady_clock::now() + kTimeout;
    auto timedOut = [&] { return stop_ || std::chrono::steady_clock::now() > deadline; };
    HWND dialog = nullptr;
    while (!(dialog = Find())) {
        if (timedOut()) return void(failure_ = "no dialog \"" + wanted_ + "\" appeared");
        std::this_thread::sleep_for(kPoll);
    }
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char kind[16] = "";
        ::GetClassNameA(child, kind, sizeof kind);
        if (std::string(kind) != "Button") text_ = WindowText(child);
        else buttons_.push_back(WindowText(child)), buttonWindows_.push_back(child);
    }
    found_ = true;
    while (ready_ && !ready_() && !timedOut()) std::this_thread::sleep_for(kPoll);
    if (!Act(dialog)) return;
    while (::IsWindow(dialog) && ::IsWindowVisible(dialog)) {
        if (timedOut()) {  // closed, so that the test goes on and fails
            failure_ = "the dialog did not close after the answer " + answer_;
            ::PostMessageA(dialog, WM_CLOSE, 0, 0);
            PostKey(dialog, VK_ESCAPE);
            return;
        }
        std::this_thread::sleep_for(kPoll);
    }
    answered_ = true;
}
