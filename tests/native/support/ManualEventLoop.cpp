// ManualEventLoop: timers as a table of running periods, ticks on the test's word.
#include "support/ManualEventLoop.h"

ManualEventLoop::ManualEventLoop() : previous_(InstallEventLoop(this)) {}

ManualEventLoop::~ManualEventLoop() { InstallEventLoop(previous_); }

bool ManualEventLoop::StartTimer(TTimer& timer, unsigned interval) {
    ++starts;
    running_[&timer] = interval;
    return true;
}

void ManualEventLoop::StopTimer(TTimer& timer) {
    running_.erase(&timer);
}

void ManualEventLoop::ProcessMessages() {
    std::function<void()> messages = std::move(PendingMessages);
    PendingMessages = nullptr;
    if (messages) messages();
}

void ManualEventLoop::TickAll() {
    std::vector<TTimer*> due;
    for (const auto& [timer, interval] : running_) due.push_back(timer);
    // A tick may stop, start or destroy other timers: each is looked up again first.
    for (TTimer* timer : due)
        if (running_.count(timer)) timer->Tick();
}

std::vector<unsigned> ManualEventLoop::RunningIntervals() const {
    std::vector<unsigned> intervals;
    for (const auto& [timer, interval] : running_) intervals.push_back(interval);
    return intervals;
}
