// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_generator_board.h"

#include <QTimer>

#include "frm_main.h"

namespace mainwindow {

engine::GridSlots& WindowGeneratorBoard::grids() { return w_.grids; }
int WindowGeneratorBoard::numGrids() const { return w_.numGrids; }
void WindowGeneratorBoard::setNumGrids(int n) { w_.numGrids = n; }
const files::SymbolTable& WindowGeneratorBoard::symbols() const { return w_.symbols; }
void WindowGeneratorBoard::setCellEventsOn(bool on) { w_.cellEventsOn = on; }
void WindowGeneratorBoard::showStandardBoard() { w_.mnuStd9x9_Click(); }
void WindowGeneratorBoard::showSamuraiBoard() { w_.mnuSamurai_Click(); }
void WindowGeneratorBoard::setSolverRunning(bool running) { w_.solverRunning = running; }

void WindowGeneratorBoard::generationStarted()
{
    w_.timStopwatch->start();
    w_.elapsedSeconds = 0;
    w_.updateStatus();
}

void WindowGeneratorBoard::generationEnded()
{
    w_.timStopwatch->stop();
}

} // namespace mainwindow
