// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <algorithm>
#include <memory>

#include "candidate_grid.h"
#include "step.h"

namespace logic {

// The working memory of the chain techniques, made once and reused: search
// queues, parent links and scratch positions. One per rating thread.
class ChainFinder {
public:
    static constexpr int kStates = 2 * kMaxCandidates; // (cell * 9 + value) * 2 + on

    ChainFinder();
    ~ChainFinder();
    // Writes one byte of every page of the working tables back unchanged, so
    // that the system maps them now and not in the middle of a rating (on
    // some machines that costs tens of milliseconds on the first hard ones).
    void touchMemory();

    // Which links a chain may use: those of one value (strong links between
    // the two places of a value in a unit, weak links between its places in a
    // unit), or all (also those within a cell).
    enum class Links { OneValue, All };

    // Notes the strong links of the position (the other place of a value in
    // a unit where it has two). Call before follow() on a new position; on
    // the position prepared last it keeps what it remembered, and on another
    // it keeps each search as far as it followed no state whose links
    // changed.
    void prepare(const CandidateGrid& g);

    // What a finder read of a position: cells whose candidates, and per
    // value units whose places of it, it looked at.
    // Like the tables below, left unset by default so that a new finder
    // costs nothing for them until they are used (the first prepare of each
    // marks its table empty); Reads{} is empty.
    struct Reads {
        std::array<std::uint64_t, CellSet::kWords> cells;
        std::array<std::array<std::uint64_t, 3>, 9> units;
        void addCell(int c) { cells[static_cast<unsigned>(c) >> 6] |= std::uint64_t{1} << (c & 63); }
    };

    // Search from one assumption over strong and weak links of the position
    // prepared last (g must be that position). Afterwards
    // reached(s) tells whether state s follows, and depth(s) how many links
    // it took.
    // States more than maxDepth links away are not followed further.
    void follow(const CandidateGrid& g, int start, Links links, int maxDepth = kStates);
    // follow(), remembering each start's result while the position keeps
    // the links the search went over, so that a start asked for again (no
    // deeper) costs only a copy.
    void followRemembered(const CandidateGrid& g, int start, Links links, int maxDepth);
    // followRemembered() for a caller that goes over the reached states in
    // order alone: a remembered search is not marked again, so reached() and
    // depth() may tell of another search; reachedDepth(i) is the depth of
    // reachedState(i).
    void listRemembered(const CandidateGrid& g, int start, Links links, int maxDepth);

    // What changed between two positions of one board: the cells whose
    // candidates changed and, per value, the units where its places changed
    // (values: the values whose places changed, bits).
    static void changesBetween(const CandidateGrid& before, const CandidateGrid& after, Reads& changed, unsigned& values);
    // Whether nothing r read is among the changes.
    static bool untouched(const Reads& r, const Reads& changed, unsigned values);

    // The pivots of the wings of 4 and 5 cells found to give nothing, kept
    // while what their search read is unchanged. A pivot's search reads its
    // candidates and those of the peers it may pair with (pool) alone,
    // besides the places of the values it would remove, which only get
    // fewer while the positions do: so the pivot also gives nothing on a
    // position with the same pool (`again`) reached by removals only.
    struct WingPivot {
        bool nothing;
        bool again;
        std::uint16_t cand;
        std::uint8_t poolSize;
        std::array<std::int16_t, 32> pool;
        std::array<std::uint16_t, 32> poolCands;
        Reads reads;
    };
    // Drops the pivots that may give something on g.
    void prepareWings(const CandidateGrid& g);
    WingPivot& wingPivot(int size, int cell) { return wingPivots_[(size - 4) * kMaxCells + cell]; }

    // The values known to give nothing to a finder that looks at the places
    // of one value at a time (finder 0..8: Skyscraper, Two-String Kite,
    // Turbot Fish, X-Wing, Swordfish, Jellyfish, Direct Pointing, Pointing,
    // Claiming), with the places they had
    // then: such a finder gives the same while the places are the same.
    struct ValueMemo {
        const Geometry* geo = nullptr;
        std::array<bool, 9> nothing{};
        std::array<CellSet, 9> where{};
        // Whether v is known to give nothing on g; forgets all on another board.
        bool knows(const CandidateGrid& g, int v)
        {
            if (geo != &g.geo()) {
                geo = &g.geo();
                nothing.fill(false);
            }
            return nothing[v] && where[v] == g.where(v);
        }
        void noteNothing(const CandidateGrid& g, int v)
        {
            nothing[v] = true;
            where[v] = g.where(v);
        }
    };
    ValueMemo& valueMemo(int finder) { return valueMemos_[finder]; }

    // The units known to give nothing to a finder that looks at one unit at
    // a time (finder 0..7: naked pair, triple, quad; hidden pair, triple,
    // quad; direct hidden pair, triple) while the candidates of the cells
    // such a finder reads for the unit (`around`, set by the finder for each
    // board) stay as they were: each call first drops the units around which
    // a cell changed since the last call.
    struct UnitMemo {
        const Geometry* geo = nullptr;
        std::array<CellSet, kMaxUnits> around;
        std::array<bool, kMaxUnits> nothing;
        std::array<std::uint16_t, kMaxCells> seen; // the candidates at the last call
        // False when the memo is of another board: the finder then sets
        // `around` for g's board.
        bool sameBoard(const CandidateGrid& g)
        {
            const int numCells = g.geo().numCells;
            if (geo != &g.geo()) {
                geo = &g.geo();
                nothing.fill(false);
                for (int c = 0; c < numCells; ++c) seen[c] = g.cand(c);
                return false;
            }
            CellSet changed;
            for (int c = 0; c < numCells; ++c)
                if (seen[c] != g.cand(c)) {
                    changed.set(c);
                    seen[c] = g.cand(c);
                }
            if (changed.any())
                for (int u = 0; u < g.geo().numUnits; ++u)
                    if (nothing[u] && (around[u] & changed).any()) nothing[u] = false;
            return true;
        }
        bool knows(const CandidateGrid&, int u) const { return nothing[u]; }
        void noteNothing(const CandidateGrid&, int u) { nothing[u] = true; }
    };
    UnitMemo& unitMemo(int finder) { return unitMemos_[finder]; }

    // The bivalue cells (up to 64, with their candidates) and the places of
    // every value of the last position on which the Y-Cycle finder found
    // nothing. Its loops are made of those cells alone and its removals
    // are places of the values, so it finds nothing either on a position
    // with the same bivalue cells whose places are among those.
    struct CycleMemo {
        const Geometry* geo = nullptr;
        int numBivalue = 0;
        std::array<std::int16_t, 64> cells{};
        std::array<std::uint16_t, 64> cands{};
        std::array<CellSet, 9> where{};
    };
    CycleMemo& cycleMemo() { return cycleMemo_; }

    // The same for the XY-Wing (0) and XYZ-Wing (1) finders: their cells
    // are those with two candidates (and three, for a pivot of XYZ), so they
    // find nothing on a position with the same such cells, with the same
    // candidates, whose places are among those of one where they found
    // nothing.
    struct SmallCellsMemo {
        const Geometry* geo = nullptr;
        CellSet cells;
        std::array<std::uint16_t, kMaxCells> cands{};
        std::array<CellSet, 9> where{};
    };
    SmallCellsMemo& wingMemo(int finder) { return wingMemos_[finder]; }

    // What a technique concluded from one start (a candidate, a cell, a
    // unit's value) with searches no deeper than `limit`: its lowest rating
    // (the first of equals), where it was found and the deepest state it
    // used; limit is -1 when nothing is kept. Kept while the searches it
    // came from are: their keys and the versions they had (a key of -1 is a
    // search that was not kept, so the finding is not either).
    struct Finding {
        int limit;
        int rating;
        int depth;
        std::array<int, 4> at;
        int numSearches;
        std::array<std::int16_t, 9> keys;
        std::array<std::uint32_t, 9> versions;
        // Starts over with no searches.
        void restart(int shallower)
        {
            limit = shallower;
            rating = 1000;
            depth = 0;
            numSearches = 0;
        }
        // Whether it is also the answer with searches no deeper than
        // `shallower`, as far as a rating below `below` goes: the
        // conclusions of shallower searches are those of this one whose
        // states lie no deeper, in the same order.
        bool holds(int shallower, int below) const
        {
            return limit == shallower || (limit > shallower && (rating >= below || depth <= shallower));
        }
    };
    static constexpr int kFindings = 3 * kMaxCandidates;
    // The finding of a slot, dropped first if a search it came from has
    // changed since (or was not kept): it read no more than its searches did
    // (a search kept for a greater depth read more), so it holds while they
    // all do. Checked when asked for rather than for every finding at each
    // new position: a position asks for some finders' findings alone.
    Finding& finding(int slot)
    {
        Finding& f = findings_[slot];
        if (f.limit >= 0)
            for (int k = 0; k < f.numSearches; ++k)
                if (f.keys[k] < 0 || searchVersion_[f.keys[k]] != f.versions[k]) {
                    f.limit = -1;
                    break;
                }
        return f;
    }
    // Notes the last followRemembered() or listRemembered() as one of
    // those f came from.
    void addLastSearch(Finding& f) const
    {
        f.keys[f.numSearches] = static_cast<std::int16_t>(lastKey_);
        f.versions[f.numSearches++] = lastKey_ >= 0 ? searchVersion_[lastKey_] : 0;
    }

    // The states of the kept search over all links from a state "on" under
    // `key` (a lastKey()) as bits (kStateWords words), or null for another
    // key. Where the search was asked for less depth than it was kept for,
    // or was cut since, these are more than it found: a state not among
    // them was not reached.
    static constexpr int kStateWords = (kStates + 63) / 64;
    const std::uint64_t* stateBits(int key);
    // The key of the last remembered search, -1 when it was not kept.
    int lastKey() const { return lastKey_; }
    bool reached(int s) const { return node_[s].mark == stamp_; }
    // Whether candidate v of cell c has a strong link in the prepared position.
    bool hasStrongLink(int c, int v) const { return partners_[c * 9 + v][0] >= 0; }
    // The states reached by the last search, in the order found.
    int numReached() const { return numReached_; }
    int reachedState(int i) const { return reachedList_[i]; }
    int reachedDepth(int i) const { return reachedDepths_[i]; }
    // The same as arrays of numReached() entries, valid until the next search.
    const std::int16_t* reachedStates() const { return reachedList_; }
    const std::int16_t* reachedDepths() const { return reachedDepths_; }
    int depth(int s) const { return node_[s].depth; }
    int parent(int s) const { return node_[s].parent; }

    // What the singles made of one assumption (state) of the dynamic forcing
    // chains on a position without singles, kept while the position only
    // loses candidates that take no part in them: none (-1), no
    // contradiction at all (0), a contradiction after `placed` placements
    // (1), or stopped at the limit after `placed` (2). They removed
    // candidates from the cells `cells`, and value v from the cells
    // `removed[v]` (placed there or removed).
    // Kind 3: no contradiction either, as the state is among what the
    // singles made of assumption `from` (kind 0): the singles of a
    // consequence make a part of what the assumption made. Kept while that
    // one is.
    struct TrialResult {
        int kind;
        int placed;
        int from;
        CellSet cells;
        std::array<CellSet, 9> removed;
    };
    TrialResult& trialResult(int s)
    {
        setBit(keptTrials_, s, true);
        return trials_[s];
    }
    // The rating a step must stay below to be taken (tenths): the rater
    // sets it to that of an easier finder's step before asking a harder
    // one, so that the chain finders look no further (1000: any rating).
    void setRatingBelow(int below) { ratingBelow_ = below; }
    int ratingBelow() const { return ratingBelow_; }
    // Drops the trial results that may differ on g from the position they
    // were found on (all of them where g has candidates that one lacked).
    void prepareTrials(const CandidateGrid& g);

    // Solves the position by search; false when it has no solution, or when
    // the search has placed `budget` cells (-1: no limit) without an answer.
    bool solve(const CandidateGrid& g, CandidateGrid& solution, long budget = -1);
    // A solution of g: the one found for an earlier position while it still
    // agrees with g, else one found anew; null when g has none, or none
    // turns up within kSolutionBudget.
    const CandidateGrid* solutionOf(const CandidateGrid& g);
    // solutionOf()'s search only saves work, so it may give up. On a puzzle
    // with one solution it seldom needs more than a few hundred placements;
    // on a sparse Samurai board with several it can need millions (the
    // better part of a minute).
    static constexpr long kSolutionBudget = 20000;

    // Scratch storage for the techniques.
    struct Scratch;
    Scratch& scratch() { return *scratch_; }

private:
    // solve()'s search from the position at `depth`: the depth of the
    // solved position it reaches, or -1 (also once the budget runs out).
    int search(int depth);
    long searchBudget_ = -1;
    // The mark of a new search (node_[s].mark == it: s reached).
    std::uint32_t nextStamp();
    template <std::size_t N>
    static void setBit(std::array<std::uint64_t, N>& bits, int i, bool on)
    {
        const std::uint64_t bit = std::uint64_t{1} << (i & 63);
        auto& word = bits[static_cast<unsigned>(i) >> 6];
        word = on ? word | bit : word & ~bit;
    }
    template <bool kMark>
    void remembered(const CandidateGrid& g, int start, Links links, int maxDepth);
    // follow(), also noting in `cells` the cells of the states it followed
    // the links of, with the states found going to `list` and their depths
    // to `depths`.
    void followReading(int start, Links links, int maxDepth, CellSet& cells, std::int16_t* list, std::int16_t* depths);
    template <bool kReads>
    void followFrom(int start, Links links, int maxDepth, CellSet* cells, std::int16_t* list, std::int16_t* depths);
    // The search's loop: follows the links of list[head..tail), states
    // already marked with stamp, appending what they reach.
    template <bool kReads>
    void followOn(int head, int tail, std::uint32_t stamp, Links links, int maxDepth, CellSet* cells, std::int16_t* list,
                  std::int16_t* depths);
    // Keeps the search just made at the end of the pool under key.
    void keep(int key, int maxDepth);
    // On a new position: keeps the part of a kept search that still holds,
    // or drops it.
    void cutSearch(int key, const std::array<std::uint64_t, kStateWords>& moved);

    // What a search knows of a state, side by side so that a visit touches
    // one place: the search that reached it (stamp), its depth and parent.
    struct Node {
        std::uint32_t mark;
        std::int16_t depth;
        std::int16_t parent;
    };
    std::unique_ptr<Node[]> node_;
    std::unique_ptr<std::int16_t[]> queue_;
    // The states of the last search in the order found: where the pool
    // keeps it, or queue_ for one that is not kept.
    const std::int16_t* reachedList_ = nullptr;
    // Their depths, after a followRemembered() or listRemembered(): in the
    // pool, or in unkeptDepths_ for a search the pool had no room for.
    const std::int16_t* reachedDepths_ = nullptr;
    std::unique_ptr<std::int16_t[]> unkeptDepths_;
    std::uint32_t stamp_ = 0;
    int numReached_ = 0;
    std::unique_ptr<std::array<std::int16_t, 6>[]> partners_; // per candidate, -1 ended
    // Remembered searches, per kind of links and start state
    // (links * kStates + start): the first entry in the pool (-1 when not
    // remembered), the length, the maxDepth it was found with (INT16_MAX
    // when it ended before that) and the cells of the states it followed
    // the links of (a state's links come from the candidates of its cell
    // and the places of its value in the cell's units): the search holds
    // while none of those states has other links.
    static constexpr int kPool = 1 << 20;
    std::unique_ptr<std::int32_t[]> rememberedAt_;
    std::unique_ptr<std::int16_t[]> rememberedLength_;
    std::unique_ptr<std::int16_t[]> rememberedDepth_;
    std::unique_ptr<CellSet[]> rememberedCells_;
    // The states of each kept search over all links from a state "on", as
    // bits, made when first asked for (bitsMade_) and kept while the search
    // is: no fewer than its states after a cut, and joined by those a
    // deeper search adds.
    std::unique_ptr<std::uint64_t[]> stateBits_;
    std::array<std::uint64_t, kStateWords> bitsMade_{};
    // The bits of key's search where they are made, or null.
    std::uint64_t* madeBits(int key);
    // Adds n states to bits.
    static void addBits(std::uint64_t* bits, const std::int16_t* states, int n);
    // Where a search the pool has no room for notes its cells: nothing
    // looks at them, as nothing keeps that search.
    CellSet unkeptCells_;
    // Counts, per key, the kept searches dropped (so a finding can tell a
    // search made anew from the one it came from), and the key of the last
    // search (-1 when it could not be kept).
    std::unique_ptr<std::uint32_t[]> searchVersion_;
    int lastKey_ = -1;
    void dropSearch(int key)
    {
        rememberedAt_[key] = -1;
        ++searchVersion_[key];
        setBit(keptSearches_, key, false);
        if (key >= kStates) setBit(bitsMade_, key - kStates, false);
    }
    // The keys of the searches kept, so that prepare() looks at those alone.
    std::array<std::uint64_t, (2 * kStates + 63) / 64> keptSearches_{};
    std::unique_ptr<Finding[]> findings_;
    std::unique_ptr<TrialResult[]> trials_;
    // The states whose trial results may be kept (all those asked for since
    // the last prepareTrials()), so that it looks at those alone.
    std::array<std::uint64_t, kStateWords> keptTrials_{};
    int ratingBelow_ = 1000;
    std::unique_ptr<CandidateGrid> trialPosition_;
    bool haveTrialPosition_ = false;
    std::array<ValueMemo, 9> valueMemos_{};
    CycleMemo cycleMemo_{};
    std::array<SmallCellsMemo, 2> wingMemos_{};
    std::unique_ptr<UnitMemo[]> unitMemos_;
    std::unique_ptr<WingPivot[]> wingPivots_;
    std::unique_ptr<CandidateGrid> wingPosition_;
    bool haveWingPosition_ = false;
    // Marks empty what a board of geo's size uses of the tables (what lies
    // beyond is not looked at until a larger board marks it).
    void forgetAll(const Geometry& geo);
    // The finding slots of the three techniques that a board of geo's size
    // uses: [k * kMaxCandidates, k * kMaxCandidates + usedFindings(geo, k)).
    static int usedFindings(const Geometry& geo, int k) { return k < 2 ? geo.numCells * 9 : kMaxCells + geo.numUnits * 9; }
    std::unique_ptr<CandidateGrid> prepared_;
    bool havePrepared_ = false;
    std::unique_ptr<std::int16_t[]> poolState_;
    std::unique_ptr<std::int16_t[]> poolDepth_;
    // Where the searches still kept move when the pool runs full.
    std::unique_ptr<std::int16_t[]> spareState_;
    std::unique_ptr<std::int16_t[]> spareDepth_;
    int poolUsed_ = 0;
    std::unique_ptr<CandidateGrid> solution_;
    bool haveSolution_ = false;
    std::unique_ptr<Scratch> scratch_;
    // The links of the prepared position, state by state in the order a
    // search follows them: from edgeStart_[s] to edgeEnd_[s], first the
    // links within the cell (cellLinks_[s] of them), then those of one
    // value. Each candidate has room for kLinksPerCandidate, kOffLinks of
    // them for its state "off" (a cell has at most 5 units and 40 peers).
    static constexpr int kOffLinks = 6;
    static constexpr int kLinksPerCandidate = 64;
    static constexpr int kMaxLinks = kMaxCandidates * kLinksPerCandidate;
    std::unique_ptr<std::int32_t[]> edgeStart_;
    std::unique_ptr<std::int32_t[]> edgeEnd_;
    std::unique_ptr<std::uint8_t[]> cellLinks_;
    std::unique_ptr<std::int16_t[]> edges_;
    // The states whose links the last prepare() changed, and those whose
    // links to other places of their value changed (all an X-chain follows).
    std::array<std::uint64_t, kStateWords> moved_{};
    std::array<std::uint64_t, kStateWords> movedOneValue_{};
};

constexpr int stateOf(int cell, int v, bool on) { return (cell * 9 + v) * 2 + (on ? 1 : 0); }
// States are never negative: unsigned division is the cheaper one.
constexpr int cellOfState(int s) { return static_cast<int>(static_cast<unsigned>(s) / 18u); }
constexpr int valueOfState(int s) { return static_cast<int>(static_cast<unsigned>(s) / 2u % 9u); }
constexpr bool isOn(int s) { return (s & 1) != 0; }

} // namespace logic
