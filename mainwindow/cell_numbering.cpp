// SPDX-License-Identifier: GPL-3.0-or-later
#include "cell_numbering.h"

#include "samurai.h"

namespace mainwindow {

int cellIndex(int g, int col, int row)
{
    if (g < 0 || g > 4 || col < 0 || col > 8 || row < 0 || row > 8) return -1;
    if (g < engine::kCentreGrid) return 81 * g + 9 * row + col;
    if (engine::isSharedCell(g, col, row)) {
        for (int outer = 0; outer < engine::kCentreGrid; ++outer) {
            const engine::SharedBox& s = engine::kSharedBox[static_cast<std::size_t>(outer)];
            if (col >= s.centreCol && col < s.centreCol + 3 && row >= s.centreRow && row < s.centreRow + 3)
                return cellIndex(outer, s.outerCol + col - s.centreCol, s.outerRow + row - s.centreRow);
        }
    }
    if (row < 3) return kFirstCentreCell + 3 * row + (col - 3);
    if (row < 6) return kFirstCentreCell + 9 + 9 * (row - 3) + col;
    return kFirstCentreCell + 36 + 3 * (row - 6) + (col - 3);
}

BoardPosition boardPosition(int index)
{
    int g = 0, col = 0, row = 0;
    if (index < kFirstCentreCell) {
        g = index / 81;
        row = (index % 81) / 9;
        col = index % 9;
    } else {
        g = engine::kCentreGrid;
        const int i = index - kFirstCentreCell;
        if (i < 9) {
            row = i / 3;
            col = 3 + i % 3;
        } else if (i < 36) {
            row = 3 + (i - 9) / 9;
            col = (i - 9) % 9;
        } else {
            row = 6 + (i - 36) / 3;
            col = 3 + (i - 36) % 3;
        }
    }
    return {engine::boardRow(g, row), engine::boardCol(g, col)};
}

int cellAtBoard(int boardRow, int boardCol, int numGrids)
{
    const int grids = numGrids == 1 ? 1 : engine::kSamuraiGrids;
    for (int g = 0; g < grids; ++g) {
        const int col = boardCol - engine::boardCol(g, 0);
        const int row = boardRow - engine::boardRow(g, 0);
        if (col >= 0 && col < 9 && row >= 0 && row < 9) return cellIndex(g, col, row);
    }
    return -1;
}

std::bitset<kCellCount> unitsOf(int index, int numGrids)
{
    std::bitset<kCellCount> units;
    if (index < 0 || index >= kCellCount) return units;
    const BoardPosition p = boardPosition(index);
    const int grids = numGrids == 1 ? 1 : engine::kSamuraiGrids;
    for (int g = 0; g < grids; ++g) {
        const int col = p.col - engine::boardCol(g, 0);
        const int row = p.row - engine::boardRow(g, 0);
        if (col < 0 || col > 8 || row < 0 || row > 8) continue;
        for (int k = 0; k < 9; ++k) {
            units.set(static_cast<std::size_t>(cellIndex(g, k, row)));
            units.set(static_cast<std::size_t>(cellIndex(g, col, k)));
            units.set(static_cast<std::size_t>(cellIndex(g, col / 3 * 3 + k % 3, row / 3 * 3 + k / 3)));
        }
    }
    return units;
}

} // namespace mainwindow
