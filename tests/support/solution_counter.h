// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The suite's own solution counter and its own table of the Samurai board's
// geometry. Neither shares anything with the engine, whose geometry and
// counting the tests check against them.
#include <array>
#include <string>
#include <vector>

#include "plain_board.h"
#include "symbol_table.h"

namespace layout {
// Board column and row of each grid's cell (0, 0) on the 21 x 21 board;
// grid 0 of a standard board lies where grid 0 of a Samurai board does.
inline constexpr int kOriginCol[5] = {0, 12, 0, 12, 6};
inline constexpr int kOriginRow[5] = {0, 0, 12, 12, 6};
// Board position (row * 21 + column) of (col, row) of grid g.
constexpr int position(int g, int col, int row) { return (kOriginRow[g] + row) * 21 + kOriginCol[g] + col; }
// True when the cell's board position lies in another grid as well.
constexpr bool shared(int g, int col, int row)
{
    const int p = position(g, col, row);
    for (int h = 0; h < 5; ++h)
        if (h != g && p / 21 >= kOriginRow[h] && p / 21 < kOriginRow[h] + 9 && p % 21 >= kOriginCol[h] &&
            p % 21 < kOriginCol[h] + 9)
            return true;
    return false;
}
} // namespace layout

// Plain backtracking over unit bitmasks on the board positions, branching on
// a value with a single place in some unit, else on the position with the
// fewest candidates.
class SolutionCounter {
public:
    explicit SolutionCounter(int numGrids); // 1 (grid 0) or 5
    // A value index 0..8 at (col, row) of grid g; false when it clashes.
    bool place(int g, int col, int row, int value);
    int count(int limit = 2); // solutions, up to limit

private:
    bool search(int limit, int& found);
    unsigned candidates(int pos) const;
    void set(int pos, int value, bool on);

    std::vector<int> positions_;
    std::array<std::vector<int>, 441> unitsOf_{};
    std::vector<unsigned> held_; // values held per unit
    std::array<int, 441> value_{};
};

// Solutions (up to limit) of a puzzle line: 81 or 405 characters, '.' empty,
// grids one after another, each row by row; -1 when the givens clash.
int countLine(const std::string& line, int limit = 2);
// The puzzle a board's cells show, as a puzzle line of value indices (through
// the symbols); "" when a text is not a symbol.
std::string puzzleLine(const engine::PlainBoard& board, const files::SymbolTable& symbols);
// Solutions of that puzzle; -1 when the texts clash or one is not a symbol.
inline int countBoardSolutions(const engine::PlainBoard& board, const files::SymbolTable& symbols, int limit = 2)
{
    const std::string line = puzzleLine(board, symbols);
    return line.empty() ? -1 : countLine(line, limit);
}
