// An event loop whose time the test moves by hand: it installs itself for its lifetime,
// keeps the running timers and ticks them when the test says a period has passed.
#pragma once

#include <functional>
#include <map>
#include <utility>

#include "toolkit/Timer.h"

class ManualEventLoop : public IEventLoop {
public:
    ManualEventLoop() : previous_(InstallEventLoop(this)) {}
    ~ManualEventLoop() override { InstallEventLoop(previous_); }

    std::map<TTimer*, unsigned> running;    // the running timers and their periods
    std::function<void()> PendingMessages;  // the waiting messages, handled once
    int starts = 0;

    bool StartTimer(TTimer& timer, unsigned interval) override {
        ++starts;
        running[&timer] = interval;
        return true;
    }
    void StopTimer(TTimer& timer) override { running.erase(&timer); }
    void ProcessMessages() override { if (auto messages = std::exchange(PendingMessages, nullptr)) messages(); }
    unsigned Period() const { return running.size() == 1 ? running.begin()->second : 0; }  // of the one timer running
    // One period passes for every timer running now: each that is still running when its
    // turn comes (a tick may stop, start or destroy others) gets one tick.
    void TickAll() {
        const auto due = running;
        for (const auto& [timer, interval] : due)
            if (running.count(timer)) timer->Tick();
    }

private:
    IEventLoop* previous_;
};
