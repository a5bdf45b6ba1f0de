// The five commands and Help against the real window.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include "frm_help.h"
#include "play_fixture.h"

namespace {

using mainwindow::kAutoSolving;
using mainwindow::kSetup;
using mainwindow::kSolving;

int emptyCells(const mainwindow::frmMain& win, const std::string& puzzle)
{
    int n = 0;
    for (std::size_t k = 0; k < puzzle.size(); ++k) {
        const int cell = mainwindow::cellIndex(static_cast<int>(k / 81), static_cast<int>(k % 9),
                                               static_cast<int>(k % 81 / 9));
        n += static_cast<const engine::CellControl&>(*win.textCells[static_cast<std::size_t>(cell)]).text().empty();
    }
    return n;
}

TEST_F(PlayTest, StartOnAnEmptyBoardOpensTheGeneratorFirst)
{
    auto& win = startPlay();
    click(win.imgStart);
    EXPECT_EQ(rw->generateCalls, 1);
    // Cancelled: the game starts on the empty board.
    EXPECT_EQ(win.mode, kSolving);
    EXPECT_TRUE(win.timStopwatch->isActive());
    EXPECT_EQ(visibleElements(win.imgStart), std::vector<int>{3});
}

TEST_F(PlayTest, WithCheckingOffATypedPuzzleStillCountsAsEmpty)
{
    auto& win = startPlay();
    win.mnuRealTimeCheck->trigger();
    ASSERT_FALSE(win.entryChecking());
    for (std::size_t k = 0; k < puzzles::kEasy.size(); ++k)
        if (puzzles::kEasy[k] != '0') type(win, static_cast<int>(k), QString(1, QChar(puzzles::kEasy[k])));
    click(win.imgStart);
    EXPECT_EQ(rw->generateCalls, 1);
    EXPECT_EQ(win.mode, kSolving);
    // The typed entries are now the givens.
    EXPECT_TRUE(win.grids[0].isGiven(2, 0));
    EXPECT_EQ(background(win, 2), kKnown);

    // With checking on, typing loads the model, so Start does not generate.
    click(win.imgStart); // stop
    click(win.imgClear);
    win.mnuRealTimeCheck->trigger();
    type(win, 0, QStringLiteral("4"));
    click(win.imgStart);
    EXPECT_EQ(rw->generateCalls, 1);
    EXPECT_EQ(win.mode, kSolving);
}

TEST_F(PlayTest, StartOnUnsolvableEntriesStaysInSetup)
{
    auto& win = startPlay();
    win.mnuRealTimeCheck->trigger();
    load(win, puzzles::kEasy);
    type(win, 0, QStringLiteral("3")); // the row already has a 3
    click(win.imgStart);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("The current entries make an unsolvable Sudoku problem"));
    EXPECT_EQ(dialogs.messages[0].icon, platform::MessageIcon::Critical);
    EXPECT_EQ(win.mode, kSetup);
    EXPECT_EQ(visibleElements(win.imgStart), std::vector<int>{0});
    EXPECT_FALSE(win.timStopwatch->isActive());
    EXPECT_EQ(background(win, 0), kKnown);
}

TEST_F(PlayTest, StartStopStartKeepsTheStopwatchAndZeroesHints)
{
    auto& win = startPlay();
    load(win, puzzles::kEasy);
    click(win.imgStart);
    ASSERT_EQ(win.mode, kSolving);
    for (int i = 0; i < 75; ++i) win.timStopwatch_Timer();
    click(win.imgHint);
    click(win.imgHint);
    ASSERT_EQ(win.hintsUsed, 2);

    click(win.imgStart); // Stop
    EXPECT_EQ(win.mode, kSetup);
    EXPECT_FALSE(win.timStopwatch->isActive());
    EXPECT_EQ(win.elapsedSeconds, 75);
    EXPECT_EQ(win.hintsUsed, 2);
    EXPECT_EQ(visibleElements(win.imgStart), std::vector<int>{0});

    click(win.imgStart);
    EXPECT_EQ(win.mode, kSolving);
    EXPECT_EQ(win.elapsedSeconds, 75);
    EXPECT_EQ(win.hintsUsed, 0);
    EXPECT_TRUE(win.timStopwatch->isActive());
    EXPECT_EQ(win.lblStatus3->text(), QStringLiteral("1 m 15 s "));
}

TEST_F(PlayTest, StopDuringGenerationStopsTheGenerator)
{
    auto& win = startPlay();
    // A generator that is still running when Stop is pressed.
    rw->onGenerate = [&] {
        win.mode = mainwindow::kGenerating;
        win.keepGenerating = true;
        win.updateButtons();
        win.timStopwatch->start();
        click(win.imgStart); // Stop, handled while the generator runs
        EXPECT_FALSE(win.keepGenerating);
        EXPECT_EQ(win.mode, kSetup);
        EXPECT_FALSE(win.timStopwatch->isActive());
    };
    click(win.imgStart);
    EXPECT_EQ(rw->generateCalls, 1);
    // The start goes on with the board the generator left.
    EXPECT_EQ(win.mode, kSolving);
}

TEST_F(PlayTest, GetSolutionFillsEveryEmptyCellOnBothBoards)
{
    for (const auto& [puzzle, solution] :
         {std::pair{puzzles::kHard, puzzles::kHardSolution}, std::pair{puzzles::kSamurai, puzzles::kSamuraiSolution}}) {
        dialogs.messages.clear();
        auto& win = startPlay(gridsOf(puzzle) == 5);
        load(win, puzzle);
        // The givens as typed entries, on the working colour.
        for (platform::TextCell* c : win.textCells) c->setBackground(kWorking);
        click(win.imgFindSolution);
        EXPECT_TRUE(dialogs.messages.empty());
        for (std::size_t k = 0; k < puzzle.size(); ++k) {
            const int cell = cellOf(static_cast<int>(k / 81), static_cast<int>(k % 81));
            EXPECT_EQ(textOf(win, cell), std::string(1, solution[k])) << k;
            const bool given = puzzle[k] != '.';
            EXPECT_EQ(background(win, cell), given ? kKnown : kWorking) << k;
        }
        EXPECT_EQ(win.mode, kSetup);
        EXPECT_TRUE(win.cellEventsOn);
        EXPECT_FALSE(win.solverRunning);
        EXPECT_FALSE(win.solver.searching);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(visibleElements(win.imgFindSolution), std::vector<int>{0});
        EXPECT_EQ(visibleElements(win.imgStart), std::vector<int>{0});
    }
}

TEST_F(PlayTest, GetSolutionOnAnUnsolvableBoardChangesNoText)
{
    auto& win = startPlay();
    win.mnuRealTimeCheck->trigger();
    load(win, puzzles::kEasy);
    type(win, 0, QStringLiteral("3"));
    click(win.imgFindSolution);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("This puzzle cannot be solved!"));
    EXPECT_EQ(dialogs.messages[0].icon, platform::MessageIcon::None);
    EXPECT_EQ(emptyCells(win, puzzles::kEasy), 81 - 32 - 1);
    EXPECT_EQ(textOf(win, 0), "3");
    EXPECT_EQ(background(win, 0), kKnown);
    EXPECT_EQ(win.mode, kSetup);
}

TEST_F(PlayTest, InvalidBoxEntryFocusesTheCell)
{
    auto& win = startPlay(true);
    load(win, puzzles::kSamurai);
    // A text that is no symbol, in grid 3 (only a file or a change of
    // symbols can leave one; the change handler would refuse it).
    const int bad = mainwindow::cellIndex(3, 4, 4);
    ASSERT_EQ(textOf(win, bad), "");
    win.textCells[static_cast<std::size_t>(bad)]->blockSignals(true);
    put(win, bad, "X");
    win.textCells[static_cast<std::size_t>(bad)]->blockSignals(false);
    for (platform::TextCell* c : win.textCells) c->setBackground(kWorking);
    const int emptyBefore = emptyCells(win, puzzles::kSamurai);

    click(win.imgFindSolution);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Invalid box entry"));
    EXPECT_EQ(dialogs.messages[0].icon, platform::MessageIcon::Exclamation);
    EXPECT_EQ(win.focusWidget(), win.textCells[static_cast<std::size_t>(bad)]);
    EXPECT_EQ(emptyCells(win, puzzles::kSamurai), emptyBefore);
    // Grids checked before the bad one were made givens; grid 3 was not.
    EXPECT_EQ(background(win, mainwindow::cellIndex(2, 1, 0)), kKnown);
    EXPECT_EQ(background(win, mainwindow::cellIndex(3, 8, 0)), kWorking);
    EXPECT_EQ(win.mode, kSetup);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(win.solverRunning);
}

TEST_F(PlayTest, StopDuringGetSolutionWritesTheMovesFoundSoFar)
{
    auto& win = startPlay();
    load(win, puzzles::kHard);
    // What the window looks like while the run yields.
    bool sawBusy = false;
    auto original = win.solver.yield;
    win.solver.yield = [&] {
        if (win.solverRunning && win.mode == kAutoSolving) {
            const QCursor* pointer = QApplication::overrideCursor();
            sawBusy = sawBusy || (pointer && pointer->shape() == Qt::WaitCursor &&
                                  win.imgFindSolution->topVisible() == 4 && !win.cellEventsOn);
        }
        original();
    };
    // The Stop press waits in the event queue and is handled in the run's
    // first yield.
    bool stopped = false;
    QTimer::singleShot(0, &win, [&] {
        EXPECT_EQ(win.imgFindSolution->topVisible(), 4);
        click(win.imgFindSolution);
        stopped = true;
        EXPECT_EQ(win.mode, kSetup);
    });
    click(win.imgFindSolution);
    ASSERT_TRUE(stopped);
    EXPECT_TRUE(sawBusy);
    // The forced moves found before the stop are written, and nothing else.
    const int empty = emptyCells(win, puzzles::kHard);
    const int emptyBefore = static_cast<int>(std::count(puzzles::kHard.begin(), puzzles::kHard.end(), '.'));
    EXPECT_GT(empty, 0);
    EXPECT_LT(empty, emptyBefore);
    for (std::size_t k = 0; k < 81; ++k)
        if (!textOf(win, static_cast<int>(k)).empty())
            EXPECT_EQ(textOf(win, static_cast<int>(k)), std::string(1, puzzles::kHardSolution[k]));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(win.mode, kSetup);
    EXPECT_TRUE(win.cellEventsOn);
    EXPECT_FALSE(win.solverRunning);
    EXPECT_EQ(win.solutionRunSolver, nullptr);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(visibleElements(win.imgFindSolution), std::vector<int>{0});

    // A new run solves the rest.
    click(win.imgFindSolution);
    EXPECT_EQ(emptyCells(win, puzzles::kHard), 0);
}

TEST_F(PlayTest, ClearAndResetEmptyTheBoard)
{
    auto& win = startPlay(true);
    load(win, puzzles::kSamurai);
    const int entry = mainwindow::cellIndex(4, 4, 4);
    ASSERT_EQ(textOf(win, entry), "");
    type(win, entry, QString(1, QChar(puzzles::kSamuraiSolution[4 * 81 + 40])));
    win.elapsedSeconds = 99;

    click(win.imgPartClear);
    EXPECT_EQ(textOf(win, entry), "");
    EXPECT_EQ(emptyCells(win, puzzles::kSamurai),
              static_cast<int>(std::count(puzzles::kSamurai.begin(), puzzles::kSamurai.end(), '.')));
    EXPECT_EQ(win.elapsedSeconds, 0);

    win.elapsedSeconds = 99;
    click(win.imgClear);
    EXPECT_EQ(emptyCells(win, puzzles::kSamurai), 405);
    for (platform::TextCell* c : win.textCells) EXPECT_EQ(static_cast<engine::CellControl&>(*c).background(), kWorking);
    EXPECT_EQ(win.elapsedSeconds, 0);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(visibleElements(win.imgClear), std::vector<int>{0});
    EXPECT_EQ(visibleElements(win.imgPartClear), std::vector<int>{0});
    // The next game's status starts at 0 m 0 s.
    click(win.imgStart);
    EXPECT_EQ(win.lblStatus3->text(), QStringLiteral("0 m 0 s "));
}

TEST_F(PlayTest, GreyedElementsIgnorePresses)
{
    auto& win = startPlay();
    load(win, puzzles::kEasy);
    win.elapsedSeconds = 40;
    const auto snapshot = [&] {
        std::vector<std::string> s;
        for (int i = 0; i < 81; ++i) s.push_back(textOf(win, i));
        return s;
    };
    const auto board = snapshot();
    platform::PictureButton* all[] = {win.imgStart, win.imgHint, win.imgClear, win.imgPartClear,
                                      win.imgFindSolution};
    const auto pressGreyed = [&](int mode) {
        win.mode = mode;
        win.updateButtons();
        for (platform::PictureButton* b : all) {
            const std::vector<int> before = visibleElements(b);
            if (before != std::vector<int>{2}) continue;
            click(b);
            EXPECT_EQ(visibleElements(b), before);
            // Element 5 of the two buttons that have one.
            if (b == win.imgStart || b == win.imgFindSolution) {
                b->setElementVisible(2, false);
                b->setElementVisible(5, true);
                click(b);
                EXPECT_EQ(visibleElements(b), std::vector<int>{5});
                b->setElementVisible(5, false);
                b->setElementVisible(2, true);
            }
        }
        EXPECT_EQ(win.mode, mode);
    };
    pressGreyed(kSetup);      // Hint
    pressGreyed(kSolving);    // Clear, Reset, Get Solution
    pressGreyed(kAutoSolving); // Start, Hint, Clear, Reset
    EXPECT_EQ(snapshot(), board);
    EXPECT_EQ(win.elapsedSeconds, 40);
    EXPECT_EQ(win.hintsUsed, 0);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(rw->generateCalls, 0);
}

class HelpTest : public PlayTest {
protected:
    void SetUp() override
    {
        saved_ = QDir::currentPath();
        ASSERT_TRUE(helpDir_.isValid());
        QDir::setCurrent(helpDir_.path());
    }
    void TearDown() override { QDir::setCurrent(saved_); }
    QTemporaryDir helpDir_;

private:
    QString saved_;
};

TEST_F(HelpTest, HelpShowsCorvelsOwnHelpUnlessACorvelHlpIsHere)
{
    auto& win = startPlay();
    win.show();
    win.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&win));

    // F1 as the keyboard sends it: Corvel's own help, beside the board.
    QTest::keyClick(&win, Qt::Key_F1);
    mainwindow::frmHelp* help = win.helpWindow;
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_FALSE(help->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    const QString text = help->txtHelp->toPlainText();
    for (const char* topic : {"How to play", "Start Game!", "Get Solution", "Entry checking", "Hints", "Levels",
                              "Symbols and colours", "Puzzle files", "Printing", "Keyboard", "F1"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(topic))) << topic;
    EXPECT_FALSE(help->txtHelp->loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("corvel-standard.png")))
                     .isNull());

    // Closed, then asked for through the menu: the same one window again.
    help->close();
    win.mnuHelp->trigger();
    EXPECT_EQ(win.helpWindow, help);
    EXPECT_TRUE(help->isVisible());
    win.mnuHelp->trigger();
    EXPECT_EQ(win.findChildren<mainwindow::frmHelp*>().size(), 1);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(dialogs.helpFiles.empty());
    help->close();

    // Something named corvel.HLP that is no readable file: said so.
    ASSERT_TRUE(QDir(helpDir_.path()).mkdir(QStringLiteral("corvel.HLP")));
    win.mnuHelp->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("corvel.HLP")));
    ASSERT_TRUE(QDir(helpDir_.path()).rmdir(QStringLiteral("corvel.HLP")));

    // A corvel.HLP file goes to the help viewer, and the own help stays shut.
    QFile file(QDir(helpDir_.path()).filePath(QStringLiteral("corvel.HLP")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("contents");
    file.close();
    win.mnuHelp->trigger();
    EXPECT_EQ(dialogs.messages.size(), 1u);
    ASSERT_EQ(dialogs.helpFiles.size(), 1u);
    EXPECT_EQ(dialogs.helpFiles[0], QStringLiteral("./corvel.HLP"));
    EXPECT_FALSE(help->isVisible());
}

} // namespace
