#include <gtest/gtest.h>

#include <set>

#include "random_source.h"

using generator::SeededRandom;
using generator::TimeMixedRandom;

TEST(RandomSource, SeededStreamsRepeatStayInRangeAndDiffer)
{
    SeededRandom a(42), b(42), other(43), stream1(42, 1);
    std::set<double> seen;
    bool allSame = true, sameAsOtherSeed = true, sameAsOtherStream = true;
    for (int i = 0; i < 1000; ++i) {
        const double x = a.next();
        ASSERT_GE(x, 0.0);
        ASSERT_LT(x, 1.0);
        allSame = allSame && x == b.next();
        sameAsOtherSeed = sameAsOtherSeed && x == other.next();
        sameAsOtherStream = sameAsOtherStream && x == stream1.next();
        seen.insert(x);
    }
    EXPECT_TRUE(allSame);
    EXPECT_FALSE(sameAsOtherSeed);
    EXPECT_FALSE(sameAsOtherStream);
    EXPECT_GT(seen.size(), 990u);
}

TEST(RandomSource, SeededReseedKeepsTheStream)
{
    SeededRandom a(5), b(5);
    a.reseed();
    EXPECT_EQ(a.next(), b.next());
}

TEST(RandomSource, TimeMixedReseedMixesSecondsIntoTheState)
{
    int seconds = 17;
    auto clockSeconds = [&seconds] { return seconds; };

    // Same state, same seconds: the same numbers.
    TimeMixedRandom a(99, clockSeconds), b(99, clockSeconds);
    a.reseed();
    b.reseed();
    EXPECT_EQ(a.next(), b.next());

    // Two generations started in the same second (of different minutes) do not
    // repeat: the state has moved on, the seconds only stir it.
    TimeMixedRandom c(7, clockSeconds);
    c.reseed();
    const double first = c.next();
    c.reseed();
    EXPECT_NE(first, c.next());

    // The seconds do take part.
    TimeMixedRandom d(99, clockSeconds);
    seconds = 18;
    d.reseed();
    TimeMixedRandom e(99, [] { return 17; });
    e.reseed();
    EXPECT_NE(d.next(), e.next());
}

TEST(RandomSource, UnpredictableSeedsDifferBetweenObjects)
{
    TimeMixedRandom a([] { return 0; }), b([] { return 0; });
    a.reseed();
    b.reseed();
    EXPECT_NE(a.next(), b.next());
}
