// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>

namespace engine {

// Geometry of the Samurai board: four outer grids (0 top left, 1 top right,
// 2 bottom left, 3 bottom right) each share one 3x3 box with the centre grid 4.
// The board is 21 x 21 positions; this is the one table everything else uses.
constexpr int kCentreGrid = 4;
constexpr int kSamuraiGrids = 5;
constexpr int kBoardSide = 21;

struct GridOrigin {
    int col; // board column of the grid's column 0
    int row; // board row of the grid's row 0
};
constexpr std::array<GridOrigin, 5> kGridOrigin{{{0, 0}, {12, 0}, {0, 12}, {12, 12}, {6, 6}}};

// The box an outer grid shares with the centre: its first column and row in
// the outer grid and in the centre grid.
struct SharedBox {
    int outerCol, outerRow;
    int centreCol, centreRow;
};
constexpr std::array<SharedBox, 4> kSharedBox{{{6, 6, 0, 0}, {0, 6, 6, 0}, {6, 0, 0, 6}, {0, 0, 6, 6}}};

// True when (col, row) of grid g lies in a box shared with another grid.
constexpr bool isSharedCell(int g, int col, int row)
{
    if (g < 0 || g > 4) return false;
    if (g == kCentreGrid) return (col < 3 || col > 5) && (row < 3 || row > 5);
    const SharedBox& s = kSharedBox[static_cast<std::size_t>(g)];
    return col >= s.outerCol && col < s.outerCol + 3 && row >= s.outerRow && row < s.outerRow + 3;
}

// Board position of a grid cell.
constexpr int boardCol(int g, int col) { return kGridOrigin[static_cast<std::size_t>(g)].col + col; }
constexpr int boardRow(int g, int row) { return kGridOrigin[static_cast<std::size_t>(g)].row + row; }

} // namespace engine
