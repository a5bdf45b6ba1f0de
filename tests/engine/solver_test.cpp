#include <gtest/gtest.h>

#include <sstream>

#include "exact_counter.h"
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

namespace {

// The published Samurai collection, when it lies next to the repository, as
// 405-character lines.
std::vector<std::string> publishedSamurai()
{
    std::vector<std::string> out;
    for (const std::string& l : readLines("../../../shared/data/samurai/samurai_janko_272.txt")) {
        std::istringstream fields(l);
        std::string id, positions;
        fields >> id >> positions;
        std::string line;
        for (int g = 0; g < 5 && positions.size() == 441; ++g)
            for (int k = 0; k < 81; ++k)
                line += positions[static_cast<std::size_t>(engine::boardRow(g, k / 9) * 21 + engine::boardCol(g, k % 9))];
        out.push_back(line);
    }
    return out;
}

// The exact counter and the solver (allSolutions) on the same board. The
// solver's search can take minutes on some boards; a run is stopped after
// kLevels levels and then not compared.
struct Counting {
    static constexpr long kLevels = 20000;
    engine::Solver solver;
    engine::ExactCounter counter;
    long levels = 0;
    int unfinished = 0;

    Counting()
    {
        solver.yield = [this] {
            if (++levels > kLevels) solver.searching = false;
        };
    }
    // Counts g[0..n-1] both ways (the counter first: the solver's propagation
    // changes the grids); returns the count once both agree, -1 when the
    // solver's run was stopped.
    int count(engine::GridSlots& g, int n, const std::string& what)
    {
        counter.load(g, n);
        const int fast = counter.count();
        solver.searching = true;
        levels = 0;
        solver.runFCFFP(g, n, false, true);
        if (!solver.searching) {
            ++unfinished;
            return -1;
        }
        EXPECT_EQ(fast, solver.numSolutions) << what;
        return fast;
    }
};

} // namespace

TEST(ExactCounter, CountsEveryListedPuzzleLikeTheSolver)
{
    std::vector<std::string> lines = publishedSamurai();
    for (const char* list : {"top1465.txt", "top95.txt", "easy50.txt", "hardest.txt", "sudoku17_sample1967.txt", "samurai_small.txt"})
        for (const std::string& l : readLines(list)) lines.push_back(l);
    ASSERT_GT(lines.size(), 3500u);
    Counting both;
    engine::GridSlots g;
    for (const std::string& line : lines) {
        const int n = line.size() == 405 ? 5 : 1;
        for (int k = 0; k < n; ++k) loadLine(g[static_cast<std::size_t>(k)], line, static_cast<std::size_t>(k) * 81);
        ASSERT_EQ(both.count(g, n, line), 1) << line;
    }
}

TEST(ExactCounter, CountsRandomBoardsLikeTheSolver)
{
    Counting both;
    // Solved boards, standard and Samurai, as values per board position.
    std::vector<std::array<int, 441>> solved[2];
    for (int kind : {0, 1})
        for (const std::string& line : readLines(kind ? "samurai_small.txt" : "top95.txt", 10)) {
            const int n = kind ? 5 : 1;
            engine::GridSlots g;
            for (int k = 0; k < n; ++k) loadLine(g[static_cast<std::size_t>(k)], line, static_cast<std::size_t>(k) * 81);
            both.solver.searching = true;
            ASSERT_TRUE(both.solver.runFCFFP(g, n, true, false));
            if (n == 5) ASSERT_TRUE(mergeSharedCells(g));
            std::array<int, 441> values{};
            for (int k = 0; k < n; ++k)
                for (int c = 0; c < 9; ++c)
                    for (int r = 0; r < 9; ++r)
                        values[static_cast<std::size_t>(engine::boardRow(k, r) * 21 + engine::boardCol(k, c))] =
                            g[static_cast<std::size_t>(k)].getDerived3x3(c, r);
            solved[kind].push_back(values);
        }
    // Empty boards; few givens (several solutions); about half (one or
    // several); many (mostly one); wrong values (mostly none); only the
    // shared cells (one corner box of a standard board).
    struct Kind {
        double keep, wrong;
        bool sharedOnly;
    };
    const Kind kinds[] = {{0, 0, false}, {0.2, 0, false}, {0.45, 0, false}, {0.7, 0, false}, {0.5, 0.04, false}, {0.9, 0.05, true}};
    std::mt19937 rng(20261207);
    std::uniform_real_distribution<double> u(0, 1);
    int seen[2][3] = {};
    for (int round = 0; round < 3000; ++round) {
        const int kind = round % 2, n = kind ? 5 : 1;
        const Kind& k = kinds[(round / 2) % 6];
        const auto& solution = solved[kind][rng() % solved[kind].size()];
        const double keep = k.keep * (0.6 + 0.8 * u(rng));
        std::array<int, 441> board;
        board.fill(-2); // undecided; a shared position is decided once for both grids
        engine::GridSlots g;
        for (int gi = 0; gi < n; ++gi) {
            engine::SudokuGrid& grid = g[static_cast<std::size_t>(gi)];
            grid.initialiseForSearch();
            for (int c = 0; c < 9; ++c)
                for (int r = 0; r < 9; ++r) {
                    const auto pos = static_cast<std::size_t>(engine::boardRow(gi, r) * 21 + engine::boardCol(gi, c));
                    if (board[pos] == -2)
                        board[pos] = (!k.sharedOnly || engine::isSharedCell(gi, c, r)) && u(rng) < keep
                                         ? (u(rng) < k.wrong ? static_cast<int>(rng() % 9) : solution[pos])
                                         : -1;
                    if (board[pos] >= 0) grid.setDerived3x3(c, r, board[pos]);
                }
        }
        const int count = both.count(g, n, "round " + std::to_string(round));
        if (count >= 0) ++seen[kind][count];
    }
    EXPECT_LT(both.unfinished, 30);
    for (const auto& s : seen) {
        EXPECT_GT(s[0], 50);
        EXPECT_GT(s[1], 50);
        EXPECT_GT(s[2], 50);
    }
}

TEST(ExactCounter, SharedCellsAreOneCellAndAStoppedCountIsNoCount)
{
    engine::ExactCounter counter;
    const std::string line = readLines("samurai_small.txt", 1)[0];
    counter.clear(5);
    int shared = -1; // a given of the centre's top-left box, which grid 0 shares
    for (int k = 0; k < 405; ++k) {
        const char ch = line[static_cast<std::size_t>(k)];
        if (ch < '1' || ch > '9') continue;
        counter.setGiven(k / 81, k % 81 % 9, k % 81 / 9, ch - '1');
        if (k >= 4 * 81 && k % 9 < 3 && k % 81 / 9 < 3) shared = k % 81;
    }
    ASSERT_GE(shared, 0);
    EXPECT_EQ(counter.count(), 1);
    EXPECT_EQ(counter.count(), 1); // a count leaves the givens as they were
    // The same given through the corner grid is the same cell; another value
    // there contradicts it, even on an otherwise empty board.
    const int v = line[static_cast<std::size_t>(4 * 81 + shared)] - '1';
    counter.setGiven(0, shared % 9 + 6, shared / 9 + 6, v);
    EXPECT_EQ(counter.count(), 1);
    counter.clear(5);
    counter.setGiven(4, 0, 0, 3);
    counter.setGiven(0, 6, 6, 3);
    EXPECT_EQ(counter.count(), 2);
    counter.setGiven(0, 6, 6, 5);
    EXPECT_EQ(counter.count(), 0);

    // The empty Samurai board needs more than kYieldNodes nodes for two
    // solutions: a stop in the first yield or in a later one ends the count
    // without one.
    for (int stopAt : {1, 2, 1000}) {
        bool searching = true;
        int yields = 0;
        const engine::ExactCounter::YieldFn yield = [&] {
            if (++yields == stopAt) searching = false;
        };
        counter.clear(5);
        const int n = counter.count(searching, yield);
        EXPECT_EQ(n, stopAt == 1000 ? 2 : engine::ExactCounter::kStopped) << stopAt;
        EXPECT_EQ(yields, stopAt == 1000 ? 1 + counter.nodes() / engine::ExactCounter::kYieldNodes : stopAt);
    }
}
