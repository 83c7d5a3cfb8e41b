// An event loop whose time the test moves by hand: it installs itself for its lifetime,
// keeps the running timers and ticks them when the test says a period has passed.
#pragma once

#include <functional>
#include <map>
#include <vector>

#include "toolkit/Timer.h"

class ManualEventLoop : public IEventLoop {
public:
    ManualEventLoop();
    ~ManualEventLoop() override;
    ManualEventLoop(const ManualEventLoop&) = delete;
    ManualEventLoop& operator=(const ManualEventLoop&) = delete;

    bool StartTimer(TTimer& timer, unsigned interval) override;
    void StopTimer(TTimer& timer) override;
    void ProcessMessages() override;

    // One period passes for every timer running now: each that is still running when its
    // turn comes gets one tick.
    void TickAll();
    int RunningCount() const { return static_cast<int>(running_.size()); }
    std::vector<unsigned> RunningIntervals() const;  // in no particular order

    // The waiting messages, handled by ProcessMessages (once each: cleared before running).
    std::function<void()> PendingMessages;
    int starts = 0;

private:
    std::map<TTimer*, unsigned, std::less<>> running_;
    IEventLoop* previous_;
};
