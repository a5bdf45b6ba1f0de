// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "solver.h"
#include "test_support.h"

using namespace testing_support;

namespace {

// Runs the engine and the oracle on the same puzzle line (81 or 405 chars).
struct Both {
    engine::GridSlots grids;
    std::array<oracle::Grid, 6> og;
    engine::Solver solver;
    oracle::Search search;
    int n;

    explicit Both(const std::string& line) : n(loadLine(grids, line))
    {
        search.numGrids = n;
        for (int g = 0; g < n; ++g) toOracle(grids[static_cast<std::size_t>(g)], og[static_cast<std::size_t>(g)]);
    }
    void expectSameRun(bool solve, bool all, const std::string& what)
    {
        solver.searching = true;
        ASSERT_EQ(solver.runFCFFP(grids, n, solve, all), search.run(og, solve, all)) << what;
        ASSERT_EQ(solver.numSolutions, search.numSolutions) << what;
        ASSERT_EQ(movesOf(solver.moves), search.moves) << what;
        for (int g = 0; g < n; ++g) ASSERT_TRUE(sameState(grids[static_cast<std::size_t>(g)], og[static_cast<std::size_t>(g)])) << what;
    }
};

} // namespace

TEST(Solver, RunsMatchTheOracleMoveForMove)
{
    std::vector<std::string> lines = readLines("samurai_small.txt", 8);
    for (const char* list : {"top95.txt", "easy50.txt", "hardest.txt"})
        for (const std::string& l : readLines(list)) lines.push_back(l);
    ASSERT_GT(lines.size(), 160u);
    for (const std::string& line : lines)
        for (int mode = 0; mode < 3; ++mode) {
            Both b(line);
            b.expectSameRun(mode == 0, mode == 2, line + " mode " + std::to_string(mode));
            if (mode == 2) EXPECT_EQ(b.solver.numSolutions, 1) << line; // every listed puzzle is unique
            if (mode != 0) continue;
            // The solution fills the board, keeps the givens and breaks no rule
            // (a shared cell may hold its value in one of its grids only).
            const std::string solved = boardLine(b.grids, b.n);
            ASSERT_EQ(solved.find('.'), std::string::npos) << line;
            ASSERT_EQ(countLine(solved), 1) << line;
            for (std::size_t k = 0; k < line.size(); ++k)
                if (line[k] != '.') ASSERT_EQ(solved[k], line[k]) << line;
        }
}

TEST(Solver, EdgeCasesAndStopsOfARun)
{
    engine::Solver solver;
    engine::GridSlots g;
    // An empty board: no initial propagation; the first branching is cell
    // (0, 0) of the highest grid in use, value 0.
    for (int n : {1, 5}) {
        loadLine(g, std::string(81 * static_cast<std::size_t>(n), '.'));
        solver.searching = true;
        ASSERT_TRUE(solver.runFCFFP(g, n, false, false));
        EXPECT_EQ(movesOf(solver.moves).at(0), (oracle::Move{n - 1, 0, 0, 0}));
    }
    // Duplicate givens in a row: false, no solution counted.
    loadLine(g, std::string(81, '.'));
    g[0].setDerived3x3(0, 4, 3);
    g[0].setDerived3x3(7, 4, 3);
    EXPECT_FALSE(solver.runFCFFP(g, 1, true, false));
    EXPECT_FALSE(solver.runFCFFP(g, 1, false, true));
    EXPECT_EQ(solver.numSolutions, 0);
    // A stop before the run (only the initial propagation; one yield for the
    // run, one at the level that returns at once) or from the fifth yield
    // unwinds as if solved and keeps the moves so far.
    for (int stopAt : {0, 5}) {
        int yields = 0;
        solver.yield = [&] {
            if (++yields == stopAt) solver.searching = false;
        };
        loadLine(g, puzzles::kHard);
        solver.searching = stopAt > 0;
        EXPECT_TRUE(solver.runFCFFP(g, 1, true, false));
        EXPECT_EQ(yields, stopAt > 0 ? stopAt : 2);
        EXPECT_NE(boardLine(g, 1).find('.'), std::string::npos);
        for (int k = 0; k < solver.moves.numMoves; ++k)
            EXPECT_EQ(g[0].getDerived3x3(solver.moves[k].col, solver.moves[k].row), solver.moves[k].val);
    }
}

TEST(Solver, TheLevelLimitEndsSingleGridTests)
{
    // A listed hard puzzle with one given changed has several solutions, and
    // finding a second takes more than 2000 levels; an empty grid's come well
    // within the limit.
    const std::string deep = ".98.1....2......6.............9.2.5..84.........6.........4.8.93..5...........1..";
    for (const std::string& line : {deep, std::string(81, '.')}) {
        const bool limited = line == deep;
        engine::Solver solver;
        engine::GridSlots g;
        loadLine(g, line);
        EXPECT_EQ(solver.doSingleGridFCFFPTest(g[0], false, true), !limited);
        EXPECT_EQ(solver.searchLimitExceeded, limited);
        EXPECT_EQ(solver.searchNodes > engine::Solver::kSearchLimit, limited);
        EXPECT_FALSE(solver.limitSearch || solver.searching);
        EXPECT_EQ(boardLine(g, 1), line); // the grid passed in is never changed
        solver.searching = true;          // without the limit the search finds two
        EXPECT_TRUE(solver.runFCFFP(g, 1, false, true));
        EXPECT_EQ(solver.numSolutions, 2);
    }
}

TEST(Solver, ANestedRunFromAYieldLeavesTheOuterRunIntact)
{
    const auto lines = readLines("top95.txt", 2);
    engine::GridSlots outer, inner, refGrids;
    engine::Solver solver, reference;
    loadLine(outer, lines[0]);
    loadLine(refGrids, lines[0]);
    reference.searching = true;
    ASSERT_TRUE(reference.runFCFFP(refGrids, 1, true, false));

    // The level copies are taken from a stack, so an inner run made from a
    // yield cannot overwrite the outer run's grids. (Moves and flags are the
    // caller's to protect.)
    int depth = 0;
    solver.yield = [&] {
        if (depth++ == 3) { // later yields, the inner run's own among them, pass
            loadLine(inner, lines[1]);
            const engine::MoveList saved = solver.moves;
            solver.runFCFFP(inner, 1, false, false);
            solver.moves = saved;
        }
    };
    solver.searching = true;
    ASSERT_TRUE(solver.runFCFFP(outer, 1, true, false));
    EXPECT_EQ(boardLine(outer, 1), boardLine(refGrids, 1));
    EXPECT_EQ(movesOf(solver.moves), movesOf(reference.moves));
}

TEST(Solver, ASingleGridTestFromAnotherOnesYieldKeepsItsOwnGrid)
{
    // The outer test's private grid must survive an inner test started from
    // its first yield, before its search has copied that grid.
    engine::GridSlots unique;
    engine::SudokuGrid open;
    loadLine(unique, puzzles::kHard);
    engine::Solver solver;
    bool inner = false, innerResult = false;
    solver.yield = [&] {
        if (inner) return;
        inner = true;
        // Moves, counts and flags are the caller's to protect.
        const engine::MoveList saved = solver.moves;
        const int solutions = solver.numSolutions, nodes = solver.searchNodes;
        innerResult = solver.doSingleGridFCFFPTest(open, false, true);
        solver.moves = saved;
        solver.numSolutions = solutions;
        solver.searchNodes = nodes;
        solver.searching = solver.limitSearch = true;
    };
    EXPECT_FALSE(solver.doSingleGridFCFFPTest(unique[0], false, true)); // one solution: not "several"
    EXPECT_TRUE(inner);
    EXPECT_TRUE(innerResult); // the empty grid has several
    EXPECT_FALSE(solver.searchLimitExceeded);
}
