// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>

#include "sudoku_grid.h"

namespace engine {

// Grid slots of a board or of a search level; slot 5 is never used.
using GridSlots = std::array<SudokuGrid, 6>;

// Copies barred candidates and cell values of grid g's shared box(es) into the
// grid(s) it overlaps: an outer grid (0..3) pushes into the centre, the centre
// (4) pushes into all four outer grids. Any other g does nothing.
void propagateAccrossGrids(int g, GridSlots& gridArray);

} // namespace engine
