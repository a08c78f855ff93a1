#pragma once

#include <QDateTime>

#include <chrono>
#include <functional>
#include <memory>

namespace kalmur {

// A timer that runs its action once when its interval has passed; starting it
// again replaces the pending run.
class OneShotTimer {
public:
    virtual ~OneShotTimer() = default;
    virtual void start(std::chrono::milliseconds interval) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
};

// Time as the windows see it: a steady clock and one-shot timers. The running
// program uses the system's; tests move a clock of their own by hand, so that
// waits and repeats are tested without waiting.
class Clock {
public:
    virtual ~Clock() = default;
    // Time since some fixed point; only differences mean anything.
    virtual std::chrono::milliseconds now() const = 0;
    // The local date and time of day, as printed in report headings.
    virtual QDateTime currentDateTime() const { return QDateTime::currentDateTime(); }
    // A stopped timer that runs `timeout` on the window thread.
    virtual std::unique_ptr<OneShotTimer> timer(std::function<void()> timeout) = 0;
};

// The steady system clock with Qt's precise timers. It holds no state.
Clock& systemClock();

} // namespace kalmur
