// DialogAnswerer: the dialog is found by caption among this process's visible top-level
// windows; texts are read without sending messages where the system allows it, so that a
// busy main thread cannot hold the search up.
#include "support/DialogAnswerer.h"

#include <chrono>
#include <string>

namespace {

constexpr auto kTimeout = std::chrono::seconds(20);
constexpr auto kPoll = std::chrono::milliseconds(10);

// The window's text as stored by the system, in Windows-1252; sends no message.
std::string StoredText(HWND window) {
    wchar_t wide[512];
    const int length = ::InternalGetWindowText(window, wide, 512);
    if (length <= 0) return {};
    char narrow[1024];
    const int bytes = ::WideCharToMultiByte(1252, 0, wide, length, narrow, sizeof narrow, nullptr, nullptr);
    return std::string(narrow, static_cast<size_t>(bytes > 0 ? bytes : 0));
}

// The text that the window itself gives for WM_GETTEXT (it answers on its own thread).
std::string TextByMessage(HWND window) {
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return {};
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!::SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                               SMTO_ABORTIFHUNG, 5000, &copied))
        return {};
    text.resize(copied);
    return text;
}

std::string ClassOf(HWND window) {
    char name[64] = "";
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

HWND FocusOf(HWND dialog) {
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog, nullptr), &thread)) return nullptr;
    return thread.hwndFocus;
}

void PostKey(HWND window, UINT down, UINT up, WPARAM key, LPARAM flags) {
    const LPARAM scan = static_cast<LPARAM>(::MapVirtualKeyA(static_cast<UINT>(key), 0)) << 16;
    ::PostMessageA(window, down, key, 1 | scan | flags);
    ::PostMessageA(window, up, key, 1 | scan | flags | (1 << 30) | (1u << 31));
}

}  // namespace

DialogAnswerer::DialogAnswerer(std::string caption, Answer answer, std::function<bool()> ready)
    : wanted_(std::move(caption)), answer_(std::move(answer)), ready_(std::move(ready)) {
    thread_ = std::thread([this] { Run(); });
}

DialogAnswerer::~DialogAnswerer() { Stop(); }

bool DialogAnswerer::Finish() {
    if (thread_.joinable()) thread_.join();
    return answered_;
}

bool DialogAnswerer::Stop() {
    stop_ = true;
    return Finish();
}

HWND DialogAnswerer::FindDialog() const {
    struct Search {
        const DialogAnswerer* self;
        HWND found;
    } search{this, nullptr};
    ::EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* search = reinterpret_cast<Search*>(data);
            DWORD process = 0;
            ::GetWindowThreadProcessId(window, &process);
            if (process != ::GetCurrentProcessId() || !::IsWindowVisible(window)) return TRUE;
            if (StoredText(window) != search->self->wanted_) return TRUE;
            search->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The focus is not waited for: while another program holds the foreground, the dialog's
// thread may have none, and the answer is posted to the dialog itself then.
void DialogAnswerer::Record(HWND dialog) {
    caption_ = StoredText(dialog);
    owner_ = ::GetWindow(dialog, GW_OWNER);
    ownerWasEnabled_ = owner_ && ::IsWindowEnabled(owner_);
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (ClassOf(child) == "Button") {
            buttons_.push_back(StoredText(child));
            buttonWindows_.push_back(child);
            if ((::GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) defaultButton_ = buttons_.back();
        } else {
            text_ = TextByMessage(child);
            RECT client;
            ::GetClientRect(child, &client);
            textSize_ = {client.right, client.bottom};
        }
    }
}

// Keys go to the dialog's control that has the focus; while the program is not in the
// foreground the focus may be elsewhere or nowhere, and they go to the dialog itself.
bool DialogAnswerer::Act(HWND dialog) {
    HWND focus = FocusOf(dialog);
    if (!::IsChild(dialog, focus)) focus = dialog;
    switch (answer_.way) {
        case Way::Button:
            for (size_t i = 0; i < buttons_.size(); ++i)
                if (buttons_[i] == answer_.button) return ::PostMessageA(buttonWindows_[i], BM_CLICK, 0, 0);
            failure_ = "no button \"" + answer_.button + "\"";
            return false;
        case Way::Enter: PostKey(focus, WM_KEYDOWN, WM_KEYUP, VK_RETURN, 0); return true;
        case Way::Escape: PostKey(focus, WM_KEYDOWN, WM_KEYUP, VK_ESCAPE, 0); return true;
        case Way::CloseBox: return ::PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        case Way::AltF4: PostKey(focus, WM_SYSKEYDOWN, WM_SYSKEYUP, VK_F4, 1 << 29); return true;
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
    Record(dialog);
    found_ = true;
    while (ready_ && !ready_() && !timedOut()) std::this_thread::sleep_for(kPoll);
    if (!Act(dialog)) return;
    while (::IsWindow(dialog) && ::IsWindowVisible(dialog)) {
        if (timedOut()) {
            failure_ = "the dialog did not close after the answer " + std::to_string(static_cast<int>(answer_.way)) +
                       " " + answer_.button;
            ::PostMessageA(dialog, WM_CLOSE, 0, 0);  // so that the test goes on and fails
            return;
        }
        std::this_thread::sleep_for(kPoll);
    }
    answered_ = true;
}
