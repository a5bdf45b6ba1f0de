// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <bitset>

namespace mainwindow {

// How the 369 cell controls of the board are numbered: grids 0..3 row by row
// (81 x grid + 9 x row + col), then the centre grid's own 45 cells row by row
// from 324. A centre cell in a shared corner box is the outer grid's cell.
constexpr int kCellCount = 369;
constexpr int kFirstCentreCell = 324;

// The cell control of (col, row) of grid g (0..4); -1 for anything outside.
int cellIndex(int g, int col, int row);

// A cell's place on the 21 x 21 board (row R, column C).
struct BoardPosition {
    int row;
    int col;
    bool operator==(const BoardPosition&) const = default;
};
BoardPosition boardPosition(int index);

// The cell control at board position (R, C) on a board of numGrids grids
// (1 or 5); -1 where that board has no cell.
int cellAtBoard(int boardRow, int boardCol, int numGrids);

// The cells of the row, the column and the box of cell `index` (itself
// included) in every grid of a board of numGrids grids that holds it: a cell
// of a shared box reaches into both its grids. None for a cell not on it.
std::bitset<kCellCount> unitsOf(int index, int numGrids);

} // namespace mainwindow
