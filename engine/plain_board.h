// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>

#include "cell_control.h"
#include "cross_grid.h"
#include "samurai.h"

namespace engine {

// A board without a window: cells for every position of the 21 x 21 Samurai
// layout, bound into grids 0..4 the way the window binds its text boxes (a
// shared box is one set of cells referenced by two grids). Used by the
// command-line tool, the generator's tests and the benchmarks.
class PlainBoard {
public:
    PlainBoard();
    PlainBoard(const PlainBoard&) = delete;
    PlainBoard& operator=(const PlainBoard&) = delete;

    GridSlots grids;
    int numGrids = 1;

    // The cell shown at (col, row) of grid g.
    CellControl& cell(int g, int col, int row) { return cells_[position(g, col, row)]; }
    const CellControl& cell(int g, int col, int row) const { return cells_[position(g, col, row)]; }

    // Empties every cell and sets the colours of all five grids.
    void clear();
    void setColours(Colour base, Colour input, Colour hint);

    // initialiseForSearch on every grid in use, then every non-empty cell's
    // value index (through toIndex) as its value, grid by grid.
    template <class ToIndex> void loadForSearch(ToIndex toIndex)
    {
        for (int g = 0; g < numGrids; ++g) {
            SudokuGrid& grid = grids[static_cast<std::size_t>(g)];
            grid.initialiseForSearch();
            for (int i = 0; i < 9; ++i)
                for (int j = 0; j < 9; ++j) {
                    const CellControl* b = grid.getbox(i, j);
                    if (!b->text().empty()) grid.setDerived3x3(i, j, toIndex(b->text()));
                }
        }
    }

    static std::size_t position(int g, int col, int row)
    {
        return static_cast<std::size_t>(boardRow(g, row) * kBoardSide + boardCol(g, col));
    }

private:
    std::array<PlainCell, kBoardSide * kBoardSide> cells_;
};

} // namespace engine
