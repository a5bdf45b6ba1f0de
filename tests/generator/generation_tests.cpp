#include <gtest/gtest.h>

#include <array>

#include "batch_generation.h"
#include "generator.h"
#include "plain_board.h"
#include "plain_generator_board.h"
#include "samurai.h"
#include "solution_counter.h"
#include "test_support.h"

using namespace generator;

namespace {

int filledCells(const engine::PlainBoard& board, int g)
{
    int n = 0;
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r) n += !board.cell(g, c, r).text().empty();
    return n;
}

bool boardEmpty(const engine::PlainBoard& board)
{
    for (int g = 0; g < 5; ++g)
        if (filledCells(board, g)) return false;
    return true;
}

} // namespace

TEST(GeneratePuzzle, StandardPuzzlesHaveTheLevelsGivensSpreadAndOneSolution)
{
    for (int rating : {1, 2, 3})
        for (std::uint64_t seed : {1u, 2u, 3u}) {
            SCOPED_TRACE("rating " + std::to_string(rating) + " seed " + std::to_string(seed));
            Rig s(seed);
            s.board.numGrids = 5; // a Samurai board is shown: generation switches it
            s.gen.generatePuzzle(s.target, 1, rating);

            EXPECT_EQ(s.random.reseeds, 1);
            EXPECT_EQ(s.board.numGrids, 1);
            EXPECT_TRUE(s.target.cellEventsOn);
            EXPECT_FALSE(s.target.stopwatchRunning);
            const GivensRange range = givensRange(1, rating);
            const int n = s.gen.numGivens();
            ASSERT_GE(n, range.lo);
            ASSERT_LE(n, range.hi);
            EXPECT_EQ(filledCells(s.board, 0), n);
            EXPECT_EQ(s.gen.givensList().remaining(), n);

            // Spread: per or per + 1 in every box, rem boxes with per + 1.
            const int per = n / 9, rem = n % 9;
            int bigger = 0;
            for (int b = 0; b < 9; ++b) {
                int inBox = 0;
                for (int k = 0; k < 9; ++k)
                    inBox += !s.board.cell(0, (b % 3) * 3 + k % 3, (b / 3) * 3 + k / 3).text().empty();
                ASSERT_TRUE(inBox == per || inBox == per + 1) << "box " << b;
                bigger += inBox == per + 1;
            }
            EXPECT_EQ(bigger, rem);

            EXPECT_EQ(countBoardSolutions(s.board, s.symbols), 1);
            EXPECT_TRUE(s.gen.testPuzzle(s.target));

            // Every attempt but the successful one ended in one of the three
            // other ways.
            const GenerationStats& st = s.gen.stats;
            EXPECT_EQ(st.attempts, 1 + st.abandonedByLimit + st.abandonedByTests + st.exhausted);
        }
}

TEST(GeneratePuzzle, SamuraiPuzzlesCentreFirstCornersOutsideSharedBoxesOneSolution)
{
    for (int rating : {1, 2, 3}) {
        SCOPED_TRACE("rating " + std::to_string(rating));
        // Seeds whose generation is quick (the thinning of a few seeds takes seconds).
        const std::uint64_t seeds[] = {101, 102, 1};
        Rig s(seeds[rating - 1]);
        s.gen.generatePuzzle(s.target, 2, rating);
        ASSERT_EQ(s.board.numGrids, 5);
        EXPECT_TRUE(s.target.cellEventsOn);
        EXPECT_FALSE(s.target.stopwatchRunning);

        const int n = s.gen.numGivens();
        const GivensRange range = givensRange(2, rating);
        ASSERT_GE(n, range.lo);
        ASSERT_LE(n, range.hi);
        const int m = n - 6;
        const int perCorner = 8 * (m / 9) + std::min(m % 9, 8);
        const GivensList& givens = s.gen.givensList();
        ASSERT_EQ(givens.count, n + 4 * perCorner);

        // Generation order: centre, then corners 3, 2, 1, 0.
        for (int i = 0; i < givens.count; ++i) {
            const GeneratorCell& cell = givens.cells[static_cast<std::size_t>(i)];
            const int expected = i < n ? 4 : 3 - (i - n) / perCorner;
            ASSERT_EQ(cell.g, expected) << i;
            if (cell.g != 4) {
                ASSERT_FALSE(engine::isSharedCell(cell.g, cell.c, cell.r));
            }
            // What is on the board is exactly what was kept.
            const std::string text = s.board.cell(cell.g, cell.c, cell.r).text();
            if (givens.isEmpty(i)) {
                // An emptied centre given in a shared box may not be shown
                // through the corner either.
                EXPECT_TRUE(text.empty()) << i;
            } else {
                EXPECT_EQ(text, s.symbols.indexToSymbol(cell.getVal())) << i;
            }
            // Easy never removes a corner given.
            if (rating == 1 && cell.g != 4) {
                EXPECT_FALSE(givens.isEmpty(i)) << i;
            }
        }
        EXPECT_EQ(countBoardSolutions(s.board, s.symbols), 1);
        EXPECT_TRUE(s.gen.testPuzzle(s.target));
    }
}

TEST(GeneratePuzzle, SameSeedSamePuzzleOtherSeedOtherPuzzle)
{
    auto line = [](std::uint64_t seed, int type) {
        Rig s(seed);
        s.gen.generatePuzzle(s.target, type, 2);
        std::string out;
        for (int g = 0; g < s.board.numGrids; ++g)
            for (int c = 0; c < 9; ++c)
                for (int r = 0; r < 9; ++r) {
                    const std::string t = s.board.cell(g, c, r).text();
                    out += t.empty() ? "." : t;
                }
        return out;
    };
    EXPECT_EQ(line(77, 1), line(77, 1));
    EXPECT_NE(line(77, 1), line(79, 1));
    EXPECT_EQ(line(5, 2), line(5, 2));
}

TEST(GeneratePuzzle, CustomSymbolsReachTheBoardAndTheFinalCheck)
{
    Rig s(9);
    s.symbols.setSymbols({"A", "B", "C", "D", "E", "F", "G", "H", "J"});
    s.gen.generatePuzzle(s.target, 1, 1);
    bool letters = true;
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r) {
            const std::string t = s.board.cell(0, c, r).text();
            letters = letters && (t.empty() || (t.size() == 1 && t[0] >= 'A' && t[0] <= 'J'));
        }
    EXPECT_TRUE(letters);
    EXPECT_EQ(countBoardSolutions(s.board, s.symbols), 1);
    EXPECT_TRUE(s.gen.testPuzzle(s.target));
}

TEST(GeneratePuzzle, StopFromTheYieldWritesNothingAndRestoresTheGridCount)
{
    // Stop at the third yield (the first grid's first tests), and on the
    // Samurai board also once the centre is done and a corner grid's tests run.
    struct Case {
        int type;
        bool inCorner;
    };
    for (const Case k : {Case{1, false}, Case{2, false}, Case{2, true}}) {
        SCOPED_TRACE("type " + std::to_string(k.type) + (k.inCorner ? " corner" : " centre"));
        Rig s(31);
        s.board.numGrids = k.type == 1 ? 5 : 1; // the other board type is shown
        int yields = 0;
        s.solver.yield = [&] {
            ++yields;
            const bool now = k.inCorner ? s.gen.givensList().count > 0 : yields == 3;
            if (now) s.gen.keepGenerating = false;
        };
        s.gen.generatePuzzle(s.target, k.type, 3);
        EXPECT_FALSE(s.gen.keepGenerating);
        EXPECT_EQ(s.board.numGrids, k.type == 1 ? 5 : 1);
        EXPECT_TRUE(boardEmpty(s.board));
        EXPECT_FALSE(s.target.stopwatchRunning);
        EXPECT_TRUE(s.target.cellEventsOn);
        EXPECT_EQ(s.gen.stats.removalsTried, 0);
    }
}

TEST(GeneratePuzzle, AbandonedAttemptsAreRedrawn)
{
    // Very Difficult needs many attempts; some end at the third uniqueness test
    // and each is followed by a fresh selection of cells.
    long abandoned = 0, attempts = 0;
    for (std::uint64_t seed : {1u, 2u, 3u, 4u}) {
        Rig s(seed);
        s.gen.generatePuzzle(s.target, 1, 3);
        abandoned += s.gen.stats.abandonedByTests;
        attempts += s.gen.stats.attempts;
        // A selection costs 9 draws for each box order, value order, box and cell:
        // every attempt made one.
        const int n = s.gen.numGivens();
        EXPECT_EQ(s.random.draws, 1 + s.gen.stats.attempts * 9L * (2 + 9 + n));
    }
    EXPECT_GT(abandoned, 0);
    EXPECT_GT(attempts, abandoned);
}

TEST(GenerateBatch, ResultsDoNotDependOnTheNumberOfThreads)
{
    BatchRequest request;
    request.puzzleType = 1;
    request.rating = 2;
    request.seed = 12345;
    request.count = 5;
    request.jobs = 1;
    const auto one = generateBatch(request);
    request.jobs = 3;
    int progressCalls = 0;
    const auto three = generateBatch(request, [&](int done, int total) {
        ++progressCalls;
        EXPECT_EQ(total, 5);
        EXPECT_LE(done, 5);
    });
    EXPECT_EQ(progressCalls, 5);
    ASSERT_EQ(one.size(), 5u);
    ASSERT_EQ(three.size(), 5u);
    for (std::size_t i = 0; i < one.size(); ++i) {
        EXPECT_TRUE(one[i].confirmed);
        EXPECT_EQ(one[i].values, three[i].values) << i;
    }
    EXPECT_NE(one[0].values, one[1].values);
}
