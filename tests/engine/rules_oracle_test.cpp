// SPDX-License-Identifier: GPL-3.0-or-later
// The engine's bit-mask rules against the plain oracle, on many random grid
// states: same values, same barred flags, same moves in the same order with
// the same reasons.
#include <gtest/gtest.h>

#include <algorithm>

#include "cross_grid.h"
#include "test_support.h"

using namespace testing_support;

namespace {

// A random solved grid, as an 81-character line, from a fixed pattern shuffled
// by digit, row-in-band, column-in-stack, band and stack permutations.
std::string randomSolution(std::mt19937& rng)
{
    std::array<int, 9> digit{0, 1, 2, 3, 4, 5, 6, 7, 8};
    std::shuffle(digit.begin(), digit.end(), rng);
    auto perm = [&] {
        std::array<int, 3> bands{0, 1, 2}, inner{0, 1, 2};
        std::shuffle(bands.begin(), bands.end(), rng);
        std::array<int, 9> out;
        for (std::size_t k = 0; k < 9; ++k) {
            if (k % 3 == 0) std::shuffle(inner.begin(), inner.end(), rng);
            out[k] = bands[k / 3] * 3 + inner[k % 3];
        }
        return out;
    };
    const auto rows = perm(), cols = perm();
    std::string s;
    for (std::size_t k = 0; k < 81; ++k)
        s += static_cast<char>('1' + digit[static_cast<std::size_t>((rows[k / 9] * 3 + rows[k / 9] / 3 + cols[k % 9]) % 9)]);
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
    std::array<int, 4> byRule{}; // moves of each propagation rule, by their reason
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
            for (const oracle::Move& m : om) ++byRule.at(static_cast<std::size_t>(m.why));
            ASSERT_EQ(g.checkConsistency(), o.checkConsistency());
            ASSERT_EQ(g.check(), o.check());
            ASSERT_EQ(g.getNumInstantiations(), o.instantiations());
            ASSERT_EQ(g.getNumBarred(), o.barred());
        }
    }
    for (int n : byRule) EXPECT_GT(n, 500); // the states really exercise every placement rule
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
