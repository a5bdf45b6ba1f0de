// SPDX-License-Identifier: GPL-3.0-or-later
// Cell entry: symbols, checking and its colours, the finish and hints.

#include <QPointer>

#include "window_fixture.h"

namespace {

using puzzles::kEasy;
using puzzles::kEasySolution;

TEST_F(WindowTest, TypedTextThatIsNoSymbolIsRefusedByItsCapital)
{
    // Letters typed in lower case become capitals (the marks test types them).
    auto& win = start();
    win.symbols.setSymbols({"A", "B", "C", "D", "E", "F", "G", "H", "I"});
    // Upper case comes first: the message names the capital. The same with
    // checking off, and for a digit that is no symbol here.
    QTest::keyClick(cell(11), 'j');
    expectMessage("J is not a valid symbol", platform::MessageIcon::None);
    win.mnuRealTimeCheck->trigger();
    EXPECT_EQ(win.lblStatus2->text(), "Checking OFF ");
    type(12, "1");
    expectMessage("1 is not a valid symbol", platform::MessageIcon::None);
    EXPECT_EQ(text(11) + text(12), "");
}

TEST_F(WindowTest, WrongEntriesTurnRedAndLaterChecksLeaveThemOut)
{
    start();
    load(kEasy);
    const auto g = gaps(kEasy, kEasySolution);
    // What the system writes is normalised and refused, but not checked.
    w->cellEventsOn = false;
    cell(g[0].cell)->setText(g[0].wrong);
    EXPECT_EQ(background(g[0].cell), kWorking);
    cell(g[0].cell)->setText("z");
    w->cellEventsOn = true;
    expectMessage("Z is not a valid symbol", platform::MessageIcon::None);
    EXPECT_EQ(text(g[0].cell), "");

    type(g[0].cell, g[0].wrong);
    EXPECT_EQ(background(g[0].cell), kRed);
    // A second wrong symbol in the red cell is judged afresh.
    const std::string otherWrong = g[0].wrong == "9" || g[0].right == "9" ? "2" : "9";
    type(g[0].cell, otherWrong);
    EXPECT_EQ(background(g[0].cell), kRed);
    type(g[0].cell, "");
    EXPECT_EQ(background(g[0].cell), kWorking);
    type(g[0].cell, g[0].right);
    EXPECT_EQ(background(g[0].cell), kWorking);

    // With the red entry counted, this correct entry would look wrong too.
    type(g[1].cell, g[1].wrong);
    type(g[5].cell, g[5].right);
    EXPECT_EQ(background(g[5].cell), kWorking);
    EXPECT_EQ(background(g[1].cell), kRed);
    EXPECT_TRUE(w->entriesConsistent());
    EXPECT_TRUE(dialogs.messages.empty()) << "deleting and checking say nothing";

    // Typing over a given (a 3 in row 0) makes it an entry like any other.
    ASSERT_TRUE(w->grids[0].isGiven(2, 0));
    type(2, "5");
    EXPECT_EQ(background(2), kRed);
    type(2, "3");
    EXPECT_EQ(background(2), kWorking);
    EXPECT_FALSE(w->grids[0].isGiven(2, 0));
}

TEST_F(WindowTest, OnlyACorrectBoardFinishesAGameAndOnlyInSolvingMode)
{
    auto& win = start();
    load(kEasy);
    auto g = gaps(kEasy, kEasySolution);
    const Gap first = g.front(), last = g.back();
    for (const Gap& gap : g) type(gap.cell, gap.right);
    EXPECT_EQ(background(last.cell), kWorking);
    EXPECT_EQ(finishDialogs(), 0) << "Setup mode never finishes";
    type(last.cell, "");

    click(win.imgStart);
    ASSERT_EQ(win.mode, mainwindow::kSolving);
    win.hintsUsed = 3;
    win.elapsedSeconds = 9 * 3600 + 6; // past a 16-bit count of seconds
    EXPECT_EQ(win.timStopwatch->interval(), 1000);
    win.timStopwatch_Timer();
    EXPECT_EQ(win.lblStatus3->text(), "540 m 7 s ");
    // Checking off: a wrong last entry stays uncoloured and does not finish.
    win.mnuRealTimeCheck->trigger();
    EXPECT_EQ(win.lblStatus2->text(), "Checking OFF");
    type(last.cell, last.wrong);
    EXPECT_EQ(background(last.cell), kWorking);
    EXPECT_EQ(finishDialogs(), 0);
    EXPECT_TRUE(win.timStopwatch->isActive());
    // Checking on: a wrong entry left red elsewhere blocks the finish of a
    // full board whose last entry was accepted.
    win.mnuRealTimeCheck->trigger();
    type(first.cell, first.wrong);
    type(last.cell, last.right);
    ASSERT_EQ(background(first.cell), kRed);
    EXPECT_EQ(finishDialogs(), 0);

    type(first.cell, first.right);
    ASSERT_EQ(finishDialogs(), 1);
    QPointer<mainwindow::frmFinish> finish = win.findChild<mainwindow::frmFinish*>();
    EXPECT_TRUE(finish->isVisible() && !finish->isModal());
    EXPECT_EQ(finish->lblHints->text(), "Hints used: 3");
    EXPECT_EQ(finish->lblTime->text(), "Time Used: 540 m 7 s ");
    EXPECT_FALSE(win.timStopwatch->isActive());
    EXPECT_EQ(win.mode, mainwindow::kSolving);
    QTest::mouseClick(finish->btnOK, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(finish.isNull());
}

TEST_F(WindowTest, AHintFillsTheSolversFirstMoveAndCanFinishTheGame)
{
    auto& win = start();
    load(kEasy);
    click(win.imgStart);
    ASSERT_EQ(win.mode, mainwindow::kSolving);
    const auto g = gaps(kEasy, kEasySolution);
    auto filled = [&] {
        std::vector<int> f;
        for (const Gap& gap : g)
            if (!text(gap.cell).empty()) f.push_back(gap.cell);
        return f;
    };
    click(win.imgHint);
    ASSERT_EQ(filled().size(), 1u);
    const int hinted = filled()[0];
    for (const Gap& gap : g)
        if (gap.cell == hinted) EXPECT_EQ(text(hinted), gap.right);
    EXPECT_TRUE(background(hinted) == kHint && win.hintsUsed == 1 && win.cellEventsOn);
    // The status line says why, through the stopwatch's ticks, until the
    // player's next change.
    win.timStopwatch_Timer();
    EXPECT_EQ(win.lblStatus1->toolTip().toStdString(), "Only cell left for 1 in its row.");

    // Entries that cannot be completed: nothing is written, nothing is said.
    const Gap bad = g[3].cell == hinted ? g[4] : g[3];
    type(bad.cell, bad.wrong);
    EXPECT_EQ(win.lblStatus1->text().toStdString(), "Solving mode");
    cell(bad.cell)->setBackground(kWorking); // no longer left out of the check
    click(win.imgHint);
    EXPECT_EQ(filled().size(), 2u);
    EXPECT_EQ(win.hintsUsed, 1);
    EXPECT_TRUE(dialogs.messages.empty());
    type(bad.cell, "");

    // All but one cell filled: the hint fills the last and ends the game,
    // and the finish counts it.
    std::vector<Gap> rest;
    for (const Gap& gap : g)
        if (gap.cell != hinted) rest.push_back(gap);
    const Gap last = rest.back();
    rest.pop_back();
    for (const Gap& gap : rest) type(gap.cell, gap.right);
    ASSERT_EQ(finishDialogs(), 0);
    click(win.imgHint);
    EXPECT_EQ(text(last.cell), last.right);
    EXPECT_EQ(background(last.cell), kHint);
    ASSERT_EQ(finishDialogs(), 1);
    EXPECT_EQ(win.findChild<mainwindow::frmFinish*>()->numHints, 2);
    // A complete board gets no further hint.
    click(win.imgHint);
    EXPECT_EQ(win.hintsUsed, 2);
}

TEST_F(WindowTest, AHintOnTheSamuraiBoardFillsACornerGridOrASharedCell)
{
    // The solved board but one cell (a shared cell stands in the puzzle
    // under both its grids); the hint must fill that one.
    const struct {
        const char* name;
        std::vector<std::size_t> at;
    } cases[] = {{"grid 3's own cell", {puzzles::at(3, 7, 3)}},
                 {"grid 1's cell shared with the centre", {puzzles::at(1, 1, 7), puzzles::at(4, 7, 1)}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto& win = start(true);
        std::string puzzle = puzzles::kSamuraiSolution;
        for (std::size_t k : c.at) puzzle[k] = '.';
        load(puzzle);
        const int i = cellOf(c.at[0]);
        ASSERT_EQ(text(i), "");
        click(win.imgStart);
        ASSERT_EQ(win.mode, mainwindow::kSolving);
        click(win.imgHint);
        EXPECT_EQ(text(i), std::string(1, puzzles::kSamuraiSolution[c.at[0]]));
        EXPECT_EQ(background(i), kHint);
        EXPECT_EQ(win.hintsUsed, 1);
        EXPECT_EQ(finishDialogs(), 1);
    }
}

} // namespace
