// The stopwatch, the finish dialog and the solver's throttled yield; what the
// window shows in each mode is checked where the commands reach it.
#include <QPointer>

#include "throttled_yield.h"
#include "window_fixture.h"

namespace {

TEST_F(WindowTest, TheStopwatchTicksEverySecondAndTheFinishDialogDoesNotBlock)
{
    auto& win = start();
    EXPECT_EQ(win.timStopwatch->interval(), 1000);
    win.mode = mainwindow::kSolving;
    win.elapsedSeconds = 9 * 3600 + 6; // past a 16-bit count of seconds
    win.timStopwatch->start();
    win.timStopwatch_Timer();
    EXPECT_EQ(win.lblStatus3->text(), "540 m 7 s ");

    win.hintsUsed = 3;
    mainwindow::frmFinish* finish = win.showFinish();
    EXPECT_FALSE(win.timStopwatch->isActive());
    EXPECT_FALSE(finish->isModal());
    EXPECT_TRUE(finish->isVisible());
    EXPECT_EQ(finish->lblHints->text(), "Hints used: 3");
    EXPECT_EQ(finish->lblTime->text(), "Time Used: 540 m 7 s ");
    QPointer<mainwindow::frmFinish> alive(finish);
    QTest::mouseClick(finish->btnOK, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());
}

TEST(ThrottledYield, RunsTheEventLoopAtMostOncePerIntervalOfSearchTime)
{
    std::int64_t now = 1000;
    int loops = 0;
    mainwindow::ThrottledYield y([&] { return now; }, [&] { ++loops, now += 50; }, 4);
    // Each step: move the clock, call, and how many times the loop has run.
    // The interval counts from construction (or restart), and from the end of
    // the last real yield: a long repaint is not search time.
    const std::pair<int, int> steps[] = {{0, 0}, {3, 0}, {1, 1}, {0, 1}, {3, 1}, {1, 2}};
    for (const auto& [advance, want] : steps) {
        now += advance;
        y();
        EXPECT_EQ(loops, want) << now;
    }
    y.restart(); // a new short run: no yield within its first interval
    now += 2;
    y();
    EXPECT_EQ(loops, 2);
    y.forceNext(); // for one call only
    y();
    y();
    EXPECT_EQ(loops, 3);
}

} // namespace
