// Cell entry against the real window: symbols, checking, colours, the finish
// and hints.
#include <QAction>
#include <QKeyEvent>
#include <QTimer>

#include "board_run.h"
#include "play_fixture.h"

namespace {

using puzzles::kEasy;
using puzzles::kEasySolution;

// The n-th empty cell of the easy puzzle, its right and a wrong symbol.
struct Spot {
    int cell;
    std::string right;
    std::string wrong;
};
Spot emptySpot(std::size_t n)
{
    const auto gap = PlayTest::missing(kEasy, kEasySolution).at(n);
    return {gap.first, gap.second, PlayTest::wrongFor(gap.second)};
}

TEST_F(PlayTest, LettersAreTakenInCapitalsAndOtherTextIsRefused)
{
    auto& win = startPlay();
    win.symbols.setSymbols({"A", "B", "C", "D", "E", "F", "G", "H", "I"});
    type(win, 10, QStringLiteral("c"));
    EXPECT_EQ(textOf(win, 10), "C");
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(background(win, 10), kWorking);

    // A real keystroke goes the same way.
    QKeyEvent key(QEvent::KeyPress, Qt::Key_D, Qt::NoModifier, QStringLiteral("d"));
    QCoreApplication::sendEvent(win.textCells[13], &key);
    EXPECT_EQ(textOf(win, 13), "D");

    // Upper case comes first: the message names the capital.
    type(win, 11, QStringLiteral("j"));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("J is not a valid symbol"));
    EXPECT_EQ(dialogs.messages[0].icon, platform::MessageIcon::None);
    EXPECT_EQ(dialogs.messages[0].buttons, platform::MessageButtons::Ok);
    EXPECT_EQ(textOf(win, 11), "");

    // The same with checking off, and for a digit that is no symbol here.
    win.mnuRealTimeCheck->trigger();
    type(win, 12, QStringLiteral("1"));
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].text, QStringLiteral("1 is not a valid symbol"));
    EXPECT_EQ(textOf(win, 12), "");
    EXPECT_EQ(textOf(win, 10), "C");
}

TEST_F(PlayTest, SystemWritesAreNormalisedButNotChecked)
{
    auto& win = startPlay();
    load(win, kEasy);
    const Spot s = emptySpot(0);
    win.cellEventsOn = false;
    put(win, s.cell, s.wrong);
    win.cellEventsOn = true;
    // A wrong symbol written by the system keeps the cell's colour.
    EXPECT_EQ(background(win, s.cell), kWorking);
    win.cellEventsOn = false;
    put(win, s.cell, "z");
    win.cellEventsOn = true;
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("Z is not a valid symbol"));
    EXPECT_EQ(textOf(win, s.cell), "");
}

TEST_F(PlayTest, WrongEntriesTurnRedAndDeletingNeverComplains)
{
    auto& win = startPlay();
    load(win, kEasy);
    const Spot s = emptySpot(0);
    type(win, s.cell, QString::fromStdString(s.wrong));
    EXPECT_EQ(background(win, s.cell), kRed);

    // A second wrong symbol in the flagged cell is judged afresh, not skipped
    // because the cell is red.
    const std::string otherWrong = s.wrong == "9" || s.right == "9" ? "2" : "9";
    ASSERT_NE(otherWrong, s.right);
    type(win, s.cell, QString::fromStdString(otherWrong));
    EXPECT_EQ(background(win, s.cell), kRed);

    type(win, s.cell, QString());
    EXPECT_EQ(background(win, s.cell), kWorking);
    EXPECT_TRUE(dialogs.messages.empty());

    type(win, s.cell, QString::fromStdString(s.right));
    EXPECT_EQ(background(win, s.cell), kWorking);
}

TEST_F(PlayTest, ARedEntryIsLeftOutOfLaterChecks)
{
    auto& win = startPlay();
    load(win, kEasy);
    const Spot a = emptySpot(0), b = emptySpot(5);
    type(win, a.cell, QString::fromStdString(a.wrong));
    ASSERT_EQ(background(win, a.cell), kRed);
    // With the red entry counted, this correct entry would look wrong too.
    type(win, b.cell, QString::fromStdString(b.right));
    EXPECT_EQ(background(win, b.cell), kWorking);
    EXPECT_EQ(background(win, a.cell), kRed);
    EXPECT_TRUE(win.entriesConsistent());
}

TEST_F(PlayTest, TypingOverAGivenMakesItAnEntry)
{
    auto& win = startPlay();
    load(win, kEasy);
    const int given = 2; // "3" in row 0
    ASSERT_EQ(textOf(win, given), "3");
    ASSERT_TRUE(win.grids[0].isGiven(2, 0));
    type(win, given, QStringLiteral("3"));
    // setText with the same text is no change; a different one is.
    type(win, given, QStringLiteral("5"));
    EXPECT_EQ(background(win, given), kRed); // the puzzle's one solution has 3 here
    EXPECT_FALSE(win.grids[0].isGiven(2, 0));
    type(win, given, QStringLiteral("3"));
    EXPECT_EQ(background(win, given), kWorking);
    EXPECT_FALSE(win.grids[0].isGiven(2, 0));
}

TEST_F(PlayTest, TheFinishNeedsSolvingModeAndACorrectBoard)
{
    auto& win = startPlay();
    load(win, kEasy);
    auto rest = missing(kEasy, kEasySolution);
    const auto last = rest.back();
    rest.pop_back();
    for (const auto& [cell, symbol] : rest) type(win, cell, QString::fromStdString(symbol));

    // Setup mode: a correct last entry is checked, but nothing finishes.
    type(win, last.first, QString::fromStdString(last.second));
    EXPECT_EQ(background(win, last.first), kWorking);
    EXPECT_EQ(finishDialogs(win), 0);
    type(win, last.first, QString());

    click(win.imgStart);
    ASSERT_EQ(win.mode, mainwindow::kSolving);
    win.hintsUsed = 3;
    win.elapsedSeconds = 125;

    // Checking off: a wrong last entry stays uncoloured and does not finish.
    win.mnuRealTimeCheck->trigger();
    type(win, last.first, QString::fromStdString(wrongFor(last.second)));
    EXPECT_EQ(background(win, last.first), kWorking);
    EXPECT_EQ(finishDialogs(win), 0);
    EXPECT_TRUE(win.timStopwatch->isActive());

    // The correct one finishes, with the hints and the time of the game.
    type(win, last.first, QString::fromStdString(last.second));
    ASSERT_EQ(finishDialogs(win), 1);
    auto* finish = win.findChild<mainwindow::frmFinish*>();
    EXPECT_EQ(finish->numHints, 3);
    EXPECT_EQ(finish->solvingTime, 125);
    EXPECT_FALSE(win.timStopwatch->isActive());
    EXPECT_EQ(win.mode, mainwindow::kSolving);
}

TEST_F(PlayTest, AWrongEntryLeftRedElsewhereBlocksTheFinish)
{
    auto& win = startPlay();
    load(win, kEasy);
    click(win.imgStart);
    ASSERT_EQ(win.mode, mainwindow::kSolving);
    auto rest = missing(kEasy, kEasySolution);
    const auto first = rest.front();
    type(win, first.first, QString::fromStdString(wrongFor(first.second)));
    ASSERT_EQ(background(win, first.first), kRed);
    for (std::size_t i = 1; i < rest.size(); ++i) type(win, rest[i].first, QString::fromStdString(rest[i].second));
    // Every cell is filled and the last entry was accepted, but the board is
    // not a solution.
    EXPECT_EQ(finishDialogs(win), 0);
    type(win, first.first, QString::fromStdString(first.second));
    EXPECT_EQ(finishDialogs(win), 1);
}

TEST_F(PlayTest, HintsFillTheSolversFirstMoveAndCanFinish)
{
    auto& win = startPlay();
    load(win, kEasy);
    click(win.imgStart);
    ASSERT_EQ(win.mode, mainwindow::kSolving);

    click(win.imgHint);
    EXPECT_EQ(win.hintsUsed, 1);
    int hinted = -1;
    for (const auto& [cell, symbol] : missing(kEasy, kEasySolution))
        if (!textOf(win, cell).empty()) {
            EXPECT_EQ(hinted, -1) << "one cell per hint";
            hinted = cell;
            EXPECT_EQ(textOf(win, cell), symbol);
            EXPECT_EQ(background(win, cell), kHint);
        }
    ASSERT_NE(hinted, -1);
    EXPECT_TRUE(win.cellEventsOn);

    // Inconsistent entries: nothing is written, nothing is said.
    const Spot s = emptySpot(3);
    type(win, s.cell, QString::fromStdString(s.wrong));
    ASSERT_EQ(background(win, s.cell), kRed);
    win.cellEventsOn = false;
    win.textCells[static_cast<std::size_t>(s.cell)]->setBackground(kWorking); // no longer left out
    win.cellEventsOn = true;
    const auto before = missing(kEasy, kEasySolution);
    int filled = 0;
    for (const auto& [cell, symbol] : before) filled += !textOf(win, cell).empty();
    click(win.imgHint);
    int filledAfter = 0;
    for (const auto& [cell, symbol] : before) filledAfter += !textOf(win, cell).empty();
    EXPECT_EQ(filledAfter, filled);
    EXPECT_EQ(win.hintsUsed, 1);
    EXPECT_TRUE(dialogs.messages.empty());
    type(win, s.cell, QString());

    // Fill all but one cell; the hint fills the last one and the game ends.
    auto rest = missing(kEasy, kEasySolution);
    while (!textOf(win, rest.back().first).empty()) rest.pop_back();
    const auto last = rest.back();
    rest.pop_back();
    for (const auto& [cell, symbol] : rest)
        if (textOf(win, cell).empty()) type(win, cell, QString::fromStdString(symbol));
    ASSERT_EQ(finishDialogs(win), 0);
    click(win.imgHint);
    EXPECT_EQ(textOf(win, last.first), last.second);
    EXPECT_EQ(background(win, last.first), kHint);
    ASSERT_EQ(finishDialogs(win), 1);
    // The finish counts the hint that ended the game.
    EXPECT_EQ(win.findChild<mainwindow::frmFinish*>()->numHints, 2);
    EXPECT_EQ(win.hintsUsed, 2);

    // A complete board gets no further hint.
    click(win.imgHint);
    EXPECT_EQ(win.hintsUsed, 2);
}

TEST_F(PlayTest, EntryCheckingOnTheSamuraiBoardCoversEveryGrid)
{
    auto& win = startPlay(true);
    load(win, puzzles::kSamurai);
    // Every empty cell of the centre grid, shared boxes included: a wrong
    // symbol turns red, the right one does not.
    for (std::size_t k = 4 * 81; k < 5 * 81; ++k) {
        if (puzzles::kSamurai[k] != '.') continue;
        const int cell = cellOf(4, static_cast<int>(k % 81));
        const std::string right(1, puzzles::kSamuraiSolution[k]);
        type(win, cell, QString::fromStdString(wrongFor(right)));
        EXPECT_EQ(background(win, cell), kRed) << "cell " << cell;
        type(win, cell, QString::fromStdString(right));
        EXPECT_EQ(background(win, cell), kWorking) << "cell " << cell;
        type(win, cell, QString());
    }
    EXPECT_TRUE(dialogs.messages.empty());
}

} // namespace
