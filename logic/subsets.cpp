// SPDX-License-Identifier: GPL-3.0-or-later
#include <bit>

#include "chains.h"
#include "techniques.h"

namespace logic {

namespace {

constexpr Technique kNaked[] = {Technique::NakedPair, Technique::NakedTriple, Technique::NakedQuad};
constexpr int kNakedRating[] = {30, 36, 50};
constexpr Technique kHidden[] = {Technique::HiddenPair, Technique::HiddenTriple, Technique::HiddenQuad};
constexpr int kHiddenRating[] = {34, 40, 54};

// Calls f(chosen indices mask) for every choice of `size` of the n items,
// masks ascending; stops when f returns true.
template <class F> bool choose(int n, int size, F&& f)
{
    for (unsigned m = (1u << size) - 1; m < (1u << n);) {
        if (f(m)) return true;
        // The next larger mask with as many bits.
        const unsigned low = m & (0u - m), up = m + low;
        m = up | (((m ^ up) >> 2) / low);
    }
    return false;
}

// The cells a finder reads for unit u: the unit, and for naked subsets the
// cells that see two of its cells (where the values go from), for direct
// hidden subsets the boxes of its cells (where the hidden single is).
enum class Around { Unit, CommonPeers, Boxes };

ChainFinder::UnitMemo* memoFor(const CandidateGrid& g, ChainFinder& memory, int finder, Around around)
{
    ChainFinder::UnitMemo& memo = memory.unitMemo(finder);
    if (memo.sameBoard(g)) return &memo;
    const Geometry& geo = g.geo();
    for (int u = 0; u < geo.numUnits; ++u) {
        CellSet cells = geo.unitSet[u];
        const auto& in = geo.units[u].cells;
        for (int i = 0; i < 9; ++i) {
            if (around == Around::Boxes)
                for (int k = 0; k < geo.numUnitsOf[in[i]]; ++k)
                    if (geo.units[geo.unitsOf[in[i]][k]].kind == UnitKind::Box) cells |= geo.unitSet[geo.unitsOf[in[i]][k]];
            if (around == Around::CommonPeers)
                for (int j = i + 1; j < 9; ++j) cells |= geo.peers[in[i]] & geo.peers[in[j]];
        }
        memo.around[u] = cells;
    }
    return &memo;
}

} // namespace

bool findNakedSubset(const CandidateGrid& g, int size, Step& step, ChainFinder::UnitMemo* memo);

bool findNakedSubset(const CandidateGrid& g, int size, Step& step) { return findNakedSubset(g, size, step, nullptr); }

bool findNakedSubset(const CandidateGrid& g, int size, Step& step, ChainFinder& memory)
{
    return findNakedSubset(g, size, step, memoFor(g, memory, size - 2, Around::CommonPeers));
}

bool findNakedSubset(const CandidateGrid& g, int size, Step& step, ChainFinder::UnitMemo* memo)
{
    const Geometry& geo = g.geo();
    for (int u = 0; u < geo.numUnits; ++u) {
        if (memo && memo->knows(g, u)) continue;
        std::array<int, 9> cells{};
        int n = 0;
        for (int c : geo.units[u].cells) {
            const int k = bitCount(static_cast<unsigned>(g.cand(c)));
            if (g.value(c) < 0 && k >= 2 && k <= size) cells[n++] = c;
        }
        if (n < size) continue;
        const bool found = choose(n, size, [&](unsigned m) {
            unsigned digits = 0;
            CellSet chosen;
            for (int i = 0; i < n; ++i)
                if (m >> i & 1u) {
                    digits |= g.cand(cells[i]);
                    chosen.set(cells[i]);
                }
            if (bitCount(digits) != size) return false;
            // Every unit holding all the chosen cells loses those values elsewhere.
            CellSet others = geo.all();
            chosen.forEach([&](int c) { others &= geo.peers[c]; });
            bool any = false;
            for (int v = 0; v < 9; ++v)
                if (digits >> v & 1u) any = any || (g.where(v) & others).any();
            if (!any) return false;
            step = Step{};
            step.technique = kNaked[size - 2];
            step.rating = kNakedRating[size - 2];
            step.digits = static_cast<std::uint16_t>(digits);
            step.addUnit(u);
            chosen.forEach([&](int c) { step.addCell(c); });
            for (int v = 0; v < 9; ++v)
                if (digits >> v & 1u) (g.where(v) & others).forEach([&](int c) { step.addElimination(c, v); });
            return true;
        });
        if (found) return true;
        if (memo) memo->noteNothing(g, u);
    }
    return false;
}

namespace {

bool hiddenSubset(const CandidateGrid& g, int size, bool direct, Step& step, ChainFinder::UnitMemo* memo = nullptr)
{
    const Geometry& geo = g.geo();
    for (int u = 0; u < geo.numUnits; ++u) {
        if (memo && memo->knows(g, u)) continue;
        // Per value, its places in the unit as bits of the unit's cells.
        std::array<unsigned, 9> at{};
        for (int i = 0; i < 9; ++i)
            for (unsigned m = g.cand(geo.units[u].cells[i]); m; m &= m - 1) at[std::countr_zero(m)] |= 1u << i;
        std::array<int, 9> digits{};
        int n = 0;
        for (int v = 0; v < 9; ++v) {
            const int k = bitCount(at[v]);
            if (k >= 2 && k <= size) digits[n++] = v;
        }
        if (n < size) continue;
        const bool found = choose(n, size, [&](unsigned m) {
            unsigned places = 0, mask = 0;
            for (int i = 0; i < n; ++i)
                if (m >> i & 1u) {
                    places |= at[digits[i]];
                    mask |= 1u << digits[i];
                }
            if (bitCount(places) != size) return false;
            CellSet cells;
            for (int i = 0; i < 9; ++i)
                if (places >> i & 1u) cells.set(geo.units[u].cells[i]);
            bool any = false;
            cells.forEach([&](int c) { any = any || (g.cand(c) & ~mask) != 0; });
            if (!any) return false;
            int single = -1, singleValue = -1, unit = -1;
            if (direct) {
                for (int v = 0; v < 9 && single < 0; ++v) {
                    if (mask >> v & 1u) continue;
                    const CellSet removed = cells & g.where(v);
                    if (removed.any()) {
                        single = hiddenSingleAfter(g, removed, v, unit);
                        singleValue = v;
                    }
                }
                if (single < 0) return false;
            }
            step = Step{};
            step.technique = direct ? (size == 2 ? Technique::DirectHiddenPair : Technique::DirectHiddenTriple)
                                    : kHidden[size - 2];
            step.rating = direct ? (size == 2 ? 20 : 25) : kHiddenRating[size - 2];
            step.digits = static_cast<std::uint16_t>(mask);
            step.addUnit(u);
            cells.forEach([&](int c) {
                step.addCell(c);
                for (int v = 0; v < 9; ++v)
                    if ((g.cand(c) & ~mask) >> v & 1u) step.addElimination(c, v);
            });
            if (direct) {
                step.addUnit(unit);
                step.addPlacement(single, singleValue);
            }
            return true;
        });
        if (found) return true;
        if (memo) memo->noteNothing(g, u);
    }
    return false;
}

} // namespace

bool findHiddenSubset(const CandidateGrid& g, int size, Step& step) { return hiddenSubset(g, size, false, step); }

bool findDirectHiddenSubset(const CandidateGrid& g, int size, Step& step) { return hiddenSubset(g, size, true, step); }

bool findHiddenSubset(const CandidateGrid& g, int size, Step& step, ChainFinder& memory)
{
    return hiddenSubset(g, size, false, step, memoFor(g, memory, 1 + size, Around::Unit));
}

bool findDirectHiddenSubset(const CandidateGrid& g, int size, Step& step, ChainFinder& memory)
{
    return hiddenSubset(g, size, true, step, memoFor(g, memory, 4 + size, Around::Boxes));
}

} // namespace logic
