// SPDX-License-Identifier: GPL-3.0-or-later
#include <bit>

#include "techniques.h"

namespace logic {

namespace {

// True when cell c lies in units of one grid only (not in a shared box).
bool ownedByOneGrid(const Geometry& geo, int c) { return geo.numUnitsOf[c] == 3; }

bool fillRectangle(const CandidateGrid& g, const std::array<int, 4>& cells, unsigned pair, int type, Step& step)
{
    step = Step{};
    step.technique = Technique::UniqueRectangle;
    step.rating = type == 1 ? 45 : 46;
    step.digits = static_cast<std::uint16_t>(pair);
    for (int c : cells) step.addCell(c);
    (void)g;
    return true;
}

// Tries the rectangle's types 1, 2 and 4 for the value pair.
bool tryRectangle(const CandidateGrid& g, const std::array<int, 4>& cells, unsigned pair, Step& step)
{
    const Geometry& geo = g.geo();
    std::array<int, 4> roof{};
    int numRoof = 0;
    unsigned extra = 0;
    for (int c : cells)
        if (g.cand(c) != pair) {
            roof[numRoof++] = c;
            extra |= g.cand(c) & ~pair;
        }
    if (numRoof == 1) {
        fillRectangle(g, cells, pair, 1, step);
        for (int v = 0; v < 9; ++v)
            if (pair >> v & 1u) step.addElimination(roof[0], v);
        return true;
    }
    if (numRoof != 2) return false;
    const CellSet common = geo.peers[roof[0]] & geo.peers[roof[1]];
    if (bitCount(extra) == 1) {
        const int z = std::countr_zero(extra);
        const CellSet targets = common & g.where(z);
        if (targets.any()) {
            fillRectangle(g, cells, pair, 2, step);
            targets.forEach([&](int c) { step.addElimination(c, z); });
            return true;
        }
    }
    if (!geo.sees(roof[0], roof[1])) return false;
    // Type 4: one value of the pair has no other place in a unit holding both
    // roof cells; the other value goes from the roof.
    for (int i = 0; i < geo.numUnitsOf[roof[0]]; ++i) {
        const int u = geo.unitsOf[roof[0]][i];
        if (!geo.unitSet[u].test(roof[1])) continue;
        for (int a = 0; a < 9; ++a) {
            if (!(pair >> a & 1u) || (g.where(a) & geo.unitSet[u]).count() != 2) continue;
            const int b = std::countr_zero(pair & ~(1u << a));
            fillRectangle(g, cells, pair, 4, step);
            step.addUnit(u);
            step.addElimination(roof[0], b);
            step.addElimination(roof[1], b);
            return true;
        }
    }
    return false;
}

} // namespace

bool findUniqueRectangle(const CandidateGrid& g, Step& step)
{
    const Geometry& geo = g.geo();
    for (int gi = 0; gi < geo.numGrids; ++gi)
        for (int r1 = 0; r1 < 9; ++r1)
            for (int r2 = r1 + 1; r2 < 9; ++r2) {
                const bool oneBand = r1 / 3 == r2 / 3;
                const std::int16_t* row1 = &geo.cellOf[gi * 81 + r1 * 9];
                const std::int16_t* row2 = &geo.cellOf[gi * 81 + r2 * 9];
                // The values both rows hold in each column (none where a cell is solved).
                std::array<unsigned, 9> both{};
                for (int c = 0; c < 9; ++c) both[c] = g.cand(row1[c]) & g.cand(row2[c]);
                for (int c1 = 0; c1 < 9; ++c1) {
                    if (bitCount(both[c1]) < 2) continue;
                    for (int c2 = c1 + 1; c2 < 9; ++c2) {
                        if (oneBand == (c1 / 3 == c2 / 3)) continue; // two boxes exactly
                        const unsigned common = both[c1] & both[c2];
                        if (bitCount(common) < 2) continue;
                        const std::array<int, 4> cells{row1[c1], row1[c2], row2[c1], row2[c2]};
                        bool usable = true;
                        for (int c : cells) usable = usable && ownedByOneGrid(geo, c);
                        if (!usable) continue;
                        for (unsigned ma = common; ma; ma &= ma - 1)
                            for (unsigned mb = ma & (ma - 1); mb; mb &= mb - 1) {
                                const unsigned pair = (ma & (0u - ma)) | (mb & (0u - mb));
                                int exact = 0;
                                for (int c : cells) exact += g.cand(c) == pair;
                                if (exact >= 2 && tryRectangle(g, cells, pair, step)) return true;
                            }
                    }
                }
            }
    return false;
}

bool findBug(const CandidateGrid& g, Step& step)
{
    const Geometry& geo = g.geo();
    int triple = -1;
    for (int c = 0; c < geo.numCells; ++c) {
        if (g.value(c) >= 0) continue;
        const int k = bitCount(static_cast<unsigned>(g.cand(c)));
        if (k == 2) continue;
        if (k != 3 || triple >= 0) return false;
        triple = c;
    }
    if (triple < 0) return false;
    // Every value twice (or not at all) in every unit, but one value three
    // times in the units of the three-valued cell: that value goes there.
    int odd = -1;
    for (int u = 0; u < geo.numUnits; ++u)
        for (int v = 0; v < 9; ++v) {
            const int n = (g.where(v) & geo.unitSet[u]).count();
            if (n == 0 || n == 2) continue;
            if (n != 3 || !geo.unitSet[u].test(triple) || (odd >= 0 && odd != v)) return false;
            odd = v;
        }
    if (odd < 0 || !g.has(triple, odd)) return false;
    step = Step{};
    step.technique = Technique::Bug;
    step.rating = 56;
    step.digits = static_cast<std::uint16_t>(1u << odd);
    step.addCell(triple);
    step.addPlacement(triple, odd);
    return true;
}

bool findBugTwo(const CandidateGrid& g, Step& step)
{
    const Geometry& geo = g.geo();
    // The cells with three candidates (at most four of them); all others two.
    std::array<int, 4> extra{};
    int n = 0;
    for (int c = 0; c < geo.numCells; ++c) {
        if (g.value(c) >= 0) continue;
        const int k = bitCount(static_cast<unsigned>(g.cand(c)));
        if (k == 2) continue;
        if (k != 3 || n == 4) return false;
        extra[n++] = c;
    }
    if (n < 2) return false;
    // Every three-valued cell loses one value (the same v in all of them) and
    // leaves each value twice or not at all in every unit: then one of those
    // cells must hold v, or the puzzle would have two solutions.
    for (int v = 0; v < 9; ++v) {
        bool fits = true;
        for (int i = 0; i < n && fits; ++i) fits = g.has(extra[i], v);
        for (int u = 0; u < geo.numUnits && fits; ++u)
            for (int d = 0; d < 9 && fits; ++d) {
                int count = (g.where(d) & geo.unitSet[u]).count();
                if (d == v)
                    for (int i = 0; i < n; ++i) count -= geo.unitSet[u].test(extra[i]);
                fits = count == 0 || count == 2;
            }
        if (!fits) continue;
        CellSet targets = g.where(v);
        for (int i = 0; i < n; ++i) {
            targets &= geo.peers[extra[i]];
            targets.reset(extra[i]);
        }
        if (!targets.any()) return false;
        step = Step{};
        step.technique = Technique::BugTwo;
        step.rating = 57;
        step.digits = static_cast<std::uint16_t>(1u << v);
        for (int i = 0; i < n; ++i) step.addCell(extra[i]);
        targets.forEach([&](int c) { step.addElimination(c, v); });
        return true;
    }
    return false;
}

} // namespace logic
