// SPDX-License-Identifier: GPL-3.0-or-later
#include "chains.h"
#include "techniques.h"

namespace logic {

// (A claiming's removals all lie in its own box, so only pointing has a
// direct form.)
int hiddenSingleAfter(const CandidateGrid& g, const CellSet& removed, int v, int& unit)
{
    const Geometry& geo = g.geo();
    const CellSet left = g.where(v).minus(removed);
    int found = -1;
    removed.forEach([&](int c) {
        for (int i = 0; i < geo.numUnitsOf[c] && found < 0; ++i) {
            const int u = geo.unitsOf[c][i];
            const CellSet places = left & geo.unitSet[u];
            if (geo.units[u].kind != UnitKind::Box) continue;
            const int only = places.single();
            if (only >= 0) {
                found = only;
                unit = u;
            }
        }
    });
    return found;
}

namespace {

// Value v of unit `from` lies only where it meets unit `to`: removes v from the
// rest of `to`. With direct, only when that leaves a hidden single.
bool lockedIn(const CandidateGrid& g, int from, int to, int v, bool direct, Technique t, int rating, Step& step)
{
    const Geometry& geo = g.geo();
    const CellSet places = g.where(v) & geo.unitSet[from];
    const CellSet removed = (g.where(v) & geo.unitSet[to]).minus(geo.unitSet[from]);
    if (places.fewerThanTwo() || places.minus(geo.unitSet[to]).any() || !removed.any()) return false;
    int unit = -1;
    const int single = direct ? hiddenSingleAfter(g, removed, v, unit) : -1;
    if (direct && single < 0) return false;
    step = Step{};
    step.technique = t;
    step.rating = rating;
    step.digits = static_cast<std::uint16_t>(1u << v);
    step.addUnit(from);
    step.addUnit(to);
    places.forEach([&](int c) { step.addCell(c); });
    removed.forEach([&](int c) { step.addElimination(c, v); });
    if (direct) {
        step.addUnit(unit);
        step.addPlacement(single, v);
    }
    return true;
}

// What v gives depends on its places alone: memo, when given, skips the
// values known to give nothing.
bool findLocked(const CandidateGrid& g, bool pointing, bool direct, Technique t, int rating, Step& step,
                ChainFinder::ValueMemo* memo = nullptr)
{
    const Geometry& geo = g.geo();
    for (int v = 0; v < 9; ++v) {
        if (memo && memo->knows(g, v)) continue;
        for (int from = 0; from < geo.numUnits; ++from) {
            if ((geo.units[from].kind == UnitKind::Box) != pointing) continue;
            const CellSet places = g.where(v) & geo.unitSet[from];
            if (places.fewerThanTwo()) continue; // no line or box can hold it alone
            const int first = places.first();
            for (int i = 0; i < geo.numUnitsOf[first]; ++i) {
                const int to = geo.unitsOf[first][i];
                if (to == from || (geo.units[to].kind == UnitKind::Box) == pointing) continue;
                if (lockedIn(g, from, to, v, direct, t, rating, step)) return true;
            }
        }
        if (memo) memo->noteNothing(g, v);
    }
    return false;
}

} // namespace

bool findPointing(const CandidateGrid& g, Step& step) { return findLocked(g, true, false, Technique::Pointing, 26, step); }

bool findClaiming(const CandidateGrid& g, Step& step) { return findLocked(g, false, false, Technique::Claiming, 28, step); }

bool findDirectPointing(const CandidateGrid& g, Step& step)
{
    return findLocked(g, true, true, Technique::DirectPointing, 17, step);
}

bool findDirectPointing(const CandidateGrid& g, Step& step, ChainFinder& memory)
{
    return findLocked(g, true, true, Technique::DirectPointing, 17, step, &memory.valueMemo(6));
}

bool findPointing(const CandidateGrid& g, Step& step, ChainFinder& memory)
{
    return findLocked(g, true, false, Technique::Pointing, 26, step, &memory.valueMemo(7));
}

bool findClaiming(const CandidateGrid& g, Step& step, ChainFinder& memory)
{
    return findLocked(g, false, false, Technique::Claiming, 28, step, &memory.valueMemo(8));
}


} // namespace logic
