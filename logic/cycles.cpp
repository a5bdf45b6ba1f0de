// SPDX-License-Identifier: GPL-3.0-or-later
#include <bit>

#include "chains.h"
#include "techniques.h"

namespace logic {

namespace {

constexpr int kYCycleBase = 66;
constexpr int kLongestCycle = 12; // cells

// A loop of bivalue cells, each seeing the next and sharing with it the value
// that links them, every cell's two values linking to its two neighbours:
// the cells take one of two assignments round the loop, so a linking value
// goes from every other cell that sees both cells it links.
struct CycleSearch {
    explicit CycleSearch(const CandidateGrid& grid) : g(grid) {}
    const CandidateGrid& g;
    std::array<int, 64> bivalue{};
    int numBivalue = 0;
    // Per bivalue cell and value, the bivalue cells (bits of their index)
    // that see it and hold the value.
    std::array<std::array<std::uint64_t, 9>, 64> links{};
    std::array<int, kLongestCycle> cells{};
    std::array<int, kLongestCycle> at{};     // the index of cells[i] among the bivalue cells
    std::array<int, kLongestCycle> linkIn{}; // the value linking cells[i - 1] to cells[i]
    std::uint64_t onPath = 0;

    void findLinks()
    {
        const Geometry& geo = g.geo();
        for (int i = 0; i < numBivalue; ++i)
            for (int j = i + 1; j < numBivalue; ++j) {
                if (!geo.sees(bivalue[i], bivalue[j])) continue;
                for (unsigned m = g.cand(bivalue[i]) & g.cand(bivalue[j]); m; m &= m - 1) {
                    links[i][std::countr_zero(m)] |= std::uint64_t{1} << j;
                    links[j][std::countr_zero(m)] |= std::uint64_t{1} << i;
                }
            }
    }
    int bestLength = kLongestCycle + 1;
    Step best;

    // Removals of the loop cells[0..n-1] whose last link value is `closing`.
    bool eliminations(int n, int closing, Step& step) const
    {
        const Geometry& geo = g.geo();
        bool any = false;
        for (int i = 0; i < n; ++i) {
            const int a = cells[i], b = cells[(i + 1) % n];
            const int v = i + 1 < n ? linkIn[i + 1] : closing;
            CellSet targets = geo.peers[a] & geo.peers[b] & g.where(v);
            for (int j = 0; j < n; ++j) targets.reset(cells[j]);
            targets.forEach([&](int c) {
                any = true;
                step.addElimination(c, v);
            });
        }
        return any;
    }

    void extend(int n, int out)
    {
        if (n >= bestLength) return;
        for (std::uint64_t x = links[at[n - 1]][out]; x; x &= x - 1) {
            const int i = std::countr_zero(x);
            const int c = bivalue[i];
            const int next = std::countr_zero(g.cand(c) & ~(1u << out));
            if (c == cells[0]) {
                // Closed: the first cell's other value must be the one we leave by.
                if (n >= 3 && out == linkIn[0]) {
                    Step step;
                    if (eliminations(n, out, step)) {
                        bestLength = n;
                        best = step;
                        best.technique = Technique::YCycle;
                        best.rating = kYCycleBase + lengthBonus(2 * n - 4);
                        best.digits = 0;
                        for (int j = 0; j < n; ++j) {
                            best.addCell(cells[j]);
                            best.digits = static_cast<std::uint16_t>(best.digits | g.cand(cells[j]));
                        }
                    }
                }
                continue;
            }
            if ((onPath >> i & 1u) || c < cells[0] || n == kLongestCycle) continue;
            onPath |= std::uint64_t{1} << i;
            cells[n] = c;
            at[n] = i;
            linkIn[n] = out;
            extend(n + 1, next);
            onPath &= ~(std::uint64_t{1} << i);
        }
    }
};

} // namespace

namespace {

bool findYCycle(const CandidateGrid& g, Step& step, ChainFinder::CycleMemo* memo)
{
    const Geometry& geo = g.geo();
    CycleSearch s(g);
    for (int c = 0; c < geo.numCells && s.numBivalue < 64; ++c)
        if (g.value(c) < 0 && bitCount(static_cast<unsigned>(g.cand(c))) == 2) s.bivalue[s.numBivalue++] = c;
    if (memo && memo->geo == &geo && memo->numBivalue == s.numBivalue) {
        bool same = true;
        for (int i = 0; i < s.numBivalue && same; ++i)
            same = memo->cells[i] == s.bivalue[i] && memo->cands[i] == g.cand(s.bivalue[i]);
        if (same && g.placesAmong(memo->where)) return false;
    }
    s.findLinks();
    for (int i = 0; i < s.numBivalue; ++i) {
        const int start = s.bivalue[i];
        const unsigned m = g.cand(start);
        // Enter the first cell by one value and leave it by the other.
        const int in = std::countr_zero(m), out = std::countr_zero(m & (m - 1));
        s.cells[0] = start;
        s.at[0] = i;
        s.linkIn[0] = in;
        s.onPath = std::uint64_t{1} << i;
        s.extend(1, out);
        s.onPath = 0;
    }
    if (s.bestLength > kLongestCycle) {
        if (memo) {
            memo->geo = &geo;
            memo->numBivalue = s.numBivalue;
            for (int i = 0; i < s.numBivalue; ++i) {
                memo->cells[i] = static_cast<std::int16_t>(s.bivalue[i]);
                memo->cands[i] = g.cand(s.bivalue[i]);
            }
            memo->where = g.places();
        }
        return false;
    }
    step = s.best;
    return true;
}

} // namespace

bool findYCycle(const CandidateGrid& g, Step& step) { return findYCycle(g, step, nullptr); }

bool findYCycle(const CandidateGrid& g, Step& step, ChainFinder& memory)
{
    return findYCycle(g, step, &memory.cycleMemo());
}

} // namespace logic
