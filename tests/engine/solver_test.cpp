#include <gtest/gtest.h>

#include "plain_board.h"
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
    int n = 1;

    explicit Both(const std::string& line)
    {
        n = line.size() == 405 ? 5 : 1;
        search.numGrids = n;
        for (int g = 0; g < n; ++g) {
            loadLine(grids[static_cast<std::size_t>(g)], line, static_cast<std::size_t>(g) * 81);
            toOracle(grids[static_cast<std::size_t>(g)], og[static_cast<std::size_t>(g)]);
        }
    }
    void expectSameRun(bool solve, bool all, const std::string& what)
    {
        solver.searching = true;
        const bool r = solver.runFCFFP(grids, n, solve, all);
        const bool o = search.run(og, solve, all);
        ASSERT_EQ(r, o) << what;
        ASSERT_EQ(solver.numSolutions, search.numSolutions) << what;
        ASSERT_EQ(movesOf(solver.moves), search.moves) << what;
        for (int g = 0; g < n; ++g) ASSERT_TRUE(sameState(grids[static_cast<std::size_t>(g)], og[static_cast<std::size_t>(g)])) << what;
    }
};

// After a Samurai solve a shared cell holds its value in the grid whose move
// placed it, and in the other grid only if propagation copied it there. Fills
// each such gap from the other grid; false when the two grids disagree.
bool mergeSharedCells(engine::GridSlots& g)
{
    for (int o = 0; o < 4; ++o) {
        const auto& s = engine::kSharedBox[static_cast<std::size_t>(o)];
        for (int a = 0; a < 3; ++a)
            for (int b = 0; b < 3; ++b) {
                auto& outer = g[static_cast<std::size_t>(o)];
                const int vo = outer.getDerived3x3(s.outerCol + a, s.outerRow + b);
                const int vc = g[4].getDerived3x3(s.centreCol + a, s.centreRow + b);
                if (vo >= 0 && vc >= 0 && vo != vc) return false;
                if (vo < 0) outer.setDerived3x3(s.outerCol + a, s.outerRow + b, vc);
                if (vc < 0) g[4].setDerived3x3(s.centreCol + a, s.centreRow + b, vo);
            }
    }
    return true;
}

} // namespace

TEST(Solver, RunsMatchTheOracleMoveForMove)
{
    std::vector<std::string> lines = readLines("top95.txt");
    for (const auto& l : readLines("easy50.txt")) lines.push_back(l);
    for (const auto& l : readLines("hardest.txt")) lines.push_back(l);
    for (const auto& l : readLines("samurai_small.txt", 4)) lines.push_back(l);
    ASSERT_GT(lines.size(), 150u);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        for (int mode = 0; mode < 3; ++mode) {
            Both b(lines[i]);
            const bool solve = mode == 0, all = mode == 2;
            b.expectSameRun(solve, all, "puzzle " + std::to_string(i) + " mode " + std::to_string(mode));
            if (mode == 0) {
                // Every solution is a valid completion of its givens.
                if (b.n == 5) {
                    ASSERT_TRUE(mergeSharedCells(b.grids)) << i;
                }
                for (int g = 0; g < b.n; ++g) {
                    ASSERT_TRUE(b.grids[static_cast<std::size_t>(g)].check()) << i;
                    for (int k = 0; k < 81; ++k) {
                        const char ch = lines[i][static_cast<std::size_t>(g * 81 + k)];
                        if (ch >= '1' && ch <= '9')
                            ASSERT_EQ(b.grids[static_cast<std::size_t>(g)].getDerived3x3(k % 9, k / 9), ch - '1');
                    }
                }
            }
            if (mode == 2) EXPECT_EQ(b.solver.numSolutions, 1) << i; // every listed puzzle is unique
        }
    }
}

TEST(Solver, CountsAgreeWithAnIndependentCounter)
{
    std::mt19937 rng(1234);
    const auto lines = readLines("top95.txt", 30);
    int seen[3] = {};
    for (int round = 0; round < 300; ++round) {
        // Solve a listed puzzle, then keep a random share of the solution.
        Both solved(lines[static_cast<std::size_t>(round) % lines.size()]);
        solved.solver.searching = true;
        ASSERT_TRUE(solved.solver.runFCFFP(solved.grids, 1, true, false));
        int cells[9][9];
        std::string line(81, '.');
        const double keep = 0.25 + 0.25 * std::uniform_real_distribution<double>(0, 1)(rng);
        for (int k = 0; k < 81; ++k) {
            int v = solved.grids[0].getDerived3x3(k % 9, k / 9);
            if (std::uniform_real_distribution<double>(0, 1)(rng) > keep) v = -1;
            if (round % 10 == 0 && k == static_cast<int>(rng() % 81)) v = static_cast<int>(rng() % 9); // sometimes a wrong given
            cells[k / 9][k % 9] = v;
            line[static_cast<std::size_t>(k)] = v < 0 ? '.' : static_cast<char>('1' + v);
        }
        const int expected = countSolutions(cells, 2);
        Both b(line);
        b.solver.searching = true;
        const bool many = b.solver.runFCFFP(b.grids, 1, false, true);
        ASSERT_EQ(b.solver.numSolutions, expected) << line;
        ASSERT_EQ(many, expected == 2) << line;
        ++seen[expected];
    }
    EXPECT_GT(seen[1], 10);
    EXPECT_GT(seen[2], 10);
}

TEST(Solver, SamuraiSolutionsAgreeInSharedCells)
{
    const auto lines = readLines("samurai_small.txt", 8);
    ASSERT_FALSE(lines.empty());
    for (const std::string& line : lines) {
        engine::PlainBoard board;
        board.numGrids = 5;
        for (int g = 0; g < 5; ++g) loadLine(board.grids[static_cast<std::size_t>(g)], line, static_cast<std::size_t>(g) * 81);
        engine::Solver solver;
        solver.searching = true;
        ASSERT_TRUE(solver.runFCFFP(board.grids, 5, true, false));
        ASSERT_TRUE(mergeSharedCells(board.grids));
        for (int g = 0; g < 5; ++g) ASSERT_TRUE(board.grids[static_cast<std::size_t>(g)].check());
    }
}

TEST(Solver, EdgeCasesOfARun)
{
    engine::Solver solver;
    engine::GridSlots g;
    // An empty board: no initial propagation; the first branching is cell
    // (0, 0) of the highest grid in use, value 0.
    for (int n : {1, 5}) {
        for (auto& grid : g) grid.initialiseForSearch();
        solver.searching = true;
        ASSERT_TRUE(solver.runFCFFP(g, n, false, false));
        ASSERT_GT(solver.moves.numMoves, 0);
        EXPECT_EQ(solver.moves[0].grid, n - 1);
        EXPECT_EQ(solver.moves[0].col, 0);
        EXPECT_EQ(solver.moves[0].row, 0);
        EXPECT_EQ(solver.moves[0].val, 0);
    }
    // Duplicate givens in a row: false, no solution counted.
    g[0].initialiseForSearch();
    g[0].setDerived3x3(0, 4, 3);
    g[0].setDerived3x3(7, 4, 3);
    solver.searching = true;
    EXPECT_FALSE(solver.runFCFFP(g, 1, true, false));
    EXPECT_FALSE(solver.runFCFFP(g, 1, false, true));
    EXPECT_EQ(solver.numSolutions, 0);
    // searching false before the run: only the initial propagation, result true.
    loadLine(g[0], readLines("top95.txt", 1)[0]);
    solver.searching = false;
    int yields = 0;
    solver.yield = [&] { ++yields; };
    EXPECT_TRUE(solver.runFCFFP(g, 1, false, false));
    EXPECT_EQ(yields, 2); // once per run, once at the level that returns at once
}

TEST(Solver, StopFromTheYieldUnwindsAndKeepsTheMovesSoFar)
{
    const std::string hard = readLines("top95.txt", 1)[0];
    engine::GridSlots g;
    engine::Solver solver;
    int calls = 0;
    solver.yield = [&] {
        if (++calls == 5) solver.searching = false;
    };
    loadLine(g[0], hard);
    solver.searching = true;
    EXPECT_TRUE(solver.runFCFFP(g, 1, true, false)); // a stop unwinds as if solved
    EXPECT_EQ(calls, 5);
    EXPECT_FALSE(g[0].check());
    for (int k = 0; k < solver.moves.numMoves; ++k)
        EXPECT_EQ(g[0].getDerived3x3(solver.moves[k].col, solver.moves[k].row), solver.moves[k].val);
}

TEST(Solver, TheLevelLimitEndsSingleGridTests)
{
    engine::Solver solver;
    // A listed hard puzzle with one given changed: it has several solutions,
    // and finding a second takes more than 2000 levels.
    const std::string deep = ".98.1....2......6.............9.2.5..84.........6.........4.8.93..5...........1..";
    engine::SudokuGrid g;
    loadLine(g, deep);
    solver.searchNodes = 0;
    solver.searchLimitExceeded = false;
    EXPECT_FALSE(solver.doSingleGridFCFFPTest(g, false, true));
    EXPECT_TRUE(solver.searchLimitExceeded);
    EXPECT_GT(solver.searchNodes, engine::Solver::kSearchLimit);
    EXPECT_FALSE(solver.limitSearch);
    EXPECT_FALSE(solver.searching);
    engine::SudokuGrid fresh;
    loadLine(fresh, deep);
    for (int c = 0; c < 9; ++c) // the grid passed in is never changed
        for (int r = 0; r < 9; ++r) EXPECT_EQ(g.getDerived3x3(c, r), fresh.getDerived3x3(c, r));
    // Without the limit the same search finds them.
    engine::GridSlots slots;
    loadLine(slots[0], deep);
    solver.searching = true;
    EXPECT_TRUE(solver.runFCFFP(slots, 1, false, true));
    EXPECT_EQ(solver.numSolutions, 2);

    // An empty grid has many solutions: found well within the limit.
    engine::SudokuGrid empty;
    solver.searchNodes = 0;
    solver.searchLimitExceeded = false;
    EXPECT_TRUE(solver.doSingleGridFCFFPTest(empty, false, true));
    EXPECT_EQ(solver.numSolutions, 2);
    EXPECT_FALSE(solver.searchLimitExceeded);
}

TEST(Solver, ANestedRunFromAYieldLeavesTheOuterRunIntact)
{
    const auto lines = readLines("top95.txt", 3);
    engine::GridSlots outer, inner;
    engine::Solver solver, reference;
    loadLine(outer[0], lines[0]);
    reference.searching = true;
    engine::GridSlots refGrids;
    loadLine(refGrids[0], lines[0]);
    ASSERT_TRUE(reference.runFCFFP(refGrids, 1, true, false));

    // The level copies are taken from a stack, so an inner run made from a
    // yield cannot overwrite the outer run's grids. (Moves and flags are the
    // caller's to protect.)
    int depth = 0;
    solver.yield = [&] {
        if (depth++ == 3) { // later yields, the inner run's own among them, pass
            loadLine(inner[0], lines[1]);
            const engine::MoveList saved = solver.moves;
            solver.runFCFFP(inner, 1, false, false);
            solver.moves = saved;
        }
    };
    solver.searching = true;
    ASSERT_TRUE(solver.runFCFFP(outer, 1, true, false));
    EXPECT_TRUE(outer[0].check());
    EXPECT_EQ(movesOf(solver.moves), movesOf(reference.moves));
}

TEST(Solver, ASingleGridTestFromAnotherOnesYieldKeepsItsOwnGrid)
{
    // The outer test's private grid must survive an inner test started from
    // its first yield, before its search has copied that grid.
    engine::SudokuGrid unique, open;
    loadLine(unique, readLines("top95.txt", 1)[0]);
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
    solver.searchNodes = 0;
    EXPECT_FALSE(solver.doSingleGridFCFFPTest(unique, false, true)); // one solution: not "several"
    EXPECT_TRUE(inner);
    EXPECT_TRUE(innerResult); // the empty grid has several
    EXPECT_FALSE(solver.searchLimitExceeded);
}
