// SPDX-License-Identifier: GPL-3.0-or-later
#include "board_run.h"

#include "frm_main.h"

namespace mainwindow {

BoardRun::BoardRun(frmMain& window)
    : w_(window), boardGrids_(&window.grids), boardSolver_(&window.solver),
      savedSolverRunning_(window.solverRunning)
{
    const bool busy =
        w_.boardRunsActive > 0 || w_.solverRunning || w_.solver.searching || w_.mode == kGenerating;
    if (busy) {
        own_ = std::make_unique<Own>();
        own_->grids = w_.grids; // cell bindings and colours; values are loaded afresh
        own_->solver.yield = w_.solver.yield;
        own_->solver.message = w_.solver.message;
    }
    ++w_.boardRunsActive;
    w_.updateBoardCommands();
    w_.solverRunning = true;
    solver().searching = true;
}

BoardRun::~BoardRun()
{
    solver().searching = false;
    w_.solverRunning = savedSolverRunning_;
    --w_.boardRunsActive;
    w_.updateBoardCommands();
}

void BoardRun::load(bool skipFlagged)
{
    engine::GridSlots& g = grids();
    for (int k = 0; k < w_.numGrids; ++k) {
        engine::SudokuGrid& grid = g[static_cast<std::size_t>(k)];
        grid.initialiseForSearch();
        for (int i = 0; i < w_.gridSize; ++i)
            for (int j = 0; j < w_.gridSize; ++j) {
                const engine::CellControl* b = grid.getbox(i, j);
                if (!b) continue;
                const std::string text = b->text();
                if (text.empty()) continue;
                if (skipFlagged && b->background() == kWrongEntryColour) continue;
                grid.setDerived3x3(i, j, w_.symbolToIndex(text));
            }
    }
}

bool BoardRun::run(bool solve)
{
    return solver().runFCFFP(grids(), w_.numGrids, solve, false);
}

} // namespace mainwindow
