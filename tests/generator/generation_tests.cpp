// SPDX-License-Identifier: GPL-3.0-or-later
// Generated puzzles: the selection of cells, the levels' givens and their
// order, one solution by the suite's own counter, fixed puzzles for fixed
// seeds, and stops.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "batch_generation.h"
#include "rated_generation.h"
#include "samurai.h"
#include "test_support.h"

using namespace generator;

TEST(Shuffle, SwapsWithTheLastEntryRoundingTiesToEven)
{
    // j = r * 8 rounded: 0.5 -> 0, 1.5 -> 2, 2.5 -> 2 (ties to even), 7.92 -> 8, ...
    Rig s(1);
    s.random.script = {0.0625, 0.1875, 0.3125, 0.99, 0.5, 0.0, 0.7, 0.2, 0.45};
    IndexList list{0, 1, 2, 3, 4, 5, 6, 7, 8};
    s.gen.shuffle(list, 9);
    EXPECT_EQ(list, (IndexList{4, 1, 6, 3, 2, 5, 8, 7, 0}));
}

TEST(SelectCells, RandomSelectionsSpreadEvenlyWithFreshValueOrders)
{
    Rig s(2024);
    CellList list{};
    for (int round = 0; round < 300; ++round) {
        const int nG = round % 2 ? 5 : 1, gridIdx = nG == 1 ? 0 : round % 5, numGivens = 24 + round % 17;
        int numCells = 0;
        const long before = s.random.draws;
        s.gen.selectCells(gridIdx, nG, numGivens, list, numCells);
        // A corner grid leaves its shared box to the centre and six givens with it.
        const bool corner = nG == 5 && gridIdx != 4;
        const int m = corner ? numGivens - 6 : numGivens, per = m / 9, ownBoxes = corner ? 8 : 9;
        const int bigger = std::min(m % 9, ownBoxes);
        ASSERT_EQ(numCells, ownBoxes * per + bigger) << round;
        std::array<int, 9> perBox{};
        std::set<int> positions;
        for (int t = 0; t < numCells; ++t) {
            GeneratorCell cell = list[static_cast<std::size_t>(t)];
            ASSERT_EQ(cell.g, gridIdx);
            ASSERT_FALSE(corner && engine::isSharedCell(gridIdx, cell.c, cell.r)) << round;
            ++perBox[static_cast<std::size_t>(cell.r / 3 * 3 + cell.c / 3)];
            positions.insert(cell.c * 9 + cell.r);
            std::set<int> domain;
            for (int i = 0; i < 9; ++i) domain.insert(cell.setVal(i));
            ASSERT_EQ(domain.size(), 9u);
            ASSERT_EQ(*domain.begin() + *domain.rbegin(), 8);
        }
        EXPECT_EQ(static_cast<int>(positions.size()), numCells);
        EXPECT_EQ(std::count(perBox.begin(), perBox.end(), per + 1), bigger) << round;
        EXPECT_EQ(std::count(perBox.begin(), perBox.end(), per), ownBoxes - bigger) << round;
        // Nine draws for each shuffle: boxes, values, one per box used and one per cell.
        const long boxesUsed = std::count_if(perBox.begin(), perBox.end(), [](int n) { return n > 0; });
        EXPECT_EQ(s.random.draws - before, 9 * (2 + boxesUsed + numCells));
    }
}

TEST(GeneratePuzzle, EveryBoardAndLevelGivesOnePuzzleWithOneSolution)
{
    struct Case {
        int type, rating;
        std::uint64_t seed;
        bool letters;
    };
    const Case cases[] = {{1, 1, 1, false}, {1, 2, 2, false}, {1, 3, 3, false}, {1, 1, 9, true},
                          {2, 1, 101, false}, {2, 2, 102, false}, {2, 3, 1, true}};
    for (const Case& k : cases) {
        SCOPED_TRACE("type " + std::to_string(k.type) + " rating " + std::to_string(k.rating));
        Rig s(k.seed);
        if (k.letters) s.symbols.setSymbols({"A", "B", "C", "D", "E", "F", "G", "H", "J"});
        s.board.numGrids = k.type == 1 ? 5 : 1; // the other board is shown: generation switches it
        s.gen.generatePuzzle(s.target, k.type, k.rating);
        EXPECT_EQ(s.random.reseeds, 1);
        ASSERT_EQ(s.board.numGrids, k.type == 1 ? 1 : 5);
        EXPECT_TRUE(s.target.cellEventsOn);
        EXPECT_FALSE(s.target.stopwatchRunning);
        const int n = s.gen.numGivens();
        EXPECT_GE(n, givensRange(k.type, k.rating).lo);
        EXPECT_LE(n, givensRange(k.type, k.rating).hi);
        // Centre grid first, then the corners from 3 down; the board shows
        // exactly the givens kept, and Easy keeps every corner given.
        const GivensList& givens = s.gen.givensList();
        for (int i = 0; i < givens.count; ++i) {
            const GeneratorCell& cell = givens.cells[static_cast<std::size_t>(i)];
            if (i > 0) ASSERT_LE(cell.g, givens.cells[static_cast<std::size_t>(i - 1)].g);
            EXPECT_EQ(s.board.cell(cell.g, cell.c, cell.r).text(), givens.isEmpty(i) ? "" : s.symbols.indexToSymbol(cell.getVal())) << i;
            if (k.rating == 1) EXPECT_TRUE(cell.g == 4 || !givens.isEmpty(i)) << i;
        }
        EXPECT_EQ(givens.cells[0].g, k.type == 1 ? 0 : 4);
        EXPECT_EQ(countBoardSolutions(s.board, s.symbols), 1);
        EXPECT_TRUE(s.gen.testPuzzle(s.target));
        const GenerationStats& st = s.gen.stats;
        if (k.type == 1) EXPECT_EQ(st.attempts, 1 + st.abandonedByLimit + st.abandonedByTests + st.abandonedBySearch + st.exhausted);
    }
}

TEST(GeneratePuzzle, AFixedSeedGivesAFixedPuzzle)
{
    // Seed 68 at Easy passes the value search's level limit in an attempt.
    struct Case {
        int type, rating;
        std::uint64_t seed;
        const char* line;
        bool searchLimit;
    };
    const Case cases[] = {
        {1, 1, 68, "53892.........85794.9.1..3.65.3..781..3..1..2.2..64.....57861....2..3.4..16...857", true},
        {2, 2, 102,
         ".3..5....7.5..4..6.1.7...85.6....21....9....32...86....8....6....42.38..6.......1"
         "61..3..........8...3....6.71.73.2....2....38....4....2...82.9.6..2.7.....89...2.."
         "4...38.67..8...2....67.....3.9.17.....1......8....64.92..5....19....17..1..2..6.."
         ".....9..78.72.43.99...5...47..3.2..6......2...62..5..3......4.8...9.....6.5..7..2"
         "6........8..1.7..2..1..6.894.67..2..7.581.6.3......7...6729....2..4.18.7......9..",
         false},
    };
    for (const Case& k : cases) {
        Rig s(k.seed);
        s.gen.generatePuzzle(s.target, k.type, k.rating);
        EXPECT_EQ(puzzleLine(s.board, s.symbols), k.line) << k.seed;
        EXPECT_EQ(s.gen.stats.abandonedBySearch > 0, k.searchLimit) << k.seed;
        EXPECT_EQ(countLine(k.line), 1) << k.seed;
    }
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
        int yields = 0, afterStop = 0;
        s.solver.yield = [&] {
            afterStop += !s.gen.keepGenerating;
            if (k.inCorner ? s.gen.givensList().count > 0 : ++yields == 3) s.gen.keepGenerating = false;
        };
        s.gen.generatePuzzle(s.target, k.type, 3);
        EXPECT_EQ(s.board.numGrids, k.type == 1 ? 5 : 1);
        EXPECT_EQ(puzzleLine(s.board, s.symbols).find_first_not_of('.'), std::string::npos);
        EXPECT_FALSE(s.target.stopwatchRunning);
        EXPECT_TRUE(s.target.cellEventsOn);
        EXPECT_EQ(s.gen.stats.removalsTried, 0);
        EXPECT_LT(afterStop, 50); // the search ends soon after
    }
}

TEST(RatedGeneration, TheRatingYieldsBetweenItsStepsAndAStopThereEndsIt)
{
    // The yields of the seed's attempt without its rating.
    Rig plain(17);
    long unrated = 0;
    plain.solver.yield = [&] { ++unrated; };
    plain.gen.generatePuzzle(plain.target, 1, 3);
    ASSERT_TRUE(plain.gen.testPuzzle(plain.target));

    // The rated attempt yields once more per step; a Stop from one of those
    // yields ends the rating at its next step and the search with it.
    int steps = 0;
    for (const bool stop : {false, true}) {
        SCOPED_TRACE(stop ? "stopped" : "whole");
        Rig s(17);
        long yields = 0, afterStop = 0;
        s.solver.yield = [&] {
            afterStop += !s.gen.keepGenerating;
            if (++yields == unrated + steps / 2 && stop) s.gen.keepGenerating = false;
        };
        RatedGenerator rated(s.gen, s.clock);
        const RatedResult out = rated.generate(s.target, 1, 3, RatingTarget{0, kMaxRating}, {}, RatedLimits{1, 60});
        if (!stop) {
            ASSERT_EQ(out.end, RatedEnd::Found);
            steps = out.steps;
            EXPECT_GT(steps, 20);
            EXPECT_EQ(yields, unrated + steps);
        } else {
            EXPECT_EQ(out.end, RatedEnd::Stopped);
            EXPECT_EQ(out.attempts, 0);
            EXPECT_EQ(yields, unrated + steps / 2);
            EXPECT_EQ(afterStop, 0);
            EXPECT_EQ(puzzleLine(s.board, s.symbols).find_first_not_of('.'), std::string::npos);
        }
    }
}

TEST(GenerateBatch, ResultsDoNotDependOnTheNumberOfThreads)
{
    BatchRequest request;
    request.rating = 2;
    request.seed = 12345;
    request.count = 5;
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
