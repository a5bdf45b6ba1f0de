// SPDX-License-Identifier: GPL-3.0-or-later
// The thinning of Samurai givens and the final check of a board.
#include <gtest/gtest.h>

#include <string>

#include "puzzles.h"
#include "test_support.h"

using namespace generator;

namespace {

// A Samurai generation's givens before thinning.
GivensList& makeGivens(Rig& s, int rating)
{
    EXPECT_TRUE(s.gen.generateGivens(5, s.gen.drawNumGivens(2, rating)));
    return s.gen.givensList();
}

// The list's remaining givens as a puzzle line.
std::string givensLine(const GivensList& givens)
{
    std::string line(405, '.');
    for (int i = 0; i < givens.count; ++i) {
        const GeneratorCell& cell = givens.cells[static_cast<std::size_t>(i)];
        if (!givens.isEmpty(i)) line[puzzles::at(cell.g, cell.c, cell.r)] = static_cast<char>('1' + cell.getVal());
    }
    return line;
}

} // namespace

TEST(PruneGivens, KeepsExactlyOneSolutionAndTheSolutionCount)
{
    for (int rating : {2, 3}) {
        Rig s(400 + static_cast<std::uint64_t>(rating));
        GivensList& givens = makeGivens(s, rating);
        ASSERT_EQ(countLine(givensLine(givens)), 1);
        const int before = givens.remaining();
        const long drawsBefore = s.random.draws;
        s.solver.numSolutions = 7;
        s.gen.pruneGivens(s.target, givens, givens.count, rating);
        EXPECT_EQ(s.solver.numSolutions, 7);
        EXPECT_FALSE(s.solver.searching || s.target.solverRunning);
        EXPECT_EQ(s.random.draws - drawsBefore, 2L * givens.count); // two for every given
        EXPECT_GT(s.gen.stats.removalsMade, 0);
        EXPECT_EQ(givens.remaining(), before - s.gen.stats.removalsMade);
        EXPECT_EQ(countLine(givensLine(givens)), 1) << rating;
    }
}

TEST(PruneGivens, MoreThanSeventySecondsEndThePassAfterTheSlotBeingTested)
{
    for (const double jump : {70.5, 70.0}) {
        Rig s(21);
        GivensList& givens = makeGivens(s, 3);
        const long drawsBefore = s.random.draws;
        s.solver.yield = [&] {
            s.clock.now = 1000.0 + jump; // from the first test on
        };
        s.gen.pruneGivens(s.target, givens, givens.count, 3);
        const long slots = (s.random.draws - drawsBefore) / 2;
        EXPECT_EQ(slots == givens.count, jump == 70.0) << slots;
        if (jump == 70.0) continue;
        EXPECT_EQ(s.gen.stats.removalsTried, 1);
        for (int i = static_cast<int>(slots); i < givens.count; ++i) EXPECT_FALSE(givens.isEmpty(i)) << i;
        EXPECT_EQ(countLine(givensLine(givens)), 1);
    }
}

TEST(PruneGivens, AStoppedTestNeverRemovesAGiven)
{
    // A test stopped from a yield has not counted to the end: it must not
    // count as "exactly one solution".
    Rig s(3);
    GivensList& givens = makeGivens(s, 3);
    s.solver.yield = [&] { s.solver.searching = false; };
    s.gen.pruneGivens(s.target, givens, givens.count, 3);
    EXPECT_GT(s.gen.stats.removalsTried, 0);
    EXPECT_EQ(s.gen.stats.removalsMade, 0);
}

TEST(TestPuzzle, JudgesTheBoardItIsGiven)
{
    std::string clash = puzzles::kHard, stranger = puzzles::kHard;
    clash[1] = '5'; // twice in row 0
    stranger[0] = 'x';
    struct Case {
        std::string line;
        bool letters, one;
    };
    const Case cases[] = {{std::string(81, '.'), false, false}, {puzzles::kHard, false, true}, {clash, false, false},
                          {stranger, false, false}, {puzzles::kHard, true, true}};
    for (const Case& k : cases) {
        Rig s(1);
        if (k.letters) s.symbols.setSymbols({"A", "B", "C", "D", "E", "F", "G", "H", "J"});
        for (std::size_t i = 0; i < 81; ++i)
            if (k.line[i] != '.')
                s.board.cell(0, puzzles::colOf(i), puzzles::rowOf(i))
                    .setText(k.line[i] == 'x' ? "x" : s.symbols.indexToSymbol(k.line[i] - '1'));
        EXPECT_EQ(s.gen.testPuzzle(s.target), k.one) << k.line;
        if (k.one) EXPECT_EQ(s.solver.numSolutions, 1);
        EXPECT_FALSE(s.solver.searching || s.target.solverRunning);
    }
    // A Samurai board with three corner grids blanked, and with them the
    // centre's boxes that they share, has many solutions.
    Rig s(12);
    s.gen.generatePuzzle(s.target, 2, 2);
    ASSERT_TRUE(s.gen.testPuzzle(s.target));
    for (int g : {0, 2, 3})
        for (int k = 0; k < 81; ++k) s.board.cell(g, k % 9, k / 9).setText("");
    EXPECT_FALSE(s.gen.testPuzzle(s.target));
}
