// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <functional>

namespace mainwindow {

// The solver's yield as the window gives it: the event loop runs at most once
// every few milliseconds, so that repaints, stopwatch ticks and a Stop press
// are handled during a long search while the calls at every search level
// cost next to nothing.
class ThrottledYield {
public:
    using NowFn = std::function<std::int64_t()>; // milliseconds, never going back
    using ProcessFn = std::function<void()>;

    static constexpr std::int64_t kIntervalMs = 4;

    // The steady clock and the platform's event loop.
    ThrottledYield();
    ThrottledYield(NowFn now, ProcessFn processEvents, std::int64_t intervalMs);

    // Runs the event loop when the interval has passed since the last time it
    // ran (or since restart); otherwise returns at once.
    void operator()();
    // Counts the interval from now, so a run shorter than it never yields.
    void restart();
    // The next call runs the event loop whatever the time.
    void forceNext() { forced_ = true; }

    std::int64_t realYields() const { return real_; }
    std::int64_t skippedYields() const { return skipped_; }

private:
    NowFn now_;
    ProcessFn process_;
    std::int64_t interval_;
    std::int64_t last_ = 0;
    bool forced_ = false;
    std::int64_t real_ = 0;
    std::int64_t skipped_ = 0;
};

} // namespace mainwindow
