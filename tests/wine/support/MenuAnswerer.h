// MenuAnswerer: from a background thread, waits for this process's popup menu, waits until
// ready() holds if given (polled there, so it must be thread-safe), then chooses the first
// item with the keyboard, as a user would. Both waits are bounded.
#pragma once

#include <atomic>
#include <functional>
#include <thread>

class MenuAnswerer {
public:
    explicit MenuAnswerer(std::function<bool()> ready = {});
    ~MenuAnswerer() { Finish(); }
    MenuAnswerer(const MenuAnswerer&) = delete;
    MenuAnswerer& operator=(const MenuAnswerer&) = delete;

    // Waits for the answer; true when a menu was found and answered.
    bool Finish();

private:
    std::function<bool()> ready_;
    std::atomic<bool> answered_{false};
    std::thread thread_;
};
