// DialogAnswerer: the dialog is found by caption among this process's visible top-level
// windows; captions are read without sending messages, so that a busy main thread cannot
// hold the search up.
#include "support/DialogAnswerer.h"

#include "support/TestWindows.h"

#include <chrono>

namespace {

constexpr auto kTimeout = std::chrono::seconds(20);
constexpr auto kPoll = std::chrono::milliseconds(10);

// The window's text as stored by the system, in Windows-1252; sends no message.
std::string StoredText(HWND window) {
    wchar_t wide[512];
    char narrow[1024];
    const int length = ::InternalGetWindowText(window, wide, 512);
    const int bytes = length > 0 ? ::WideCharToMultiByte(1252, 0, wide, length, narrow, sizeof narrow, nullptr, nullptr) : 0;
    return std::string(narrow, static_cast<size_t>(bytes > 0 ? bytes : 0));
}

// The text that the window itself gives for WM_GETTEXT (it answers on its own thread).
std::string TextByMessage(HWND window) {
    char text[1024] = "";
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, &copied);
    return std::string(text, copied);
}

}  // namespace

DialogAnswerer::DialogAnswerer(std::string caption, Answer answer, std::function<bool()> ready)
    : wanted_(std::move(caption)), answer_(std::move(answer)), ready_(std::move(ready)) {
    thread_ = std::thread([this] { Run(); });
}

bool DialogAnswerer::Finish() {
    if (thread_.joinable()) thread_.join();
    return answered_;
}

bool DialogAnswerer::Stop() {
    stop_ = true;
    return Finish();
}

HWND DialogAnswerer::FindDialog() const {
    for (HWND window = nullptr; (window = ::FindWindowExA(nullptr, window, nullptr, wanted_.c_str()));) {
        DWORD process = 0;
        ::GetWindowThreadProcessId(window, &process);
        if (process == ::GetCurrentProcessId() && ::IsWindowVisible(window)) return window;
    }
    return nullptr;
}

// Keys go to the dialog's control that has the focus; while another program holds the
// foreground the focus may be elsewhere or nowhere, and they go to the dialog itself.
bool DialogAnswerer::Act(HWND dialog) {
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog, nullptr), &thread);
    const HWND focus = ::IsChild(dialog, thread.hwndFocus) ? thread.hwndFocus : dialog;
    switch (answer_.way) {
        case Way::Button:
            for (size_t i = 0; i < buttons_.size(); ++i)
                if (buttons_[i] == answer_.button) return ::PostMessageA(buttonWindows_[i], BM_CLICK, 0, 0);
            failure_ = "no button \"" + answer_.button + "\"";
            return false;
        case Way::Enter: PostKey(focus, VK_RETURN); return true;
        case Way::Escape: PostKey(focus, VK_ESCAPE); return true;
        case Way::CloseBox: return ::PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    return false;
}

void DialogAnswerer::Run() {
    const auto deadline = std::chrono::steady_clock::now() + kTimeout;
    auto timedOut = [&] { return stop_ || std::chrono::steady_clock::now() > deadline; };
    HWND dialog = nullptr;
    while (!(dialog = FindDialog())) {
        if (timedOut()) {
            failure_ = "no dialog \"" + wanted_ + "\" appeared";
            return;
        }
        std::this_thread::sleep_for(kPoll);
    }
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char kind[16] = "";
        ::GetClassNameA(child, kind, sizeof kind);
        if (std::string(kind) != "Button") {
            text_ = TextByMessage(child);
            continue;
        }
        buttons_.push_back(StoredText(child));
        buttonWindows_.push_back(child);
    }
    found_ = true;
    while (ready_ && !ready_() && !timedOut()) std::this_thread::sleep_for(kPoll);
    if (!Act(dialog)) return;
    while (::IsWindow(dialog) && ::IsWindowVisible(dialog)) {
        if (timedOut()) {
            failure_ = "the dialog did not close after the answer " + std::to_string(static_cast<int>(answer_.way));
            ::PostMessageA(dialog, WM_CLOSE, 0, 0);  // so that the test goes on and fails
            return;
        }
        std::this_thread::sleep_for(kPoll);
    }
    answered_ = true;
}
