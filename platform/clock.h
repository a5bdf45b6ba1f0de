// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <functional>

namespace platform {

// Time as the program needs it: a steady count for waits and the stopwatch,
// and the time of day in whole seconds.
class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds on a clock that never goes back (not the time of day).
    virtual std::int64_t steadyMilliseconds() const = 0;
    // Seconds since local midnight, 0..86399.
    virtual int secondsOfDay() const = 0;
};

class SystemClock final : public Clock {
public:
    std::int64_t steadyMilliseconds() const override;
    int secondsOfDay() const override;
};

// Lets the event loop handle what is pending (paints, keys, clicks, timers)
// from inside a running handler.
void yieldToEventLoop();

// Yields to the event loop until at least `milliseconds` have passed on the
// clock, sleeping between events rather than spinning.
void waitWithEvents(const Clock& clock, std::int64_t milliseconds);
// Yields to the event loop, sleeping between events, until done() is true.
// done() is read after every batch of events and at least every 20 ms.
void waitWithEvents(const std::function<bool()>& done);

// The busy (hourglass) mouse pointer over the whole program, or the default one.
void setBusyPointer(bool busy);

} // namespace platform
