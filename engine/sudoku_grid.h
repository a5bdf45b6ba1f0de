// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "cell_control.h"
#include "moves.h"

namespace engine {

// Cells are stored column by column: index = col * 9 + row. Most scans of the
// rules run column-major, so they walk the arrays in order.
constexpr int cellAt(int col, int row) { return col * 9 + row; }

// The search state of one grid: a value index (or -1) and a mask of the values
// still possible (bit v set = v is a candidate) for each cell, plus the cell and
// value chosen by the search ordering. Cheap to copy: the search copies it at
// every level.
constexpr std::uint16_t kAllValues = 0x1FF;

struct GridState {
    // Candidates and value bits by column, one lane per row (lanes 9..15 stay
    // zero), so the rules can work on a whole column at once.
    alignas(32) std::array<std::array<std::uint16_t, 16>, 9> cand{};
    alignas(32) std::array<std::array<std::uint16_t, 16>, 9> vbit{}; // bit of the cell's value, 0 when empty
    std::array<std::int8_t, 81> val{};
    // Derived data kept with the state so the rules need not recount it:
    // the values held in each row (0..8), column (9..17) and box (18..26) and
    // the number of assigned cells, valid while heldValid; and the number of
    // candidate flags still set, or -1 when unknown.
    std::array<std::uint16_t, 27> held{};
    std::int16_t numAssigned = 0;
    std::int16_t numPossible = 729;
    bool heldValid = true;
    // What the last propagation pass leaves for the next one: kQuietRules when
    // a pass placed nothing and nothing changed since (only line reduction can
    // still bar a candidate), kQuietValues when the box placement found
    // nothing and no value changed since, kPassOpen between the two halves of
    // a pass. Any outside change clears them.
    std::uint8_t quiet = 0;
    std::int16_t assignedAtPassStart = 0;
    std::int16_t sdColIdx = 0;
    std::int16_t sdRowIdx = 0;
    std::int16_t sdValIdx = 0;
};

// One 9x9 grid: the cell controls that show it, the cell values, the candidate
// flags, and the propagation rules and search ordering that work on them.
class SudokuGrid {
public:
    SudokuGrid() { initAll(); }

    int size() const { return size_; }
    void initAll();

    void setInputColour(Colour c) { inputColour_ = c; }
    void setBaseColour(Colour c) { baseColour_ = c; }
    void setHintColour(Colour c) { hintColour_ = c; }
    Colour inputColour() const { return inputColour_; }
    Colour baseColour() const { return baseColour_; }
    Colour hintColour() const { return hintColour_; }

    void setBox(int i, int j, CellControl* b) { boxes_[cellAt(i, j)] = b; }
    CellControl* getbox(int i, int j) const { return boxes_[cellAt(i, j)]; }
    bool isGiven(int i, int j) const;
    void validate();

    int getDerived3x3(int i, int j) const { return s_.val[cellAt(i, j)]; }
    void setDerived3x3(int i, int j, int val) { setValue(cellAt(i, j), val); }
    void resetDerived3x3(int i, int j) { setValue(cellAt(i, j), -1); }

    void clear();
    void partClear();
    void deleteBoxes() { boxes_.fill(nullptr); }
    void setVisible();
    void setInvisible();

    void barResource(int v, int c, int r) { setPossibleRows(v, c, r, false); }
    // The candidates of (c, r) as a mask, bit v for value v.
    std::uint16_t candidates(int c, int r) const { return s_.cand[static_cast<std::size_t>(c)][static_cast<std::size_t>(r)]; }
    void resetConstrictions();
    int getNumInstantiations() const;
    int getNumBarred() const;
    bool getPossibleRows(int v, int c, int r) const { return (candidates(c, r) >> v) & 1u; }
    void setPossibleRows(int v, int c, int r, bool possible);
    static constexpr std::uint8_t kQuietRules = 1, kQuietValues = 2, kPassOpen = 4;
    void initialiseForSearch();

    void assignValue(int col, int row, const std::string& val, bool hint);
    bool boxesAssigned() const;

    // Constraint propagation.
    void findPossibleRows(MoveList& moves, int gridIdx);
    void preprocess(MoveList& moves, int gridIdx) { setSimple3x3Derivatives(moves, gridIdx); }
    void setSimple3x3Derivatives(MoveList& moves, int gridIdx);
    bool valInSq(int valIdx, int sqIdxCol, int sqIdxRow) const;
    bool valOnlyIn3x3Row(int sqIdxCol, int sqIdxRow, int rowIdx, int valIdx) const;
    bool valOnlyIn3x3Col(int sqIdxCol, int sqIdxRow, int colIdx, int valIdx) const;
    bool checkConsistency() const;
    bool check() const;

    // Search ordering.
    int setSmallestDomain();
    bool setBestValue(MoveList& moves, int gridIdx);
    bool setNextBestValue(MoveList& moves, int gridIdx);
    int sdColIdx() const { return s_.sdColIdx; }
    int sdRowIdx() const { return s_.sdRowIdx; }
    int sdValIdx() const { return s_.sdValIdx; }

    // The search state as a whole, for reading.
    const GridState& state() const { return s_; }
    // Copies values and candidates (and the search choice), not the cell
    // references: a search copy never touches the cells.
    void copyStateFrom(const SudokuGrid& other) { s_ = other.s_; }
    // Takes over one shared 3x3 box from another grid: candidates barred there
    // are barred here, and its values replace whatever this grid held.
    void receiveBox(const SudokuGrid& src, int srcCol, int srcRow, int dstCol, int dstRow);

private:
    void place(MoveList& moves, int gridIdx, int idx, int v, MoveReason why);
    void setValue(int idx, int v);
    void ensureHeld();

    GridState s_;
    std::array<CellControl*, 81> boxes_{};
    Colour inputColour_ = 0;
    Colour baseColour_ = 0;
    Colour hintColour_ = 0;
    std::int16_t size_ = 9;
};

} // namespace engine
