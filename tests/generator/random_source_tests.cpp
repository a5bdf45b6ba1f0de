// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <set>

#include "random_source.h"

using generator::SeededRandom;
using generator::TimeMixedRandom;

TEST(RandomSource, SeededStreamsRepeatStayInRangeAndDiffer)
{
    SeededRandom a(42), b(42), other(43), stream1(42, 1);
    b.reseed(); // reseeding keeps the stream
    std::set<double> seen;
    int same = 0, sameAsOther = 0;
    for (int i = 0; i < 1000; ++i) {
        const double x = a.next();
        ASSERT_GE(x, 0.0);
        ASSERT_LT(x, 1.0);
        same += x == b.next();
        sameAsOther += x == other.next() || x == stream1.next();
        seen.insert(x);
    }
    EXPECT_EQ(same, 1000);
    EXPECT_EQ(sameAsOther, 0);
    EXPECT_GT(seen.size(), 990u);
}

TEST(RandomSource, TimeMixedReseedMixesTheSecondsIntoTheState)
{
    TimeMixedRandom a(99, [] { return 17; }), b(99, [] { return 17; }), c(99, [] { return 18; }), d([] { return 0; }), e([] { return 0; });
    a.reseed();
    b.reseed();
    c.reseed();
    const double first = a.next();
    EXPECT_EQ(first, b.next()); // same state, same seconds
    EXPECT_NE(first, c.next()); // the seconds take part
    // The same seconds once more: the state has moved on, the seconds only stir it.
    a.reseed();
    EXPECT_NE(first, a.next());
    d.reseed();
    e.reseed();
    EXPECT_NE(d.next(), e.next()); // unpredictable seeds differ between objects
}
