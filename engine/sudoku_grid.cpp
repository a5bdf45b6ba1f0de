#include "sudoku_grid.h"

#include <bit>

namespace engine {

namespace {

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

// Cell index of the k-th cell of box (p, q), scanned row by row, left to right.
constexpr int boxCellRowWise(int p, int q, int k) { return cellAt(3 * p + k % 3, 3 * q + k / 3); }

// Masks of the values held in each row, column and box.
struct ValueMasks {
    std::uint16_t row[9]{}, col[9]{}, box[9]{};
    explicit ValueMasks(const GridState& s)
    {
        for (int i = 0; i < 81; ++i) {
            const int v = s.val[i];
            if (v < 0) continue;
            const auto bit = static_cast<std::uint16_t>(1u << v);
            row[kCells.row[i]] |= bit;
            col[kCells.col[i]] |= bit;
            box[kCells.box[i]] |= bit;
        }
    }
};

} // namespace

void SudokuGrid::initAll()
{
    size_ = 9;
    s_.val.fill(-1);
    s_.cand.fill(kAllValues);
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
    int n = 0;
    for (auto v : s_.val) n += v >= 0;
    return n;
}

int SudokuGrid::getNumBarred() const
{
    int possible = 0;
    for (auto m : s_.cand) possible += popcount(m);
    return 729 - possible;
}

void SudokuGrid::setPossibleRows(int v, int c, int r, bool possible)
{
    auto& m = s_.cand[cellAt(c, r)];
    const auto bit = static_cast<std::uint16_t>(1u << v);
    m = possible ? static_cast<std::uint16_t>(m | bit) : static_cast<std::uint16_t>(m & ~bit);
}

void SudokuGrid::initialiseForSearch()
{
    resetConstrictions();
    s_.val.fill(-1);
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

void SudokuGrid::place(MoveList& moves, int gridIdx, int idx, int v)
{
    s_.val[idx] = static_cast<std::int8_t>(v);
    moves.setMove(gridIdx, kCells.col[idx], kCells.row[idx], v);
}

// The seven steps of the elimination pass. Values never interact in steps 1 to
// 6, so every step handles all nine values at once as bit masks; the order in
// which boxes are visited is kept where it matters (line reduction).
void SudokuGrid::findPossibleRows(MoveList& moves, int gridIdx)
{
    auto& cand = s_.cand;
    const auto& val = s_.val;
    const ValueMasks held(s_);

    // Steps 1 and 2: a value held in a row or column is barred in the unassigned
    // cells of that row and column.
    for (int i = 0; i < 81; ++i)
        if (val[i] < 0) cand[i] &= static_cast<std::uint16_t>(~(held.row[kCells.row[i]] | held.col[kCells.col[i]]));

    // Step 3: a value confined to one row of a box is barred in that row of the
    // other boxes of the band.
    for (int p = 0; p < 3; ++p)
        for (int q = 0; q < 3; ++q) {
            unsigned rowsOf[3];
            for (int t = 0; t < 3; ++t) {
                const int r = 3 * q + t;
                rowsOf[t] = cand[cellAt(3 * p, r)] | cand[cellAt(3 * p + 1, r)] | cand[cellAt(3 * p + 2, r)];
            }
            for (int t = 0; t < 3; ++t) {
                const unsigned only = rowsOf[t] & ~rowsOf[(t + 1) % 3] & ~rowsOf[(t + 2) % 3];
                if (!only) continue;
                const int r = 3 * q + t;
                for (int p2 = 0; p2 < 3; ++p2) {
                    if (p2 == p) continue;
                    for (int a = 0; a < 3; ++a) {
                        const int i = cellAt(3 * p2 + a, r);
                        if (val[i] < 0) cand[i] &= static_cast<std::uint16_t>(~only);
                    }
                }
            }
        }

    // Step 4: the same along columns, within the stack of the box.
    for (int p = 0; p < 3; ++p)
        for (int q = 0; q < 3; ++q) {
            unsigned colsOf[3];
            for (int s = 0; s < 3; ++s) {
                const int c = 3 * p + s;
                colsOf[s] = cand[cellAt(c, 3 * q)] | cand[cellAt(c, 3 * q + 1)] | cand[cellAt(c, 3 * q + 2)];
            }
            for (int s = 0; s < 3; ++s) {
                const unsigned only = colsOf[s] & ~colsOf[(s + 1) % 3] & ~colsOf[(s + 2) % 3];
                if (!only) continue;
                const int c = 3 * p + s;
                for (int q2 = 0; q2 < 3; ++q2) {
                    if (q2 == q) continue;
                    for (int b = 0; b < 3; ++b) {
                        const int i = cellAt(c, 3 * q2 + b);
                        if (val[i] < 0) cand[i] &= static_cast<std::uint16_t>(~only);
                    }
                }
            }
        }

    // Steps 5 and 6: an assigned cell keeps its own value as its only
    // candidate; a value held in a box is barred in the box's empty cells.
    for (int i = 0; i < 81; ++i) {
        if (val[i] >= 0)
            cand[i] = static_cast<std::uint16_t>(1u << val[i]);
        else
            cand[i] &= static_cast<std::uint16_t>(~held.box[kCells.box[i]]);
    }

    // Step 7: hidden singles. The flags do not change during this step, so the
    // values with exactly one place in each unit are found first; then they are
    // placed value by value, columns and rows interleaved, then boxes.
    // A unit's single candidate of v only leads to a placement when that cell is
    // empty, so values whose one place is an assigned cell are dropped here.
    unsigned colOne[9], rowOne[9], boxOne[9];
    unsigned anyOne = 0;
    for (int u = 0; u < 9; ++u) {
        unsigned onceC = 0, twiceC = 0, openC = 0, onceR = 0, twiceR = 0, openR = 0, onceB = 0, twiceB = 0, openB = 0;
        for (int k = 0; k < 9; ++k) {
            const int ic = cellAt(u, k), ir = cellAt(k, u), ib = kBoxCells[u][k];
            const unsigned mc = cand[ic], mr = cand[ir], mb = cand[ib];
            twiceC |= onceC & mc;
            onceC |= mc;
            if (val[ic] < 0) openC |= mc;
            twiceR |= onceR & mr;
            onceR |= mr;
            if (val[ir] < 0) openR |= mr;
            twiceB |= onceB & mb;
            onceB |= mb;
            if (val[ib] < 0) openB |= mb;
        }
        colOne[u] = onceC & ~twiceC & openC;
        rowOne[u] = onceR & ~twiceR & openR;
        boxOne[u] = onceB & ~twiceB & openB;
        anyOne |= colOne[u] | rowOne[u] | boxOne[u];
    }
    auto& vals = s_.val;
    while (anyOne) {
        const int v = std::countr_zero(anyOne);
        anyOne &= anyOne - 1;
        const unsigned bit = 1u << v;
        for (int i = 0; i < 9; ++i) {
            if (colOne[i] & bit)
                for (int r = 0; r < 9; ++r)
                    if (cand[cellAt(i, r)] & bit) {
                        if (vals[cellAt(i, r)] < 0) place(moves, gridIdx, cellAt(i, r), v);
                        break;
                    }
            if (rowOne[i] & bit)
                for (int c = 0; c < 9; ++c)
                    if (cand[cellAt(c, i)] & bit) {
                        if (vals[cellAt(c, i)] < 0) place(moves, gridIdx, cellAt(c, i), v);
                        break;
                    }
        }
        for (int b = 0; b < 9; ++b) {
            if (!(boxOne[b] & bit)) continue;
            for (int k = 0; k < 9; ++k) {
                const int i = kBoxCells[b][k];
                if (cand[i] & bit) {
                    if (vals[i] < 0) place(moves, gridIdx, i, v);
                    break;
                }
            }
        }
    }
}

// Box placement by cross-hatching over the cell values: a value missing from a
// box that fits in only one of the box's empty cells goes there. Placements are
// seen at once by the following values and boxes.
void SudokuGrid::setSimple3x3Derivatives(MoveList& moves, int gridIdx)
{
    ValueMasks held(s_);
    auto& val = s_.val;
    for (int p = 0; p < 3; ++p)
        for (int q = 0; q < 3; ++q) {
            const int b = p * 3 + q;
            unsigned done = 0; // values already decided for this box
            for (;;) {
                unsigned once = 0, twice = 0;
                unsigned fits[9];
                for (int k = 0; k < 9; ++k) {
                    const int i = boxCellRowWise(p, q, k);
                    fits[k] = val[i] < 0 ? (kAllValues & ~(held.row[kCells.row[i]] | held.col[kCells.col[i]])) : 0u;
                    twice |= once & fits[k];
                    once |= fits[k];
                }
                const unsigned single = once & ~twice & ~held.box[b] & ~done;
                if (!single) break;
                const int v = std::countr_zero(single);
                const unsigned bit = 1u << v;
                for (int k = 0; k < 9; ++k)
                    if (fits[k] & bit) {
                        const int i = boxCellRowWise(p, q, k);
                        place(moves, gridIdx, i, v);
                        held.row[kCells.row[i]] |= static_cast<std::uint16_t>(bit);
                        held.col[kCells.col[i]] |= static_cast<std::uint16_t>(bit);
                        held.box[b] |= static_cast<std::uint16_t>(bit);
                        break;
                    }
                done = (bit << 1) - 1;
            }
        }
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
            if (s_.cand[cellAt(3 * sqIdxCol + a, 3 * sqIdxRow + t)] & bit) (t == rowIdx ? in : elsewhere) = true;
    return in && !elsewhere;
}

bool SudokuGrid::valOnlyIn3x3Col(int sqIdxCol, int sqIdxRow, int colIdx, int valIdx) const
{
    const unsigned bit = 1u << valIdx;
    bool in = false, elsewhere = false;
    for (int s = 0; s < 3; ++s)
        for (int b = 0; b < 3; ++b)
            if (s_.cand[cellAt(3 * sqIdxCol + s, 3 * sqIdxRow + b)] & bit) (s == colIdx ? in : elsewhere) = true;
    return in && !elsewhere;
}

bool SudokuGrid::checkConsistency() const
{
    unsigned row[9]{}, col[9]{}, box[9]{};
    for (int i = 0; i < 81; ++i) {
        const int v = s_.val[i];
        if (v < 0) continue;
        const unsigned bit = 1u << v;
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
int SudokuGrid::setSmallestDomain()
{
    unsigned rowUnion[9]{}, colUnion[9]{};
    int best = 10, bestIdx = -1;
    bool singleSeen = false;
    bool deadEnd = false;
    for (int i = 0; i < 81; ++i) {
        const unsigned m = s_.cand[i];
        rowUnion[kCells.row[i]] |= m;
        colUnion[kCells.col[i]] |= m;
        const int n = popcount(m);
        if (n == 0) deadEnd = true;
        else if (n == 1) singleSeen = true;
        else if (n < best) {
            best = n;
            bestIdx = i;
        }
    }
    if (deadEnd) return 0;
    for (int u = 0; u < 9; ++u)
        if (rowUnion[u] != kAllValues || colUnion[u] != kAllValues) return 0;
    if (best == 10) return singleSeen ? 1 : 0;
    s_.sdColIdx = kCells.col[bestIdx];
    s_.sdRowIdx = kCells.row[bestIdx];
    s_.sdValIdx = 0;
    return best;
}

bool SudokuGrid::setBestValue(MoveList& moves, int gridIdx)
{
    const int i = cellAt(s_.sdColIdx, s_.sdRowIdx);
    const unsigned m = s_.cand[i];
    if (!m) {
        s_.sdValIdx = 9;
        return false;
    }
    s_.sdValIdx = static_cast<std::int16_t>(std::countr_zero(m));
    place(moves, gridIdx, i, s_.sdValIdx);
    return true;
}

bool SudokuGrid::setNextBestValue(MoveList& moves, int gridIdx)
{
    const int i = cellAt(s_.sdColIdx, s_.sdRowIdx);
    s_.val[i] = -1;
    const unsigned above = s_.sdValIdx >= 8 ? 0u : (s_.cand[i] & ~((2u << s_.sdValIdx) - 1));
    if (!above) {
        s_.sdValIdx = 9;
        return false;
    }
    s_.sdValIdx = static_cast<std::int16_t>(std::countr_zero(above));
    place(moves, gridIdx, i, s_.sdValIdx);
    return true;
}

} // namespace engine
