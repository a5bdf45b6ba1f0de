// SPDX-License-Identifier: GPL-3.0-or-later
#include <bit>

#include "chains.h"
#include "techniques.h"

namespace logic {

namespace {

constexpr Technique kFish[] = {Technique::XWing, Technique::Swordfish, Technique::Jellyfish};
constexpr int kFishRating[] = {32, 38, 52};

// The unit of grid gi of the given kind and index.
int unitOf(const Geometry& geo, int gi, bool row, int k)
{
    const int c = row ? geo.cell(gi, 0, k) : geo.cell(gi, k, 0);
    for (int i = 0; i < geo.numUnitsOf[c]; ++i) {
        const Unit& u = geo.units[geo.unitsOf[c][i]];
        const UnitKind want = row ? UnitKind::Row : UnitKind::Column;
        if (u.kind == want && u.index == k && geo.unitSet[geo.unitsOf[c][i]].test(row ? geo.cell(gi, 8, k) : geo.cell(gi, k, 8)))
            return geo.unitsOf[c][i];
    }
    return -1;
}

} // namespace

namespace {

bool findFish(const CandidateGrid& g, int size, Step& step, ChainFinder::ValueMemo* memo)
{
    const Geometry& geo = g.geo();
    for (int v = 0; v < 9; ++v) {
        if (memo && memo->knows(g, v)) continue;
        for (int gi = 0; gi < geo.numGrids; ++gi)
            for (bool rows : {true, false}) {
                // Per base line, the cross lines where v may go.
                std::array<unsigned, 9> lineMask{};
                std::array<int, 9> lines{};
                int n = 0;
                auto at = [&](int line, int cross) { return rows ? geo.cell(gi, cross, line) : geo.cell(gi, line, cross); };
                for (int k = 0; k < 9; ++k) {
                    unsigned m = 0;
                    for (int x = 0; x < 9; ++x)
                        if (g.where(v).test(at(k, x))) m |= 1u << x;
                    const int cnt = bitCount(m);
                    if (cnt >= 2 && cnt <= size) {
                        lineMask[n] = m;
                        lines[n++] = k;
                    }
                }
                if (n < size) continue;
                for (unsigned pick = 0; pick < (1u << n); ++pick) {
                    if (bitCount(pick) != size) continue;
                    unsigned cover = 0, base = 0;
                    for (int i = 0; i < n; ++i)
                        if (pick >> i & 1u) {
                            cover |= lineMask[i];
                            base |= 1u << lines[i];
                        }
                    if (bitCount(cover) != size) continue;
                    bool any = false;
                    for (int x = 0; x < 9 && !any; ++x)
                        for (int k = 0; k < 9 && !any; ++k)
                            any = (cover >> x & 1u) && !(base >> k & 1u) && g.where(v).test(at(k, x));
                    if (!any) continue;
                    step = Step{};
                    step.technique = kFish[size - 2];
                    step.rating = kFishRating[size - 2];
                    step.digits = static_cast<std::uint16_t>(1u << v);
                    for (int k = 0; k < 9; ++k)
                        if (base >> k & 1u) step.addUnit(unitOf(geo, gi, rows, k));
                    for (int x = 0; x < 9; ++x)
                        if (cover >> x & 1u) step.addUnit(unitOf(geo, gi, !rows, x));
                    for (int x = 0; x < 9; ++x)
                        for (int k = 0; k < 9; ++k) {
                            if (!(cover >> x & 1u) || !g.where(v).test(at(k, x))) continue;
                            if (base >> k & 1u)
                                step.addCell(at(k, x));
                            else
                                step.addElimination(at(k, x), v);
                        }
                    return true;
                }
            }
        if (memo) memo->noteNothing(g, v);
    }
    return false;
}

} // namespace

bool findFish(const CandidateGrid& g, int size, Step& step) { return findFish(g, size, step, nullptr); }

bool findFish(const CandidateGrid& g, int size, Step& step, ChainFinder& memory)
{
    return findFish(g, size, step, &memory.valueMemo(1 + size));
}

} // namespace logic
