// SPDX-License-Identifier: GPL-3.0-or-later
// Makes the small Samurai benchmark set: for each puzzle, a random solved
// board (the solver completing a few random givens), then cells in random
// order are emptied as long as the puzzle keeps exactly one solution, until
// 110 to 135 givens are left (the range of published Samurai puzzles).
//
//   make_samurai_set COUNT SEED > samurai_small.txt
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "board_solving.h"
#include "puzzle_input.h"

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 20;
    std::mt19937 rng(argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 1u);
    engine::PlainBoard board;
    engine::Solver solver;
    engine::ExactCounter counter;
    const files::SymbolTable symbols;
    board.numGrids = 5;
    for (int made = 0; made < count;) {
        // A random solved board: a random permutation of the digits in the
        // centre's first row, plus a few random givens, completed by the solver.
        board.clear();
        std::vector<int> digits{0, 1, 2, 3, 4, 5, 6, 7, 8};
        std::shuffle(digits.begin(), digits.end(), rng);
        for (int c = 0; c < 9; ++c) board.cell(4, c, 0).setText(symbols.indexToSymbol(digits[static_cast<std::size_t>(c)]));
        for (int g = 0; g < 4; ++g) {
            const int c = static_cast<int>(rng() % 9), r = static_cast<int>(rng() % 3) + (g < 2 ? 0 : 6);
            auto& cell = board.cell(g, c, r);
            if (cell.text().empty()) cell.setText(symbols.indexToSymbol(static_cast<int>(rng() % 9)));
        }
        if (!engine::solveBoard(solver, board, symbols)) continue;
        std::vector<std::pair<int, int>> cells; // (grid, cell) of every board position once
        for (int g = 0; g < 5; ++g)
            for (int k = 0; k < 81; ++k)
                if (g == 4 || !engine::isSharedCell(g, k % 9, k / 9)) cells.push_back({g, k});
        std::shuffle(cells.begin(), cells.end(), rng);
        const int target = 110 + static_cast<int>(rng() % 26);
        int givens = static_cast<int>(cells.size());
        for (auto [g, k] : cells) {
            if (givens <= target) break;
            auto& cell = board.cell(g, k % 9, k / 9);
            const std::string keep = cell.text();
            cell.setText("");
            if (engine::countSolutions(counter, board, symbols) != 1) cell.setText(keep);
            else --givens;
        }
        std::printf("%s\n", files::boardAsLine(board, symbols).c_str());
        std::fflush(stdout);
        ++made;
    }
    return 0;
}
