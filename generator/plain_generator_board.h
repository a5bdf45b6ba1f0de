// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "generator_board.h"
#include "plain_board.h"

namespace generator {

// The generator's board over a window-less engine::PlainBoard, for the
// command-line tool, the tests and the benchmarks. It records the window
// state a generation would set so that tests can look at it.
class PlainGeneratorBoard final : public GeneratorBoard {
public:
    PlainGeneratorBoard(engine::PlainBoard& board, const files::SymbolTable& symbols)
        : board_(board), symbols_(symbols)
    {
    }

    engine::GridSlots& grids() override { return board_.grids; }
    int numGrids() const override { return board_.numGrids; }
    void setNumGrids(int n) override { board_.numGrids = n; }
    const files::SymbolTable& symbols() const override { return symbols_; }

    void setCellEventsOn(bool on) override { cellEventsOn = on; }
    // Like the View commands: nothing happens when the board type is already
    // shown; a switch empties every cell.
    void showStandardBoard() override { switchTo(1); }
    void showSamuraiBoard() override { switchTo(5); }

    void generationStarted() override
    {
        stopwatchRunning = true;
        elapsedSeconds = 0;
    }
    void generationEnded() override { stopwatchRunning = false; }
    void setSolverRunning(bool running) override { solverRunning = running; }

    engine::PlainBoard& board() { return board_; }

    bool cellEventsOn = true;
    bool stopwatchRunning = false;
    bool solverRunning = false;
    int elapsedSeconds = 0;

private:
    void switchTo(int n)
    {
        if (board_.numGrids == n) return;
        board_.numGrids = n;
        board_.clear();
    }

    engine::PlainBoard& board_;
    const files::SymbolTable& symbols_;
};

} // namespace generator
