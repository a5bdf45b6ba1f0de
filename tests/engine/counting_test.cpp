// SPDX-License-Identifier: GPL-3.0-or-later
// The exact counter against the solver's counting search and the suite's own
// counter.
#include <gtest/gtest.h>

#include "exact_counter.h"
#include "solver.h"
#include "test_support.h"

using namespace testing_support;

namespace {

// The exact counter's count of a puzzle line, checked against the solver
// (allSolutions). The solver's search can take minutes on some boards: a run
// is stopped after 20000 levels and then not compared.
struct Counting {
    engine::Solver solver;
    engine::ExactCounter counter;
    long levels = 0;
    int unfinished = 0;

    Counting()
    {
        solver.yield = [this] {
            if (++levels > 20000) solver.searching = false;
        };
    }
    int count(const std::string& line)
    {
        engine::GridSlots g;
        const int n = loadLine(g, line);
        counter.load(g, n);
        const int fast = counter.count();
        solver.searching = true;
        levels = 0;
        solver.runFCFFP(g, n, false, true);
        if (solver.searching) EXPECT_EQ(fast, solver.numSolutions) << line;
        unfinished += !solver.searching;
        return fast;
    }
};

} // namespace

TEST(ExactCounter, CountsEveryListedPuzzleLikeTheSolver)
{
    Counting both;
    std::size_t lines = 0;
    for (const char* list : {"top1465.txt", "top95.txt", "easy50.txt", "hardest.txt", "sudoku17_sample1967.txt", "samurai_small.txt"}) {
        lines += readLines(list).size();
        for (const std::string& line : readLines(list)) ASSERT_EQ(both.count(line), 1) << line;
    }
    EXPECT_GT(lines, 3500u);
    EXPECT_EQ(both.unfinished, 0);
}

TEST(ExactCounter, CountsRandomBoardsLikeTheSolverAndTheSuitesCounter)
{
    Counting both;
    std::vector<std::string> solved[2]; // solved boards, standard and Samurai
    for (int kind : {0, 1})
        for (const std::string& line : readLines(kind ? "samurai_small.txt" : "top95.txt", 10)) {
            engine::GridSlots g;
            const int n = loadLine(g, line);
            both.solver.searching = true;
            ASSERT_TRUE(both.solver.runFCFFP(g, n, true, false));
            solved[kind].push_back(boardLine(g, n));
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
        const int kind = round % 2;
        const Kind& k = kinds[(round / 2) % 6];
        const std::string& solution = solved[kind][rng() % solved[kind].size()];
        const double keep = k.keep * (0.6 + 0.8 * u(rng));
        std::array<char, 441> at{}; // a shared position is decided once for both grids
        std::string line = solution;
        for (std::size_t i = 0; i < line.size(); ++i) {
            const int g = puzzles::gridOf(i), c = puzzles::colOf(i), r = puzzles::rowOf(i);
            char& a = at[static_cast<std::size_t>(layout::position(g, c, r))];
            if (!a)
                a = (!k.sharedOnly || layout::shared(g, c, r)) && u(rng) < keep
                        ? (u(rng) < k.wrong ? static_cast<char>('1' + rng() % 9) : solution[i])
                        : '.';
            line[i] = a;
        }
        const int before = both.unfinished, count = both.count(line);
        if (both.unfinished != before) continue;
        // The suite's counter too on standard boards (on Samurai boards
        // without a solution it can take minutes); clashing givens: none.
        if (kind == 0) ASSERT_EQ(count, std::max(countLine(line), 0)) << line;
        ++seen[kind][count];
    }
    EXPECT_LT(both.unfinished, 30);
    for (const auto& s : seen)
        for (int n : s) EXPECT_GT(n, 50);
}

TEST(ExactCounter, SharedCellsAreOneCellAndAStoppedCountIsNoCount)
{
    // The same given through the corner grid is the same cell; another value
    // there contradicts it. A count leaves the givens as they were.
    engine::ExactCounter counter;
    counter.clear(5);
    counter.setGiven(4, 0, 0, 3);
    counter.setGiven(0, 6, 6, 3);
    EXPECT_EQ(counter.count(), 2);
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
        EXPECT_EQ(counter.count(searching, yield), stopAt == 1000 ? 2 : engine::ExactCounter::kStopped) << stopAt;
        EXPECT_EQ(yields, stopAt == 1000 ? 1 + counter.nodes() / engine::ExactCounter::kYieldNodes : stopAt);
    }
}
