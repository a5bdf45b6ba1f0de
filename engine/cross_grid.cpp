// SPDX-License-Identifier: GPL-3.0-or-later
#include "cross_grid.h"

#include "samurai.h"

namespace engine {

// No move is recorded for a value copied into the other grid: the move list
// keeps only the grid that placed it.
void propagateAccrossGrids(int g, GridSlots& gridArray)
{
    if (g < 0 || g > kCentreGrid) return;
    SudokuGrid& centre = gridArray[kCentreGrid];
    if (g < kCentreGrid) {
        const SharedBox& s = kSharedBox[static_cast<std::size_t>(g)];
        centre.receiveBox(gridArray[static_cast<std::size_t>(g)], s.outerCol, s.outerRow, s.centreCol, s.centreRow);
        return;
    }
    for (int o = 0; o < 4; ++o) {
        const SharedBox& s = kSharedBox[static_cast<std::size_t>(o)];
        gridArray[static_cast<std::size_t>(o)].receiveBox(centre, s.centreCol, s.centreRow, s.outerCol, s.outerRow);
    }
}

} // namespace engine
