// TTimer, the toolkit's periodic timer, and the event loop it runs on. The timer itself
// needs no Win32: the event loop behind it does, and is installed by the application
// (the Win32 loop) or by a test (a loop whose time the test moves by hand).
#pragma once

#include <cstdint>
#include <functional>

#include "toolkit/Component.h"

class TTimer;

// What the timer and the components need of the message loop.
class IEventLoop {
public:
    virtual ~IEventLoop() = default;
    // Starts calling timer.Tick() every interval milliseconds; a new period begins now.
    // Returns false when the timer could not be started (the system has none left).
    virtual bool StartTimer(TTimer& timer, unsigned interval) = 0;
    virtual void StopTimer(TTimer& timer) = 0;
    // Handles every waiting user-interface message, then returns.
    virtual void ProcessMessages() = 0;
};

// The loop in use; throws std::logic_error when none is installed.
IEventLoop& EventLoop();
// Installs loop (borrowed, it must outlive every timer) and returns the previous one.
IEventLoop* InstallEventLoop(IEventLoop* loop);

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner) : TComponent(owner) {}
    ~TTimer() override;

    // A timer that the event loop could not start is off: not enabled.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    void SetInterval(unsigned interval);  // a running timer restarts with the new period

    std::function<void(TObject* sender)> OnTimer;

    void Tick();  // called by the event loop once per period

private:
    bool enabled_ = true;
    unsigned interval_ = 1000;
    bool running_ = false;
    void Update();
};
