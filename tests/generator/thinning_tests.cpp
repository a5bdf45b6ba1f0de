#include <gtest/gtest.h>

#include <string>

#include "generator.h"
#include "plain_board.h"
#include "plain_generator_board.h"
#include "solution_counter.h"
#include "test_support.h"

using namespace generator;

namespace {

// Solutions of the Samurai puzzle made of the list's remaining givens.
int countGivens(const GivensList& givens)
{
    SolutionCounter counter(5);
    for (int i = 0; i < givens.count; ++i) {
        if (givens.isEmpty(i)) continue;
        const GeneratorCell& cell = givens.cells[static_cast<std::size_t>(i)];
        if (!counter.place(cell.g, cell.c, cell.r, cell.getVal())) return -1;
    }
    return counter.count(2);
}

// A Samurai generation's givens before thinning.
void makeGivens(Rig& s, int rating)
{
    const int n = s.gen.drawNumGivens(2, rating);
    ASSERT_TRUE(s.gen.generateGivens(5, n));
}

const std::string kClassic = "530070000600195000098000060800060003400803001700020006060000280000419005000080079";

void putStandard(engine::PlainBoard& board, const std::string& line)
{
    board.clear();
    board.numGrids = 1;
    for (int i = 0; i < 81; ++i)
        if (line[static_cast<std::size_t>(i)] != '0')
            board.cell(0, i % 9, i / 9).setText(std::string(1, line[static_cast<std::size_t>(i)]));
}

} // namespace

TEST(PruneGivens, KeepsExactlyOneSolutionAndTheSolutionCount)
{
    for (int rating : {2, 3}) {
        SCOPED_TRACE(rating);
        Rig s(400 + static_cast<std::uint64_t>(rating));
        makeGivens(s, rating);
        GivensList& givens = s.gen.givensList();
        ASSERT_EQ(countGivens(givens), 1);
        const int before = givens.remaining();
        const long drawsBefore = s.random.draws;
        s.solver.numSolutions = 7;
        s.gen.pruneGivens(s.target, givens, givens.count, rating);
        EXPECT_EQ(s.solver.numSolutions, 7);
        EXPECT_FALSE(s.solver.searching);
        EXPECT_FALSE(s.target.solverRunning);
        // Two draws for every given, none of them emptied beforehand.
        EXPECT_EQ(s.random.draws - drawsBefore, 2L * givens.count);
        EXPECT_GT(s.gen.stats.removalsMade, 0);
        EXPECT_EQ(givens.remaining(), before - s.gen.stats.removalsMade);
        EXPECT_EQ(countGivens(givens), 1);
        bool cornerRemoved = false;
        for (int i = 0; i < givens.count; ++i)
            cornerRemoved = cornerRemoved || (givens.isEmpty(i) && givens.cells[static_cast<std::size_t>(i)].g != 4);
        EXPECT_TRUE(cornerRemoved);
    }
}

TEST(PruneGivens, EasyTriesOnlyCentreGivens)
{
    Rig s(5);
    makeGivens(s, 1);
    GivensList& givens = s.gen.givensList();
    s.gen.pruneGivens(s.target, givens, givens.count, 1);
    int centreGivens = 0;
    for (int i = 0; i < givens.count; ++i) {
        const GeneratorCell& cell = givens.cells[static_cast<std::size_t>(i)];
        if (cell.g == 4)
            ++centreGivens;
        else
            EXPECT_FALSE(givens.isEmpty(i)) << i;
    }
    EXPECT_LE(s.gen.stats.removalsTried, centreGivens);
    EXPECT_EQ(countGivens(givens), 1);
}

TEST(PruneGivens, EmptySlotsAreSkippedWithoutDraws)
{
    Rig s(8);
    makeGivens(s, 3);
    GivensList& givens = s.gen.givensList();
    for (int i = 0; i < givens.count; i += 2) givens.empty(i);
    const long drawsBefore = s.random.draws;
    s.gen.pruneGivens(s.target, givens, givens.count, 3);
    EXPECT_EQ(s.random.draws - drawsBefore, 2L * (givens.count / 2));
}

TEST(PruneGivens, TimeLimitEndsThePassAtTheNextSlot)
{
    // Once more than 70 seconds have passed, the pass ends after the slot being
    // tested; the givens after it are not considered.
    Rig s(21);
    makeGivens(s, 3);
    GivensList& givens = s.gen.givensList();
    const GivensList original = givens;
    const long drawsBefore = s.random.draws;
    bool jumped = false;
    s.solver.yield = [&] {
        if (!jumped) {
            jumped = true;
            s.clock.now += 70.5;
        }
    };
    s.gen.pruneGivens(s.target, givens, givens.count, 3);
    ASSERT_TRUE(jumped);
    EXPECT_EQ(s.gen.stats.removalsTried, 1);
    const long draws = s.random.draws - drawsBefore;
    ASSERT_EQ(draws % 2, 0);
    const int lastSlot = static_cast<int>(draws / 2) - 1;
    ASSERT_LT(lastSlot, givens.count - 1);
    for (int i = lastSlot + 1; i < givens.count; ++i) EXPECT_FALSE(givens.isEmpty(i)) << i;
    for (int i = 0; i < lastSlot; ++i) EXPECT_EQ(givens.isEmpty(i), original.isEmpty(i)) << i;
    EXPECT_EQ(countGivens(givens), 1);
}

TEST(PruneGivens, ExactlySeventySecondsDoesNotEndThePass)
{
    Rig s(21);
    makeGivens(s, 3);
    GivensList& givens = s.gen.givensList();
    const long drawsBefore = s.random.draws;
    bool jumped = false;
    s.solver.yield = [&] {
        if (!jumped) {
            jumped = true;
            s.clock.now += 70.0;
        }
    };
    s.gen.pruneGivens(s.target, givens, givens.count, 3);
    EXPECT_EQ(s.random.draws - drawsBefore, 2L * givens.count);
}

TEST(PruneGivens, AStoppedTestNeverRemovesAGiven)
{
    // If a test's run is stopped (searching cleared from a yield) it has not
    // counted to the end, and must not count as "exactly one solution".
    Rig s(3);
    makeGivens(s, 3);
    GivensList& givens = s.gen.givensList();
    s.solver.yield = [&] { s.solver.searching = false; };
    s.gen.pruneGivens(s.target, givens, givens.count, 3);
    EXPECT_GT(s.gen.stats.removalsTried, 0);
    EXPECT_EQ(s.gen.stats.removalsMade, 0);
}

TEST(TestPuzzle, JudgesTheBoardItIsGiven)
{
    Rig s(1);
    // An empty board has many solutions.
    s.board.numGrids = 1;
    EXPECT_FALSE(s.gen.testPuzzle(s.target));
    EXPECT_FALSE(s.solver.searching);
    EXPECT_FALSE(s.target.solverRunning);

    putStandard(s.board, kClassic);
    EXPECT_TRUE(s.gen.testPuzzle(s.target));
    EXPECT_EQ(s.solver.numSolutions, 1);

    // A repeated value: no solution.
    std::string clash = kClassic;
    clash[2] = '5';
    putStandard(s.board, clash);
    EXPECT_FALSE(s.gen.testPuzzle(s.target));

    // A text that is not a symbol is not read as an empty cell.
    putStandard(s.board, kClassic);
    s.board.cell(0, 2, 0).setText("x");
    EXPECT_FALSE(s.gen.testPuzzle(s.target));

    // Other symbols: the same puzzle written in letters.
    s.symbols.setSymbols({"A", "B", "C", "D", "E", "F", "G", "H", "J"});
    putStandard(s.board, kClassic);
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r) {
            auto& cell = s.board.cell(0, c, r);
            if (!cell.text().empty()) cell.setText(s.symbols.indexToSymbol(cell.text()[0] - '1'));
        }
    EXPECT_TRUE(s.gen.testPuzzle(s.target));
    EXPECT_EQ(countBoardSolutions(s.board, s.symbols), 1);
}

TEST(TestPuzzle, ReadsSharedCellsThroughBothGridsOfASamuraiBoard)
{
    Rig s(12);
    s.gen.generatePuzzle(s.target, 2, 2);
    ASSERT_TRUE(s.gen.testPuzzle(s.target));
    // Blank the whole board but one corner grid: many solutions.
    for (int g = 0; g < 4; ++g)
        for (int c = 0; c < 9; ++c)
            for (int r = 0; r < 9; ++r)
                if (g != 1) s.board.cell(g, c, r).setText("");
    EXPECT_FALSE(s.gen.testPuzzle(s.target));
}
