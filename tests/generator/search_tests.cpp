#include <gtest/gtest.h>

#include <string>

#include "generator.h"
#include "solution_counter.h"
#include "test_support.h"

using namespace generator;

namespace {

// A well-known puzzle with exactly one solution, row by row, '0' for empty.
const std::string kClassic = "530070000600195000098000060800060003400803001700020006060000280000419005000080079";

struct Fixture {
    Fixture() : random(1), gen(solver, random, clock) {}
    engine::Solver solver;
    CountingRandom random;
    FakeClock clock;
    Generator gen;
};

GeneratorCell makeCell(int c, int r, int firstValue)
{
    GeneratorCell cell;
    cell.initialise(0, c, r);
    for (int i = 0; i < 9; ++i) cell.setDomainVal(i, (firstValue + i) % 9);
    return cell;
}

int countGrid(const engine::SudokuGrid& grid)
{
    SolutionCounter counter(1);
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r) {
            const int v = grid.getDerived3x3(c, r);
            if (v >= 0 && !counter.place(0, c, r, v)) return -1;
        }
    return counter.count(2);
}

} // namespace

TEST(SearchPuzzleLevel, ThirdUniquenessTestWithTwoSolutionsAbandonsTheAttempt)
{
    // Three cells on an empty grid: every assignment leaves many solutions.
    Fixture f;
    engine::SudokuGrid grid;
    grid.initialiseForSearch();
    CellList list{};
    list[0] = makeCell(0, 0, 0);
    list[1] = makeCell(4, 4, 3);
    list[2] = makeCell(8, 8, 6);
    CellMarks marks{};
    marks.fill(9);
    f.gen.uniquenessTests = 0;
    EXPECT_TRUE(f.gen.searchPuzzleLevel(grid, list, 0, 3, marks));
    EXPECT_EQ(f.gen.uniquenessTests, 3);
    EXPECT_TRUE(f.solver.searchLimitExceeded);
    EXPECT_EQ(f.gen.stats.uniquenessTests, 3);
    // The search never touches the grid it was given.
    EXPECT_EQ(grid.getNumInstantiations(), 0);
}

TEST(SearchPuzzleLevel, FindsTheValuesThatLeaveExactlyOneSolution)
{
    // The classic puzzle without two of its givens, which alone still has one
    // solution: only the original values can be completed, and the search must
    // find them whatever order their domains give.
    Fixture f;
    engine::SudokuGrid grid;
    grid.initialiseForSearch();
    const int open[2][2] = {{0, 0}, {8, 8}}; // (col, row); 5 and 9 in the puzzle
    CellList list{};
    for (int k = 0; k < 2; ++k) list[static_cast<std::size_t>(k)] = makeCell(open[k][0], open[k][1], 3 + k);
    for (int i = 0; i < 81; ++i) {
        const int col = i % 9, row = i / 9;
        const bool isOpen = (col == 0 && row == 0) || (col == 8 && row == 8);
        if (kClassic[static_cast<std::size_t>(i)] != '0' && !isOpen)
            grid.setDerived3x3(col, row, kClassic[static_cast<std::size_t>(i)] - '1');
    }
    ASSERT_EQ(countGrid(grid), 1);
    CellMarks marks{};
    marks.fill(9);
    ASSERT_TRUE(f.gen.searchPuzzleLevel(grid, list, 0, 2, marks));
    EXPECT_FALSE(f.solver.searchLimitExceeded);
    EXPECT_EQ(f.gen.uniquenessTests, 1);
    EXPECT_EQ(list[0].getVal(), 4);
    EXPECT_EQ(list[1].getVal(), 8);
    // Completion tests were needed for the wrong values of the last cell.
    EXPECT_GE(f.gen.stats.completionTests, 1);
}

TEST(SearchPuzzleLevel, ContradictionFailsAndRestoresTheMoveCount)
{
    Fixture f;
    engine::SudokuGrid grid;
    grid.initialiseForSearch();
    grid.setDerived3x3(0, 0, 4);
    grid.setDerived3x3(5, 0, 4); // the same value twice in row 0
    CellList list{};
    list[0] = makeCell(2, 2, 0);
    list[1] = makeCell(7, 7, 0);
    CellMarks marks{};
    marks.fill(9);
    f.solver.moves.numMoves = 5;
    EXPECT_FALSE(f.gen.searchPuzzleLevel(grid, list, 0, 2, marks));
    EXPECT_EQ(f.solver.moves.numMoves, 5);
    EXPECT_EQ(f.gen.uniquenessTests, 0);
}

TEST(SearchPuzzleLevel, ReturnsAtOnceWhenStopped)
{
    Fixture f;
    engine::SudokuGrid grid;
    grid.initialiseForSearch();
    CellList list{};
    list[0] = makeCell(0, 0, 0);
    CellMarks marks{};
    marks.fill(9);
    f.gen.keepGenerating = false;
    EXPECT_TRUE(f.gen.searchPuzzleLevel(grid, list, 0, 1, marks));
    EXPECT_EQ(marks[0], 9);
    EXPECT_EQ(f.gen.stats.completionTests, 0);
}
