// SPDX-License-Identifier: GPL-3.0-or-later
#include "clock.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTime>
#include <QTimer>
#include <chrono>

namespace platform {

std::int64_t SystemClock::steadyMilliseconds() const
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

int SystemClock::secondsOfDay() const
{
    return QTime::currentTime().msecsSinceStartOfDay() / 1000;
}

void yieldToEventLoop()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void waitWithEvents(const Clock& clock, std::int64_t milliseconds)
{
    const std::int64_t start = clock.steadyMilliseconds();
    waitWithEvents([&] { return clock.steadyMilliseconds() - start >= milliseconds; });
}

void waitWithEvents(const std::function<bool()>& done)
{
    // The timer wakes the wait at least every 20 ms, so done() is read often
    // and the wait never blocks on an event that does not come.
    QTimer wake;
    wake.setInterval(20);
    wake.start();
    while (!done()) QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void setBusyPointer(bool busy)
{
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
}

} // namespace platform
