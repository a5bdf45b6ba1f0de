// The solver's throttled yield, on a clock the test moves by hand.
#include <gtest/gtest.h>

#include "throttled_yield.h"

namespace {

TEST(ThrottledYield, RunsTheEventLoopAtMostOncePerInterval)
{
    std::int64_t now = 1000;
    int loops = 0;
    mainwindow::ThrottledYield y([&] { return now; }, [&] { ++loops; }, 4);

    // The interval counts from construction, like from a restart.
    y();
    EXPECT_EQ(loops, 0);
    now += 3;
    y();
    EXPECT_EQ(loops, 0);
    now += 1;
    y();
    EXPECT_EQ(loops, 1);
    // Counted again from the last real yield.
    y();
    now += 3;
    y();
    EXPECT_EQ(loops, 1);
    now += 1;
    y();
    EXPECT_EQ(loops, 2);
    EXPECT_EQ(y.realYields(), 2);
    EXPECT_EQ(y.skippedYields(), 4);
}

TEST(ThrottledYield, TimeInTheEventLoopIsNotCounted)
{
    std::int64_t now = 0;
    int loops = 0;
    mainwindow::ThrottledYield y([&] { return now; }, [&] {
        ++loops;
        now += 50; // a long repaint
    }, 4);
    now = 4;
    y();
    EXPECT_EQ(loops, 1);
    now += 2;
    y();
    EXPECT_EQ(loops, 1);
}

TEST(ThrottledYield, RestartAndForce)
{
    std::int64_t now = 0;
    int loops = 0;
    mainwindow::ThrottledYield y([&] { return now; }, [&] { ++loops; }, 4);
    now = 100;
    y.restart(); // a new short run: no yield within its first interval
    now = 102;
    y();
    EXPECT_EQ(loops, 0);
    y.forceNext();
    y();
    EXPECT_EQ(loops, 1);
    // Forcing is for one call only.
    y();
    EXPECT_EQ(loops, 1);
}

} // namespace
