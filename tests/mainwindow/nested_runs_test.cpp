// SPDX-License-Identifier: GPL-3.0-or-later
// Solver runs that begin inside another run's yield: an entry check, a hint,
// Start or Get Solution started by an event handled while a check searches.

#include "game_journal.h"
#include "window_fixture.h"

namespace {

// Everything of the outer run that an inner run must leave alone: each
// grid's candidates, values and chosen cell and value, the moves and the flags.
using GridKey = std::tuple<decltype(engine::GridState::cand), decltype(engine::GridState::val), int, int, int>;
using RunState = std::tuple<std::vector<GridKey>, std::vector<std::array<int, 4>>, bool, bool>;
RunState runState(const mainwindow::frmMain& win)
{
    RunState s{{}, {}, win.solver.searching, win.solverRunning};
    for (int g = 0; g < win.numGrids; ++g) {
        const engine::GridState& x = win.grids[static_cast<std::size_t>(g)].state();
        std::get<0>(s).emplace_back(x.cand, x.val, x.sdColIdx, x.sdRowIdx, x.sdValIdx);
    }
    for (int k = 0; k < win.solver.moves.numMoves; ++k) {
        const engine::Assignment& m = win.solver.moves[k];
        std::get<1>(s).push_back({m.grid, m.col, m.row, m.val});
    }
    return s;
}

class NestedRunTest : public WindowTest {
protected:
    // Runs `inner` once, from the first yield of the next solver run, and
    // checks that it left the outer run as it found it.
    void duringNextYield(std::function<void()> inner)
    {
        WindowTest::duringNextYield([this, inner] {
            const RunState before = runState(*w);
            ASSERT_EQ(w->boardRunsActive, 1);
            inner();
            EXPECT_TRUE(runState(*w) == before) << "the inner run changed the outer run's grids or moves";
            EXPECT_TRUE(w->solver.searching && w->solverRunning && w->boardRunsActive == 1);
        });
    }
};

TEST_F(NestedRunTest, AnEntryCheckInsideAnEntryCheck)
{
    start(true);
    load(puzzles::kSamurai);
    const auto g = gaps(puzzles::kSamurai, puzzles::kSamuraiSolution);
    // The outer check loaded a consistent board before the inner one typed a
    // wrong symbol; had the inner check reloaded the board's grids, the outer
    // search would see the wrong symbol and flag its correct entry.
    duringNextYield([&] { type(g[200].cell, g[200].wrong); });
    type(g[10].cell, g[10].right);
    ASSERT_TRUE(ranInner);
    EXPECT_EQ(background(g[10].cell), kWorking);
    EXPECT_EQ(background(g[200].cell), kRed);
    expectIdle();
}

TEST_F(NestedRunTest, AHintInsideAnEntryCheck)
{
    auto& win = start();
    load(puzzles::kHard);
    click(win.imgStart);
    ASSERT_EQ(win.mode, mainwindow::kSolving);
    const auto g = gaps(puzzles::kHard, puzzles::kHardSolution);
    duringNextYield([&] { click(win.imgHint); });
    type(g[0].cell, g[0].right);
    ASSERT_TRUE(ranInner);
    EXPECT_EQ(win.hintsUsed, 1);
    int hinted = 0;
    for (const Gap& gap : g)
        if (background(gap.cell) == kHint) {
            ++hinted;
            EXPECT_EQ(text(gap.cell), gap.right);
        }
    EXPECT_EQ(hinted, 1);
    EXPECT_EQ(background(g[0].cell), kWorking);
    expectIdle(false);
}

TEST_F(NestedRunTest, StartAndGetSolutionInsideAnEntryCheck)
{
    auto& win = start();
    // Start rates the board: every rise of its rating so far comes back to
    // the window, here inside the check's later yields.
    win.aids().setInterimAfter(std::chrono::milliseconds(0));
    load(puzzles::kHard);
    const auto g = gaps(puzzles::kHard, puzzles::kHardSolution);
    duringNextYield([&] {
        click(win.imgStart);
        EXPECT_EQ(win.mode, mainwindow::kSolving);
    });
    type(g[0].cell, g[0].right);
    ASSERT_TRUE(ranInner);
    // Start made the entry a given while its check ran; the check found it
    // right and left that colour.
    EXPECT_EQ(background(g[0].cell), kKnown);
    expectIdle(false);
    EXPECT_TRUE(shownRating().endsWith(ratingOf(line()))) << shownRating().toStdString();

    click(win.imgStart); // Stop
    ranInner = false;
    duringNextYield([&] { click(win.imgFindSolution); });
    type(g[1].cell, g[1].right);
    ASSERT_TRUE(ranInner);
    for (const Gap& gap : g) EXPECT_EQ(text(gap.cell), gap.right);
    expectIdle();
}

TEST_F(NestedRunTest, OpenGenerateAndGamesWaitWhileAnEntryCheckYields)
{
    auto& win = start();
    load(puzzles::kHard);
    const auto g = gaps(puzzles::kHard, puzzles::kHardSolution);
    // A puzzle file that would replace the board if Open got through.
    const QString file = path("other.sdk");
    writeFile(file, "\"1\"\r\n\"2\"\r\n\"3\"\r\n\"4\"\r\n\"5\"\r\n\"6\"\r\n\"7\"\r\n\"8\"\r\n\"9\"\r\n5\r\n");
    duringNextYield([&] {
        EXPECT_TRUE(win.mnuFile->menuAction()->isEnabled());
        EXPECT_FALSE(win.mnuOpen->isEnabled());
        EXPECT_FALSE(win.mnuGenerate->isEnabled());
        EXPECT_FALSE(win.journal().mnuGames->isEnabled());
        dialogs.openAnswers.push_back(file);
        win.mnuOpen_Click(); // as a shortcut or a late click would
        win.mnuGenerate_Click();
        win.journal().mnuGames_Click();
        dialogs.openAnswers.clear();
        EXPECT_TRUE(dialogs.fileFilters.empty());
        EXPECT_EQ(dialogs.modalDialogsRun, 0);
        EXPECT_EQ(win.numGrids, 1);
    });
    type(g[0].cell, g[0].right);
    ASSERT_TRUE(ranInner);
    EXPECT_EQ(background(g[0].cell), kWorking);
    expectIdle(); // Open, Generate and Games live again
    EXPECT_TRUE(win.journal().mnuGames->isEnabled());
    dialogs.openAnswers.push_back(file);
    win.mnuOpen->trigger();
    EXPECT_EQ(win.numGrids, 5);
}

TEST_F(NestedRunTest, ALaterChangeOfTheSameCellWins)
{
    start();
    load(puzzles::kHard);
    const Gap gap = gaps(puzzles::kHard, puzzles::kHardSolution)[0];
    // The user corrects the entry while its check still runs: the check of
    // the wrong symbol must not colour the corrected cell red.
    duringNextYield([&] { type(gap.cell, gap.right); });
    type(gap.cell, gap.wrong);
    ASSERT_TRUE(ranInner);
    EXPECT_EQ(text(gap.cell), gap.right);
    EXPECT_EQ(background(gap.cell), kWorking);
    expectIdle();
}

TEST_F(NestedRunTest, StopReachesAGetSolutionRunThatIsItselfNested)
{
    auto& win = start();
    load(puzzles::kHard);
    const auto g = gaps(puzzles::kHard, puzzles::kHardSolution);
    // Get Solution starts inside an entry check's yield; the Stop press waits
    // in the event queue and is handled in the Get Solution run's own first
    // yield, so it must reach that run's solver, not the window's.
    bool stopped = false;
    duringNextYield([&] {
        QTimer::singleShot(0, &win, [&] {
            stopped = true;
            EXPECT_NE(win.solutionRunSolver, nullptr);
            EXPECT_NE(win.solutionRunSolver, &win.solver);
            click(win.imgFindSolution);
        });
        click(win.imgFindSolution);
    });
    type(g[0].cell, g[0].right);
    ASSERT_TRUE(ranInner && stopped);
    int empty = 0;
    for (const Gap& gap : g) empty += text(gap.cell).empty();
    EXPECT_GT(empty, 0);
    expectIdle();
}

} // namespace
