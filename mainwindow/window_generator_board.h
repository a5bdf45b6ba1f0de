// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "generator_board.h"

namespace mainwindow {

class frmMain;

// The main window as the board the generator writes onto: its grids, grid
// count, symbols, the View commands and the stopwatch.
class WindowGeneratorBoard final : public generator::GeneratorBoard {
public:
    explicit WindowGeneratorBoard(frmMain& window) : w_(window) {}

    engine::GridSlots& grids() override;
    int numGrids() const override;
    void setNumGrids(int n) override;
    const files::SymbolTable& symbols() const override;
    void setCellEventsOn(bool on) override;
    void showStandardBoard() override;
    void showSamuraiBoard() override;
    void generationStarted() override;
    void generationEnded() override;
    void setSolverRunning(bool running) override;

private:
    frmMain& w_;
};

} // namespace mainwindow
