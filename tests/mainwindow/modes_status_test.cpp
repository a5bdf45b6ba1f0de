// SPDX-License-Identifier: GPL-3.0-or-later
// The solver's throttled yield; what the window shows in each mode is
// checked where the commands reach it.
#include <functional>
#include <gtest/gtest.h>

#include "throttled_yield.h"

namespace {

TEST(ThrottledYield, RunsTheEventLoopAtMostOncePerIntervalOfSearchTime)
{
    std::int64_t now = 1000;
    int loops = 0;
    mainwindow::ThrottledYield y([&] { return now; }, [&] { ++loops, now += 50; }, 4);
    // Each step: move the clock, call, and how many times the loop has run.
    // The interval counts from construction (or restart), and from the end of
    // the last real yield: a long repaint is not search time.
    const std::pair<int, int> steps[] = {{0, 0}, {3, 0}, {1, 1}, {0, 1}, {3, 1}, {1, 2}};
    for (const auto& [advance, want] : steps) {
        now += advance;
        y();
        EXPECT_EQ(loops, want) << now;
    }
    y.restart(); // a new short run: no yield within its first interval
    now += 2;
    y();
    EXPECT_EQ(loops, 2);
    y.forceNext(); // for one call only
    y();
    y();
    EXPECT_EQ(loops, 3);
}

} // namespace
