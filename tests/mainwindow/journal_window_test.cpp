// SPDX-License-Identifier: GPL-3.0-or-later
// The journal of games in the window: a game comes back after a restart,
// Games continues and deletes, Statistics counts finished games.
#include <QAbstractButton>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QTableWidget>

#include "frm_games.h"
#include "frm_statistics.h"
#include "game_journal.h"
#include "game_state.h"
#include "window_fixture.h"

namespace {

class JournalWindowTest : public WindowTest {
protected:
    mainwindow::frmMain& play()
    {
        start();
        w->show();
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
        return *w;
    }
    void key(int i, char k, Qt::KeyboardModifiers m = {}) const { QTest::keyClick(cell(i), k, m); }
    void undo(int i) const { QTest::keySequence(cell(i), w->game().mnuUndo->shortcut()); }
    void redo(int i) const { QTest::keySequence(cell(i), w->game().mnuRedo->shortcut()); }
    std::vector<std::string> board() const
    {
        std::vector<std::string> b;
        for (int i = 0; i < mainwindow::kCellCount; ++i)
            b.push_back(text(i) + "|" + std::to_string(background(i)) + "|" + std::to_string(w->game().marks(i)));
        return b;
    }
    // A new puzzle on the board, started.
    void startPuzzle(const std::string& puzzle)
    {
        if (w->mode == mainwindow::kSolving) click(w->imgStart);
        click(w->imgClear);
        load(puzzle);
        click(w->imgStart);
        ASSERT_EQ(w->mode, mainwindow::kSolving);
    }
    // Runs a dialog the window opens modally, with real clicks inside.
    template <typename Dialog>
    void whenShown(std::function<void(Dialog&)> script)
    {
        dialogs.modalScripts.push_back([script](QDialog& d) { script(*qobject_cast<Dialog*>(&d)); });
    }
    static void clickRow(QTableWidget* t, int row)
    {
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, t->visualItemRect(t->item(row, 0)).center());
    }
};

} // namespace

// Played with keys, then the window goes away without closing (as in a
// crash): the next window has the game back as it was.
TEST_F(JournalWindowTest, UnfinishedGameComesBackWithItsStopwatchMarksAndUndo)
{
    journalDir = path("journal").toStdString();
    play();
    startPuzzle(puzzles::kEasy);
    const auto g = gaps(puzzles::kEasy, puzzles::kEasySolution);
    std::vector<std::vector<std::string>> boards{board()};
    key(g[0].cell, g[0].right[0]);
    w->game().mnuKeepCandidates->setChecked(true);
    w->game().mnuFillCandidates->trigger();
    key(g[1].cell, g[1].wrong[0]);
    key(g[2].cell, g[2].right[0], Qt::ControlModifier);
    click(w->imgHint);
    const auto beforeDeletion = board();
    QTest::keyClick(cell(g[1].cell), Qt::Key_Backspace); // gives its symbol back to the marks
    key(g[1].cell, g[1].wrong[0]);
    key(g[4].cell, g[4].right[0]);
    boards.push_back(board());
    w->elapsedSeconds = 75;
    undo(g[4].cell);
    const auto before = board();
    ASSERT_EQ(background(g[1].cell), kRed);
    ASSERT_NE(w->game().marks(g[5].cell), 0);
    ASSERT_EQ(w->hintsUsed, 1);

    w.reset();
    play();
    EXPECT_EQ(board(), before);
    EXPECT_TRUE(w->mode == mainwindow::kSolving && w->timStopwatch->isActive());
    EXPECT_EQ(w->elapsedSeconds, 75);
    EXPECT_EQ(w->hintsUsed, 1);
    EXPECT_EQ(w->lblStatus1->text(), QStringLiteral("Your game is back as you left it"));
    redo(g[4].cell);
    EXPECT_EQ(board(), boards[1]);
    for (int k = 0; k < 3; ++k) undo(g[0].cell);
    EXPECT_EQ(board(), beforeDeletion);
    for (int k = 0; k < 5; ++k) undo(g[0].cell);
    EXPECT_EQ(board(), boards[0]);
    EXPECT_TRUE(dialogs.messages.empty());
    // The notice goes with the next change, a mark too.
    w.reset();
    play();
    EXPECT_EQ(w->lblStatus1->text(), QStringLiteral("Your game is back as you left it"));
    key(g[3].cell, g[3].right[0], Qt::ControlModifier);
    EXPECT_EQ(w->lblStatus1->text(), QStringLiteral("Solving mode"));
}

// Starting a new puzzle keeps the game under way; Games lists both, newest
// first, and continues or deletes the one clicked.
TEST_F(JournalWindowTest, GamesContinuesOrDeletesAnUnfinishedGame)
{
    play();
    startPuzzle(puzzles::kEasy);
    const auto g = gaps(puzzles::kEasy, puzzles::kEasySolution);
    key(g[0].cell, g[0].right[0]);
    click(w->imgStart); // Stop
    const auto easy = board();
    startPuzzle(puzzles::kHard);
    click(w->imgStart); // Stop: the Hard game is the newer

    whenShown<mainwindow::frmGames>([&](mainwindow::frmGames& d) {
        ASSERT_EQ(d.lstGames->rowCount(), 2);
        EXPECT_EQ(d.lstGames->item(1, 3)->text(), QStringLiteral("1 of %1 (2%)").arg(g.size()));
        clickRow(d.lstGames, 1);
        QTest::mouseClick(d.btnContinue, Qt::LeftButton);
    });
    w->journal().mnuGames->trigger();
    EXPECT_EQ(board(), easy);
    EXPECT_EQ(w->mode, mainwindow::kSetup);

    // Deleting the game on the board: it is no longer kept, whatever follows.
    const std::int64_t hard = w->journal().journal()->unfinished()[0].id;
    whenShown<mainwindow::frmGames>([&](mainwindow::frmGames& d) {
        clickRow(d.lstGames, 1);
        QTest::mouseClick(d.btnDelete, Qt::LeftButton);
        EXPECT_EQ(d.lstGames->rowCount(), 1);
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    w->journal().mnuGames->trigger();
    key(g[1].cell, g[1].right[0]);
    ASSERT_EQ(w->journal().journal()->unfinished().size(), 1u);
    EXPECT_EQ(w->journal().journal()->unfinished()[0].id, hard);
}

// Two games solved and one ended by Get Solution: Statistics counts the two,
// the faster second is a new best, and the history exports as CSV.
TEST_F(JournalWindowTest, StatisticsCountsSolvedGamesAndExportsThem)
{
    play();
    for (int seconds : {300, 200}) {
        startPuzzle(puzzles::kEasy);
        shownRating();
        const auto g = gaps(puzzles::kEasy, puzzles::kEasySolution);
        for (std::size_t k = 0; k + 1 < g.size(); ++k) type(g[k].cell, g[k].right);
        w->elapsedSeconds = seconds;
        type(g.back().cell, g.back().right);
        const auto finish = w->findChildren<mainwindow::frmFinish*>();
        ASSERT_EQ(finish.size(), 1u);
        EXPECT_EQ(finish[0]->lblBest->isVisibleTo(finish[0]), seconds == 200);
        finish[0]->close();
        QApplication::processEvents();
    }
    // The solved board started again is no game to keep.
    click(w->imgStart);
    click(w->imgStart);
    EXPECT_FALSE(w->journal().underWay());
    startPuzzle(puzzles::kHard);
    shownRating();
    click(w->imgStart);
    click(w->imgFindSolution);
    EXPECT_FALSE(w->journal().underWay());

    whenShown<mainwindow::frmStatistics>([&](mainwindow::frmStatistics& d) {
        ASSERT_EQ(d.lstFigures->rowCount(), 2);
        const int solved = d.figures()[0].finished == 2 ? 0 : 1;
        const QString easy = QString::fromStdString(d.figures()[static_cast<std::size_t>(solved)].level);
        EXPECT_FALSE(easy.isEmpty());
        auto row = [&](int r) {
            QStringList cells;
            for (int c = 0; c < 7; ++c) cells << d.lstFigures->item(r, c)->text();
            return cells.join(QLatin1Char('|')).toStdString();
        };
        EXPECT_EQ(row(solved), "Standard|" + easy.toStdString() + "|2|2|3:20|4:10|3:20");
        EXPECT_EQ(row(1 - solved).substr(row(1 - solved).find('|', 9)), "|1|0|-|-|-");
        // The chart shows the solved games' times, and nothing for a level without.
        for (int r : {solved, 1 - solved}) {
            if (r != solved) clickRow(d.lstFigures, r);
            const auto series = d.chart->chart()->series();
            ASSERT_EQ(series.size(), r == solved ? 1 : 0);
            if (r == solved) EXPECT_EQ(qobject_cast<QBarSeries*>(series[0])->barSets()[0]->count(), 2);
        }
        dialogs.saveAnswers.push_back(path("games.csv"));
        QTest::mouseClick(d.btnExport, Qt::LeftButton);
    });
    w->journal().mnuStatistics->trigger();
    const std::string csv = readFile(path("games.csv"));
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 4);
    EXPECT_NE(csv.find(",300,0,0,no\n"), std::string::npos);
    EXPECT_NE(csv.find(",yes\n"), std::string::npos);
}

// A mark noted inside the check of a hint: the journal then holds both, as
// the board shows them.
TEST_F(JournalWindowTest, MarkInsideAHintsYieldIsJournalledWithTheHint)
{
    play();
    startPuzzle(puzzles::kHard);
    const auto g = gaps(puzzles::kHard, puzzles::kHardSolution);
    duringNextYield([&] { key(g[1].cell, g[1].right[0], Qt::ControlModifier); });
    click(w->imgHint);
    ASSERT_TRUE(ranInner);
    const auto kept = w->journal().journal()->load(w->journal().currentGame());
    ASSERT_TRUE(kept);
    EXPECT_EQ(*kept, w->journal().snapshot());
    EXPECT_EQ(kept->hints, 1);
    EXPECT_EQ(kept->history.size(), 2u);
}

// A journal that cannot be kept says so once; the game goes on.
TEST_F(JournalWindowTest, UnwritableJournalSaysSoOnceAndTheGameGoesOn)
{
    writeFile(path("blocker"), "");
    auto s = services();
    s.journalDir = path("blocker/journal").toStdString();
    w = std::make_unique<mainwindow::frmMain>(s);
    w->Form_Load();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(QStringLiteral("Games are not being kept")));
    dialogs.messages.clear();
    startPuzzle(puzzles::kEasy);
    const auto g = gaps(puzzles::kEasy, puzzles::kEasySolution);
    type(g[0].cell, g[0].right);
    QApplication::processEvents();
    EXPECT_EQ(text(g[0].cell), g[0].right);
    EXPECT_TRUE(dialogs.messages.empty());
}
