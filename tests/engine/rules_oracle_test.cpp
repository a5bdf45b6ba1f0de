// The engine's bit-mask rules against the plain oracle, on many random grid
// states: same values, same barred flags, same moves in the same order.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "cross_grid.h"
#include "test_support.h"

using namespace testing_support;

namespace {

// A random solved grid, as an 81-character line, from a fixed pattern shuffled
// by digit, row-in-band, column-in-stack, band and stack permutations.
std::string randomSolution(std::mt19937& rng)
{
    std::array<int, 9> digit;
    std::iota(digit.begin(), digit.end(), 0);
    std::shuffle(digit.begin(), digit.end(), rng);
    auto perm = [&] {
        std::array<int, 3> bands{0, 1, 2}, inner{0, 1, 2};
        std::shuffle(bands.begin(), bands.end(), rng);
        std::array<int, 9> out;
        for (int b = 0; b < 3; ++b) {
            std::shuffle(inner.begin(), inner.end(), rng);
            for (int i = 0; i < 3; ++i) out[static_cast<std::size_t>(b * 3 + i)] = bands[static_cast<std::size_t>(b)] * 3 + inner[static_cast<std::size_t>(i)];
        }
        return out;
    };
    const auto rows = perm(), cols = perm();
    std::string s(81, '.');
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 9; ++c) {
            const int rr = rows[static_cast<std::size_t>(r)], cc = cols[static_cast<std::size_t>(c)];
            s[static_cast<std::size_t>(r * 9 + c)] = static_cast<char>('1' + digit[static_cast<std::size_t>((rr * 3 + rr / 3 + cc) % 9)]);
        }
    return s;
}

struct Params {
    double keep, bar, wrong;
};

} // namespace

TEST(RulesOracle, PropagationPassesAgreeOnRandomStates)
{
    std::mt19937 rng(20261206);
    const Params params[] = {{0.3, 0.0, 0.0}, {0.45, 0.05, 0.0}, {0.6, 0.2, 0.02}, {0.2, 0.4, 0.05}, {0.8, 0.1, 0.1}};
    int moved = 0;
    for (int round = 0; round < 3000; ++round) {
        const Params& p = params[round % 5];
        engine::SudokuGrid g;
        randomState(g, randomSolution(rng), rng, p.keep, p.bar, p.wrong);
        oracle::Grid o;
        toOracle(g, o);
        // Several passes in a row, as the fixpoint loop runs them.
        for (int pass = 0; pass < 3; ++pass) {
            engine::MoveList ml;
            std::vector<oracle::Move> om;
            g.findPossibleRows(ml, 2);
            o.findPossibleRows(om, 2);
            ASSERT_TRUE(sameState(g, o)) << "findPossibleRows, round " << round << " pass " << pass;
            g.preprocess(ml, 2);
            o.setSimple3x3Derivatives(om, 2);
            ASSERT_TRUE(sameState(g, o)) << "setSimple3x3Derivatives, round " << round;
            ASSERT_EQ(movesOf(ml), om) << "round " << round << " pass " << pass;
            moved += static_cast<int>(om.size());
            ASSERT_EQ(g.checkConsistency(), o.checkConsistency());
            ASSERT_EQ(g.check(), o.check());
            ASSERT_EQ(g.getNumInstantiations(), o.instantiations());
            ASSERT_EQ(g.getNumBarred(), o.barred());
        }
    }
    EXPECT_GT(moved, 10000); // the states really exercise the placements
}

TEST(RulesOracle, UnitQueriesAgreeOnRandomStates)
{
    std::mt19937 rng(77);
    for (int round = 0; round < 300; ++round) {
        engine::SudokuGrid g;
        randomState(g, randomSolution(rng), rng, 0.4, 0.3, 0.05);
        oracle::Grid o;
        toOracle(g, o);
        for (int v = 0; v < 9; ++v)
            for (int p = 0; p < 3; ++p)
                for (int q = 0; q < 3; ++q) {
                    ASSERT_EQ(g.valInSq(v, p, q), o.valInSq(v, p, q));
                    for (int t = 0; t < 3; ++t) {
                        ASSERT_EQ(g.valOnlyIn3x3Row(p, q, t, v), o.valOnlyIn3x3Row(p, q, t, v));
                        ASSERT_EQ(g.valOnlyIn3x3Col(p, q, t, v), o.valOnlyIn3x3Col(p, q, t, v));
                    }
                }
    }
}

TEST(RulesOracle, SearchOrderingAgreesOnRandomStates)
{
    std::mt19937 rng(4242);
    int branched = 0;
    for (int round = 0; round < 3000; ++round) {
        engine::SudokuGrid g;
        randomState(g, randomSolution(rng), rng, 0.3 + 0.1 * (round % 5), 0.1 * (round % 4), 0.02);
        engine::MoveList ml;
        std::vector<oracle::Move> om;
        if (round % 2) g.findPossibleRows(ml, 0); // half the states after a pass
        ml.numMoves = 0;
        oracle::Grid o;
        toOracle(g, o);
        const int d = g.setSmallestDomain();
        ASSERT_EQ(d, o.setSmallestDomain()) << round;
        if (d < 2) continue;
        ++branched;
        ASSERT_EQ(g.sdColIdx(), o.sdCol);
        ASSERT_EQ(g.sdRowIdx(), o.sdRow);
        bool more = g.setBestValue(ml, 1);
        ASSERT_EQ(more, o.setBestValue(om, 1));
        while (more) {
            ASSERT_EQ(g.sdValIdx(), o.sdVal);
            ASSERT_TRUE(sameState(g, o));
            more = g.setNextBestValue(ml, 1);
            ASSERT_EQ(more, o.setNextBestValue(om, 1));
        }
        ASSERT_TRUE(sameState(g, o));
        ASSERT_EQ(movesOf(ml), om);
    }
    EXPECT_GT(branched, 500);
}

TEST(RulesOracle, CrossGridTransfersAgreeOnRandomStates)
{
    std::mt19937 rng(99);
    for (int round = 0; round < 400; ++round) {
        engine::GridSlots gs;
        std::array<oracle::Grid, 6> os;
        for (int i = 0; i < 5; ++i) {
            randomState(gs[static_cast<std::size_t>(i)], randomSolution(rng), rng, 0.3, 0.3, 0.0);
            toOracle(gs[static_cast<std::size_t>(i)], os[static_cast<std::size_t>(i)]);
        }
        const int from = static_cast<int>(rng() % 7) - 1; // -1..5, out-of-range ones do nothing
        engine::propagateAccrossGrids(from, gs);
        oracle::propagateAccrossGrids(from, os);
        for (int i = 0; i < 5; ++i) ASSERT_TRUE(sameState(gs[static_cast<std::size_t>(i)], os[static_cast<std::size_t>(i)])) << round;
    }
}
