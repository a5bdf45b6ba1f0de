// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <memory>

#include "cell_control.h"
#include "cross_grid.h"
#include "solver.h"

namespace mainwindow {

class frmMain;

// The background of a cell whose entry was found wrong. A cell counts as
// flagged exactly when its background is this colour.
constexpr engine::Colour kWrongEntryColour = engine::rgb(255, 0, 0);

// One solver run over the board's entries: an entry check, a hint or Get
// Solution. While it lives, `solverRunning` and the run's `searching` are set;
// when it ends they are put back as they were before it began.
//
// A run normally works on the window's `grids` and `solver`, so that the grid
// model holds the entries afterwards (Start counts them to tell an empty
// board). A run that begins while another one is in progress (it was started
// by an event handled inside that run's yield, or during a generation, which
// uses the window's solver) works on grids and a solver of its own, bound to
// the same cells. The outer run's grids, move list, per-level copies and flags
// are then left exactly as they were: the outer search copies its parent grids
// only after its yield returns, so reloading the board's grids from inside a
// yield would change the problem under it. Refusing the inner run instead
// would leave a typed entry unchecked or a pressed Hint without effect.
class BoardRun {
public:
    explicit BoardRun(frmMain& window);
    ~BoardRun();
    BoardRun(const BoardRun&) = delete;
    BoardRun& operator=(const BoardRun&) = delete;

    bool nested() const { return own_ != nullptr; }
    engine::GridSlots& grids() { return own_ ? own_->grids : *boardGrids_; }
    engine::Solver& solver() { return own_ ? own_->solver : *boardSolver_; }

    // initialiseForSearch on every grid in use, then the value index of every
    // cell that holds text; with skipFlagged, cells flagged as wrong are left
    // out. A shared cell is read once from each of its grids.
    void load(bool skipFlagged);
    // runFCFFP over the grids in use; true when the entries can be completed.
    bool run(bool solve);

private:
    struct Own {
        engine::GridSlots grids;
        engine::Solver solver;
    };

    frmMain& w_;
    engine::GridSlots* boardGrids_;
    engine::Solver* boardSolver_;
    std::unique_ptr<Own> own_;
    bool savedSolverRunning_;
};

} // namespace mainwindow
