// SPDX-License-Identifier: GPL-3.0-or-later
// The thinning pass for Samurai puzzles and the final check of a board.
#include "generator.h"

#include <algorithm>

#include "samurai.h"

namespace generator {

namespace {
constexpr double kThinningLimitSeconds = 70.0;
} // namespace

// Counts the solutions of the board loaded into the counter; true for exactly
// one. Only the count is read, so the exact counter does the work; it stops
// like a solver run (searching cleared from a yield), and a stopped count
// never reads as "exactly one".
bool Generator::countIsOne(GeneratorBoard& board)
{
    solver_.searching = true;
    board.setSolverRunning(true);
    const int n = counter_.count(solver_.searching, solver_.yield);
    solver_.searching = false;
    board.setSolverRunning(false);
    solver_.numSolutions = std::max(n, 0);
    return n == 1;
}

void Generator::pruneGivens(GeneratorBoard& board, GivensList& givensList, int count, int rating)
{
    const double start = clock_.seconds();
    const int savedSolutions = solver_.numSolutions;
    count = std::min(count, givensList.count);

    const double p = rating == 1 ? 0.8 : (rating == 2 ? 0.6 : 0.4);
    const auto pSingle = static_cast<float>(p);
    const auto ratingSingle = static_cast<float>(rating);

    for (int i = 0; i < count; ++i) {
        if (!givensList.isEmpty(i)) {
            const int g = givensList.cells[static_cast<std::size_t>(i)].getGridIdx();
            // Both numbers are drawn for every given, whatever its grid, so
            // that the stream of draws does not depend on the grids.
            const auto r1 = static_cast<float>(random_.next());
            const bool tryCentre = pSingle < r1;
            const auto r2 = static_cast<float>(random_.next());
            const float product = r2 * ratingSingle;
            const bool tryCorner = 1.4 < product;
            if ((g == engine::kCentreGrid && tryCentre) || (g != engine::kCentreGrid && tryCorner)) {
                ++stats.removalsTried;
                counter_.clear(engine::kSamuraiGrids);
                for (int j = 0; j < count; ++j) {
                    if (j == i || givensList.isEmpty(j)) continue;
                    const GeneratorCell& other = givensList.cells[static_cast<std::size_t>(j)];
                    counter_.setGiven(other.g, other.c, other.r, other.getVal());
                }
                if (countIsOne(board)) {
                    givensList.empty(i);
                    ++stats.removalsMade;
                }
            }
        }
        if (clock_.seconds() - start > kThinningLimitSeconds) break;
    }
    solver_.numSolutions = savedSolutions;
    stats.thinningSeconds += clock_.seconds() - start;
}

bool Generator::testPuzzle(GeneratorBoard& board)
{
    engine::GridSlots& grids = board.grids();
    const int n = board.numGrids() == engine::kSamuraiGrids ? engine::kSamuraiGrids : 1;
    const files::SymbolTable& symbols = board.symbols();
    bool readable = true;
    for (int g = 0; g < n; ++g) {
        engine::SudokuGrid& grid = grids[static_cast<std::size_t>(g)];
        grid.initialiseForSearch();
        for (int i = 0; i < grid.size(); ++i)
            for (int j = 0; j < grid.size(); ++j) {
                const engine::CellControl* b = grid.getbox(i, j);
                if (!b) continue;
                const std::string text = b->text();
                if (text.empty()) continue;
                // A text that is not one of the symbols is not a puzzle entry;
                // reading it as an empty cell could call a broken board sound.
                const int k = symbols.symbolToIndex(text);
                if (k < 0) {
                    readable = false;
                    continue;
                }
                grid.setDerived3x3(i, j, k);
            }
    }
    if (!readable) return false;
    counter_.load(grids, n);
    return countIsOne(board);
}

} // namespace generator
