// SPDX-License-Identifier: GPL-3.0-or-later
#include "sudoku_grid.h"

#include <bit>
#include <cstring>

namespace engine {

namespace {

// Sixteen 16-bit lanes: one column of a grid, a lane per row. Compilers lower
// it to whatever vector registers the target has.
using Lanes = std::uint16_t __attribute__((vector_size(32)));
using Column = std::array<std::uint16_t, 16>;

inline Lanes load(const Column& c)
{
    Lanes v;
    std::memcpy(&v, c.data(), sizeof v);
    return v;
}
inline void store(Column& c, Lanes v) { std::memcpy(c.data(), &v, sizeof v); }
inline Lanes splat(unsigned x) { return Lanes{} + static_cast<std::uint16_t>(x); }
// All ones in the lanes where v is zero.
inline Lanes zeroLanes(Lanes v) { return reinterpret_cast<Lanes>(v == 0); }
// Within each group of three rows (a band), the next and the one after.
inline Lanes rotate1(Lanes v) { return __builtin_shufflevector(v, v, 1, 2, 0, 4, 5, 3, 7, 8, 6, 9, 10, 11, 12, 13, 14, 15); }
inline Lanes rotate2(Lanes v) { return __builtin_shufflevector(v, v, 2, 0, 1, 5, 3, 4, 8, 6, 7, 9, 10, 11, 12, 13, 14, 15); }
// Candidate counts per lane (masks of at most 9 bits).
inline Lanes laneCounts(Lanes x)
{
    x = x - ((x >> 1) & 0x5555);
    x = (x & 0x3333) + ((x >> 2) & 0x3333);
    x = (x + (x >> 4)) & 0x0F0F;
    return (x + (x >> 8)) & 0x001F;
}
inline unsigned sumLanes(Lanes v)
{
    unsigned s = 0;
    for (int i = 0; i < 9; ++i) s += v[i];
    return s;
}

// Lanes of rows 0..8 set to their row's value, or box (p, q) values by band.
inline Lanes rowLanes(const std::uint16_t* perRow)
{
    Lanes v{};
    for (int r = 0; r < 9; ++r) v[r] = perRow[r];
    return v;
}

struct CellTables {
    std::array<std::int8_t, 81> col{};
    std::array<std::int8_t, 81> row{};
    std::array<std::int8_t, 81> box{}; // box column * 3 + box row
    constexpr CellTables()
    {
        for (int c = 0; c < 9; ++c)
            for (int r = 0; r < 9; ++r) {
                const int i = cellAt(c, r);
                col[i] = static_cast<std::int8_t>(c);
                row[i] = static_cast<std::int8_t>(r);
                box[i] = static_cast<std::int8_t>((c / 3) * 3 + r / 3);
            }
    }
};
constexpr CellTables kCells;

// Cells of box b = p * 3 + q, column offset outer, row offset inner.
struct BoxCells {
    std::array<std::array<std::int8_t, 9>, 9> cells{};
    constexpr BoxCells()
    {
        for (int b = 0; b < 9; ++b)
            for (int k = 0; k < 9; ++k)
                cells[b][k] = static_cast<std::int8_t>(cellAt(3 * (b / 3) + k / 3, 3 * (b % 3) + k % 3));
    }
    constexpr const std::array<std::int8_t, 9>& operator[](int b) const { return cells[static_cast<std::size_t>(b)]; }
};
constexpr BoxCells kBoxCells;

// Candidate counts of every 9-bit mask (no reliance on a popcount instruction).
struct PopTable {
    std::array<std::uint8_t, 512> n{};
    constexpr PopTable()
    {
        for (unsigned m = 0; m < 512; ++m) n[m] = static_cast<std::uint8_t>(std::popcount(m));
    }
};
constexpr PopTable kPop;
inline int popcount(unsigned m) { return kPop.n[m & kAllValues]; }

// The bit of a value index, 0 for -1.
inline std::uint16_t bitOf(int v) { return v < 0 ? 0 : static_cast<std::uint16_t>(1u << v); }

// Index of the k-th cell of box (p, q), scanned row by row, left to right.
constexpr int boxCellRowWise(int p, int q, int k) { return cellAt(3 * p + k % 3, 3 * q + k / 3); }

constexpr int kRowHeld = 0, kColHeld = 9, kBoxHeld = 18;

} // namespace

// The column-wide rules get a second build for processors with 256-bit
// integer vectors, picked when the program loads.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && !defined(__SANITIZE_ADDRESS__)
#define CORVEL_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define CORVEL_VECTOR_CLONES
#endif

// Shorthands for the candidate mask of a cell by its index col * 9 + row.
#define CAND(i) s_.cand[static_cast<std::size_t>(kCells.col[i])][static_cast<std::size_t>(kCells.row[i])]

void SudokuGrid::initAll()
{
    size_ = 9;
    s_.val.fill(-1);
    for (auto& col : s_.vbit) col.fill(0);
    resetConstrictions();
    s_.held.fill(0);
    s_.numAssigned = 0;
    s_.heldValid = true;
    s_.quiet = 0;
}

void SudokuGrid::resetConstrictions()
{
    for (auto& col : s_.cand) {
        col.fill(0);
        for (int r = 0; r < 9; ++r) col[static_cast<std::size_t>(r)] = kAllValues;
    }
    s_.numPossible = 729;
    s_.quiet = 0;
}

// Recounts the held values after a change that could not be followed.
void SudokuGrid::ensureHeld()
{
    if (s_.heldValid) return;
    s_.held.fill(0);
    int n = 0;
    for (int i = 0; i < 81; ++i) {
        const std::uint16_t bit = bitOf(s_.val[i]);
        n += bit != 0;
        s_.held[kRowHeld + kCells.row[i]] |= bit;
        s_.held[kColHeld + kCells.col[i]] |= bit;
        s_.held[kBoxHeld + kCells.box[i]] |= bit;
    }
    s_.numAssigned = static_cast<std::int16_t>(n);
    s_.heldValid = true;
}

void SudokuGrid::setValue(int idx, int v)
{
    const int old = s_.val[idx];
    if (old == v) return;
    s_.val[idx] = static_cast<std::int8_t>(v);
    const std::uint16_t bit = bitOf(v);
    s_.vbit[static_cast<std::size_t>(kCells.col[idx])][static_cast<std::size_t>(kCells.row[idx])] = bit;
    s_.quiet = 0;
    if (old < 0 && s_.heldValid) { // a new value: add it to the counts
        s_.held[kRowHeld + kCells.row[idx]] |= bit;
        s_.held[kColHeld + kCells.col[idx]] |= bit;
        s_.held[kBoxHeld + kCells.box[idx]] |= bit;
        ++s_.numAssigned;
    } else {
        s_.heldValid = false; // a value removed or replaced: recount when needed
    }
}

bool SudokuGrid::isGiven(int i, int j) const
{
    const CellControl* b = getbox(i, j);
    return b && b->background() == inputColour_;
}

void SudokuGrid::validate()
{
    for (CellControl* b : boxes_)
        if (b && !b->text().empty()) b->setBackground(inputColour_);
}

void SudokuGrid::clear()
{
    for (CellControl* b : boxes_) {
        if (!b) continue;
        b->setText("");
        b->setBackground(baseColour_);
    }
    s_.val.fill(-1);
    for (auto& col : s_.vbit) col.fill(0);
    s_.held.fill(0);
    s_.numAssigned = 0;
    s_.heldValid = true;
    s_.quiet = 0;
}

void SudokuGrid::partClear()
{
    for (CellControl* b : boxes_) {
        if (!b || b->background() == inputColour_) continue;
        b->setText("");
        b->setBackground(baseColour_);
    }
}

void SudokuGrid::setVisible()
{
    for (CellControl* b : boxes_)
        if (b) b->setVisible(true);
}

void SudokuGrid::setInvisible()
{
    for (CellControl* b : boxes_)
        if (b) b->setVisible(false);
}

int SudokuGrid::getNumInstantiations() const
{
    if (s_.heldValid) return s_.numAssigned;
    int n = 0;
    for (auto v : s_.val) n += v >= 0;
    return n;
}

int SudokuGrid::getNumBarred() const
{
    if (s_.numPossible >= 0) return 729 - s_.numPossible;
    int possible = 0;
    for (const auto& col : s_.cand)
        for (int r = 0; r < 9; ++r) possible += popcount(col[static_cast<std::size_t>(r)]);
    return 729 - possible;
}

void SudokuGrid::setPossibleRows(int v, int c, int r, bool possible)
{
    auto& m = s_.cand[static_cast<std::size_t>(c)][static_cast<std::size_t>(r)];
    const auto bit = static_cast<std::uint16_t>(1u << v);
    const auto now = possible ? static_cast<std::uint16_t>(m | bit) : static_cast<std::uint16_t>(m & ~bit);
    if (now == m) return;
    if (s_.numPossible >= 0) s_.numPossible = static_cast<std::int16_t>(s_.numPossible + (possible ? 1 : -1));
    m = now;
    s_.quiet &= static_cast<std::uint8_t>(~(kQuietRules | kPassOpen));
}

void SudokuGrid::initialiseForSearch()
{
    resetConstrictions();
    s_.val.fill(-1);
    for (auto& col : s_.vbit) col.fill(0);
    s_.held.fill(0);
    s_.numAssigned = 0;
    s_.heldValid = true;
    s_.quiet = 0;
}

void SudokuGrid::assignValue(int col, int row, const std::string& val, bool hint)
{
    CellControl* b = getbox(col, row);
    if (!b) return;
    b->setText(val);
    if (hint) b->setBackground(hintColour_);
}

bool SudokuGrid::boxesAssigned() const
{
    for (const CellControl* b : boxes_)
        if (!b || b->text().empty()) return false;
    return true;
}

void SudokuGrid::place(MoveList& moves, int gridIdx, int idx, int v, MoveReason why)
{
    setValue(idx, v);
    moves.setMove(gridIdx, kCells.col[idx], kCells.row[idx], v, why);
}

void SudokuGrid::receiveBox(const SudokuGrid& src, int srcCol, int srcRow, int dstCol, int dstRow)
{
    int lost = 0;
    for (int a = 0; a < 3; ++a)
        for (int b = 0; b < 3; ++b) {
            const int s = cellAt(srcCol + a, srcRow + b);
            const int d = cellAt(dstCol + a, dstRow + b);
            auto& target = s_.cand[static_cast<std::size_t>(dstCol + a)][static_cast<std::size_t>(dstRow + b)];
            const std::uint16_t before = target;
            const auto after = static_cast<std::uint16_t>(before & src.candidates(srcCol + a, srcRow + b));
            lost += popcount(before) - popcount(after);
            target = after;
            if (src.s_.val[s] >= 0) setValue(d, src.s_.val[s]);
        }
    if (s_.numPossible >= 0) s_.numPossible = static_cast<std::int16_t>(s_.numPossible - lost);
    if (lost) s_.quiet &= static_cast<std::uint8_t>(~(kQuietRules | kPassOpen));
}

// The seven steps of the elimination pass. Values never interact in steps 1 to
// 6, so every step handles all nine values at once as bit masks, and whole
// columns at once as lanes; the order in which boxes are visited is kept where
// it matters (line reduction).
CORVEL_VECTOR_CLONES void SudokuGrid::findPossibleRows(MoveList& moves, int gridIdx)
{
    ensureHeld();
    // After a pass that placed nothing, with nothing changed since, steps 1, 2,
    // 5, 6 and 7 would repeat themselves exactly; only line reduction (steps 3
    // and 4) can find something new, and only then is the rest needed.
    const bool quiet = s_.quiet & kQuietRules;
    s_.assignedAtPassStart = s_.numAssigned;
    const std::uint16_t* rowHeld = &s_.held[kRowHeld];
    const std::uint16_t* colHeld = &s_.held[kColHeld];
    const std::uint16_t* boxHeld = &s_.held[kBoxHeld];
    // Values do not change before step 7, so these stay exact until then.
    Lanes cand[9], open[9];
    for (int c = 0; c < 9; ++c) {
        cand[c] = load(s_.cand[static_cast<std::size_t>(c)]);
        open[c] = zeroLanes(load(s_.vbit[static_cast<std::size_t>(c)]));
    }
    const Lanes rowHeldLanes = rowLanes(rowHeld);

    // Steps 1 and 2: a value held in a row or column is barred in the
    // unassigned cells of that row and column.
    if (!quiet)
        for (int c = 0; c < 9; ++c) cand[c] &= ~((rowHeldLanes | splat(colHeld[c])) & open[c]);

    // Step 3: a value confined to one row of a box is barred in that row of the
    // other boxes of the band. A box sees the bars of the stacks before it;
    // the three boxes of one stack do not affect each other, so a stack is
    // done at once. A row that holds the value already had it barred by
    // step 1, so those values are left out.
    Lanes barredByLines{};
    for (int p = 0; p < 3; ++p) {
        const Lanes in = cand[3 * p] | cand[3 * p + 1] | cand[3 * p + 2];
        const Lanes only = in & ~rotate1(in) & ~rotate2(in) & ~rowHeldLanes;
        for (int c = 0; c < 9; ++c) {
            if (c / 3 == p) continue;
            const Lanes bar = only & open[c];
            barredByLines |= cand[c] & bar;
            cand[c] &= ~bar;
        }
    }

    // Step 4: the same along columns, within the stack of the box; the boxes
    // of a stack are visited top to bottom, each seeing the bars before it.
    for (int p = 0; p < 3; ++p)
        for (int q = 0; q < 3; ++q) {
            unsigned in[3];
            for (int s = 0; s < 3; ++s) {
                const Lanes& col = cand[3 * p + s];
                in[s] = col[3 * q] | col[3 * q + 1] | col[3 * q + 2];
            }
            for (int s = 0; s < 3; ++s) {
                const int c = 3 * p + s;
                const unsigned only = in[s] & ~in[(s + 1) % 3] & ~in[(s + 2) % 3] & ~colHeld[c];
                if (!only) continue;
                Lanes bar = splat(only) & open[c];
                for (int r = 3 * q; r < 3 * q + 3; ++r) bar[r] = 0;
                barredByLines |= cand[c] & bar;
                cand[c] &= ~bar;
            }
        }

    bool anyBarred = false;
    for (int i = 0; i < 9; ++i) anyBarred |= barredByLines[i] != 0;
    if (quiet && !anyBarred) {
        s_.quiet |= kPassOpen;
        return;
    }
    s_.quiet &= static_cast<std::uint8_t>(~kQuietRules);

    // Steps 5 and 6: an assigned cell keeps its own value as its only
    // candidate; a value held in a box is barred in the box's empty cells.
    // Then, per unit, the values with exactly one place (for step 7), and the
    // candidates left.
    Lanes onceR{}, twiceR{}, counts{};
    unsigned colOne[9], rowOne[9], boxOne[9];
    unsigned anyOne = 0;
    for (int p = 0; p < 3; ++p) {
        Lanes boxHeldLanes{};
        for (int r = 0; r < 9; ++r) boxHeldLanes[r] = boxHeld[p * 3 + r / 3];
        Lanes onceS{}, twiceS{};
        for (int c = 3 * p; c < 3 * p + 3; ++c) {
            const Lanes m = (cand[c] & ~boxHeldLanes & open[c]) | load(s_.vbit[static_cast<std::size_t>(c)]);
            cand[c] = m;
            store(s_.cand[static_cast<std::size_t>(c)], m);
            counts += laneCounts(m);
            twiceR |= onceR & m;
            onceR |= m;
            twiceS |= onceS & m;
            onceS |= m;
            unsigned onceC = 0, twiceC = 0;
            for (int r = 0; r < 9; ++r) {
                twiceC |= onceC & m[r];
                onceC |= m[r];
            }
            // A unit's only place for a value it already holds is the cell
            // holding it: nothing to place there.
            colOne[c] = onceC & ~twiceC & ~colHeld[c];
            anyOne |= colOne[c];
        }
        // Boxes of the stack: combine the three rows of each band.
        const Lanes r1 = rotate1(onceS), r2 = rotate2(onceS);
        const Lanes onceB = onceS | r1 | r2;
        const Lanes twiceB = twiceS | rotate1(twiceS) | rotate2(twiceS) | (onceS & r1) | (onceS & r2) | (r1 & r2);
        for (int q = 0; q < 3; ++q) {
            const int b = p * 3 + q;
            boxOne[b] = onceB[3 * q] & ~twiceB[3 * q] & ~boxHeld[b];
            anyOne |= boxOne[b];
        }
    }
    for (int r = 0; r < 9; ++r) {
        rowOne[r] = onceR[r] & ~twiceR[r] & ~rowHeld[r];
        anyOne |= rowOne[r];
    }
    s_.numPossible = static_cast<std::int16_t>(sumLanes(counts));

    // Step 7: hidden singles, value by value, columns and rows interleaved,
    // then boxes. Flags do not change here; a cell filled earlier in this
    // step is skipped.
    const auto& val = s_.val;
    while (anyOne) {
        const int v = std::countr_zero(anyOne);
        anyOne &= anyOne - 1;
        const unsigned bit = 1u << v;
        for (int i = 0; i < 9; ++i) {
            if (colOne[i] & bit)
                for (int r = 0; r < 9; ++r)
                    if (cand[i][r] & bit) {
                        if (val[cellAt(i, r)] < 0) place(moves, gridIdx, cellAt(i, r), v, MoveReason::HiddenInColumn);
                        break;
                    }
            if (rowOne[i] & bit)
                for (int c = 0; c < 9; ++c)
                    if (cand[c][i] & bit) {
                        if (val[cellAt(c, i)] < 0) place(moves, gridIdx, cellAt(c, i), v, MoveReason::HiddenInRow);
                        break;
                    }
        }
        for (int b = 0; b < 9; ++b) {
            if (!(boxOne[b] & bit)) continue;
            for (int k = 0; k < 9; ++k) {
                const int i = kBoxCells[b][k];
                if (CAND(i) & bit) {
                    if (val[i] < 0) place(moves, gridIdx, i, v, MoveReason::HiddenInBox);
                    break;
                }
            }
        }
    }
    s_.quiet |= kPassOpen;
}

// Box placement by cross-hatching over the cell values: a value missing from a
// box that fits in only one of the box's empty cells goes there. Placements are
// seen at once by the following values and boxes.
void SudokuGrid::setSimple3x3Derivatives(MoveList& moves, int gridIdx)
{
    ensureHeld();
    // A pass that placed nothing leaves the next one nothing to redo.
    auto closePass = [&] {
        const bool passOpen = s_.quiet & kPassOpen;
        s_.quiet &= static_cast<std::uint8_t>(~kPassOpen);
        if (passOpen && s_.numAssigned == s_.assignedAtPassStart) s_.quiet |= kQuietRules;
    };
    if (s_.quiet & kQuietValues) { // the same values as a search that found nothing
        closePass();
        return;
    }
    const std::int16_t before = s_.numAssigned;
    const auto& val = s_.val;
    const auto& held = s_.held;
    for (int p = 0; p < 3; ++p)
        for (int q = 0; q < 3; ++q) {
            const int b = p * 3 + q;
            unsigned done = 0; // values already decided for this box
            while ((held[kBoxHeld + b] | done) != kAllValues) {
                unsigned once = 0, twice = 0;
                unsigned fits[9];
                for (int k = 0; k < 9; ++k) {
                    const int i = boxCellRowWise(p, q, k);
                    fits[k] = val[i] < 0 ? (kAllValues & ~(held[kRowHeld + kCells.row[i]] | held[kColHeld + kCells.col[i]]))
                                         : 0u;
                    twice |= once & fits[k];
                    once |= fits[k];
                }
                const unsigned single = once & ~twice & ~held[kBoxHeld + b] & ~done;
                if (!single) break;
                const int v = std::countr_zero(single);
                const unsigned bit = 1u << v;
                for (int k = 0; k < 9; ++k)
                    if (fits[k] & bit) {
                        place(moves, gridIdx, boxCellRowWise(p, q, k), v, MoveReason::BoxPlacement);
                        break;
                    }
                done = (bit << 1) - 1;
            }
        }
    if (s_.numAssigned == before) s_.quiet |= kQuietValues;
    closePass();
}

bool SudokuGrid::valInSq(int valIdx, int sqIdxCol, int sqIdxRow) const
{
    for (int a = 0; a < 3; ++a)
        for (int b = 0; b < 3; ++b)
            if (s_.val[cellAt(3 * sqIdxCol + a, 3 * sqIdxRow + b)] == valIdx) return true;
    return false;
}

bool SudokuGrid::valOnlyIn3x3Row(int sqIdxCol, int sqIdxRow, int rowIdx, int valIdx) const
{
    const unsigned bit = 1u << valIdx;
    bool in = false, elsewhere = false;
    for (int t = 0; t < 3; ++t)
        for (int a = 0; a < 3; ++a)
            if (candidates(3 * sqIdxCol + a, 3 * sqIdxRow + t) & bit) (t == rowIdx ? in : elsewhere) = true;
    return in && !elsewhere;
}

bool SudokuGrid::valOnlyIn3x3Col(int sqIdxCol, int sqIdxRow, int colIdx, int valIdx) const
{
    const unsigned bit = 1u << valIdx;
    bool in = false, elsewhere = false;
    for (int s = 0; s < 3; ++s)
        for (int b = 0; b < 3; ++b)
            if (candidates(3 * sqIdxCol + s, 3 * sqIdxRow + b) & bit) (s == colIdx ? in : elsewhere) = true;
    return in && !elsewhere;
}

bool SudokuGrid::checkConsistency() const
{
    if (s_.heldValid) {
        // A unit repeats a value exactly when it holds fewer distinct values
        // than assigned cells; summed over all rows (columns, boxes) that is
        // a comparison with the number of assigned cells.
        int rows = 0, cols = 0, boxes = 0;
        for (int u = 0; u < 9; ++u) {
            rows += popcount(s_.held[kRowHeld + u]);
            cols += popcount(s_.held[kColHeld + u]);
            boxes += popcount(s_.held[kBoxHeld + u]);
        }
        return rows == s_.numAssigned && cols == s_.numAssigned && boxes == s_.numAssigned;
    }
    unsigned row[9]{}, col[9]{}, box[9]{};
    for (int i = 0; i < 81; ++i) {
        const unsigned bit = bitOf(s_.val[i]);
        unsigned& r = row[kCells.row[i]];
        unsigned& c = col[kCells.col[i]];
        unsigned& b = box[kCells.box[i]];
        if ((r | c | b) & bit) return false;
        r |= bit;
        c |= bit;
        b |= bit;
    }
    return true;
}

bool SudokuGrid::check() const
{
    // Every unit holds nine cells; it holds each value exactly once when all
    // nine are assigned and no value repeats.
    for (int i = 0; i < 81; ++i)
        if (s_.val[i] < 0) return false;
    return checkConsistency();
}

// Fail-first choice: 0 for a dead end, 1 when every cell has one candidate,
// otherwise the smallest candidate count of a cell with two or more, the first
// such cell in column-major order being stored.
CORVEL_VECTOR_CLONES int SudokuGrid::setSmallestDomain()
{
    Lanes rowUnion{};
    int best = 10, bestIdx = -1;
    bool singleSeen = false;
    bool deadEnd = false;
    for (int c = 0; c < 9; ++c) {
        const Lanes col = load(s_.cand[static_cast<std::size_t>(c)]);
        rowUnion |= col;
        unsigned colUnion = 0;
        const Lanes n = laneCounts(col);
        for (int r = 0; r < 9; ++r) {
            colUnion |= col[r];
            const int k = n[r];
            if (k == 0) deadEnd = true;
            else if (k == 1) singleSeen = true;
            else if (k < best) {
                best = k;
                bestIdx = cellAt(c, r);
            }
        }
        if (colUnion != kAllValues) deadEnd = true;
    }
    if (deadEnd) return 0;
    for (int r = 0; r < 9; ++r)
        if (rowUnion[r] != kAllValues) return 0;
    if (best == 10) return singleSeen ? 1 : 0;
    s_.sdColIdx = kCells.col[bestIdx];
    s_.sdRowIdx = kCells.row[bestIdx];
    s_.sdValIdx = 0;
    return best;
}

bool SudokuGrid::setBestValue(MoveList& moves, int gridIdx)
{
    const int i = cellAt(s_.sdColIdx, s_.sdRowIdx);
    const unsigned m = CAND(i);
    if (!m) {
        s_.sdValIdx = 9;
        return false;
    }
    s_.sdValIdx = static_cast<std::int16_t>(std::countr_zero(m));
    place(moves, gridIdx, i, s_.sdValIdx, MoveReason::SearchTrial);
    return true;
}

bool SudokuGrid::setNextBestValue(MoveList& moves, int gridIdx)
{
    const int i = cellAt(s_.sdColIdx, s_.sdRowIdx);
    setValue(i, -1);
    const unsigned above = s_.sdValIdx >= 8 ? 0u : (CAND(i) & ~((2u << s_.sdValIdx) - 1));
    if (!above) {
        s_.sdValIdx = 9;
        return false;
    }
    s_.sdValIdx = static_cast<std::int16_t>(std::countr_zero(above));
    place(moves, gridIdx, i, s_.sdValIdx, MoveReason::SearchTrial);
    return true;
}

#undef CAND

} // namespace engine
