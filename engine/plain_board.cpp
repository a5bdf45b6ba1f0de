// SPDX-License-Identifier: GPL-3.0-or-later
#include "plain_board.h"

namespace engine {

PlainBoard::PlainBoard()
{
    for (int g = 0; g < kSamuraiGrids; ++g) {
        SudokuGrid& grid = grids[static_cast<std::size_t>(g)];
        grid.initAll();
        for (int c = 0; c < 9; ++c)
            for (int r = 0; r < 9; ++r) grid.setBox(c, r, &cells_[position(g, c, r)]);
    }
    setColours(0xFFFFFF, rgb(224, 224, 224), rgb(0, 192, 0));
}

void PlainBoard::clear()
{
    for (int g = 0; g < kSamuraiGrids; ++g) grids[static_cast<std::size_t>(g)].clear();
}

void PlainBoard::setColours(Colour base, Colour input, Colour hint)
{
    for (int g = 0; g < kSamuraiGrids; ++g) {
        SudokuGrid& grid = grids[static_cast<std::size_t>(g)];
        grid.setBaseColour(base);
        grid.setInputColour(input);
        grid.setHintColour(hint);
    }
    for (PlainCell& c : cells_) c.setBackground(base);
}

} // namespace engine
