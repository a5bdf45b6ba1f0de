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
struct GridState {
    std::array<std::uint16_t, 81> cand{};
    std::array<std::int8_t, 81> val{};
    std::int16_t sdColIdx = 0;
    std::int16_t sdRowIdx = 0;
    std::int16_t sdValIdx = 0;
};

constexpr std::uint16_t kAllValues = 0x1FF;

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
    void setDerived3x3(int i, int j, int val) { s_.val[cellAt(i, j)] = static_cast<std::int8_t>(val); }
    void resetDerived3x3(int i, int j) { s_.val[cellAt(i, j)] = -1; }

    void clear();
    void partClear();
    void deleteBoxes() { boxes_.fill(nullptr); }
    void setVisible();
    void setInvisible();

    void barResource(int v, int c, int r) { s_.cand[cellAt(c, r)] &= static_cast<std::uint16_t>(~(1u << v)); }
    void resetConstrictions() { s_.cand.fill(kAllValues); }
    int getNumInstantiations() const;
    int getNumBarred() const;
    bool getPossibleRows(int v, int c, int r) const { return (s_.cand[cellAt(c, r)] >> v) & 1u; }
    void setPossibleRows(int v, int c, int r, bool possible);
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

    // The search state as a whole: the solver copies it between levels and the
    // cross-grid transfer works on it directly.
    const GridState& state() const { return s_; }
    GridState& state() { return s_; }
    // Copies values and candidates (and the search choice), not the cell
    // references: a search copy never touches the cells.
    void copyStateFrom(const SudokuGrid& other) { s_ = other.s_; }

private:
    void place(MoveList& moves, int gridIdx, int idx, int v);

    GridState s_;
    std::array<CellControl*, 81> boxes_{};
    Colour inputColour_ = 0;
    Colour baseColour_ = 0;
    Colour hintColour_ = 0;
    std::int16_t size_ = 9;
};

} // namespace engine
