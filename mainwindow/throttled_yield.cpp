// SPDX-License-Identifier: GPL-3.0-or-later
#include "throttled_yield.h"

#include <chrono>

#include "clock.h"

namespace mainwindow {

namespace {
std::int64_t steadyNow()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
} // namespace

ThrottledYield::ThrottledYield() : ThrottledYield(steadyNow, platform::yieldToEventLoop, kIntervalMs) {}

ThrottledYield::ThrottledYield(NowFn now, ProcessFn processEvents, std::int64_t intervalMs)
    : now_(std::move(now)), process_(std::move(processEvents)), interval_(intervalMs), last_(now_())
{
}

void ThrottledYield::operator()()
{
    const std::int64_t t = now_();
    if (!forced_ && t - last_ < interval_) {
        ++skipped_;
        return;
    }
    forced_ = false;
    ++real_;
    process_();
    // Counted from the end: time spent in the event loop is not search time.
    last_ = now_();
}

void ThrottledYield::restart()
{
    last_ = now_();
}

} // namespace mainwindow
