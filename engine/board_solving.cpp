// SPDX-License-Identifier: GPL-3.0-or-later
#include "board_solving.h"

namespace engine {

bool loadedGridsSolved(PlainBoard& board)
{
    for (int g = 0; g < board.numGrids; ++g)
        if (!board.grids[static_cast<std::size_t>(g)].check()) return false;
    return true;
}

bool runSolver(Solver& solver, PlainBoard& board, bool solve)
{
    solver.searching = true;
    const bool ok = solver.runFCFFP(board.grids, board.numGrids, solve, false);
    solver.searching = false;
    return ok;
}

} // namespace engine
