// SPDX-License-Identifier: GPL-3.0-or-later
#include "generator.h"

#include <algorithm>
#include <cmath>

#include "samurai.h"

namespace generator {

namespace {

// Nearest integer, ties to the even one, whatever the floating-point
// environment's rounding mode.
int roundHalfEven(double x)
{
    const double fl = std::floor(x);
    const double diff = x - fl;
    auto i = static_cast<int>(fl);
    if (diff > 0.5 || (diff == 0.5 && (i % 2 != 0))) ++i;
    return i;
}

// The box of a corner grid that it shares with the centre, numbered row by row
// (box = boxRow * 3 + boxColumn); -1 for the centre and the standard grid.
int sharedBoxOf(int gridIdx, int nG)
{
    if (nG == 1 || gridIdx < 0 || gridIdx >= engine::kCentreGrid) return -1;
    const engine::SharedBox& s = engine::kSharedBox[static_cast<std::size_t>(gridIdx)];
    return (s.outerRow / 3) * 3 + s.outerCol / 3;
}

} // namespace

int GivensList::remaining() const
{
    int n = 0;
    for (int i = 0; i < count; ++i) n += present[static_cast<std::size_t>(i)];
    return n;
}

GivensRange givensRange(int puzzleType, int rating)
{
    const bool standard = puzzleType == 1;
    switch (rating) {
    case 1: return standard ? GivensRange{38, 40} : GivensRange{37, 40};
    case 2: return standard ? GivensRange{30, 36} : GivensRange{32, 36};
    default: return standard ? GivensRange{24, 26} : GivensRange{29, 31};
    }
}

Generator::Generator(engine::Solver& solver, RandomSource& random, Clock& clock)
    : solver_(solver), random_(random), clock_(clock), levels_(kMarkSlots)
{
}

void Generator::shuffle(int* list, int n)
{
    // Every swap involves the last entry; this is deliberately not a
    // Fisher-Yates shuffle, so that a seed gives the same puzzles as always.
    for (int k = 0; k < n; ++k) {
        const int j = roundHalfEven(random_.next() * (n - 1));
        std::swap(list[n - 1], list[j]);
    }
}

int Generator::drawNumGivens(int puzzleType, int rating)
{
    const GivensRange range = givensRange(puzzleType, rating);
    return static_cast<int>(std::floor((range.hi - range.lo + 1) * random_.next() + range.lo));
}

void Generator::selectCells(int gridIdx, int nG, int numGivens, CellList& cellList, int& numCells)
{
    IndexList boxOrder{0, 1, 2, 3, 4, 5, 6, 7, 8};
    IndexList positionOrder = boxOrder;
    IndexList valueOrder = boxOrder;
    shuffle(boxOrder, 9);
    shuffle(valueOrder, 9);

    const int skipped = sharedBoxOf(gridIdx, nG);
    const int m = skipped >= 0 ? numGivens - 6 : numGivens;
    const int rem = m % 9;
    const int per = (m - rem) / 9;

    int count = 0;
    int k = 0;
    for (int b : boxOrder) {
        if (b == skipped) continue;
        const int cells = k < rem ? per + 1 : per;
        ++k;
        if (cells <= 0) continue;
        shuffle(positionOrder, 9);
        for (int t = 0; t < cells && t < 9; ++t) {
            const int p = positionOrder[static_cast<std::size_t>(t)];
            const int c = (b % 3) * 3 + p % 3;
            const int r = (b / 3) * 3 + p / 3;
            if (count >= kListSlots) break;
            addCell(gridIdx, cellList, valueOrder, c, r, count);
            ++count;
        }
    }
    numCells = count;
}

void Generator::addCell(int gridIdx, CellList& cellList, IndexList& values, int c, int r, int idx)
{
    if (idx < 0 || idx >= kListSlots) return;
    GeneratorCell cell;
    cell.initialise(gridIdx, c, r);
    shuffle(values, 9);
    for (int i = 0; i < 9; ++i) cell.setDomainVal(i, values[static_cast<std::size_t>(i)]);
    cellList[static_cast<std::size_t>(idx)] = cell;
}

void Generator::carryCellsOver(engine::GridSlots& g, int gridIdx)
{
    if (gridIdx < 0 || gridIdx >= engine::kCentreGrid) return;
    const engine::SharedBox& s = engine::kSharedBox[static_cast<std::size_t>(gridIdx)];
    const engine::SudokuGrid& centre = g[engine::kCentreGrid];
    engine::SudokuGrid& corner = g[static_cast<std::size_t>(gridIdx)];
    for (int a = 0; a < 3; ++a)
        for (int b = 0; b < 3; ++b)
            corner.setDerived3x3(s.outerCol + a, s.outerRow + b, centre.getDerived3x3(s.centreCol + a, s.centreRow + b));
}

engine::SudokuGrid& Generator::levelCopy(int depth)
{
    // depth < numCells <= kMarkSlots = levels_.size(), checked by the caller;
    // the vector never grows, so the copies of the levels above stay put.
    return levels_[static_cast<std::size_t>(depth)][0];
}

bool Generator::searchPuzzleLevel(const engine::SudokuGrid& grid, CellList& cellList, int depth, int numCells,
                                  CellMarks& cellMarks)
{
    if (!keepGenerating) return true;
    if (++valueLevels_ > kValueSearchLimit) {
        solver_.searchLimitExceeded = true;
        return true;
    }
    const std::int16_t savedMoves = solver_.moves.numMoves;
    auto fail = [&] {
        solver_.moves.numMoves = savedMoves;
        return false;
    };
    if (depth < 0 || depth >= numCells || numCells > kMarkSlots) return fail();

    engine::SudokuGrid& copy = levelCopy(depth);
    copy.copyStateFrom(grid);
    // One grid at a time: the copy is slot 0 of this level's slots.
    solver_.propagate(levels_[static_cast<std::size_t>(depth)], 1);
    if (!copy.checkConsistency() || copy.setSmallestDomain() == 0) return fail();

    // The cell with the fewest candidates in the grid passed in (not in the
    // propagated copy); ties go to the first in the list.
    int best = 10, chosen = -1;
    for (int t = 0; t < numCells; ++t) {
        if (cellMarks[static_cast<std::size_t>(t)] == -1) continue;
        const GeneratorCell& cell = cellList[static_cast<std::size_t>(t)];
        int count = 0;
        for (int v = 0; v < 9; ++v) count += grid.getPossibleRows(v, cell.c, cell.r);
        if (count < best) {
            best = count;
            chosen = t;
        }
    }
    if (chosen < 0) return fail();
    auto& mark = cellMarks[static_cast<std::size_t>(chosen)];
    mark = -1;
    GeneratorCell& cell = cellList[static_cast<std::size_t>(chosen)];
    const int c = cell.c, r = cell.r;
    const bool last = depth == numCells - 1;

    for (int i = 0; i < 9; ++i) {
        const int val = cell.setVal(i);
        if (val < 0 || val > 8 || !copy.getPossibleRows(val, c, r)) continue;
        copy.setDerived3x3(c, r, val);
        bool ok = true;
        if (last) {
            ++stats.completionTests;
            ok = solver_.doSingleGridFCFFPTest(copy, false, false);
        }
        if (solver_.searchLimitExceeded) return true;
        if (!ok) continue;
        if (last) {
            const bool multiple = solver_.doSingleGridFCFFPTest(copy, false, true);
            ++uniquenessTests;
            ++stats.uniquenessTests;
            if (multiple && uniquenessTests > 2) solver_.searchLimitExceeded = true;
            mark = 0;
            if (!multiple || solver_.searchLimitExceeded) return true;
            return fail();
        }
        if (searchPuzzleLevel(copy, cellList, depth + 1, numCells, cellMarks)) return true;
        copy.resetDerived3x3(c, r);
    }
    mark = 0;
    return fail();
}

bool Generator::solveCentre()
{
    // A one-grid list holding the centre grid; the solve fills it in.
    scratch_[0].copyStateFrom(work_[engine::kCentreGrid]);
    solver_.searching = true;
    const bool solved = solver_.runFCFFP(scratch_, 1, true, false);
    const bool stopped = !solver_.searching;
    solver_.searching = false;
    work_[engine::kCentreGrid].copyStateFrom(scratch_[0]);
    return solved && !stopped && work_[engine::kCentreGrid].check();
}

bool Generator::generateGivens(int nG, int numGivens)
{
    for (int g = 0; g < nG; ++g) work_[static_cast<std::size_t>(g)].initialiseForSearch();
    givens_.clear();
    bool found = true;
    for (int g = nG - 1; g >= 0; --g) {
        engine::SudokuGrid& grid = work_[static_cast<std::size_t>(g)];
        found = false;
        while (keepGenerating && !found) {
            ++stats.attempts;
            grid.initialiseForSearch();
            int numCells = 0;
            selectCells(g, nG, numGivens, cellList_, numCells);
            if (g < nG - 1) carryCellsOver(work_, g);
            std::fill_n(cellMarks_.begin(), numCells, static_cast<std::int16_t>(9));
            uniquenessTests = 0;
            solver_.searchNodes = 0;
            valueLevels_ = 0;
            found = numCells > 0 && searchPuzzleLevel(grid, cellList_, 0, numCells, cellMarks_);
            if (solver_.searchLimitExceeded) {
                found = false;
                solver_.searchLimitExceeded = false;
                if (valueLevels_ > kValueSearchLimit)
                    ++stats.abandonedBySearch;
                else if (solver_.searchNodes > engine::Solver::kSearchLimit)
                    ++stats.abandonedByLimit;
                else
                    ++stats.abandonedByTests;
            } else if (!found) {
                ++stats.exhausted;
            }
            if (!found) continue;
            if (!keepGenerating) return false;

            const int firstGiven = givens_.count;
            grid.initialiseForSearch();
            for (int t = 0; t < numCells; ++t) {
                const GeneratorCell& cell = cellList_[static_cast<std::size_t>(t)];
                givens_.append(cell);
                grid.setDerived3x3(cell.c, cell.r, cell.getVal());
            }
            // The corner grids take the centre's solution in their shared
            // boxes, so the centre must be solved completely. A solve that does
            // not finish (stopped, or the move list overflowed) would leave
            // holes there: the attempt then counts as failed.
            if (g == engine::kCentreGrid && nG > 1 && !solveCentre()) {
                givens_.count = firstGiven;
                found = false;
                if (!keepGenerating) return false;
            }
        }
    }
    return found && keepGenerating;
}

void Generator::generatePuzzle(GeneratorBoard& board, int puzzleType, int rating)
{
    rating = std::clamp(rating, 1, 3);
    random_.reseed();
    board.generationStarted();

    const int savedNumGrids = board.numGrids();
    board.setNumGrids(1);
    const int nG = puzzleType == 1 ? 1 : engine::kSamuraiGrids;
    numGivens_ = drawNumGivens(puzzleType, rating);
    const bool found = generateGivens(nG, numGivens_);
    board.setNumGrids(savedNumGrids);

    if (keepGenerating && found) {
        if (nG > 1) {
            board.setNumGrids(engine::kSamuraiGrids);
            pruneGivens(board, givens_, givens_.count, rating);
            board.setNumGrids(savedNumGrids);
        }
        board.setCellEventsOn(false);
        if (nG == 1)
            board.showStandardBoard();
        else
            board.showSamuraiBoard();
        engine::GridSlots& grids = board.grids();
        for (int i = 0; i < givens_.count; ++i) {
            if (givens_.isEmpty(i)) continue;
            const GeneratorCell& cell = givens_.cells[static_cast<std::size_t>(i)];
            grids[static_cast<std::size_t>(cell.g)].assignValue(cell.c, cell.r,
                                                               board.symbols().indexToSymbol(cell.getVal()), false);
        }
        board.setCellEventsOn(true);
    }
    board.generationEnded();
}

} // namespace generator
