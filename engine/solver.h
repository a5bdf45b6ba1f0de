// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "cross_grid.h"
#include "moves.h"
#include "sudoku_grid.h"

namespace engine {

// Forward-checking, fail-first search over the grids of a board: propagation
// to a fixpoint, then depth-first branching on the smallest domain. Holds
// everything one run needs; several solvers may run at once in different
// threads, each with its own object.
class Solver {
public:
    static constexpr int kSearchLimit = 2000;

    using YieldFn = std::function<void()>;
    using MessageFn = std::function<void(const std::string&)>;

    Solver();

    // Propagates and searches g[0..numGrids-1]. With solve the recorded moves are
    // written into the grids' cell values; with allSolutions numSolutions counts
    // solutions up to two and the result means "more than one".
    bool runFCFFP(GridSlots& g, int numGrids, bool solve, bool allSolutions);
    // runFCFFP on a private copy of one grid, with the 2000-level limit.
    bool doSingleGridFCFFPTest(const SudokuGrid& g, bool solve, bool allSolutions);

    static int getTotalInstantiations(const GridSlots& g, int numGrids);
    static int getTotalBarred(const GridSlots& g, int numGrids);

    // Propagation to a fixpoint over g[0..numGrids-1], recording placements.
    void propagate(GridSlots& g, int numGrids);

    MoveList moves;
    bool searching = false;
    int numSolutions = 0;
    bool limitSearch = false;
    int searchNodes = 0;
    bool searchLimitExceeded = false;

    // Called at every search level and once per run; may process events, and
    // may clear `searching` to stop the run.
    YieldFn yield;
    // Receives the "Error in search - inconsistent" message.
    MessageFn message;

private:
    bool searchLevel(GridSlots& g, int depth, bool manySolutions);

    // The next free grid slots of the stack, held until the object goes.
    struct LevelSlots {
        explicit LevelSlots(Solver& s) : solver(s), grids(take(s)) {}
        ~LevelSlots() { --solver.levelTop_; }
        LevelSlots(const LevelSlots&) = delete;
        LevelSlots& operator=(const LevelSlots&) = delete;
        static GridSlots& take(Solver& s);
        Solver& solver;
        GridSlots& grids;
    };

    int numGrids_ = 1;
    // Per-level grid copies and the single-grid tests' private grids,
    // allocated once and reused; a stack index rather than the depth picks
    // the slot, so a run started from inside a yield takes fresh slots above
    // the ones in use.
    std::vector<std::unique_ptr<GridSlots>> levels_;
    int levelTop_ = 0;
};

} // namespace engine
