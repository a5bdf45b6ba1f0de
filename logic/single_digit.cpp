// SPDX-License-Identifier: GPL-3.0-or-later
#include <bit>

#include "chains.h"
#include "techniques.h"

namespace logic {

namespace {

Technique kindOf(const Geometry& geo, int u1, int u2, int b, int c)
{
    const UnitKind k1 = geo.units[u1].kind, k2 = geo.units[u2].kind;
    if (k1 != UnitKind::Box && k2 != UnitKind::Box) {
        if (k1 == k2) {
            // Parallel lines whose inner ends share a line.
            for (int i = 0; i < geo.numUnitsOf[b]; ++i) {
                const int u = geo.unitsOf[b][i];
                if (geo.units[u].kind != UnitKind::Box && geo.units[u].kind != k1 && geo.unitSet[u].test(c))
                    return Technique::Skyscraper;
            }
        } else {
            for (int i = 0; i < geo.numUnitsOf[b]; ++i) {
                const int u = geo.unitsOf[b][i];
                if (geo.units[u].kind == UnitKind::Box && geo.unitSet[u].test(c)) return Technique::TwoStringKite;
            }
        }
    }
    return Technique::TurbotFish;
}

bool findSingleDigitPattern(const CandidateGrid& g, Technique kind, Step& step, ChainFinder::ValueMemo* memo)
{
    const Geometry& geo = g.geo();
    struct Link {
        int unit, a, b;
    };
    // The values not known to give nothing.
    unsigned open = 0;
    for (int v = 0; v < 9; ++v)
        if (!memo || !memo->knows(g, v)) open |= 1u << v;
    if (open == 0) return false;
    // The strong links of those values, unit by unit.
    std::array<std::array<Link, kMaxUnits>, 9> linksOf;
    std::array<int, 9> numLinks{};
    for (int u = 0; u < geo.numUnits; ++u)
        for (unsigned two = g.twoPlaceValues(u) & open; two; two &= two - 1) {
            const int v = std::countr_zero(two);
            Link& l = linksOf[v][numLinks[v]++];
            l.unit = u;
            g.twoPlaces(u, v, l.a, l.b);
        }
    // Only parallel lines make a Skyscraper, only a row and a column a kite.
    auto mayBe = [&](int u1, int u2) {
        const UnitKind k1 = geo.units[u1].kind, k2 = geo.units[u2].kind;
        if (kind == Technique::Skyscraper) return k1 == k2 && k1 != UnitKind::Box;
        if (kind == Technique::TwoStringKite) return k1 != k2 && k1 != UnitKind::Box && k2 != UnitKind::Box;
        return true;
    };
    for (int v = 0; v < 9; ++v) {
        if (!(open >> v & 1u)) continue;
        const auto& links = linksOf[v];
        const int n = numLinks[v];
        for (int i = 0; i < n; ++i) {
            // The cells either end of this link sees: the inner ends see each other.
            const CellSet near = geo.peers[links[i].a] | geo.peers[links[i].b];
            for (int j = i + 1; j < n; ++j) {
                const int u1 = links[i].unit, a1 = links[i].a, b1 = links[i].b;
                const int u2 = links[j].unit, a2 = links[j].a, b2 = links[j].b;
                if (!mayBe(u1, u2) || !(near.test(a2) || near.test(b2))) continue;
                // Ends a and d, inner ends b and c (b sees c, all four distinct).
                const int ends[4][4] = {{a1, b1, a2, b2}, {a1, b1, b2, a2}, {b1, a1, a2, b2}, {b1, a1, b2, a2}};
                for (const auto& e : ends) {
                    const int a = e[0], b = e[1], c = e[2], d = e[3];
                    if (a == c || a == d || b == c || b == d || !geo.sees(b, c)) continue;
                    if (kindOf(geo, u1, u2, b, c) != kind) continue;
                    CellSet targets = geo.peers[a] & geo.peers[d] & g.where(v);
                    if (!targets.any()) continue;
                    step = Step{};
                    step.technique = kind;
                    step.rating = kind == Technique::Skyscraper ? 40 : kind == Technique::TwoStringKite ? 41 : 42;
                    step.digits = static_cast<std::uint16_t>(1u << v);
                    step.addUnit(u1);
                    step.addUnit(u2);
                    const Candidate nodes[4] = {{static_cast<std::int16_t>(a), static_cast<std::int8_t>(v)},
                                                {static_cast<std::int16_t>(b), static_cast<std::int8_t>(v)},
                                                {static_cast<std::int16_t>(c), static_cast<std::int8_t>(v)},
                                                {static_cast<std::int16_t>(d), static_cast<std::int8_t>(v)}};
                    for (int i = 0; i < 4; ++i) {
                        step.addCell(nodes[i].cell);
                        step.addChain(nodes[i], i % 2 == 1 ? false : true);
                    }
                    targets.forEach([&](int t) { step.addElimination(t, v); });
                    return true;
                }
            }
        }
        if (memo) memo->noteNothing(g, v);
    }
    return false;
}

} // namespace

bool findSingleDigitPattern(const CandidateGrid& g, Technique kind, Step& step)
{
    return findSingleDigitPattern(g, kind, step, nullptr);
}

bool findSingleDigitPattern(const CandidateGrid& g, Technique kind, Step& step, ChainFinder& memory)
{
    const int finder = kind == Technique::Skyscraper ? 0 : kind == Technique::TwoStringKite ? 1 : 2;
    return findSingleDigitPattern(g, kind, step, &memory.valueMemo(finder));
}

} // namespace logic
