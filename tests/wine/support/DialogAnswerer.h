// DialogAnswerer: answers the next message dialog or popup menu of this process the way a user
// would, from a background thread, and records what a dialog showed. Made before the code
// that opens the dialog or menu; Finish() after it.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

class DialogAnswerer {
public:
    // Answers other than a button's caption (kTabEnter: Tab to the next button, then Enter);
    // a popup menu (caption "") takes its first item.
    static constexpr const char *kEnter = "{Enter}", *kEscape = "{Escape}", *kCloseBox = "{CloseBox}",
                                *kTabEnter = "{Tab}{Enter}";

    // Waits (up to a time-out) for a visible top-level window of this process with this
    // caption, records it, waits until ready() holds if given (polled on the background
    // thread, so it must be thread-safe; also bounded by the time-out), then answers: presses
    // the button of this caption, or gives one of the answers above.
    DialogAnswerer(std::string caption, std::string answer = {}, std::function<bool()> ready = {});
    ~DialogAnswerer() { Stop(); }  // neither copied nor moved: its thread works on it

    bool Found() const { return found_; }  // once the dialog has been seen (any thread may ask)
    // Waits for the answer; true when the dialog was found, answered and has gone.
    bool Finish();
    // Stops looking at once (for code that should have opened no dialog); as Finish.
    bool Stop();

    // What the dialog showed, valid after Finish or Stop; and why the answer failed.
    const std::string& Text() const { return text_; }
    const std::vector<std::string>& Buttons() const { return buttons_; }
    const std::string& Failure() const { return failure_; }

private:
    void Run();
    HWND Find() const;
    bool Act(HWND dialog);

    const std::string wanted_;
    const std::string answer_;
    const std::function<bool()> ready_;
    std::atomic<bool> found_{false}, stop_{false};
    bool answered_ = false;
    std::string text_, failure_;
    std::vector<std::string> buttons_;
    std::vector<HWND> buttonWindows_;
    std::thread thread_;
};
