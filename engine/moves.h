// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>

namespace engine {

// Which rule placed a move: the only cell left for the value in a column, a
// row or a box of the grid (hidden single), the only empty cell of a box that
// no copy of the value in a crossing row or column rules out (box placement),
// or a value the search tries.
enum class MoveReason : std::int16_t { HiddenInColumn, HiddenInRow, HiddenInBox, BoxPlacement, SearchTrial };

// One recorded move: a value index placed in a cell of a grid, and why.
struct Assignment {
    std::int16_t grid = 0;
    std::int16_t row = 0;
    std::int16_t col = 0;
    std::int16_t val = 0;
    MoveReason reason = MoveReason::SearchTrial;
};

// The move list: a fixed stack of records the solver fills in order. It never
// grows; a move that does not fit is dropped and the list marks itself
// overflowed, which makes the run that recorded it fail.
class MoveList {
public:
    static constexpr int kCapacity = 1000;

    void setMove(int grid, int col, int row, int val, MoveReason reason = MoveReason::SearchTrial)
    {
        if (numMoves >= kCapacity) {
            overflowed = true;
            return;
        }
        Assignment& m = moves[static_cast<std::size_t>(numMoves)];
        m.grid = static_cast<std::int16_t>(grid);
        m.col = static_cast<std::int16_t>(col);
        m.row = static_cast<std::int16_t>(row);
        m.val = static_cast<std::int16_t>(val);
        m.reason = reason;
        ++numMoves;
    }

    const Assignment& operator[](int i) const { return moves[static_cast<std::size_t>(i)]; }

    std::array<Assignment, kCapacity> moves{};
    std::int16_t numMoves = 0;
    bool overflowed = false;
};

} // namespace engine
