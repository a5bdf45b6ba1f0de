#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "plain_board.h"
#include "symbol_table.h"

// A solution counter for the tests that shares nothing with the engine: plain
// backtracking over unit bitmasks on the 21 x 21 board positions, choosing the
// empty position with the fewest candidates.
class SolutionCounter {
public:
    // numGrids 1 (grid 0) or 5 (the Samurai board).
    explicit SolutionCounter(int numGrids);

    // Sets a value index 0..8 at a board position; false on a clash.
    bool place(int boardCol, int boardRow, int value);
    // Counts solutions, stopping at limit.
    int count(int limit = 2);

private:
    bool search(int limit, int& found);
    std::uint16_t candidates(int pos) const;

    std::vector<int> positions_;                  // board positions in use
    std::array<std::vector<int>, 441> unitsOf_{}; // units of each position
    std::vector<std::uint16_t> unitMask_;         // values held per unit
    std::array<int, 441> value_{};
};

// Reads the board's cells (digits through the symbol table) and counts the
// solutions of the puzzle they show; -1 when two cells of one shared position
// disagree or a text is not a symbol.
int countBoardSolutions(const engine::PlainBoard& board, const files::SymbolTable& symbols, int limit = 2);

