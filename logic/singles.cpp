// SPDX-License-Identifier: GPL-3.0-or-later
#include <bit>

#include "techniques.h"

namespace logic {

namespace {

bool findHiddenSingle(const CandidateGrid& g, Step& step, bool boxes, bool onlyLastCell, Technique t, int rating)
{
    const Geometry& geo = g.geo();
    for (int u = 0; u < geo.numUnits; ++u) {
        if (!onlyLastCell && (geo.units[u].kind == UnitKind::Box) != boxes) continue;
        int empty = 0;
        if (onlyLastCell) {
            for (int c : geo.units[u].cells) empty += g.value(c) < 0;
            if (empty != 1) continue;
        }
        // The values with one place in the unit, lowest first.
        unsigned once = 0, twice = 0;
        for (int c : geo.units[u].cells) {
            twice |= once & g.cand(c);
            once |= g.cand(c);
        }
        if (const unsigned single = once & ~twice) {
            const int v = std::countr_zero(single);
            int c = -1;
            for (int k : geo.units[u].cells)
                if (g.has(k, v)) c = k;
            step = Step{};
            step.technique = t;
            step.rating = rating;
            step.digits = static_cast<std::uint16_t>(1u << v);
            step.addUnit(u);
            step.addCell(c);
            step.addPlacement(c, v);
            return true;
        }
    }
    return false;
}

} // namespace

bool findFullHouse(const CandidateGrid& g, Step& step)
{
    return findHiddenSingle(g, step, false, true, Technique::FullHouse, 10);
}

bool findHiddenSingleBox(const CandidateGrid& g, Step& step)
{
    return findHiddenSingle(g, step, true, false, Technique::HiddenSingleBox, 12);
}

bool findHiddenSingleLine(const CandidateGrid& g, Step& step)
{
    return findHiddenSingle(g, step, false, false, Technique::HiddenSingleLine, 15);
}

bool findNakedSingle(const CandidateGrid& g, Step& step)
{
    for (int c = 0; c < g.geo().numCells; ++c) {
        const unsigned m = g.cand(c);
        if (g.value(c) >= 0 || bitCount(m) != 1) continue;
        step = Step{};
        step.technique = Technique::NakedSingle;
        step.rating = 23;
        step.digits = static_cast<std::uint16_t>(m);
        step.addCell(c);
        step.addPlacement(c, std::countr_zero(m));
        return true;
    }
    return false;
}

bool applyStep(CandidateGrid& g, const Step& step)
{
    bool changed = false;
    for (int i = 0; i < step.numEliminations; ++i) {
        const int c = step.eliminations[i].cell, v = step.eliminations[i].value;
        changed = changed || g.has(c, v);
        g.eliminate(c, v);
    }
    for (int i = 0; i < step.numPlacements; ++i)
        if (g.value(step.placements[i].cell) < 0)
            changed = g.place(step.placements[i].cell, step.placements[i].value) || changed;
    return changed;
}

} // namespace logic
