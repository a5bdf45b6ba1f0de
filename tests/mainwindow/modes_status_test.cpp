#include <QAction>
#include <QCoreApplication>
#include <QPointer>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include "frm_finish.h"
#include "window_fixture.h"

namespace {

using mainwindow::statusTexts;
using mainwindow::stopwatchText;

TEST(StatusText, Stopwatch)
{
    EXPECT_EQ(stopwatchText(0), "0 m 0 s ");
    EXPECT_EQ(stopwatchText(59), "0 m 59 s ");
    EXPECT_EQ(stopwatchText(60), "1 m 0 s ");
    EXPECT_EQ(stopwatchText(75), "1 m 15 s ");
    EXPECT_EQ(stopwatchText(3600), "60 m 0 s ");
    // Beyond a 16-bit count of seconds (a game of more than nine hours).
    EXPECT_EQ(stopwatchText(40000), "666 m 40 s ");
}

TEST(StatusText, EveryMode)
{
    auto setupOn = statusTexts(mainwindow::kSetup, true, 5);
    EXPECT_EQ(*setupOn.status1, "Setup Mode");
    EXPECT_EQ(*setupOn.status2, "Checking ON ");
    EXPECT_FALSE(setupOn.status3.has_value());
    EXPECT_EQ(*statusTexts(mainwindow::kSetup, false, 0).status2, "Checking OFF ");

    auto solving = statusTexts(mainwindow::kSolving, false, 125);
    EXPECT_EQ(*solving.status1, "Solving mode");
    EXPECT_EQ(*solving.status2, "Checking OFF");
    EXPECT_EQ(*solving.status3, "2 m 5 s ");
    EXPECT_EQ(*statusTexts(mainwindow::kSolving, true, 0).status2, "Checking ON ");

    auto autoSolving = statusTexts(mainwindow::kAutoSolving, true, 9);
    EXPECT_EQ(*autoSolving.status1, "Corvel is solving the puzzle");
    EXPECT_EQ(*autoSolving.status2, "");
    EXPECT_EQ(*autoSolving.status3, "");

    EXPECT_EQ(*statusTexts(mainwindow::kGenerating, true, 0).status1, "Corvel is generating a puzzle >");
    EXPECT_EQ(*statusTexts(mainwindow::kGenerating, true, 7).status1, "Corvel is generating a puzzle >>>>>>>>");
    EXPECT_EQ(*statusTexts(mainwindow::kGenerating, true, 8).status1, "Corvel is generating a puzzle >");
    EXPECT_EQ(*statusTexts(mainwindow::kGenerating, true, 8).status3, "");
}

struct ModeCase {
    int mode;
    std::array<int, 5> shown; // imgStart, imgHint, imgClear, imgPartClear, imgFindSolution
    bool menusLive;
    const char* status1;
};

TEST_F(WindowTest, ButtonsMenusAndStatusInEveryMode)
{
    auto& win = start();
    const ModeCase cases[] = {
        {mainwindow::kSetup, {0, 2, 0, 0, 0}, true, "Setup Mode"},
        {mainwindow::kSolving, {3, 0, 2, 2, 2}, false, "Solving mode"},
        {mainwindow::kAutoSolving, {2, 2, 2, 2, 3}, false, "Corvel is solving the puzzle"},
        {mainwindow::kGenerating, {3, 2, 2, 2, 2}, false, "Corvel is generating a puzzle >"},
    };
    for (const ModeCase& c : cases) {
        win.mode = c.mode;
        // A button left pressed must not survive the redraw.
        win.imgClear->setElementVisible(1, true);
        win.updateButtons();
        platform::PictureButton* buttons[] = {win.imgStart, win.imgHint, win.imgClear, win.imgPartClear,
                                              win.imgFindSolution};
        for (int b = 0; b < 5; ++b)
            for (int e = 0; e < 6; ++e)
                EXPECT_EQ(buttons[b]->isElementVisible(e), e == c.shown[static_cast<std::size_t>(b)])
                    << "mode " << c.mode << " button " << b << " element " << e;
        EXPECT_EQ(win.mnuFile->menuAction()->isEnabled(), c.menusLive);
        EXPECT_EQ(win.mnuPreferences->isEnabled(), c.menusLive);
        EXPECT_EQ(win.mnuView->menuAction()->isEnabled(), c.menusLive);
        EXPECT_TRUE(win.mnuSettings->menuAction()->isEnabled());
        EXPECT_TRUE(win.mnuRealTimeCheck->isEnabled());
        EXPECT_TRUE(win.mnuHelp->isEnabled());
        EXPECT_EQ(win.lblStatus1->text().toStdString(), c.status1);
        if (c.mode == mainwindow::kSolving) EXPECT_EQ(win.imgStart->elementToolTip(3), "Stop solving the puzzle");
        if (c.mode == mainwindow::kGenerating) EXPECT_EQ(win.imgStart->elementToolTip(3), "Stop the puzzle generator");
    }
    // Back in Setup the Stop tooltip keeps its last text.
    win.mode = mainwindow::kSetup;
    win.updateButtons();
    EXPECT_EQ(win.imgStart->elementToolTip(3), "Stop the puzzle generator");
    EXPECT_EQ(win.imgStart->elementToolTip(0), "Start solving the puzzle");
    EXPECT_EQ(win.imgFindSolution->elementToolTip(3), "Stop Corvel");
    EXPECT_EQ(win.imgPartClear->element(0).label(), "Reset");
}

TEST_F(WindowTest, EntryCheckingInSetupChangesOnlyTheSecondLabel)
{
    auto& win = start();
    win.lblStatus3->setText("kept");
    win.mnuRealTimeCheck->trigger();
    EXPECT_FALSE(win.entryChecking());
    EXPECT_EQ(win.lblStatus1->text(), "Setup Mode");
    EXPECT_EQ(win.lblStatus2->text(), "Checking OFF ");
    EXPECT_EQ(win.lblStatus3->text(), "kept");
    win.mnuRealTimeCheck->trigger();
    EXPECT_EQ(win.lblStatus2->text(), "Checking ON ");
}

TEST_F(WindowTest, StopwatchTickCountsAndShows)
{
    auto& win = start();
    EXPECT_FALSE(win.timStopwatch->isActive());
    EXPECT_EQ(win.timStopwatch->interval(), 1000);
    win.mode = mainwindow::kSolving;
    win.elapsedSeconds = 59;
    win.timStopwatch_Timer();
    EXPECT_EQ(win.elapsedSeconds, 60);
    EXPECT_EQ(win.lblStatus3->text(), "1 m 0 s ");
    EXPECT_EQ(win.lblStatus2->text(), "Checking ON ");
}

TEST_F(WindowTest, BoardSwitchEmptiesTheThirdLabel)
{
    auto& win = start();
    win.lblStatus3->setText("0 m 5 s ");
    win.mnuSamurai_Click();
    EXPECT_EQ(win.lblStatus3->text(), "");
}

TEST_F(WindowTest, FinishDialogShowsHintsAndTimeWithoutBlocking)
{
    auto& win = start();
    win.mode = mainwindow::kSolving;
    win.timStopwatch->start();
    win.hintsUsed = 3;
    win.elapsedSeconds = 125;
    mainwindow::frmFinish* finish = win.showFinish();
    EXPECT_FALSE(win.timStopwatch->isActive());
    EXPECT_FALSE(finish->isModal());
    EXPECT_TRUE(finish->isVisible());
    EXPECT_EQ(finish->lbl1->text(), "Congratulations!");
    EXPECT_EQ(finish->lbl2->text(), "You have solved the puzzle.");
    EXPECT_EQ(finish->lblHints->text(), "Hints used: 3");
    EXPECT_EQ(finish->lblTime->text(), "Time Used: 2 m 5 s ");
    EXPECT_EQ(finish->btnOK->text(), "OK");
    QPointer<mainwindow::frmFinish> alive(finish);
    finish->btnOK->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());
}

TEST(FinishDialog, LongGameIsReportedCorrectly)
{
    mainwindow::frmFinish finish(nullptr);
    finish.setAttribute(Qt::WA_DeleteOnClose, false);
    finish.numHints = 0;
    finish.solvingTime = 9 * 3600 + 7; // past the 16-bit count
    finish.Form_Load();
    EXPECT_EQ(finish.lblTime->text(), "Time Used: 540 m 7 s ");
    EXPECT_EQ(finish.lblHints->text(), "Hints used: 0");
}

} // namespace
