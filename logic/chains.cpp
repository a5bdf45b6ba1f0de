// SPDX-License-Identifier: GPL-3.0-or-later
#include "chains.h"

#include <algorithm>
#include <bit>

#include "singles_board.h"
#include "techniques.h"

namespace logic {

// The search lists kept between the searches of one technique.
struct ChainFinder::Scratch {
    std::array<std::int16_t, kStates> states{}; // states of a first search
    std::array<std::int16_t, kStates> total{};  // their depths
    int count = 0;
    // The multiple forcing chains' branches so far, by state: the last
    // branch that reached it (round + branch, a state reached by every
    // branch so far has the latest), the lengths to it summed and the
    // greatest depth.
    std::array<std::uint32_t, kStates> branch{};
    std::array<std::int16_t, kStates> sum{};
    std::array<std::int16_t, kStates> most{};
    std::uint32_t round = 0;
    // The states of the first branch that every branch so far may reach.
    std::array<std::int16_t, kStates> survivors{};
    // The cells (c) and the units' values (kMaxCells + unit * 9 + value)
    // whose branches the multiple forcing chains try, by number of branches.
    std::array<std::int16_t, kMaxCells + kMaxUnits * 9> byBranches{};
    CandidateGrid trial;
    // The dynamic forcing chains' position and the trial made from it.
    SinglesBoard base, board;
    // The positions of solve()'s search, one per depth.
    std::array<SinglesBoard, kMaxCells + 1> levels;
};

ChainFinder::ChainFinder()
    : node_(new Node[kStates]()), queue_(new std::int16_t[kStates]()), reachedList_(queue_.get()),
      unkeptDepths_(new std::int16_t[kStates]), partners_(new std::array<std::int16_t, 6>[kMaxCandidates]),
      rememberedAt_(new std::int32_t[2 * kStates]), rememberedLength_(new std::int16_t[2 * kStates]()),
      rememberedDepth_(new std::int16_t[2 * kStates]()), rememberedCells_(new CellSet[2 * kStates]),
      stateBits_(new std::uint64_t[static_cast<std::size_t>(kStates) * kStateWords]),
      searchVersion_(new std::uint32_t[2 * kStates]()),
      findings_(new Finding[kFindings]), trials_(new TrialResult[kStates]), trialPosition_(new CandidateGrid),
      unitMemos_(new UnitMemo[8]), wingPivots_(new WingPivot[2 * kMaxCells]), wingPosition_(new CandidateGrid),
      prepared_(new CandidateGrid),
      poolState_(new std::int16_t[kPool]), poolDepth_(new std::int16_t[kPool]), spareState_(new std::int16_t[kPool]),
      spareDepth_(new std::int16_t[kPool]), solution_(new CandidateGrid),
      scratch_(new Scratch),
      edgeStart_(new std::int32_t[kStates]), edgeEnd_(new std::int32_t[kStates]()), cellLinks_(new std::uint8_t[kStates]()),
      edges_(new std::int16_t[kMaxLinks])
{
    // Room for the links of each state: a state "off" has at most one link
    // within its cell and one strong link per unit, a state "on" at most
    // eight within its cell and one per peer.
    for (int s = 0; s < kStates; ++s) edgeStart_[s] = s / 2 * kLinksPerCandidate + (isOn(s) ? kOffLinks : 0);
}

ChainFinder::~ChainFinder() = default;

void ChainFinder::touchMemory()
{
    auto touch = [](auto* p, std::size_t n) {
        auto* bytes = reinterpret_cast<volatile unsigned char*>(p);
        for (std::size_t i = 0; i < n * sizeof(*p); i += 4096) bytes[i] = bytes[i];
    };
    touch(node_.get(), kStates);
    touch(queue_.get(), kStates);
    touch(unkeptDepths_.get(), kStates);
    touch(partners_.get(), kMaxCandidates);
    touch(rememberedAt_.get(), 2 * kStates);
    touch(rememberedLength_.get(), 2 * kStates);
    touch(rememberedDepth_.get(), 2 * kStates);
    touch(rememberedCells_.get(), 2 * kStates);
    touch(stateBits_.get(), static_cast<std::size_t>(kStates) * kStateWords);
    touch(findings_.get(), kFindings);
    touch(searchVersion_.get(), 2 * kStates);
    touch(trials_.get(), kStates);
    touch(wingPivots_.get(), 2 * kMaxCells);
    touch(poolState_.get(), kPool);
    touch(poolDepth_.get(), kPool);
    touch(spareState_.get(), kPool);
    touch(spareDepth_.get(), kPool);
    touch(scratch_.get(), 1);
    touch(edgeStart_.get(), kStates);
    touch(edgeEnd_.get(), kStates);
    touch(cellLinks_.get(), kStates);
    touch(edges_.get(), kMaxLinks);
}

namespace {

// Calls f(i) for each set bit i of `bits`, in order; f may clear the bit.
template <std::size_t N, typename F>
void forEachBit(std::array<std::uint64_t, N>& bits, F&& f)
{
    for (std::size_t w = 0; w < N; ++w)
        for (std::uint64_t m = bits[w]; m; m &= m - 1) f(static_cast<int>(w * 64) + std::countr_zero(m));
}

// The length ceilings of the chain ratings: 4, 6, 8, 12, 16, 24, ...
constexpr int nextCeiling(int ceiling, int added) { return added % 2 == 1 ? ceiling * 3 / 2 : ceiling * 4 / 3; }

constexpr int bonusOf(int length)
{
    int added = 0;
    for (int ceiling = 4; length > ceiling;) {
        ++added;
        ceiling = nextCeiling(ceiling, added);
    }
    return added;
}

// The bonus of every length a search can give, looked up in the hot loops.
constexpr int kBonusTable = 2 * ChainFinder::kStates + 2;
constexpr auto kBonus = [] {
    std::array<std::uint8_t, kBonusTable> t{};
    int added = 0, ceiling = 4;
    for (int length = 0; length < kBonusTable; ++length) {
        while (length > ceiling) ceiling = nextCeiling(ceiling, ++added);
        t[length] = static_cast<std::uint8_t>(added);
    }
    return t;
}();

} // namespace

int lengthBonus(int length)
{
    return length >= 0 && length < kBonusTable ? kBonus[length] : bonusOf(length);
}

void ChainFinder::forgetAll(const Geometry& geo)
{
    const int numStates = geo.numCells * 18;
    std::fill(rememberedAt_.get(), rememberedAt_.get() + numStates, -1);
    std::fill(rememberedAt_.get() + kStates, rememberedAt_.get() + kStates + numStates, -1);
    // Every finding goes too, so the versions need not change.
    for (int k = 0; k < 3; ++k)
        for (int i = k * kMaxCandidates; i < k * kMaxCandidates + usedFindings(geo, k); ++i) findings_[i].limit = -1;
    keptSearches_.fill(0);
    bitsMade_.fill(0);
    poolUsed_ = 0;
}

void ChainFinder::changesBetween(const CandidateGrid& before, const CandidateGrid& after, Reads& changed, unsigned& values)
{
    const Geometry& geo = after.geo();
    changed = Reads{};
    values = 0;
    for (int c = 0; c < geo.numCells; ++c) {
        const unsigned diff = static_cast<unsigned>(before.cand(c) ^ after.cand(c));
        if (diff == 0 && before.value(c) == after.value(c)) continue;
        changed.addCell(c);
        values |= diff;
        for (unsigned m = diff; m; m &= m - 1)
            for (int i = 0; i < 3; ++i) changed.units[std::countr_zero(m)][i] |= geo.unitBits[c][i];
    }
}

bool ChainFinder::untouched(const Reads& r, const Reads& changed, unsigned values)
{
    std::uint64_t meet = 0;
    for (int i = 0; i < CellSet::kWords; ++i) meet |= r.cells[i] & changed.cells[i];
    if (meet != 0) return false;
    for (unsigned m = values; m; m &= m - 1) {
        const auto& a = r.units[std::countr_zero(m)];
        const auto& b = changed.units[std::countr_zero(m)];
        if (((a[0] & b[0]) | (a[1] & b[1]) | (a[2] & b[2])) != 0) return false;
    }
    return true;
}

void ChainFinder::prepareWings(const CandidateGrid& g)
{
    if (haveWingPosition_ && wingPosition_->samePosition(g)) return;
    if (!haveWingPosition_ || &wingPosition_->geo() != &g.geo()) {
        for (int k = 0; k < 2 * kMaxCells; k += kMaxCells)
            for (int c = 0; c < g.geo().numCells; ++c) wingPivots_[k + c].nothing = wingPivots_[k + c].again = false;
    } else {
        Reads changed;
        unsigned values = 0;
        changesBetween(*wingPosition_, g, changed, values);
        const bool removalsOnly = g.placesAmong(wingPosition_->places());
        for (int k = 0; k < 2 * kMaxCells; k += kMaxCells)
            for (int c = 0; c < g.geo().numCells; ++c) {
                WingPivot& pivot = wingPivots_[k + c];
                if (pivot.nothing && !untouched(pivot.reads, changed, values)) pivot.nothing = false;
                pivot.again = pivot.again && removalsOnly;
            }
    }
    *wingPosition_ = g;
    haveWingPosition_ = true;
}

void ChainFinder::prepareTrials(const CandidateGrid& g)
{
    const Geometry& geo = g.geo();
    if (!haveTrialPosition_ || &trialPosition_->geo() != &geo || !g.placesAmong(trialPosition_->places())) {
        // Another board, or candidates given back: nothing is kept.
        for (int s = 0; s < geo.numCells * 18; ++s) trials_[s].kind = -1;
        keptTrials_.fill(0);
    } else {
        // The position only lost candidates. A trial runs the same as
        // before while nothing that changed takes part in it: a changed
        // cell it removed candidates from keeps two at least after those,
        // so it never holds a single; and in a unit where v's places
        // changed, v keeps two places at least after the k the trial
        // removed, so the unit never holds a single of v or lacks it. The
        // position before, which had more, did not either.
        Reads changed;
        unsigned values = 0;
        changesBetween(*trialPosition_, g, changed, values);
        CellSet changedCells;
        for (int i = 0; i < CellSet::kWords; ++i) changedCells.w[i] = changed.cells[i];
        // Per value whose places changed, the cells of the units where they
        // did, and the places left in each such unit.
        std::array<CellSet, 9> near;
        std::array<std::array<std::uint8_t, kMaxUnits>, 9> left;
        for (unsigned m = values; m; m &= m - 1) {
            const int v = std::countr_zero(m);
            near[v] = geo.cellsOf(changed.units[v]);
            forEachBit(changed.units[v], [&](int u) { left[v][u] = static_cast<std::uint8_t>((g.where(v) & geo.unitSet[u]).count()); });
        }
        auto touched = [&](const TrialResult& t) {
            const CellSet met = t.cells & changedCells;
            for (int i = 0; i < CellSet::kWords; ++i)
                for (std::uint64_t x = met.w[i]; x; x &= x - 1) {
                    const int c = i * 64 + std::countr_zero(x);
                    unsigned removed = 0;
                    for (int v = 0; v < 9; ++v) removed |= static_cast<unsigned>(t.removed[v].test(c)) << v;
                    if (bitCount(g.cand(c) & ~removed) < 2) return true;
                }
            for (unsigned m = values; m; m &= m - 1) {
                const int v = std::countr_zero(m);
                if (!(t.removed[v] & near[v]).any()) continue;
                bool tight = false;
                forEachBit(changed.units[v], [&](int u) {
                    const int k = (t.removed[v] & geo.unitSet[u]).count();
                    tight = tight || (k > 0 && left[v][u] - k < 2);
                });
                if (tight) return true;
            }
            return false;
        };
        forEachBit(keptTrials_, [&](int s) {
            TrialResult& t = trials_[s];
            if (t.kind >= 0 && t.kind != 3 && touched(t)) t.kind = -1;
        });
        forEachBit(keptTrials_, [&](int s) {
            TrialResult& t = trials_[s];
            if (t.kind == 3 && trials_[t.from].kind != 0) t.kind = -1;
            if (t.kind < 0) setBit(keptTrials_, s, false);
        });
    }
    *trialPosition_ = g;
    haveTrialPosition_ = true;
}

void ChainFinder::prepare(const CandidateGrid& g)
{
    if (havePrepared_ && prepared_->samePosition(g)) return;
    const Geometry& geo = g.geo();
    // The strong links and links of candidate v of cell c, in the order
    // follow() takes them. A state's links come from the candidates of its
    // cell and the places of its value in the units of the cell alone.
    // On a position next to the one prepared last (`compare`), the states
    // whose links differ from those noted before go to moved_.
    auto noteLinks = [&](int c, int v, bool compare) {
        const int off = stateOf(c, v, false), on = off + 1;
        // What was noted, to tell whether anything changed.
        const int oldOff = compare ? edgeEnd_[off] - edgeStart_[off] : 0, oldOn = compare ? edgeEnd_[on] - edgeStart_[on] : 0;
        const int oldCellOff = cellLinks_[off], oldCellOn = cellLinks_[on];
        std::array<std::int16_t, kLinksPerCandidate> old;
        std::copy_n(edges_.get() + edgeStart_[off], oldOff, old.begin());
        std::copy_n(edges_.get() + edgeStart_[on], oldOn, old.begin() + kOffLinks);
        auto& list = partners_[c * 9 + v];
        list[0] = -1;
        edgeEnd_[off] = edgeStart_[off];
        edgeEnd_[on] = edgeStart_[on];
        cellLinks_[off] = 0;
        cellLinks_[on] = 0;
        if (g.has(c, v)) {
            // The other place of v in each unit of c (in unit order) where
            // it has two.
            int n = 0;
            for (int i = 0; i < geo.numUnitsOf[c]; ++i) {
                const CellSet two = g.where(v) & geo.unitSet[geo.unitsOf[c][i]];
                if (two.count() != 2) continue;
                CellSet other = two;
                other.reset(c);
                const int p = other.first();
                if (std::find(list.begin(), list.begin() + n, p) != list.begin() + n) continue;
                list[n++] = static_cast<std::int16_t>(p);
                list[n] = -1;
            }
            const unsigned rest = g.cand(c) & ~(1u << v);
            std::int16_t* e = edges_.get() + edgeStart_[off];
            if (bitCount(rest) == 1) {
                *e++ = static_cast<std::int16_t>(stateOf(c, std::countr_zero(rest), true));
                cellLinks_[off] = 1;
            }
            for (const std::int16_t* p = list.data(); *p >= 0; ++p) *e++ = static_cast<std::int16_t>(stateOf(*p, v, true));
            edgeEnd_[off] = static_cast<std::int32_t>(e - edges_.get());
            e = edges_.get() + edgeStart_[on];
            for (unsigned m = rest; m; m &= m - 1) *e++ = static_cast<std::int16_t>(stateOf(c, std::countr_zero(m), false));
            cellLinks_[on] = static_cast<std::uint8_t>(bitCount(rest));
            (geo.peers[c] & g.where(v)).forEach([&](int p) { *e++ = static_cast<std::int16_t>(stateOf(p, v, false)); });
            edgeEnd_[on] = static_cast<std::int32_t>(e - edges_.get());
        }
        if (!compare) return;
        // A state moved if any of its links changed; for an X-chain only
        // if those past its cell's own did.
        auto compareLinks = [&](int s, int oldCount, int oldCell, const std::int16_t* was) {
            const std::int16_t* now = edges_.get() + edgeStart_[s];
            const int count = edgeEnd_[s] - edgeStart_[s];
            const bool sameValue = count - cellLinks_[s] == oldCount - oldCell &&
                                   std::equal(was + oldCell, was + oldCount, now + cellLinks_[s]);
            if (!sameValue) setBit(movedOneValue_, s, true);
            if (!sameValue || cellLinks_[s] != oldCell || !std::equal(was, was + oldCell, now)) setBit(moved_, s, true);
        };
        compareLinks(off, oldOff, oldCellOff, old.data());
        compareLinks(on, oldOn, oldCellOn, old.data() + kOffLinks);
    };
    if (!havePrepared_ || &prepared_->geo() != &geo) {
        forgetAll(geo);
        for (int c = 0; c < geo.numCells; ++c)
            for (int v = 0; v < 9; ++v) noteLinks(c, v, false);
        *prepared_ = g;
        havePrepared_ = true;
        return;
    }
    Reads changed;
    unsigned values = 0;
    changesBetween(*prepared_, g, changed, values);
    // Only the candidates of the cells that changed, and those of a value
    // whose places changed in one of their units, may have other links now:
    // moved_ gets the states whose links did change.
    moved_.fill(0);
    movedOneValue_.fill(0);
    CellSet cells;
    for (int i = 0; i < CellSet::kWords; ++i) cells.w[i] = changed.cells[i];
    cells.forEach([&](int c) {
        for (int v = 0; v < 9; ++v) noteLinks(c, v, true);
    });
    for (unsigned m = values; m; m &= m - 1) {
        const int v = std::countr_zero(m);
        CellSet near = geo.cellsOf(changed.units[v]);
        for (int k = 0; k < CellSet::kWords; ++k) near.w[k] &= ~cells.w[k];
        near.forEach([&](int c) { noteLinks(c, v, true); });
    }
    // A search none of whose followed states is in a cell with one that
    // moved holds as it was. An X-chain's search follows the states of its
    // value alone, over links to other places of the value.
    CellSet movedCells;
    std::array<CellSet, 9> movedOneValueCells;
    forEachBit(moved_, [&](int st) { movedCells.set(cellOfState(st)); });
    unsigned oneValueMoved = 0; // the values some of whose X-chain links changed
    forEachBit(movedOneValue_, [&](int st) {
        movedOneValueCells[static_cast<std::size_t>(valueOfState(st))].set(cellOfState(st));
        oneValueMoved |= 1u << valueOfState(st);
    });
    const bool anyMoved = movedCells.any();
    // The words of moved_ with a state in them, to test a search's bits
    // (where made) against before going over its states.
    std::array<std::uint8_t, kStateWords> movedWords;
    int numMovedWords = 0;
    for (int i = 0; i < kStateWords; ++i)
        if (moved_[static_cast<std::size_t>(i)]) movedWords[static_cast<std::size_t>(numMovedWords++)] = static_cast<std::uint8_t>(i);
    auto reachesMoved = [&](const std::uint64_t* bits) {
        for (int k = 0; k < numMovedWords; ++k)
            if (bits[movedWords[static_cast<std::size_t>(k)]] & moved_[movedWords[static_cast<std::size_t>(k)]]) return true;
        return false;
    };
    forEachBit(keptSearches_, [&](int key) {
        const bool all = key >= kStates;
        // Nothing moved that it could follow: it holds, and is not read.
        if (all ? !anyMoved : !(oneValueMoved >> valueOfState(key) & 1u)) return;
        if (rememberedAt_[key] < 0) return dropSearch(key);
        const CellSet& moved = all ? movedCells : movedOneValueCells[static_cast<std::size_t>(valueOfState(key))];
        if (!(rememberedCells_[key] & moved).any()) return;
        // Its bits hold every state it reached (and maybe more).
        if (const std::uint64_t* bits = madeBits(key); bits && !reachesMoved(bits)) return;
        cutSearch(key, all ? moved_ : movedOneValue_);
    });
    // Move the searches still kept to the start of a fresh pool.
    if (poolUsed_ > kPool / 2) {
        int used = 0;
        forEachBit(keptSearches_, [&](int s) {
            const int at = rememberedAt_[s];
            std::copy_n(poolState_.get() + at, rememberedLength_[s], spareState_.get() + used);
            std::copy_n(poolDepth_.get() + at, rememberedLength_[s], spareDepth_.get() + used);
            rememberedAt_[s] = used;
            used += rememberedLength_[s];
        });
        std::swap(poolState_, spareState_);
        std::swap(poolDepth_, spareDepth_);
        poolUsed_ = used;
        if (poolUsed_ > kPool / 2) forgetAll(geo);
    }
    *prepared_ = g;
}

void ChainFinder::cutSearch(int key, const std::array<std::uint64_t, kStateWords>& moved)
{
    // The states a search found up to the depth of the first state it
    // followed whose links changed (`moved`) come first, in the same order,
    // on the new position too: the search is kept for that depth, to be
    // deepened when asked for more. The cells it followed stay noted: more
    // than the part kept followed, which only makes a later position look
    // at it again.
    const int at = rememberedAt_[key];
    const int length = rememberedLength_[key];
    const int followedBelow = rememberedDepth_[key];
    const std::int16_t* states = poolState_.get() + at;
    const std::int16_t* depths = poolDepth_.get() + at;
    // States come by depth: those followed are a prefix.
    const int followed = depths[length - 1] < followedBelow
                             ? length
                             : static_cast<int>(std::lower_bound(depths, depths + length, followedBelow) - depths);
    for (int i = 0; i < followed; ++i) {
        const unsigned s = static_cast<unsigned>(states[i]);
        if (!(moved[s >> 6] >> (s & 63) & 1u)) continue;
        const int cut = depths[i];
        if (cut == 0) return dropSearch(key);
        ++searchVersion_[key];
        rememberedLength_[key] = static_cast<std::int16_t>(std::upper_bound(depths + i, depths + length, cut) - depths);
        rememberedDepth_[key] = static_cast<std::int16_t>(cut);
        return;
    }
}

void ChainFinder::followRemembered(const CandidateGrid& g, int start, Links links, int maxDepth)
{
    remembered<true>(g, start, links, maxDepth);
}

void ChainFinder::listRemembered(const CandidateGrid& g, int start, Links links, int maxDepth)
{
    remembered<false>(g, start, links, maxDepth);
}

template <bool kMark>
void ChainFinder::remembered(const CandidateGrid&, int start, Links links, int maxDepth)
{
    const int key = (links == Links::All ? kStates : 0) + start;
    const int at = rememberedAt_[key];
    if (at >= 0 && rememberedDepth_[key] >= std::min(maxDepth, static_cast<int>(INT16_MAX))) {
        // The search went at least as deep as asked; its states come by
        // depth, so those of the asked depth are a prefix. Keeping to it
        // makes the answer the same as a new search's, whatever was
        // remembered before.
        const std::int16_t* depths = poolDepth_.get() + at;
        const int length = rememberedLength_[key];
        const int n = depths[length - 1] <= maxDepth
                          ? length
                          : static_cast<int>(std::upper_bound(depths, depths + length, maxDepth) - depths);
        const std::int16_t* states = poolState_.get() + at;
        if constexpr (kMark) {
            Node* const node = node_.get();
            const std::uint32_t stamp = nextStamp();
            for (int i = 0; i < n; ++i) {
                Node& x = node[states[i]];
                x.mark = stamp;
                x.depth = depths[i];
            }
        }
        reachedList_ = states;
        reachedDepths_ = depths;
        numReached_ = n;
        lastKey_ = key;
        return;
    }
    if (at >= 0 && poolUsed_ + kStates <= kPool) {
        // Kept for a lesser depth: the deeper search finds the same states
        // first, in the same order, and follows what that one followed and
        // more.
        // It goes on from the states the kept one stopped at, at the end of
        // the pool.
        const int length = rememberedLength_[key];
        std::int16_t* const states = poolState_.get() + poolUsed_;
        std::int16_t* const depths = poolDepth_.get() + poolUsed_;
        std::copy_n(poolState_.get() + at, length, states);
        std::copy_n(poolDepth_.get() + at, length, depths);
        const std::uint32_t stamp = nextStamp();
        for (int i = 0; i < length; ++i) node_[states[i]] = Node{stamp, depths[i], -1};
        const int from = static_cast<int>(std::lower_bound(depths, depths + length, rememberedDepth_[key]) - depths);
        followOn<true>(from, length, stamp, links, maxDepth, &rememberedCells_[key], states, depths);
        // Bits made of it stay more than its states once the new ones join.
        if (std::uint64_t* bits = madeBits(key)) addBits(bits, states + length, numReached_ - length);
        keep(key, maxDepth);
        lastKey_ = key;
        return;
    }
    // The search goes straight to the end of the pool where it has room for
    // any search.
    if (poolUsed_ + kStates > kPool) {
        // No room to keep it: its followed cells go aside, and what was
        // kept under this key is dropped.
        unkeptCells_ = CellSet{};
        followReading(start, links, maxDepth, unkeptCells_, queue_.get(), unkeptDepths_.get());
        if (rememberedAt_[key] >= 0) dropSearch(key);
        lastKey_ = -1;
        reachedDepths_ = unkeptDepths_.get();
        return;
    }
    // A search not kept: made anew at the end of the pool.
    CellSet& cells = rememberedCells_[key];
    cells = CellSet{};
    lastKey_ = key;
    followReading(start, links, maxDepth, cells, poolState_.get() + poolUsed_, poolDepth_.get() + poolUsed_);
    keep(key, maxDepth);
}

void ChainFinder::keep(int key, int maxDepth)
{
    // The search just made at the end of the pool.
    std::int16_t* const depths = poolDepth_.get() + poolUsed_;
    const int deepest = depths[numReached_ - 1]; // states come by depth
    rememberedAt_[key] = poolUsed_;
    setBit(keptSearches_, key, true);
    rememberedLength_[key] = static_cast<std::int16_t>(numReached_);
    reachedDepths_ = depths;
    poolUsed_ += numReached_;
    // A search that ran out of links before maxDepth holds for any depth.
    rememberedDepth_[key] = static_cast<std::int16_t>(deepest < maxDepth ? INT16_MAX : std::min(maxDepth, static_cast<int>(INT16_MAX)));
}

std::uint64_t* ChainFinder::madeBits(int key)
{
    if (key < kStates || !isOn(key)) return nullptr;
    const int k = key - kStates;
    if (!(bitsMade_[static_cast<unsigned>(k) >> 6] >> (k & 63) & 1u)) return nullptr;
    return stateBits_.get() + static_cast<std::size_t>(k) * kStateWords;
}

void ChainFinder::addBits(std::uint64_t* bits, const std::int16_t* states, int n)
{
    for (int i = 0; i < n; ++i) {
        const auto s = static_cast<unsigned>(states[i]);
        bits[s >> 6] |= std::uint64_t{1} << (s & 63);
    }
}

const std::uint64_t* ChainFinder::stateBits(int key)
{
    if (key < kStates || !isOn(key)) return nullptr;
    if (const std::uint64_t* made = madeBits(key)) return made;
    // All the search kept, which is no less than it was asked for.
    const int k = key - kStates;
    std::uint64_t* bits = stateBits_.get() + static_cast<std::size_t>(k) * kStateWords;
    std::fill_n(bits, kStateWords, 0);
    addBits(bits, poolState_.get() + rememberedAt_[key], rememberedLength_[key]);
    setBit(bitsMade_, k, true);
    return bits;
}

void ChainFinder::follow(const CandidateGrid&, int start, Links links, int maxDepth)
{
    followFrom<false>(start, links, maxDepth, nullptr, queue_.get(), nullptr);
}

void ChainFinder::followReading(int start, Links links, int maxDepth, CellSet& cells, std::int16_t* list, std::int16_t* depths)
{
    followFrom<true>(start, links, maxDepth, &cells, list, depths);
}

std::uint32_t ChainFinder::nextStamp()
{
    // A new search's mark; when the count wraps, every mark is cleared.
    if (++stamp_ == 0) {
        for (int s = 0; s < kStates; ++s) node_[s].mark = 0;
        stamp_ = 1;
    }
    return stamp_;
}

template <bool kReads>
void ChainFinder::followFrom(int start, Links links, int maxDepth, CellSet* cells, std::int16_t* list, std::int16_t* depths)
{
    const std::uint32_t stamp = nextStamp();
    node_[start] = Node{stamp, 0, -1};
    if constexpr (kReads) depths[0] = 0;
    list[0] = static_cast<std::int16_t>(start);
    followOn<kReads>(0, 1, stamp, links, maxDepth, cells, list, depths);
}

template <bool kReads>
void ChainFinder::followOn(int head, int tail, std::uint32_t stamp, Links links, int maxDepth, CellSet* cells,
                           std::int16_t* list, std::int16_t* depths)
{
    Node* const node = node_.get();
    std::int16_t* const queue = list;
    const std::int16_t* const edges = edges_.get();
    const bool cellLinks = links == Links::All;
    while (head < tail) {
        const int s = queue[head++];
        const int d = node[s].depth;
        if (d >= maxDepth) continue;
        // The links of a state come from its cell's candidates and the
        // places of its value in the cell's units.
        if constexpr (kReads) cells->set(cellOfState(s));
        const int end = edgeEnd_[s];
        for (int i = edgeStart_[s] + (cellLinks ? 0 : cellLinks_[s]); i < end; ++i) {
            const int t = edges[i];
            if (node[t].mark == stamp) continue;
            node[t] = Node{stamp, static_cast<std::int16_t>(d + 1), static_cast<std::int16_t>(s)};
            if constexpr (kReads) depths[tail] = static_cast<std::int16_t>(d + 1);
            queue[tail++] = static_cast<std::int16_t>(t);
        }
    }
    reachedList_ = queue;
    numReached_ = tail;
}

bool ChainFinder::solve(const CandidateGrid& g, CandidateGrid& solution, long budget)
{
    searchBudget_ = budget;
    SinglesBoard& root = scratch_->levels[0];
    root.load(g);
    const int depth = search(0);
    if (depth < 0) return false;
    solution = g;
    scratch_->levels[static_cast<std::size_t>(depth)].writeTo(solution);
    return true;
}

const CandidateGrid* ChainFinder::solutionOf(const CandidateGrid& g)
{
    const Geometry& geo = g.geo();
    if (haveSolution_ && &solution_->geo() == &geo) {
        bool agrees = true;
        for (int c = 0; c < geo.numCells && agrees; ++c) {
            const int v = solution_->value(c);
            agrees = g.value(c) >= 0 ? g.value(c) == v : g.has(c, v);
        }
        if (agrees) return solution_.get();
    }
    haveSolution_ = solve(g, *solution_, kSolutionBudget);
    return haveSolution_ ? solution_.get() : nullptr;
}

int ChainFinder::search(int depth)
{
    // Singles first, then each candidate of an open cell with the fewest in
    // turn, of those the cell with the most open peers (its choice settles
    // the most); every level places a cell, so the levels never run out.
    auto& levels = scratch_->levels;
    SinglesBoard& here = levels[static_cast<std::size_t>(depth)];
    int placed = 0;
    if (!here.propagate(placed, kMaxCells)) return -1;
    const Geometry& geo = here.geo();
    const CellSet open = here.open();
    int best = -1, fewest = 10, most = -1;
    open.forEach([&](int c) {
        const int k = bitCount(static_cast<unsigned>(here.cand(c)));
        if (k > fewest) return;
        const int peers = (geo.peers[c] & open).count();
        if (k < fewest || peers > most) {
            fewest = k;
            most = peers;
            best = c;
        }
    });
    if (best < 0) return depth;
    for (unsigned m = here.cand(best); m; m &= m - 1) {
        if (searchBudget_ == 0) return -1;
        if (searchBudget_ > 0) --searchBudget_;
        SinglesBoard& next = levels[static_cast<std::size_t>(depth) + 1];
        next.copyFrom(here);
        next.place(best, std::countr_zero(m));
        if (const int solved = search(depth + 1); solved >= 0) return solved;
    }
    return -1;
}

namespace {

constexpr int kNodeShift = -1;
constexpr int kXChainBase = 66;
constexpr int kForcingChainBase = 70;
constexpr int kMultipleChainBase = 80;
constexpr int kMaxBranches = 9;
constexpr int kDynamicChainBase = 85;
constexpr int kTrialRating = 100;

// The ceiling of lengths after each number of tenths added, up to the first
// at or past kStates (which then stays).
constexpr int kCeilingSteps = 64;
constexpr std::array<int, kCeilingSteps> kCeilings = [] {
    std::array<int, kCeilingSteps> t{};
    int ceiling = 4;
    for (int added = 0; added < kCeilingSteps; ++added) {
        t[static_cast<std::size_t>(added)] = ceiling;
        if (ceiling < ChainFinder::kStates) ceiling = nextCeiling(ceiling, added + 1);
    }
    return t;
}();
static_assert(kCeilings[kCeilingSteps - 1] >= ChainFinder::kStates);

// The most nodes a chain may have to rate below `rating`.
int longestBelow(int base, int rating)
{
    if (rating >= 1000) return ChainFinder::kStates;
    // Lengths up to the ceiling of the largest bonus still below `rating`.
    const int allowed = rating - base - 1;
    if (allowed < 0) return 0;
    return std::min(kCeilings[static_cast<std::size_t>(std::min(allowed, kCeilingSteps - 1))], static_cast<int>(ChainFinder::kStates));
}

// Writes the chain from the search's start to state s into the step.
void writeChain(const ChainFinder& chains, int s, Step& step)
{
    std::array<int, 512> path{};
    int n = 0;
    for (int at = s; at >= 0 && n < 512; at = chains.parent(at)) path[n++] = at;
    for (int i = n - 1; i >= 0; --i) {
        const int at = path[i];
        step.addChain({static_cast<std::int16_t>(cellOfState(at)), static_cast<std::int8_t>(valueOfState(at))},
                      isOn(at));
        step.addCell(cellOfState(at));
    }
}

void conclude(Step& step, int s)
{
    if (isOn(s))
        step.addPlacement(cellOfState(s), valueOfState(s));
    else
        step.addElimination(cellOfState(s), valueOfState(s));
}

// A candidate whose assumption leads to its own negation, or whose two
// assumptions (true and false) lead to one conclusion. Keeps the lowest rated.
bool findStaticChain(const CandidateGrid& g, Step& step, ChainFinder& chains, ChainFinder::Links links, Technique t, int base)
{
    const Geometry& geo = g.geo();
    auto& sc = chains.scratch();
    // Nothing rated as an easier finder's step or higher would be taken.
    int bestRating = chains.ratingBelow(), bestStart = -1, bestTarget = -1, bestOther = -1, bestOtherTarget = -1;
    const int floor = base + lengthBonus(1);
    chains.prepare(g);
    // Short chains first: each round allows one tenth more, and the first
    // round that finds a chain finds the lowest rated one.
    // What each candidate gives is kept between positions while the units
    // its searches went over keep their candidates.
    const int slots = links == ChainFinder::Links::All ? kMaxCandidates : 0;
    for (int ceiling = floor + 2; bestStart < 0 && ceiling <= 1000; ceiling = 1001)
    for (int c = 0; c < geo.numCells && bestRating > floor; ++c)
        for (unsigned m = g.cand(c); m; m &= m - 1) {
            const int v = std::countr_zero(m);
            const int limit = longestBelow(base, std::min(bestRating, ceiling)) - kNodeShift;
            ChainFinder::Finding& f = chains.finding(slots + c * 9 + v);
            if (!f.holds(limit, bestRating)) [&] {
                // The candidate's lowest rated conclusion, the first of equals.
                f.restart(limit);
                auto found = [&](int r, int start, int target, int other, int depth) {
                    if (r >= f.rating) return;
                    f.rating = r;
                    f.depth = depth;
                    f.at = {start, target, other, target};
                };
                // From "v is in c": its negation is a contradiction.
                const int on = stateOf(c, v, true), off = stateOf(c, v, false);
                chains.followRemembered(g, on, links, limit);
                chains.addLastSearch(f);
                if (chains.reached(off)) found(base + lengthBonus(chains.depth(off) + kNodeShift), on, off, -1, chains.depth(off));
                // Without a strong link (or, over all links, a second candidate
                // in the cell) "v is not in c" implies nothing.
                if (!chains.hasStrongLink(c, v) &&
                    (links == ChainFinder::Links::OneValue || bitCount(static_cast<unsigned>(g.cand(c))) != 2))
                    return;
                // Keep what "v is in c" implies, for the two-sided conclusions.
                sc.count = 0;
                for (int i = 1; i < chains.numReached(); ++i) {
                    const int s = chains.reachedState(i);
                    sc.states[sc.count] = static_cast<std::int16_t>(s);
                    sc.total[sc.count++] = static_cast<std::int16_t>(chains.depth(s));
                }
                chains.followRemembered(g, off, links, limit);
                chains.addLastSearch(f);
                if (chains.reached(on)) found(base + lengthBonus(chains.depth(on) + kNodeShift), off, on, -1, chains.depth(on));
                for (int i = 0; i < sc.count; ++i) {
                    const int s = sc.states[i];
                    if (s == off || !chains.reached(s)) continue;
                    found(base + lengthBonus(sc.total[i] + chains.depth(s) + 2 * kNodeShift), on, s, off,
                          std::max(static_cast<int>(sc.total[i]), chains.depth(s)));
                }
            }();
            if (f.rating < bestRating) {
                bestRating = f.rating;
                bestStart = f.at[0];
                bestTarget = f.at[1];
                bestOther = f.at[2];
                bestOtherTarget = f.at[3];
            }
        }
    if (bestStart < 0) return false;
    step = Step{};
    step.technique = t;
    step.rating = bestRating;
    step.digits = static_cast<std::uint16_t>(1u << valueOfState(bestStart));
    chains.follow(g, bestStart, links);
    writeChain(chains, bestTarget, step);
    if (bestOther >= 0) {
        step.numBranches = 2;
        chains.follow(g, bestOther, links);
        writeChain(chains, bestOtherTarget, step);
    }
    conclude(step, bestTarget);
    return true;
}

} // namespace

bool findXChain(const CandidateGrid& g, Step& step, ChainFinder& chains)
{
    return findStaticChain(g, step, chains, ChainFinder::Links::OneValue, Technique::XChain, kXChainBase);
}

bool findForcingChain(const CandidateGrid& g, Step& step, ChainFinder& chains)
{
    return findStaticChain(g, step, chains, ChainFinder::Links::All, Technique::ForcingChain, kForcingChainBase);
}

bool findMultipleForcingChain(const CandidateGrid& g, Step& step, ChainFinder& chains)
{
    const Geometry& geo = g.geo();
    auto& sc = chains.scratch();
    // Nothing rated as an easier finder's step or higher would be taken.
    int bestRating = chains.ratingBelow(), bestState = -1, bestKind = -1, bestIndex = -1, bestValue = -1;
    chains.prepare(g);
    // Branches: kind 0 the candidates of cell `index`; kind 1 the places of
    // value `value` in unit `index`.
    auto branches = [&](int kind, int index, int value, auto&& each) {
        if (kind == 0) {
            for (unsigned m = g.cand(index); m; m &= m - 1) each(stateOf(index, std::countr_zero(m), true));
        } else {
            (g.where(value) & geo.unitSet[index]).forEach([&](int c) { each(stateOf(c, value, true)); });
        }
    };
    // What each cell or unit's value gives is kept between positions while
    // the units its searches went over keep their candidates.
    auto tryBranches = [&](int kind, int index, int value) {
        const int limit = longestBelow(kMultipleChainBase, bestRating);
        const int slot = 2 * kMaxCandidates + (kind == 0 ? index : kMaxCells + index * 9 + value);
        ChainFinder::Finding& f = chains.finding(slot);
        if (!f.holds(limit, bestRating)) {
            f.restart(limit);
            if (sc.round > UINT32_MAX - 2 * kMaxBranches) {
                sc.branch.fill(0);
                sc.round = 0;
            }
            // First whether the branches' states meet at all: the states of
            // the shorter of the first two branches that the other and each
            // later one may reach (mostly none is left).
            const std::int16_t* common = nullptr;
            int survivors = 0, firstKey = -1;
            std::uint32_t fetched = 0;
            bool apart = false, unknown = false;
            branches(kind, index, value, [&](int start) {
                if (apart) return;
                chains.listRemembered(g, start, ChainFinder::Links::All, limit);
                chains.addLastSearch(f);
                if (unknown) return;
                const int key = chains.lastKey();
                if (key < 0) {
                    // Its list goes with the next search.
                    unknown = true;
                    return;
                }
                if (fetched++ == 0) {
                    firstKey = key;
                    common = chains.reachedStates();
                    survivors = chains.numReached();
                    return;
                }
                const bool shorter = fetched == 2 && chains.numReached() < survivors;
                const std::uint64_t* bits = chains.stateBits(shorter ? firstKey : key);
                if (shorter) {
                    common = chains.reachedStates();
                    survivors = chains.numReached();
                }
                int left = 0;
                for (int i = 0; i < survivors; ++i) {
                    const auto s = static_cast<unsigned>(common[i]);
                    if (bits[s >> 6] >> (s & 63) & 1u) sc.survivors[left++] = static_cast<std::int16_t>(s);
                }
                common = sc.survivors.data();
                survivors = left;
                apart = left == 0;
            });
            if (apart) return;
            // They may meet: the lists again (each was kept, or is made the
            // same anew; the finding has them all already).
            const std::uint32_t round = sc.round;
            sc.round += kMaxBranches + 1;
            // The states every branch reaches: sc.states keeps those of the
            // first in the order found, and sc.branch tells which are still
            // common (sc.count of them).
            std::uint32_t b = 0;
            int first = 0;
            branches(kind, index, value, [&](int start) {
                if (b > 0 && sc.count == 0) return; // nothing in common already
                chains.listRemembered(g, start, ChainFinder::Links::All, limit);
                const int n = chains.numReached();
                if (b++ == 0) {
                    for (int i = 1; i < n; ++i) {
                        const int s = chains.reachedState(i), d = chains.reachedDepth(i);
                        sc.states[i - 1] = static_cast<std::int16_t>(s);
                        sc.branch[s] = round + 1;
                        sc.sum[s] = static_cast<std::int16_t>(d + 1);
                        sc.most[s] = static_cast<std::int16_t>(d);
                    }
                    first = sc.count = n - 1;
                    return;
                }
                int kept = 0;
                const std::int16_t* states = chains.reachedStates();
                const std::int16_t* depths = chains.reachedDepths();
                const std::uint32_t common = round + b - 1;
                for (int i = 0; i < n; ++i) {
                    const int s = states[i];
                    if (sc.branch[s] != common) continue;
                    const int d = depths[i];
                    sc.branch[s] = round + b;
                    sc.sum[s] = static_cast<std::int16_t>(sc.sum[s] + d + 1);
                    sc.most[s] = static_cast<std::int16_t>(std::max(static_cast<int>(sc.most[s]), d));
                    ++kept;
                }
                sc.count = kept;
            });
            // The lowest rated conclusion, the first of equals.
            for (int i = 0; i < first && sc.count > 0; ++i) {
                const int s = sc.states[i];
                if (sc.branch[s] != round + b) continue;
                const int r = kMultipleChainBase + lengthBonus(sc.sum[s]);
                if (r < f.rating) {
                    f.rating = r;
                    f.depth = sc.most[s];
                    f.at[0] = s;
                }
            }
        }
        if (f.rating < bestRating) {
            bestRating = f.rating;
            bestState = f.at[0];
            bestKind = kind;
            bestIndex = index;
            bestValue = value;
        }
    };
    // Fewer branches first: they make the shortest chains, and bound the
    // rest. For each number, the cells in order, then the units' values.
    std::array<int, kMaxBranches + 2> first{};
    std::array<std::array<std::uint8_t, 9>, kMaxUnits> placesIn{};
    for (int c = 0; c < geo.numCells; ++c) {
        const int k = bitCount(static_cast<unsigned>(g.cand(c)));
        if (g.value(c) < 0 && k >= 2) ++first[k + 1];
    }
    for (int u = 0; u < geo.numUnits; ++u) {
        for (int c : geo.units[u].cells)
            for (unsigned m = g.cand(c); m; m &= m - 1) ++placesIn[u][std::countr_zero(m)];
        for (int v = 0; v < 9; ++v)
            if (placesIn[u][v] >= 2) ++first[placesIn[u][v] + 1];
    }
    for (int k = 2; k <= kMaxBranches; ++k) first[k + 1] += first[k];
    std::array<int, kMaxBranches + 2> next = first;
    for (int c = 0; c < geo.numCells; ++c) {
        const int k = bitCount(static_cast<unsigned>(g.cand(c)));
        if (g.value(c) < 0 && k >= 2) sc.byBranches[next[k]++] = static_cast<std::int16_t>(c);
    }
    for (int u = 0; u < geo.numUnits; ++u)
        for (int v = 0; v < 9; ++v)
            if (placesIn[u][v] >= 2) sc.byBranches[next[placesIn[u][v]]++] = static_cast<std::int16_t>(kMaxCells + u * 9 + v);
    for (int k = 2; k <= kMaxBranches; ++k) {
        // Every branch has two nodes at least.
        if (kMultipleChainBase + lengthBonus(2 * k) >= bestRating) break;
        for (int i = first[k]; i < first[k + 1]; ++i) {
            const int at = sc.byBranches[i];
            if (at < kMaxCells)
                tryBranches(0, at, -1);
            else
                tryBranches(1, (at - kMaxCells) / 9, (at - kMaxCells) % 9);
        }
    }
    if (bestState < 0) return false;
    step = Step{};
    step.technique = bestKind == 0 ? Technique::CellForcingChain : Technique::UnitForcingChain;
    step.rating = bestRating;
    // A unit's branches are the places of one value: the pattern's value.
    step.digits = static_cast<std::uint16_t>(1u << (bestKind == 1 ? bestValue : valueOfState(bestState)));
    if (bestKind == 1) step.addUnit(bestIndex);
    branches(bestKind, bestIndex, bestValue, [&](int start) {
        chains.follow(g, start, ChainFinder::Links::All);
        ++step.numBranches;
        writeChain(chains, bestState, step);
    });
    conclude(step, bestState);
    return true;
}

bool findDynamicForcingChain(const CandidateGrid& g, Step& step, ChainFinder& chains)
{
    const Geometry& geo = g.geo();
    // What the position itself gives the singles to look at; each trial adds
    // what its assumption changes.
    SinglesBoard& base = chains.scratch().base;
    SinglesBoard& trial = chains.scratch().board;
    base.load(g);
    const bool quiet = base.quiet();
    chains.prepareTrials(g);
    // Singles from an assumption that holds in a solution of the position
    // make only what holds there too: never a contradiction.
    const CandidateGrid* solution = chains.solutionOf(g);
    // On a position without singles, removing v from a cell that keeps two
    // candidates, where every unit of the cell keeps two places for v, makes
    // no single either: nothing follows.
    auto leadsNowhere = [&](int c, int v) {
        if (!quiet) return false;
        for (int i = 0; i < geo.numUnitsOf[c]; ++i)
            if (base.places(geo.unitsOf[c][i], v) < 3) return false;
        return true;
    };
    int bestRating = 1000, bestCell = -1, bestValue = -1;
    bool bestOn = false;
    // The most placements a trial may make and still rate below `rating`.
    auto mostPlacedBelow = [](int rating) {
        int placed = kMaxCells;
        while (placed > 0 && kDynamicChainBase + lengthBonus(2 * placed + 2) >= rating) --placed;
        return placed;
    };
    // Every assumption in turn: the lowest rated contradiction, the first of
    // equals, no longer than a step already found elsewhere allows.
    {
        int limit = mostPlacedBelow(chains.ratingBelow());
        for (int c = 0; c < geo.numCells && bestRating > kDynamicChainBase; ++c)
            for (unsigned m = g.cand(c); m; m &= m - 1) {
                const int v = std::countr_zero(m);
                for (bool on : {true, false}) {
                    if (!on && bitCount(static_cast<unsigned>(g.cand(c))) == 2) continue; // the other is tried on
                    if (solution && (solution->value(c) == v) == on) continue;
                    if (!on && leadsNowhere(c, v)) continue;
                    // On a position without singles what follows depends on
                    // the units the singles looked at alone, so an earlier
                    // position's answer holds while those are unchanged.
                    ChainFinder::TrialResult& known = chains.trialResult(stateOf(c, v, on));
                    int placed = 0;
                    if (quiet && (known.kind == 0 || known.kind == 3)) continue;
                    if (quiet && (known.kind == 1 || known.kind == 2) && limit < known.placed) continue;
                    if (quiet && known.kind == 1) {
                        placed = known.placed;
                    } else {
                        trial.copyFrom(base);
                        if (on)
                            trial.place(c, v);
                        else
                            trial.eliminate(c, v);
                        const bool holds = trial.propagate(placed, limit);
                        if (quiet) {
                            known.kind = holds ? (trial.stopped() ? 2 : 0) : 1;
                            known.placed = placed;
                            known.from = -1;
                            trial.removedSince(base, known.removed, known.cells);
                        }
                        if (holds && quiet && !trial.stopped()) {
                            // Singles lead nowhere from any placement or
                            // removal they made here: what those make is
                            // a part of this.
                            const int from = stateOf(c, v, on);
                            auto noteNothing = [&](int s) {
                                ChainFinder::TrialResult& t = chains.trialResult(s);
                                if (t.kind == -1 || t.kind == 2) {
                                    t.kind = 3;
                                    t.from = from;
                                }
                            };
                            for (int i = 0; i < CellSet::kWords; ++i)
                                for (std::uint64_t x = known.cells.w[i]; x; x &= x - 1) {
                                    const int p = i * 64 + std::countr_zero(x);
                                    const unsigned gone = g.cand(p) & ~trial.cand(p);
                                    if (gone == 0) continue;
                                    const int w = trial.value(p);
                                    if (w >= 0 && g.value(p) < 0) noteNothing(stateOf(p, w, true));
                                    for (unsigned k = gone; k; k &= k - 1)
                                        if (std::countr_zero(k) != w) noteNothing(stateOf(p, std::countr_zero(k), false));
                                }
                        }
                        if (holds) continue;
                    }
                    const int r = kDynamicChainBase + lengthBonus(2 * placed + 2);
                    if (r < bestRating) {
                        bestRating = r;
                        // Longer propagations cannot rate lower any more.
                        limit = mostPlacedBelow(bestRating);
                        bestCell = c;
                        bestValue = v;
                        bestOn = on;
                    }
                }
            }
    }
    if (bestCell < 0) return false;
    step = Step{};
    step.technique = Technique::DynamicForcingChain;
    step.rating = bestRating;
    step.digits = static_cast<std::uint16_t>(1u << bestValue);
    step.addCell(bestCell);
    step.addChain({static_cast<std::int16_t>(bestCell), static_cast<std::int8_t>(bestValue)}, bestOn);
    if (bestOn)
        step.addElimination(bestCell, bestValue);
    else
        step.addPlacement(bestCell, bestValue);
    return true;
}

bool findTrial(const CandidateGrid& g, Step& step, ChainFinder& chains)
{
    const Geometry& geo = g.geo();
    CandidateGrid solution;
    if (!chains.solve(g, solution)) return false;
    // The first candidate, in the cells with fewest candidates, that the
    // search shows cannot be part of a solution.
    for (int k = 2; k <= 9; ++k)
        for (int c = 0; c < geo.numCells; ++c) {
            if (g.value(c) >= 0 || bitCount(static_cast<unsigned>(g.cand(c))) != k) continue;
            for (unsigned m = g.cand(c); m; m &= m - 1) {
                const int v = std::countr_zero(m);
                if (v == solution.value(c)) continue;
                CandidateGrid& trial = chains.scratch().trial;
                trial = g;
                trial.place(c, v);
                CandidateGrid other;
                if (chains.solve(trial, other)) continue;
                step = Step{};
                step.technique = Technique::Trial;
                step.rating = kTrialRating;
                step.digits = static_cast<std::uint16_t>(1u << v);
                step.addCell(c);
                step.addChain({static_cast<std::int16_t>(c), static_cast<std::int8_t>(v)}, true);
                step.addElimination(c, v);
                return true;
            }
        }
    return false;
}

} // namespace logic
