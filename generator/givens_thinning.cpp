// The thinning pass for Samurai puzzles and the final check of a board.
#include "generator.h"
#include "samurai.h"

namespace generator {

namespace {
constexpr double kThinningLimitSeconds = 70.0;
} // namespace

// Counts the solutions of grids[0..n-1] up to two; true for exactly one. A run
// that was stopped (searching cleared from a yield) or that overflowed the
// move list has not counted to the end, so it never reads as "exactly one".
bool Generator::countIsOne(engine::GridSlots& grids, int n, GeneratorBoard& board)
{
    solver_.searching = true;
    board.setSolverRunning(true);
    solver_.numSolutions = 0;
    solver_.runFCFFP(grids, n, false, true);
    const bool finished = solver_.searching && !solver_.moves.overflowed;
    solver_.searching = false;
    board.setSolverRunning(false);
    return finished && solver_.numSolutions == 1;
}

void Generator::pruneGivens(GeneratorBoard& board, GivensList& givensList, int count, int rating)
{
    const double start = clock_.seconds();
    const int savedSolutions = solver_.numSolutions;
    count = std::min(count, givensList.count);
    for (int k = 0; k < engine::kSamuraiGrids; ++k) scratch_[static_cast<std::size_t>(k)].initialiseForSearch();

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
                for (int k = 0; k < engine::kSamuraiGrids; ++k)
                    scratch_[static_cast<std::size_t>(k)].initialiseForSearch();
                for (int j = 0; j < count; ++j) {
                    if (j == i || givensList.isEmpty(j)) continue;
                    const GeneratorCell& other = givensList.cells[static_cast<std::size_t>(j)];
                    scratch_[static_cast<std::size_t>(other.g)].setDerived3x3(other.c, other.r, other.getVal());
                }
                if (countIsOne(scratch_, engine::kSamuraiGrids, board)) {
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
    return countIsOne(grids, n, board);
}

} // namespace generator
