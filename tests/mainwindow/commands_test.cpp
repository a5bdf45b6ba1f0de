// SPDX-License-Identifier: GPL-3.0-or-later
// The five picture buttons, Help, and closing the window while a command runs.
#include <QDir>
#include <QTextBrowser>

#include "corvel_version.h"
#include "frm_generate.h"
#include "frm_help.h"
#include "random_source.h"
#include "window_fixture.h"

namespace {

using mainwindow::kSetup;
using mainwindow::kSolving;
using platform::MessageIcon;

class CommandsTest : public WindowTest {
protected:
    int emptyCells(const std::string& puzzle) const
    {
        int n = 0;
        for (std::size_t k = 0; k < puzzle.size(); ++k) n += text(cellOf(k)).empty();
        return n;
    }
    static int dots(const std::string& puzzle)
    {
        return static_cast<int>(std::count(puzzle.begin(), puzzle.end(), '.'));
    }
    void createPuzzleInTheNextGenerateDialog()
    {
        dialogs.modalScripts.push_back([](QDialog& d) { static_cast<mainwindow::frmGenerate&>(d).btnCreate->click(); });
    }
};

TEST_F(CommandsTest, StartGeneratesFirstWhenTheGridModelIsEmpty)
{
    // An empty board (generation cancelled, or a puzzle made); a puzzle typed
    // with checking off, which leaves the model that Start counts empty; and
    // one typed with checking on. Start then plays what is on the board.
    for (const int board : {0, 1, 2, 3}) {
        SCOPED_TRACE(board);
        auto& win = start();
        win.generatorRandom = std::make_shared<generator::SeededRandom>(5);
        if (board == 1) createPuzzleInTheNextGenerateDialog();
        if (board == 2) win.mnuRealTimeCheck->trigger();
        for (std::size_t k = 0; k < 81 && board >= 2; ++k)
            if (puzzles::kEasy[k] != '.') type(cellOf(k), std::string(1, puzzles::kEasy[k]));
        dialogs.modalDialogsRun = 0;
        click(win.imgStart);
        EXPECT_EQ(dialogs.modalDialogsRun, board == 3 ? 0 : 1);
        EXPECT_TRUE(win.mode == kSolving && win.timStopwatch->isActive());
        EXPECT_EQ(shown(win.imgStart), std::vector<int>{3});
        int givens = 0; // the entries on the board are the givens now
        for (int i = 0; i < 81; ++i) givens += !text(i).empty() && background(i) == kKnown;
        EXPECT_EQ(givens > 0, board > 0);
    }
}

TEST_F(CommandsTest, StartAndGetSolutionOnUnsolvableEntriesChangeNoText)
{
    auto& win = start();
    win.mnuRealTimeCheck->trigger();
    load(puzzles::kEasy);
    type(0, "3"); // the row already has a 3
    const auto before = texts();
    click(win.imgStart);
    expectMessage("The current entries make an unsolvable Sudoku problem", MessageIcon::Critical);
    expectIdle();
    click(win.imgFindSolution);
    expectMessage("This puzzle cannot be solved!", MessageIcon::None);
    EXPECT_EQ(texts(), before);
    EXPECT_EQ(background(0), kKnown);
    expectIdle();
}

TEST_F(CommandsTest, StartStopStartKeepsTheStopwatchAndZeroesHints)
{
    auto& win = start();
    load(puzzles::kEasy);
    click(win.imgStart);
    expectShows("Solving mode", "Checking ON ", "0 m 0 s ", {3, 0, 2, 2, 2});
    EXPECT_EQ(win.imgStart->elementToolTip(3), "Stop solving the puzzle");
    for (int i = 0; i < 75; ++i) win.timStopwatch_Timer();
    click(win.imgHint);
    click(win.imgHint);
    ASSERT_EQ(win.hintsUsed, 2);
    click(win.imgStart); // Stop
    expectIdle();
    expectShows("Setup Mode", "Checking ON ", "1 m 15 s ", {0, 2, 0, 0, 0});
    EXPECT_EQ(win.hintsUsed, 2);
    click(win.imgStart);
    EXPECT_EQ(win.mode, kSolving);
    EXPECT_EQ(win.hintsUsed, 0);
    EXPECT_EQ(win.lblStatus1->text().toStdString(), "Solving mode"); // the last hint's reason is gone
    EXPECT_TRUE(win.timStopwatch->isActive());
}

TEST_F(CommandsTest, GetSolutionFillsEveryEmptyCellAndResetAndClearEmptyTheBoard)
{
    for (const auto& [puzzle, solution] :
         {std::pair{puzzles::kHard, puzzles::kHardSolution}, std::pair{puzzles::kSamurai, puzzles::kSamuraiSolution}}) {
        start(puzzle.size() == 405);
        load(puzzle);
        for (platform::TextCell* c : w->textCells) c->setBackground(kWorking); // the givens as typed entries
        click(w->imgFindSolution);
        EXPECT_TRUE(dialogs.messages.empty());
        for (std::size_t k = 0; k < puzzle.size(); ++k) {
            EXPECT_EQ(text(cellOf(k)), std::string(1, solution[k])) << k;
            EXPECT_EQ(background(cellOf(k)), puzzle[k] == '.' ? kWorking : kKnown) << k;
        }
        expectIdle();
        // Reset leaves the givens, Clear nothing; both zero the stopwatch.
        w->elapsedSeconds = 99;
        click(w->imgPartClear);
        EXPECT_EQ(emptyCells(puzzle), dots(puzzle));
        EXPECT_EQ(w->elapsedSeconds, 0);
        w->elapsedSeconds = 99;
        click(w->imgClear);
        EXPECT_EQ(texts(), std::vector<std::string>(mainwindow::kCellCount));
        for (int i = 0; i < mainwindow::kCellCount; ++i) EXPECT_EQ(background(i), kWorking);
        EXPECT_EQ(w->elapsedSeconds, 0);
        EXPECT_TRUE(shown(w->imgClear) == std::vector<int>{0} && shown(w->imgPartClear) == std::vector<int>{0});
    }
}

TEST_F(CommandsTest, InvalidBoxEntryFocusesTheCell)
{
    auto& win = start(true);
    load(puzzles::kSamurai);
    // A text that is no symbol, in grid 3 (only a file or a change of symbols
    // can leave one; the change handler would refuse it).
    const int bad = mainwindow::cellIndex(3, 4, 4);
    cell(bad)->blockSignals(true);
    cell(bad)->setText("X");
    cell(bad)->blockSignals(false);
    for (platform::TextCell* c : win.textCells) c->setBackground(kWorking);
    click(win.imgFindSolution);
    expectMessage("Invalid box entry", MessageIcon::Exclamation);
    EXPECT_EQ(win.focusWidget(), cell(bad));
    EXPECT_EQ(emptyCells(puzzles::kSamurai), dots(puzzles::kSamurai) - 1);
    // Grids checked before the bad one were made givens; grid 3 was not.
    EXPECT_EQ(background(mainwindow::cellIndex(2, 1, 0)), kKnown);
    EXPECT_EQ(background(mainwindow::cellIndex(3, 8, 0)), kWorking);
    expectIdle();
}

TEST_F(CommandsTest, ClosingTheWindowDuringARunStopsItAndWritesTheSettings)
{
    // Get Solution, Get Solution begun inside an entry check's yield, and a
    // generation: closed in the run's first yield, each ends early.
    for (const int run : {0, 1, 2}) {
        SCOPED_TRACE(run);
        auto& win = start();
        win.generatorRandom = std::make_shared<generator::SeededRandom>(7);
        if (run < 2) load(puzzles::kHard);
        win.savedRating = run + 1; // a value to write on closing
        bool closed = false;
        const auto outer = win.solver.yield;
        win.solver.yield = [&] {
            if (!closed && (run == 2 ? win.generationRunning : win.solutionRunSolver != nullptr)) {
                if (run == 0) { // the window shows that it is busy
                    expectShows("Corvel is solving the puzzle", "", "", {2, 2, 2, 2, 4});
                    const QCursor* busy = QApplication::overrideCursor();
                    EXPECT_TRUE(busy && busy->shape() == Qt::WaitCursor && !win.cellEventsOn);
                }
                closed = true;
                win.close();
                EXPECT_FALSE(win.solver.searching || (win.solutionRunSolver && win.solutionRunSolver->searching));
                EXPECT_FALSE(win.keepGenerating);
                EXPECT_EQ(readFile(settingsFile()), files::formatSettings(win.currentSettings()));
            }
            if (run == 1 && !closed && !win.solutionRunSolver) click(win.imgFindSolution);
            outer();
        };
        if (run == 0) click(win.imgFindSolution);
        if (run == 1) type(cellOf(0), "1");
        if (run == 2) {
            createPuzzleInTheNextGenerateDialog();
            win.mnuGenerate->trigger();
        }
        ASSERT_TRUE(closed);
        // The moves found before the close are written, and nothing else.
        if (run < 2)
            EXPECT_TRUE(emptyCells(puzzles::kHard) > 0 && emptyCells(puzzles::kHard) < dots(puzzles::kHard));
        else
            EXPECT_EQ(emptyCells(puzzles::kHard), 81);
        for (std::size_t k = 0; k < 81; ++k)
            if (!text(cellOf(k)).empty()) EXPECT_EQ(text(cellOf(k)), std::string(1, puzzles::kHardSolution[k]));
        EXPECT_TRUE(dialogs.messages.empty());
        expectIdle();
    }
}

TEST_F(CommandsTest, GreyedPicturesIgnorePresses)
{
    auto& win = start();
    load(puzzles::kEasy);
    win.elapsedSeconds = 40;
    const auto board = texts();
    // Each button greyed (element 5 only on the two that have one), pressed.
    for (platform::PictureButton* b : {win.imgStart, win.imgHint, win.imgClear, win.imgPartClear, win.imgFindSolution})
        for (const int greyed : {2, 5}) {
            if (greyed == 5 && b != win.imgStart && b != win.imgFindSolution) continue;
            b->setElementVisible(0, false);
            b->setElementVisible(greyed, true);
            click(b);
            EXPECT_EQ(shown(b), std::vector<int>{greyed});
            b->setElementVisible(greyed, false);
            b->setElementVisible(0, true);
        }
    EXPECT_EQ(win.mode, kSetup);
    EXPECT_EQ(texts(), board);
    EXPECT_EQ(win.elapsedSeconds, 40);
    EXPECT_EQ(win.hintsUsed, 0);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.modalDialogsRun, 0);
}

TEST_F(CommandsTest, HelpShowsCorvelsOwnGuideUnlessACorvelHlpIsHere)
{
    const QString saved = QDir::currentPath();
    QDir::setCurrent(dir.path());
    auto& win = start();
    win.show();
    win.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&win));
    // F1: Corvel's own help in a window beside the board.
    QTest::keyClick(&win, Qt::Key_F1);
    mainwindow::frmHelp* help = win.helpWindow;
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible() && !help->isModal());
    EXPECT_TRUE(help->txtHelp->toPlainText().contains(QStringLiteral("Entry checking")));
    for (const char* picture : {"corvel-standard.png", "corvel-explain.png"})
        EXPECT_FALSE(help->txtHelp->loadResource(QTextDocument::ImageResource, QUrl(QString::fromUtf8(picture))).isNull())
            << picture;
    help->close();
    // Something named corvel.HLP that is no readable file: said so. A file
    // goes to the help viewer, and the own help stays shut.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("corvel.HLP")));
    win.mnuHelp->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("corvel.HLP")));
    ASSERT_TRUE(QDir(dir.path()).rmdir(QStringLiteral("corvel.HLP")));
    writeFile(path("corvel.HLP"), "contents");
    win.mnuHelp->trigger();
    EXPECT_EQ(dialogs.helpFiles, std::vector<QString>{QStringLiteral("./corvel.HLP")});
    EXPECT_FALSE(help->isVisible());
    EXPECT_EQ(dialogs.messages.size(), 1u);
    // Help > About: the version, the licence and the Qt in use.
    ASSERT_TRUE(win.mnuHelpMenu->actions().contains(win.mnuAbout));
    win.mnuAbout->trigger();
    ASSERT_EQ(dialogs.messages.size(), 2u);
    for (const QString& part : {QStringLiteral("Corvel ") + QLatin1String(corvel::kVersion),
                                QStringLiteral("GNU General Public License, version 3 or later"),
                                QStringLiteral("Qt ") + QLatin1String(qVersion())})
        EXPECT_TRUE(dialogs.messages[1].text.contains(part)) << part.toStdString();
    QDir::setCurrent(saved);
}

} // namespace
