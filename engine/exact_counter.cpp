// SPDX-License-Identifier: GPL-3.0-or-later
#include "exact_counter.h"

#include <algorithm>

#include "samurai.h"

namespace engine {

namespace {

constexpr std::uint16_t kValues = 0x1FF;
constexpr std::uint16_t kPlaced = 0x200;
constexpr int kMaxCells = 369;
constexpr int kMaxUnits = 131;
constexpr int kMaxPeers = 32;
constexpr int kMaxSegments = 246;
constexpr unsigned kAllRegions = 0x1F;

using Triple = std::array<std::int16_t, 3>;

constexpr bool isSingle(unsigned m) { return (m & (m - 1)) == 0; }

} // namespace

// The cells of a board (one per board position, so a shared cell is one cell
// of both grids), its units (rows, columns and boxes of every grid, a shared
// box once), the peers of every cell, and its segments: the three cells where
// a box meets a row or a column. A segment has two mates in its box and two
// in each line it lies in; a segment of a shared box lies in a line of both
// grids. Regions: the cells a corner grid does not share are region 0..3,
// all other cells region 4.
struct CounterGeometry {
    int grids = 0, cells = 0, units = 0, segments = 0;
    std::array<std::int16_t, 5 * 81> cellOf{}; // grid * 81 + col * 9 + row
    std::array<std::uint8_t, kMaxCells> regionOf{};
    std::array<std::array<std::int16_t, 9>, 4> sharedBox{}; // of each corner grid
    std::array<std::array<std::int16_t, 9>, kMaxUnits> unitCells{};
    std::array<std::array<std::int16_t, kMaxPeers>, kMaxCells> peers{};
    std::array<std::uint8_t, kMaxCells> numPeers{};
    std::array<Triple, kMaxSegments> segCells{};
    std::array<std::array<std::int16_t, 2>, kMaxSegments> boxMates{};
    std::array<std::array<std::int16_t, 4>, kMaxSegments> lineMates{}; // two pairs; -1 for no second line
};

namespace {

constexpr CounterGeometry makeGeometry(int numGrids)
{
    CounterGeometry geo{};
    geo.grids = numGrids;
    std::array<std::int16_t, kBoardSide * kBoardSide> atPosition{};
    atPosition.fill(-1);
    for (int g = 0; g < numGrids; ++g)
        for (int col = 0; col < 9; ++col)
            for (int row = 0; row < 9; ++row) {
                auto& cell = atPosition[boardRow(g, row) * kBoardSide + boardCol(g, col)];
                if (cell < 0) cell = static_cast<std::int16_t>(geo.cells++);
                geo.cellOf[g * 81 + col * 9 + row] = cell;
            }
    auto cellAt = [&](int g, int col, int row) { return geo.cellOf[g * 81 + col * 9 + row]; };
    for (int g = 0; g < numGrids; ++g)
        for (int i = 0; i < 81; ++i)
            geo.regionOf[cellAt(g, i / 9, i % 9)] =
                static_cast<std::uint8_t>(numGrids == 1 || g == kCentreGrid || isSharedCell(g, i / 9, i % 9) ? 4 : g);
    for (int o = 0; o < 4 && numGrids == kSamuraiGrids; ++o)
        for (int i = 0; i < 9; ++i)
            geo.sharedBox[o][i] = cellAt(kCentreGrid, kSharedBox[o].centreCol + i % 3, kSharedBox[o].centreRow + i / 3);

    for (int g = 0; g < numGrids; ++g)
        for (int k = 0; k < 9; ++k) {
            auto& row = geo.unitCells[geo.units++];
            auto& col = geo.unitCells[geo.units++];
            for (int i = 0; i < 9; ++i) {
                row[i] = cellAt(g, i, k);
                col[i] = cellAt(g, k, i);
            }
            const int c0 = 3 * (k % 3), r0 = 3 * (k / 3);
            if (numGrids == kSamuraiGrids && g != kCentreGrid && isSharedCell(g, c0, r0)) continue;
            auto& box = geo.unitCells[geo.units++];
            for (int i = 0; i < 9; ++i) box[i] = cellAt(g, c0 + i % 3, r0 + i / 3);
        }
    for (int u = 0; u < geo.units; ++u)
        for (int a : geo.unitCells[u])
            for (int b : geo.unitCells[u]) {
                auto& peers = geo.peers[a];
                auto& n = geo.numPeers[a];
                if (a != b && std::find(peers.begin(), peers.begin() + n, b) == peers.begin() + n)
                    peers[n++] = static_cast<std::int16_t>(b);
            }

    // Segment `third` of row or column `line` of grid g.
    auto segmentOf = [&](int g, bool row, int line, int third) {
        Triple cells{};
        for (int i = 0; i < 3; ++i) cells[i] = row ? cellAt(g, 3 * third + i, line) : cellAt(g, line, 3 * third + i);
        for (int s = 0; s < geo.segments; ++s)
            if (geo.segCells[s] == cells) return s;
        geo.segCells[geo.segments] = cells;
        geo.lineMates[geo.segments] = {-1, -1, -1, -1};
        return geo.segments++;
    };
    for (int g = 0; g < numGrids; ++g)
        for (bool row : {true, false})
            for (int k = 0; k < 9; ++k) {
                int line[3], box[3];
                for (int j = 0; j < 3; ++j) {
                    line[j] = segmentOf(g, row, k, j);                  // the thirds of line k
                    box[j] = segmentOf(g, row, 3 * (k / 3) + j, k % 3); // box k's segments in this direction
                }
                for (int j = 0; j < 3; ++j) {
                    auto& mates = geo.lineMates[line[j]];
                    const int at = mates[0] < 0 ? 0 : 2;
                    mates[at] = static_cast<std::int16_t>(line[(j + 1) % 3]);
                    mates[at + 1] = static_cast<std::int16_t>(line[(j + 2) % 3]);
                    geo.boxMates[box[j]] = {static_cast<std::int16_t>(box[(j + 1) % 3]),
                                            static_cast<std::int16_t>(box[(j + 2) % 3])};
                }
            }
    return geo;
}

constexpr CounterGeometry kStandardBoard = makeGeometry(1);
constexpr CounterGeometry kSamuraiBoard = makeGeometry(kSamuraiGrids);
static_assert(kStandardBoard.cells == 81 && kStandardBoard.units == 27 && kStandardBoard.segments == 54);
static_assert(kSamuraiBoard.cells == kMaxCells && kSamuraiBoard.units == kMaxUnits &&
              kSamuraiBoard.segments == kMaxSegments);

struct PopTable {
    std::array<std::uint8_t, 512> n{};
    constexpr PopTable()
    {
        for (unsigned m = 1; m < 512; ++m) n[m] = static_cast<std::uint8_t>(n[m & (m - 1)] + 1);
    }
};
constexpr PopTable kPop;

} // namespace

// The nodes are left uninitialised: a node is always written before it is read.
ExactCounter::ExactCounter() : geo_(&kStandardBoard), stack_(new Node[kMaxCells + 1]) { clear(1); }

void ExactCounter::clear(int numGrids)
{
    geo_ = numGrids == kSamuraiGrids ? &kSamuraiBoard : &kStandardBoard;
    conflict_ = false;
    board_.cand.fill(kValues);
}

void ExactCounter::setGiven(int g, int col, int row, int val)
{
    if (g < 0 || g >= geo_->grids || col < 0 || col > 8 || row < 0 || row > 8 || val < 0 || val > 8) return;
    std::uint16_t& m = board_.cand[geo_->cellOf[g * 81 + col * 9 + row]];
    if (!(m & (1u << val))) conflict_ = true;
    m = static_cast<std::uint16_t>(1u << val);
}

void ExactCounter::load(const GridSlots& grids, int numGrids)
{
    clear(numGrids);
    for (int g = 0; g < geo_->grids; ++g)
        for (int col = 0; col < 9; ++col)
            for (int row = 0; row < 9; ++row) setGiven(g, col, row, grids[g].getDerived3x3(col, row));
}

int ExactCounter::count()
{
    const bool on = true;
    return count(on, {});
}

int ExactCounter::count(const bool& searching, const YieldFn& yield)
{
    searching_ = &searching;
    yield_ = &yield;
    nodes_ = 0;
    stopped_ = false;
    if (yield) yield();
    if (!searching) return kStopped;
    if (conflict_) return 0;
    Node& root = stack_[0];
    root = board_;
    queued_ = 0;
    for (int c = 0; c < geo_->cells; ++c)
        if (isSingle(root.cand[c])) queue_[queued_++] = static_cast<std::int16_t>(c);
    const int n = propagate(root) ? search(0, kAllRegions) : 0;
    return stopped_ ? kStopped : n;
}

// Placing the queued singles bars their values from their peers, which may
// queue more; then hidden singles, then locked candidates, until none of
// them changes anything. False on a contradiction.
bool ExactCounter::propagate(Node& n)
{
    const CounterGeometry& geo = *geo_;
    auto& cand = n.cand;
    for (;;) {
        while (queued_ > 0) {
            const int c = queue_[--queued_];
            const unsigned m = cand[c];
            if (m & kPlaced) continue;
            cand[c] = static_cast<std::uint16_t>(m | kPlaced);
            // Without branches: every peer is rewritten, and one that has just
            // become a single is queued by moving the end of the queue.
            unsigned emptied = 0;
            for (int k = 0, e = geo.numPeers[c]; k < e; ++k) {
                const std::int16_t p = geo.peers[c][k];
                const unsigned before = cand[p], after = before & ~m;
                cand[p] = static_cast<std::uint16_t>(after);
                emptied |= (after & kValues) == 0; // no candidate left, or a placed peer with the same value
                queue_[queued_] = p;
                queued_ += (before != after) & isSingle(after);
            }
            if (emptied) return false;
        }
        bool found = false;
        for (int u = 0; u < geo.units; ++u) {
            const auto& cells = geo.unitCells[u];
            unsigned once = 0, twice = 0, placed = 0;
            for (std::int16_t c : cells) {
                const unsigned m = cand[c];
                twice |= once & m;
                once |= m;
                placed |= m & (0u - (m >> 9));
            }
            if ((once & kValues) != kValues) return false; // a value without a place
            for (unsigned single = once & ~twice & ~placed & kValues; single; single &= single - 1) {
                const unsigned bit = single & (0u - single);
                int k = 0;
                while (k < 9 && !(cand[cells[k]] & bit)) ++k;
                if (k == 9) return false; // its one place took another value of this unit
                if (cand[cells[k]] == bit) continue;
                cand[cells[k]] = static_cast<std::uint16_t>(bit);
                queue_[queued_++] = cells[k];
                found = true;
            }
        }
        if (found) continue;
        const int barred = lockedCandidates(n);
        if (barred <= 0) return barred == 0;
    }
}

// A value that a box holds in one of its segments only is barred from the
// rest of that segment's lines; one that a line holds in one segment only is
// barred from the rest of its box. The number of cells changed, -1 when one
// is left without a candidate.
int ExactCounter::lockedCandidates(Node& n)
{
    const CounterGeometry& geo = *geo_;
    auto& cand = n.cand;
    auto& in = segUnion_;
    for (int s = 0; s < geo.segments; ++s) {
        const Triple& c = geo.segCells[s];
        in[s] = static_cast<std::uint16_t>((cand[c[0]] | cand[c[1]] | cand[c[2]]) & kValues);
    }
    int changed = 0;
    bool emptied = false;
    auto bar = [&](int segment, unsigned values) {
        for (std::int16_t c : geo.segCells[segment]) {
            const unsigned before = cand[c], after = before & ~values;
            if (after == before) continue;
            cand[c] = static_cast<std::uint16_t>(after);
            ++changed;
            emptied |= (after & kValues) == 0;
            if (isSingle(after)) queue_[queued_++] = c;
        }
    };
    for (int s = 0; s < geo.segments && !emptied; ++s) {
        const auto& box = geo.boxMates[s];
        const auto& lines = geo.lineMates[s];
        const unsigned here = in[s], restOfBox = in[box[0]] | in[box[1]];
        for (int l = 0; l < 4 && lines[l] >= 0; l += 2) {
            const unsigned restOfLine = in[lines[l]] | in[lines[l + 1]];
            if (const unsigned pointing = here & ~restOfBox & restOfLine) {
                bar(lines[l], pointing);
                bar(lines[l + 1], pointing);
            }
            if (const unsigned claiming = here & ~restOfLine & restOfBox) {
                bar(box[0], claiming);
                bar(box[1], claiming);
            }
        }
    }
    return emptied ? -1 : changed;
}

// The solutions, up to two, of the open cells of the regions in scope (bit r
// for region r) in node `depth`. A corner grid whose shared box is filled is
// independent of the rest, so it is counted on its own and the counts
// multiplied: otherwise every way through one grid would search the others
// again. Otherwise branches on one cell, each candidate in a copy of the node.
// 0 once stopped.
int ExactCounter::search(int depth, unsigned scope)
{
    const Node& n = stack_[depth];
    const CounterGeometry& geo = *geo_;
    unsigned alone = 0;
    for (int o = 0; o < 4 && geo.grids == kSamuraiGrids; ++o) {
        bool filled = (scope >> o) & 1u;
        for (std::int16_t c : geo.sharedBox[o]) filled = filled && (n.cand[c] & kPlaced);
        if (filled) alone |= 1u << o;
    }
    if (alone && (alone != scope || !isSingle(alone))) {
        int product = 1;
        for (unsigned rest = scope; rest && product; ) {
            const unsigned group = (alone & rest) ? alone & rest & (0u - (alone & rest)) : rest;
            rest &= ~group;
            product = std::min(2, product * search(depth, group));
        }
        return product;
    }

    // The open cell with the fewest candidates; on a tie one of the centre
    // grid, so that shared boxes fill and corner grids split off early.
    int best = -1, fewest = 20;
    for (int c = 0; c < geo.cells && fewest > 4; ++c) {
        const unsigned m = n.cand[c];
        if ((m & kPlaced) || !((scope >> geo.regionOf[c]) & 1u)) continue;
        const int key = 2 * kPop.n[m] + (geo.regionOf[c] != 4);
        if (key < fewest) {
            fewest = key;
            best = c;
        }
    }
    if (best < 0) return 1;
    Node& child = stack_[depth + 1];
    int found = 0;
    for (unsigned m = n.cand[best]; m && found < 2; m &= m - 1) {
        if (++nodes_ % kYieldNodes == 0) {
            if (*yield_) (*yield_)();
            if (!*searching_) stopped_ = true;
        }
        if (stopped_) return 0;
        std::copy_n(n.cand.begin(), geo.cells, child.cand.begin());
        child.cand[best] = static_cast<std::uint16_t>(m & (0u - m));
        queue_[0] = static_cast<std::int16_t>(best);
        queued_ = 1;
        if (propagate(child)) found += search(depth + 1, scope);
    }
    return stopped_ ? 0 : std::min(found, 2);
}

} // namespace engine
