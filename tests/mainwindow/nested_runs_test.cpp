// Solver runs that begin inside another run's yield: an entry check, a hint,
// Start or Get Solution started by an event handled while a check searches.
#include <QAction>
#include <QFile>
#include <QMenu>
#include <QTimer>

#include "board_run.h"
#include "play_fixture.h"

namespace {

// Everything of the outer run that an inner run must leave alone.
struct OuterState {
    std::vector<engine::GridState> grids;
    std::vector<engine::Assignment> moves;
    int numMoves = 0;
    bool searching = false;
    bool solverRunning = false;

    static OuterState of(const mainwindow::frmMain& win)
    {
        OuterState s;
        for (int g = 0; g < win.numGrids; ++g) s.grids.push_back(win.grids[static_cast<std::size_t>(g)].state());
        s.numMoves = win.solver.moves.numMoves;
        for (int k = 0; k < s.numMoves; ++k) s.moves.push_back(win.solver.moves[k]);
        s.searching = win.solver.searching;
        s.solverRunning = win.solverRunning;
        return s;
    }
};

bool sameGrids(const OuterState& a, const OuterState& b)
{
    if (a.grids.size() != b.grids.size()) return false;
    for (std::size_t g = 0; g < a.grids.size(); ++g) {
        const engine::GridState &x = a.grids[g], &y = b.grids[g];
        if (x.cand != y.cand || x.val != y.val || x.sdColIdx != y.sdColIdx || x.sdRowIdx != y.sdRowIdx ||
            x.sdValIdx != y.sdValIdx)
            return false;
    }
    return true;
}

bool sameMoves(const OuterState& a, const OuterState& b)
{
    if (a.numMoves != b.numMoves) return false;
    for (int k = 0; k < a.numMoves; ++k) {
        const auto &x = a.moves[static_cast<std::size_t>(k)], &y = b.moves[static_cast<std::size_t>(k)];
        if (x.grid != y.grid || x.row != y.row || x.col != y.col || x.val != y.val) return false;
    }
    return true;
}

class NestedRunTest : public PlayTest {
protected:
    // Runs `inner` once, from the first yield of the next solver run, and
    // checks that it left the outer run as it found it.
    void duringNextYield(std::function<void()> inner)
    {
        auto original = w->solver.yield;
        auto done = std::make_shared<bool>(false);
        w->solver.yield = [this, original, inner, done] {
            if (!*done && w->solverRunning) {
                *done = true;
                const OuterState before = OuterState::of(*w);
                ASSERT_EQ(w->boardRunsActive, 1);
                inner();
                const OuterState after = OuterState::of(*w);
                EXPECT_TRUE(sameGrids(before, after)) << "the inner run changed the outer run's grids";
                EXPECT_TRUE(sameMoves(before, after)) << "the inner run changed the outer run's moves";
                EXPECT_TRUE(after.searching);
                EXPECT_TRUE(after.solverRunning);
                EXPECT_EQ(w->boardRunsActive, 1);
                ranInner = true;
            }
            original();
        };
    }
    void expectIdle() const
    {
        EXPECT_FALSE(w->solverRunning);
        EXPECT_FALSE(w->solver.searching);
        EXPECT_EQ(w->boardRunsActive, 0);
        EXPECT_EQ(w->solutionRunSolver, nullptr);
    }
    bool ranInner = false;
};

TEST_F(NestedRunTest, AnEntryCheckInsideAnEntryCheck)
{
    auto& win = startPlay(true);
    load(win, puzzles::kSamurai);
    const auto gaps = missing(puzzles::kSamurai, puzzles::kSamuraiSolution);
    const int outerCell = gaps[10].first, innerCell = gaps[200].first;
    // The outer check loaded a consistent board before the inner one typed a
    // wrong symbol; had the inner check reloaded the board's grids, the outer
    // search would see the wrong symbol and flag its correct entry.
    duringNextYield([&] { type(win, innerCell, QString::fromStdString(wrongFor(gaps[200].second))); });
    type(win, outerCell, QString::fromStdString(gaps[10].second));
    ASSERT_TRUE(ranInner);
    EXPECT_EQ(background(win, outerCell), kWorking);
    EXPECT_EQ(background(win, innerCell), kRed);
    expectIdle();
}

TEST_F(NestedRunTest, AHintInsideAnEntryCheck)
{
    auto& win = startPlay();
    load(win, puzzles::kHard);
    click(win.imgStart);
    ASSERT_EQ(win.mode, mainwindow::kSolving);
    const auto gaps = missing(puzzles::kHard, puzzles::kHardSolution);
    duringNextYield([&] { click(win.imgHint); });
    type(win, gaps[0].first, QString::fromStdString(gaps[0].second));
    ASSERT_TRUE(ranInner);
    EXPECT_EQ(win.hintsUsed, 1);
    int hinted = 0;
    for (const auto& [cell, symbol] : gaps)
        if (background(win, cell) == kHint) {
            ++hinted;
            EXPECT_EQ(textOf(win, cell), symbol);
        }
    EXPECT_EQ(hinted, 1);
    EXPECT_EQ(background(win, gaps[0].first), kWorking);
    EXPECT_TRUE(win.cellEventsOn);
    expectIdle();
}

TEST_F(NestedRunTest, StartAndGetSolutionInsideAnEntryCheck)
{
    auto& win = startPlay();
    load(win, puzzles::kHard);
    const auto gaps = missing(puzzles::kHard, puzzles::kHardSolution);
    duringNextYield([&] {
        click(win.imgStart);
        EXPECT_EQ(win.mode, mainwindow::kSolving);
    });
    type(win, gaps[0].first, QString::fromStdString(gaps[0].second));
    ASSERT_TRUE(ranInner);
    // Start made the entry a given while its check ran; the check found it
    // right and left that colour.
    EXPECT_EQ(background(win, gaps[0].first), kKnown);
    expectIdle();

    click(win.imgStart); // Stop
    ranInner = false;
    duringNextYield([&] { click(win.imgFindSolution); });
    type(win, gaps[1].first, QString::fromStdString(gaps[1].second));
    ASSERT_TRUE(ranInner);
    for (const auto& [cell, symbol] : gaps) EXPECT_EQ(textOf(win, cell), symbol);
    EXPECT_EQ(win.mode, mainwindow::kSetup);
    EXPECT_TRUE(win.cellEventsOn);
    expectIdle();
}

TEST_F(NestedRunTest, OpenAndGenerateWaitWhileAnEntryCheckYields)
{
    auto& win = startPlay();
    load(win, puzzles::kHard);
    const auto gaps = missing(puzzles::kHard, puzzles::kHardSolution);
    // A puzzle file that would replace the board if Open got through.
    const QString file = dir.filePath(QStringLiteral("other.sdk"));
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("\"1\"\r\n\"2\"\r\n\"3\"\r\n\"4\"\r\n\"5\"\r\n\"6\"\r\n\"7\"\r\n\"8\"\r\n\"9\"\r\n5\r\n");
    }
    duringNextYield([&] {
        EXPECT_TRUE(win.mnuFile->menuAction()->isEnabled());
        EXPECT_FALSE(win.mnuOpen->isEnabled());
        EXPECT_FALSE(win.mnuGenerate->isEnabled());
        for (const auto& command : std::vector<std::function<void()>>{
                 [&] { win.mnuOpen->trigger(); }, [&] { win.mnuOpen_Click(); },
                 [&] { win.mnuGenerate->trigger(); }, [&] { win.frmMain::mnuGenerate_Click(); }}) {
            dialogs.openAnswers.push_back(file);
            command();
            dialogs.openAnswers.clear();
        }
        EXPECT_TRUE(dialogs.fileFilters.empty());
        EXPECT_EQ(dialogs.modalDialogsRun, 0);
        EXPECT_EQ(win.numGrids, 1);
    });
    type(win, gaps[0].first, QString::fromStdString(gaps[0].second));
    ASSERT_TRUE(ranInner);
    EXPECT_EQ(background(win, gaps[0].first), kWorking);
    expectIdle();
    // Once the check has returned both are live again.
    EXPECT_TRUE(win.mnuOpen->isEnabled());
    EXPECT_TRUE(win.mnuGenerate->isEnabled());
    dialogs.openAnswers.push_back(file);
    win.mnuOpen->trigger();
    EXPECT_EQ(win.numGrids, 5);
}

TEST_F(NestedRunTest, ALaterChangeOfTheSameCellWins)
{
    auto& win = startPlay();
    load(win, puzzles::kHard);
    const auto gaps = missing(puzzles::kHard, puzzles::kHardSolution);
    const int cell = gaps[0].first;
    const std::string bad = wrongFor(gaps[0].second);
    // The user corrects the entry while its check still runs: the check of
    // the wrong symbol must not colour the corrected cell red.
    duringNextYield([&] { type(win, cell, QString::fromStdString(gaps[0].second)); });
    type(win, cell, QString::fromStdString(bad));
    ASSERT_TRUE(ranInner);
    EXPECT_EQ(textOf(win, cell), gaps[0].second);
    EXPECT_EQ(background(win, cell), kWorking);
    expectIdle();
}

TEST_F(NestedRunTest, StopReachesAGetSolutionRunThatIsItselfNested)
{
    auto& win = startPlay();
    load(win, puzzles::kHard);
    const auto gaps = missing(puzzles::kHard, puzzles::kHardSolution);
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
    type(win, gaps[0].first, QString::fromStdString(gaps[0].second));
    ASSERT_TRUE(ranInner);
    EXPECT_TRUE(stopped);
    int empty = 0;
    for (const auto& [cell, symbol] : gaps) empty += textOf(win, cell).empty();
    EXPECT_GT(empty, 0);
    EXPECT_EQ(win.mode, mainwindow::kSetup);
    expectIdle();
}

} // namespace
