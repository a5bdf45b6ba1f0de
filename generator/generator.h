// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "generator_clock.h"
#include "cross_grid.h"
#include "exact_counter.h"
#include "generator_board.h"
#include "generator_cell.h"
#include "random_source.h"
#include "solver.h"

namespace generator {

constexpr int kListSlots = 251;
constexpr int kMarkSlots = 82;

using CellList = std::array<GeneratorCell, kListSlots>;
using CellMarks = std::array<std::int16_t, kMarkSlots>;
using IndexList = std::array<int, 9>;

// The givens of a generation in the order their grids were made (centre grid
// first on a Samurai board). The thinning pass empties slots; an emptied slot
// keeps its cell so that the order can still be inspected.
struct GivensList {
    std::array<GeneratorCell, kListSlots> cells{};
    std::array<bool, kListSlots> present{};
    int count = 0;

    void clear() { count = 0; }
    bool append(const GeneratorCell& cell)
    {
        if (count >= kListSlots) return false;
        cells[static_cast<std::size_t>(count)] = cell;
        present[static_cast<std::size_t>(count)] = true;
        ++count;
        return true;
    }
    bool isEmpty(int i) const { return !present[static_cast<std::size_t>(i)]; }
    void empty(int i) { present[static_cast<std::size_t>(i)] = false; }
    int remaining() const;
};

// Givens drawn per grid for a board type and level (inclusive range).
struct GivensRange {
    int lo;
    int hi;
};
// puzzleType 1 = standard, anything else = Samurai; rating 1 Easy, 2 Testing,
// 3 Very Difficult.
GivensRange givensRange(int puzzleType, int rating);

// How the attempts of the generations so far ended, and what thinning did.
struct GenerationStats {
    long attempts = 0;
    long abandonedByLimit = 0; // the tests entered more than 2000 search levels
    long abandonedByTests = 0; // the third uniqueness test found two solutions
    long abandonedBySearch = 0; // the value search entered too many levels
    long exhausted = 0;        // no acceptable values for the selection
    long completionTests = 0;
    long uniquenessTests = 0;
    long removalsTried = 0;
    long removalsMade = 0;
    double thinningSeconds = 0;
};

// Makes uniquely solvable puzzles by choosing the positions of the givens first
// and then searching for their values, grid by grid. The tests of the value
// search and the centre's solve go through the solver it is given; the
// thinning's removal tests and the final check read only a count, and use an
// exact counter that stops through the same solver's flag and yield.
class Generator {
public:
    Generator(engine::Solver& solver, RandomSource& random, Clock& clock);

    // Generates a puzzle of the board type and level and, unless stopped through
    // keepGenerating, writes its givens onto the board.
    void generatePuzzle(GeneratorBoard& board, int puzzleType, int rating);

    // True when the puzzle on the board has exactly one solution.
    bool testPuzzle(GeneratorBoard& board);

    // Steps of a generation, public so that they can be driven one by one.
    void shuffle(int* list, int n);
    void shuffle(IndexList& list, int n) { shuffle(list.data(), n); }
    void selectCells(int gridIdx, int nG, int numGivens, CellList& cellList, int& numCells);
    void addCell(int gridIdx, CellList& cellList, IndexList& values, int c, int r, int idx);
    static void carryCellsOver(engine::GridSlots& g, int gridIdx);
    bool searchPuzzleLevel(const engine::SudokuGrid& grid, CellList& cellList, int depth, int numCells,
                           CellMarks& cellMarks);
    void pruneGivens(GeneratorBoard& board, GivensList& givensList, int count, int rating);

    // Draws the number of givens per grid for a generation.
    int drawNumGivens(int puzzleType, int rating);
    // Generates the grids' givens into givensList (no thinning, nothing
    // written); false when stopped.
    bool generateGivens(int nG, int numGivens);

    // Levels of the value search one attempt may enter. The tests' level
    // budget does not cover the search itself, whose levels cost little each
    // but can run to millions on an unlucky selection of cells, with no yield
    // in between (no Stop, a frozen window). Such an attempt is abandoned like
    // one over the tests' budget; the search draws no random numbers, so only
    // an attempt that would have succeeded past this many levels changes the
    // puzzle of its seed.
    static constexpr long kValueSearchLimit = 20000;

    // Cleared (from the solver's yield) to stop a generation.
    bool keepGenerating = true;
    // Uniqueness tests run in the current attempt.
    int uniquenessTests = 0;

    engine::Solver& solver() { return solver_; }
    engine::GridSlots& workingGrids() { return work_; }
    CellList& cellList() { return cellList_; }
    CellMarks& cellMarks() { return cellMarks_; }
    GivensList& givensList() { return givens_; }
    const GivensList& givensList() const { return givens_; }
    int numGivens() const { return numGivens_; }

    GenerationStats stats;

private:
    engine::SudokuGrid& levelCopy(int depth);
    bool solveCentre();
    bool countIsOne(GeneratorBoard& board);

    engine::Solver& solver_;
    RandomSource& random_;
    Clock& clock_;

    engine::GridSlots work_;    // the grids being generated
    engine::GridSlots scratch_; // a one-grid list for the centre's solve
    engine::ExactCounter counter_; // the thinning's removal tests and the final check
    CellList cellList_{};
    CellMarks cellMarks_{};
    GivensList givens_;
    int numGivens_ = 0;
    long valueLevels_ = 0; // levels of the value search in this attempt
    // Private grid slots per search level (only slot 0 is used), made once.
    std::vector<engine::GridSlots> levels_;
};

} // namespace generator
