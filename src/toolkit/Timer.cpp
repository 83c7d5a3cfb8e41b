// TTimer: keeps its state and asks the installed event loop to run or stop it.
#include "toolkit/Timer.h"

#include <stdexcept>

namespace {
IEventLoop* installed_loop = nullptr;
}

IEventLoop& EventLoop() {
    if (!installed_loop) throw std::logic_error("no event loop installed");
    return *installed_loop;
}

IEventLoop* InstallEventLoop(IEventLoop* loop) {
    IEventLoop* previous = installed_loop;
    installed_loop = loop;
    return previous;
}

TTimer::~TTimer() {
    if (running_ && installed_loop) installed_loop->StopTimer(*this);
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Update();
}

void TTimer::SetInterval(unsigned interval) {
    if (interval == interval_) return;
    interval_ = interval;
    Update();
}

// Runs the timer exactly when it is enabled, has a period and has a handler.
void TTimer::Update() {
    const bool run = enabled_ && interval_ > 0 && OnTimer;
    if (running_) {
        EventLoop().StopTimer(*this);
        running_ = false;
    }
    if (run) {
        running_ = EventLoop().StartTimer(*this, interval_);
        if (!running_) enabled_ = false;
    }
}

void TTimer::Tick() {
    if (running_ && OnTimer) OnTimer(this);
}
