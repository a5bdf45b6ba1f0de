#pragma once
#include <optional>

#include "exact_counter.h"
#include "moves.h"
#include "plain_board.h"
#include "solver.h"
#include "symbol_table.h"

namespace cli {

// Loads the board's cells into its grids as the window's entry check does,
// grid by grid, every non-empty cell's value index.
void loadForSearch(engine::PlainBoard& board, const files::SymbolTable& symbols);

// Solves the board (solve true, allSolutions false) and writes every recorded
// move into its cell. True only when the board is then completely and
// correctly filled and every given is kept.
bool solveBoard(engine::Solver& solver, engine::PlainBoard& board, const files::SymbolTable& symbols);

// Number of solutions of the board, 0, 1 or 2 (two or more), by the exact
// counter: only the count is read, so the solver's search order plays no part.
int countSolutions(engine::ExactCounter& counter, const engine::PlainBoard& board, const files::SymbolTable& symbols);

enum class HintOutcome { Complete, Move, CannotComplete };
// The move the window's Hint would give (solve and allSolutions false; the
// first recorded move).
HintOutcome hintFor(engine::Solver& solver, engine::PlainBoard& board, const files::SymbolTable& symbols,
                    engine::Assignment& move);

// True when every cell in use is filled and every grid is a valid solution.
bool boardSolved(engine::PlainBoard& board, const files::SymbolTable& symbols);

} // namespace cli
