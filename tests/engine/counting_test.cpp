// The exact counter against the solver's counting search and the suite's own
// counter.
#include <gtest/gtest.h>

#include <sstream>

#include "exact_counter.h"
#include "solver.h"
#include "test_support.h"

using namespace testing_support;

namespace {

// The published Samurai collection, when it lies next to the repository, as
// 405-character lines.
std::vector<std::string> publishedSamurai()
{
    std::vector<std::string> out;
    for (const std::string& l : readLines("../../../shared/data/samurai/samurai_janko_272.txt")) {
        std::istringstream fields(l);
        std::string id, positions, line;
        fields >> id >> positions;
        for (int k = 0; k < 405 && positions.size() == 441; ++k)
            line += positions[static_cast<std::size_t>(layout::position(k / 81, k % 9, k % 81 / 9))];
        if (line.size() == 405) out.push_back(line);
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
    // The exact counter's count of a puzzle line, checked against the solver.
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
    std::vector<std::string> lines = publishedSamurai();
    for (const char* list : {"top1465.txt", "top95.txt", "easy50.txt", "hardest.txt", "sudoku17_sample1967.txt", "samurai_small.txt"})
        for (const std::string& l : readLines(list)) lines.push_back(l);
    ASSERT_GT(lines.size(), 3500u);
    Counting both;
    for (const std::string& line : lines) ASSERT_EQ(both.count(line), 1) << line;
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
            const int g = static_cast<int>(i / 81), c = static_cast<int>(i % 9), r = static_cast<int>(i % 81 / 9);
            char& a = at[static_cast<std::size_t>(layout::position(g, c, r))];
            if (!a)
                a = (!k.sharedOnly || layout::shared(g, c, r)) && u(rng) < keep
                        ? (u(rng) < k.wrong ? static_cast<char>('1' + rng() % 9) : solution[i])
                        : '.';
            line[i] = a;
        }
        const int before = both.unfinished;
        const int count = both.count(line);
        if (both.unfinished != before) continue;
        // The suite's counter as well on standard boards (on Samurai boards
        // without a solution it can take minutes).
        if (kind == 0) ASSERT_EQ(count, std::max(countLine(line), 0)) << line; // clashing givens: none
        ++seen[kind][count];
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
        if (line[static_cast<std::size_t>(k)] == '.') continue;
        counter.setGiven(k / 81, k % 9, k % 81 / 9, line[static_cast<std::size_t>(k)] - '1');
        if (k >= 4 * 81 && k % 9 < 3 && k % 81 / 9 < 3) shared = k % 81;
    }
    ASSERT_GE(shared, 0);
    EXPECT_EQ(counter.count(), 1);
    EXPECT_EQ(counter.count(), 1); // a count leaves the givens as they were
    // The same given through the corner grid is the same cell; another value
    // there contradicts it, even on an otherwise empty board.
    counter.setGiven(0, shared % 9 + 6, shared / 9 + 6, line[static_cast<std::size_t>(4 * 81 + shared)] - '1');
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
