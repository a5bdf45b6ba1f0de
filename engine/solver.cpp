// SPDX-License-Identifier: GPL-3.0-or-later
#include "solver.h"

namespace engine {

namespace {
// Far more passes than any real fixpoint needs (each pass that changes the
// totals assigns a cell or bars a candidate); it only guards against a cycle.
constexpr int kMaxPasses = 4 * 729 * 6;
constexpr int kInitialLevels = 96;
} // namespace

Solver::Solver()
{
    levels_.reserve(512);
    for (int i = 0; i < kInitialLevels; ++i) levels_.push_back(std::make_unique<GridSlots>());
}

int Solver::getTotalInstantiations(const GridSlots& g, int numGrids)
{
    int n = 0;
    for (int i = 0; i < numGrids; ++i) n += g[static_cast<std::size_t>(i)].getNumInstantiations();
    return n;
}

int Solver::getTotalBarred(const GridSlots& g, int numGrids)
{
    int n = 0;
    for (int i = 0; i < numGrids; ++i) n += g[static_cast<std::size_t>(i)].getNumBarred();
    return n;
}

void Solver::propagate(GridSlots& g, int numGrids)
{
    int prevInst = 0, prevBarred = 0;
    int inst = getTotalInstantiations(g, numGrids);
    int barred = getTotalBarred(g, numGrids);
    for (int pass = 0; (inst != prevInst || barred != prevBarred) && pass < kMaxPasses; ++pass) {
        if (numGrids == 1) {
            g[0].findPossibleRows(moves, 0);
            g[0].preprocess(moves, 0);
        } else {
            for (int i = numGrids - 1; i >= 0; --i) {
                g[static_cast<std::size_t>(i)].findPossibleRows(moves, i);
                g[static_cast<std::size_t>(i)].preprocess(moves, i);
                propagateAccrossGrids(i, g);
            }
        }
        prevBarred = barred;
        barred = getTotalBarred(g, numGrids);
        prevInst = inst;
        inst = getTotalInstantiations(g, numGrids);
    }
}

bool Solver::runFCFFP(GridSlots& g, int numGrids, bool solve, bool allSolutions)
{
    // A run started from inside another run's yield keeps the outer run's grid
    // count intact.
    struct Restore {
        int& slot;
        int saved;
        ~Restore() { slot = saved; }
    } restore{numGrids_, numGrids_};
    numGrids_ = numGrids < 1 ? 1 : (numGrids > 5 ? 5 : numGrids);
    moves.numMoves = 0;
    moves.overflowed = false;
    numSolutions = 0;
    propagate(g, numGrids_);
    if (yield) yield();
    if (!searchLevel(g, 1, allSolutions) || moves.overflowed) return false;
    if (solve)
        for (int k = 0; k < moves.numMoves; ++k) {
            const Assignment& m = moves[k];
            g[static_cast<std::size_t>(m.grid)].setDerived3x3(m.col, m.row, m.val);
        }
    return true;
}

GridSlots& Solver::LevelSlots::take(Solver& s)
{
    if (s.levelTop_ >= static_cast<int>(s.levels_.size())) s.levels_.push_back(std::make_unique<GridSlots>());
    return *s.levels_[static_cast<std::size_t>(s.levelTop_++)];
}

bool Solver::searchLevel(GridSlots& g, int depth, bool manySolutions)
{
    const std::int16_t savedMoves = moves.numMoves;
    if (yield) yield();
    if (!searching) return true;
    if (moves.overflowed) return false;
    if (limitSearch) {
        ++searchNodes;
        if (searchNodes > kSearchLimit) return true;
    }

    const int n = numGrids_;
    const LevelSlots level(*this);
    GridSlots& copies = level.grids;

    for (int i = 0; i < n; ++i) copies[static_cast<std::size_t>(i)].copyStateFrom(g[static_cast<std::size_t>(i)]);
    propagate(copies, n);

    auto fail = [&] {
        moves.numMoves = savedMoves;
        return false;
    };

    for (int i = 0; i < n; ++i)
        if (!copies[static_cast<std::size_t>(i)].checkConsistency()) return fail();

    int best = 100, solved = 0, bestGrid = 0;
    for (int i = n - 1; i >= 0; --i) {
        const int d = copies[static_cast<std::size_t>(i)].setSmallestDomain();
        if (d == 1)
            ++solved;
        else if (d < best) {
            best = d;
            bestGrid = i;
        }
        if (d == 2) break;
    }
    if (best == 0) return fail();

    if (solved == n) {
        for (int i = 0; i < n; ++i)
            if (!copies[static_cast<std::size_t>(i)].check()) {
                if (message) message("Error in search - inconsistent");
                return fail();
            }
        if (!manySolutions) return true;
        ++numSolutions;
        if (numSolutions > 1) return true;
        moves.numMoves = savedMoves;
        return false;
    }

    SudokuGrid& branch = copies[static_cast<std::size_t>(bestGrid)];
    if (!branch.setBestValue(moves, bestGrid)) return fail();
    for (;;) {
        if (searchLevel(copies, depth + 1, manySolutions)) return true;
        --moves.numMoves;
        if (!branch.setNextBestValue(moves, bestGrid)) return fail();
    }
}

bool Solver::doSingleGridFCFFPTest(const SudokuGrid& g, bool solve, bool allSolutions)
{
    // The private grid comes from the level stack too, so that a test started
    // from inside this one's yield takes other slots.
    const LevelSlots level(*this);
    GridSlots& priv = level.grids;
    priv[0].initAll();
    priv[0].copyStateFrom(g);
    limitSearch = true;
    searching = true;
    bool r = runFCFFP(priv, 1, solve, allSolutions);
    if (searchNodes > kSearchLimit) {
        r = false;
        searchLimitExceeded = true;
    }
    searching = false;
    limitSearch = false;
    return r;
}

} // namespace engine
