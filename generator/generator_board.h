// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "cross_grid.h"
#include "symbol_table.h"

namespace generator {

// What the generator needs of the board it writes a puzzle onto: the board's
// grids (bound to its cells), the grid count in use, the symbols, the switch
// between the two board types, and the window state a generation touches.
// The main window implements it; PlainGeneratorBoard is the window-less one.
class GeneratorBoard {
public:
    virtual ~GeneratorBoard() = default;

    virtual engine::GridSlots& grids() = 0;
    virtual int numGrids() const = 0;
    virtual void setNumGrids(int n) = 0;
    virtual const files::SymbolTable& symbols() const = 0;

    // Switching off the cells' change handling while the system writes.
    virtual void setCellEventsOn(bool on) = 0;
    // Shows the standard board or the Samurai board (the View commands).
    virtual void showStandardBoard() = 0;
    virtual void showSamuraiBoard() = 0;

    // A generation starts: the stopwatch runs from 0 and the status line is
    // refreshed. It ends: the stopwatch stops.
    virtual void generationStarted() = 0;
    virtual void generationEnded() = 0;

    // Marks a solver run started by the generator's thinning or final check.
    virtual void setSolverRunning(bool) {}
};

} // namespace generator
