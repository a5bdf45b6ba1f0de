#include "board_solving.h"

namespace cli {

void loadForSearch(engine::PlainBoard& board, const files::SymbolTable& symbols)
{
    board.loadForSearch([&](const std::string& t) { return symbols.symbolToIndex(t); });
}

bool boardSolved(engine::PlainBoard& board, const files::SymbolTable& symbols)
{
    loadForSearch(board, symbols);
    for (int g = 0; g < board.numGrids; ++g)
        if (!board.grids[static_cast<std::size_t>(g)].check()) return false;
    return true;
}

bool solveBoard(engine::Solver& solver, engine::PlainBoard& board, const files::SymbolTable& symbols)
{
    loadForSearch(board, symbols);
    solver.searching = true;
    const bool ok = solver.runFCFFP(board.grids, board.numGrids, true, false);
    solver.searching = false;
    if (!ok) return false;
    // Write the moves over empty cells only, so a given can never be lost;
    // the final check then proves the result.
    for (int k = 0; k < solver.moves.numMoves; ++k) {
        const engine::Assignment& m = solver.moves[k];
        engine::CellControl& cell = board.cell(m.grid, m.col, m.row);
        if (cell.text().empty()) cell.setText(symbols.indexToSymbol(m.val));
    }
    return boardSolved(board, symbols);
}

int countSolutions(engine::ExactCounter& counter, const engine::PlainBoard& board, const files::SymbolTable& symbols)
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

HintOutcome hintFor(engine::Solver& solver, engine::PlainBoard& board, const files::SymbolTable& symbols,
                    engine::Assignment& move)
{
    loadForSearch(board, symbols);
    solver.searching = true;
    const bool ok = solver.runFCFFP(board.grids, board.numGrids, false, false);
    solver.searching = false;
    if (!ok) return HintOutcome::CannotComplete;
    if (solver.moves.numMoves == 0) return HintOutcome::Complete;
    move = solver.moves[0];
    return HintOutcome::Move;
}

} // namespace cli
