// SPDX-License-Identifier: GPL-3.0-or-later
#include <bit>

#include "chains.h"
#include "techniques.h"

namespace logic {

namespace {

// A pivot with two pincers among its peers: the pivot holds the pincers'
// values but z, each pincer holds z and one other pivot value; z goes from
// every cell that sees both pincers (and the pivot, when the pivot holds z).
bool findWing(const CandidateGrid& g, bool withZ, Step& step, ChainFinder::SmallCellsMemo* memo)
{
    const Geometry& geo = g.geo();
    const int pivotSize = withZ ? 3 : 2;
    CellSet small;
    if (memo) {
        for (int c = 0; c < geo.numCells; ++c) {
            const int k = bitCount(static_cast<unsigned>(g.cand(c)));
            if (g.value(c) < 0 && k >= 2 && k <= pivotSize) small.set(c);
        }
        if (memo->geo == &geo && memo->cells == small) {
            bool same = true;
            small.forEach([&](int c) { same = same && memo->cands[c] == g.cand(c); });
            if (same && g.placesAmong(memo->where)) return false;
        }
    }
    for (int p = 0; p < geo.numCells; ++p) {
        const unsigned pm = g.cand(p);
        if (g.value(p) >= 0 || bitCount(pm) != pivotSize) continue;
        // Bivalue peers sharing exactly one value with the pivot (two for XYZ).
        std::array<int, 32> wings{};
        int n = 0;
        geo.peers[p].forEach([&](int q) {
            const unsigned qm = g.cand(q);
            if (g.value(q) < 0 && bitCount(qm) == 2 && n < 32 &&
                bitCount(qm & pm) == (withZ ? 2 : 1))
                wings[n++] = q;
        });
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j) {
                const unsigned a = g.cand(wings[i]), b = g.cand(wings[j]);
                if (a == b) continue;
                const unsigned z = a & b;
                if (bitCount(z) != 1) continue;
                if (withZ ? ((a | b) != pm) : ((z & pm) != 0 || ((a | b) & ~z) != pm)) continue;
                const int v = std::countr_zero(z);
                CellSet targets = geo.peers[wings[i]] & geo.peers[wings[j]] & g.where(v);
                if (withZ) targets &= geo.peers[p];
                targets.reset(p);
                if (!targets.any()) continue;
                step = Step{};
                step.technique = withZ ? Technique::XYZWing : Technique::XYWing;
                step.rating = withZ ? 44 : 42;
                step.digits = static_cast<std::uint16_t>(pm | z);
                step.addCell(p);
                step.addCell(wings[i]);
                step.addCell(wings[j]);
                targets.forEach([&](int c) { step.addElimination(c, v); });
                return true;
            }
    }
    if (memo) {
        memo->geo = &geo;
        memo->cells = small;
        small.forEach([&](int c) { memo->cands[c] = g.cand(c); });
        memo->where = g.places();
    }
    return false;
}

} // namespace

bool findXYWing(const CandidateGrid& g, Step& step) { return findWing(g, false, step, nullptr); }

bool findXYZWing(const CandidateGrid& g, Step& step) { return findWing(g, true, step, nullptr); }

bool findXYWing(const CandidateGrid& g, Step& step, ChainFinder& memory) { return findWing(g, false, step, &memory.wingMemo(0)); }

bool findXYZWing(const CandidateGrid& g, Step& step, ChainFinder& memory) { return findWing(g, true, step, &memory.wingMemo(1)); }

} // namespace logic

namespace logic {

namespace {

// N cells holding N values between them, every value but one (z) with all its
// places seeing each other: z must be in one of them, so it goes from every
// cell that sees all its places there.
struct BigWing {
    const CandidateGrid& g;
    int size;
    std::array<int, 32> pool{};
    int poolSize = 0;
    std::array<int, 8> chosen{};
    unsigned removable = 0; // the values z whose cells to remove it from were looked at

    // z: the one value whose places do not all see each other.
    bool check(unsigned all, int z, Step& step)
    {
        const Geometry& geo = g.geo();
        removable |= 1u << z;
        CellSet targets = g.where(z);
        for (int i = 0; i < size; ++i) {
            targets.reset(chosen[i]);
            if (g.has(chosen[i], z)) targets &= geo.peers[chosen[i]];
        }
        if (!targets.any()) return false;
        step = Step{};
        step.technique = size == 4 ? Technique::WXYZWing : Technique::VWXYZWing;
        step.rating = size == 4 ? kWXYZRating : kVWXYZRating;
        step.digits = static_cast<std::uint16_t>(all);
        for (int i = 0; i < size; ++i) step.addCell(chosen[i]);
        targets.forEach([&](int c) { step.addElimination(c, z); });
        return true;
    }

    // Whether some cell outside the first n chosen holds z and sees those
    // of them that hold it.
    bool targetsLeft(int n, int z)
    {
        const Geometry& geo = g.geo();
        removable |= 1u << z;
        CellSet targets = g.where(z);
        for (int i = 0; i < n; ++i) {
            targets.reset(chosen[i]);
            if (g.has(chosen[i], z)) targets &= geo.peers[chosen[i]];
        }
        return targets.any();
    }

    // loose: the values already placed in two cells that do not see each
    // other; a set with two such values never becomes a wing.
    bool extend(int depth, int from, unsigned all, unsigned loose, Step& step)
    {
        if (depth >= size || depth >= static_cast<int>(chosen.size())) return bitCount(all) == size && bitCount(loose) == 1 && check(all, std::countr_zero(loose), step);
        const Geometry& geo = g.geo();
        // Too few cells left to fill the set: nothing to find.
        for (int i = from; i <= poolSize - (size - depth); ++i) {
            const int q = pool[i];
            const unsigned next = all | g.cand(q);
            if (bitCount(next) > size) continue;
            unsigned nextLoose = loose;
            for (int j = 1; j < depth; ++j) // the pivot (chosen[0]) sees them all
                if (!geo.sees(chosen[j], q)) nextLoose |= g.cand(chosen[j]) & g.cand(q);
            if (bitCount(nextLoose) > 1) continue;
            chosen[depth] = q;
            // Once z is known, the cells that may lose it only get fewer as
            // cells join: none left, no wing.
            if (nextLoose != 0 && !targetsLeft(depth + 1, std::countr_zero(nextLoose))) continue;
            if (extend(depth + 1, i + 1, next, nextLoose, step)) return true;
        }
        return false;
    }
};

} // namespace

namespace {

bool findBigWing(const CandidateGrid& g, int size, Step& step, ChainFinder* memory)
{
    const Geometry& geo = g.geo();
    if (memory) memory->prepareWings(g);
    for (int p = 0; p < geo.numCells; ++p) {
        const int k = bitCount(static_cast<unsigned>(g.cand(p)));
        if (g.value(p) >= 0 || k < 2 || k > size) continue;
        if (memory && memory->wingPivot(size, p).nothing) continue;
        BigWing w{g, size};
        // The pivot sees the other cells; they come from its later peers so
        // that every set is tried once per pivot.
        geo.peers[p].forEach([&](int q) {
            const int kq = bitCount(static_cast<unsigned>(g.cand(q)));
            if (g.value(q) < 0 && kq >= 2 && kq <= size && w.poolSize < 32 &&
                bitCount(static_cast<unsigned>(g.cand(q) | g.cand(p))) <= size)
                w.pool[w.poolSize++] = q;
        });
        if (memory) {
            ChainFinder::WingPivot& known = memory->wingPivot(size, p);
            bool same = known.again && known.cand == g.cand(p) && known.poolSize == w.poolSize;
            for (int i = 0; i < w.poolSize && same; ++i) same = known.pool[i] == w.pool[i] && known.poolCands[i] == g.cand(w.pool[i]);
            if (same) {
                // What it read besides is what the search read then.
                known.nothing = true;
                continue;
            }
        }
        w.chosen[0] = p;
        if (w.extend(1, 0, g.cand(p), 0, step)) return true;
        if (!memory) continue;
        // The search read the candidates of the pivot and its peers, and the
        // places of each z it looked at in the units of those cells (the
        // cells to remove z from see one of the chosen).
        ChainFinder::WingPivot& known = memory->wingPivot(size, p);
        known.nothing = true;
        known.reads = {};
        known.reads.cells = geo.peers[p].w;
        known.reads.addCell(p);
        std::array<std::uint64_t, 3> units = geo.unitBits[p];
        geo.peers[p].forEach([&](int q) {
            for (int i = 0; i < 3; ++i) units[i] |= geo.unitBits[q][i];
        });
        for (unsigned m = w.removable; m; m &= m - 1) known.reads.units[std::countr_zero(m)] = units;
        known.again = true;
        known.cand = g.cand(p);
        known.poolSize = static_cast<std::uint8_t>(w.poolSize);
        for (int i = 0; i < w.poolSize; ++i) {
            known.pool[i] = static_cast<std::int16_t>(w.pool[i]);
            known.poolCands[i] = g.cand(w.pool[i]);
        }
    }
    return false;
}

} // namespace

bool findBigWing(const CandidateGrid& g, int size, Step& step) { return findBigWing(g, size, step, nullptr); }

bool findBigWing(const CandidateGrid& g, int size, Step& step, ChainFinder& memory)
{
    return findBigWing(g, size, step, &memory);
}

} // namespace logic
