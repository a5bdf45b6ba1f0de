// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <concepts>
#include <string>

#include "exact_counter.h"
#include "moves.h"
#include "plain_board.h"
#include "solver.h"

namespace engine {

// What the helpers below need of the symbols a board's cells show: the two
// conversions between a symbol and its value index (the symbol table's).
template <class S>
concept BoardSymbols = requires(const S& s, const std::string& symbol, int val) {
    { s.symbolToIndex(symbol) } -> std::convertible_to<int>;
    { s.indexToSymbol(val) } -> std::convertible_to<std::string>;
};

// Loads the board's cells into its grids as the window's entry check does,
// grid by grid, every non-empty cell's value index.
template <BoardSymbols S> void loadForSearch(PlainBoard& board, const S& symbols)
{
    board.loadForSearch([&](const std::string& t) { return symbols.symbolToIndex(t); });
}

// True when every grid in use, as loaded, is completely and validly filled.
bool loadedGridsSolved(PlainBoard& board);

// runFCFFP over the loaded board (allSolutions false), with `searching` set
// for the run.
bool runSolver(Solver& solver, PlainBoard& board, bool solve);

// True when every cell in use is filled and every grid is a valid solution.
template <BoardSymbols S> bool boardSolved(PlainBoard& board, const S& symbols)
{
    loadForSearch(board, symbols);
    return loadedGridsSolved(board);
}

// Solves the board (solve true, allSolutions false) and writes every recorded
// move into its cell. True only when the board is then completely and
// correctly filled and every given is kept.
template <BoardSymbols S> bool solveBoard(Solver& solver, PlainBoard& board, const S& symbols)
{
    loadForSearch(board, symbols);
    if (!runSolver(solver, board, true)) return false;
    // Write the moves over empty cells only, so a given can never be lost;
    // the final check then proves the result.
    for (int k = 0; k < solver.moves.numMoves; ++k) {
        const Assignment& m = solver.moves[k];
        CellControl& cell = board.cell(m.grid, m.col, m.row);
        if (cell.text().empty()) cell.setText(symbols.indexToSymbol(m.val));
    }
    return boardSolved(board, symbols);
}

// Number of solutions of the board, 0, 1 or 2 (two or more), by the exact
// counter: only the count is read, so the solver's search order plays no part.
template <BoardSymbols S> int countSolutions(ExactCounter& counter, const PlainBoard& board, const S& symbols)
{
    // Every cell through every grid that shows it, as loadForSearch reads them.
    counter.clear(board.numGrids);
    for (int g = 0; g < board.numGrids; ++g)
        for (int c = 0; c < 9; ++c)
            for (int r = 0; r < 9; ++r) {
                const std::string text = board.cell(g, c, r).text();
                if (!text.empty()) counter.setGiven(g, c, r, symbols.symbolToIndex(text));
            }
    return counter.count();
}

enum class HintOutcome { Complete, Move, CannotComplete };
// The move the window's Hint would give (solve and allSolutions false; the
// first recorded move).
template <BoardSymbols S> HintOutcome hintFor(Solver& solver, PlainBoard& board, const S& symbols, Assignment& move)
{
    loadForSearch(board, symbols);
    if (!runSolver(solver, board, false)) return HintOutcome::CannotComplete;
    if (solver.moves.numMoves == 0) return HintOutcome::Complete;
    move = solver.moves[0];
    return HintOutcome::Move;
}

} // namespace engine
