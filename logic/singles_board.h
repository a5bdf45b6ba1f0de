// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <bit>
#include <cstdint>

#include "chains.h"

namespace logic {

// A position made for following singles fast, as the dynamic forcing chains
// do from every assumption and the solver's search at every guess: the
// candidates of every cell, the places of every value, and per unit the
// count of places of each value (a value placed in the unit counts kPlaced,
// so that it never looks like a single or like a value with no place left).
//
// It queues what may need a look: the empty cells with at most one
// candidate, and the units where a value not placed has at most one place.
// It also notes whether it stopped at the limit. What its outcome depends
// on, on a position without singles, are the candidates it removed (the
// cells that changed, and per value the units whose places of it it counted
// down: every other value keeps two places or more in a unit, and so gives
// nothing there); removedSince() tells them.
class SinglesBoard {
public:
    // The position g, with everything queued that may hold a single.
    void load(const CandidateGrid& g);
    // Another board of the same position, queues and notes included.
    void copyFrom(const SinglesBoard& o);
    // Nothing queued: the position has no single and no contradiction.
    bool quiet() const { return !few_.any() && (units_[0] | units_[1] | units_[2]) == 0; }

    // Places v in c, or removes v from c, queueing what that may bring.
    void place(int c, int v);
    void eliminate(int c, int v);
    // Rounds of naked singles over the queued cells, then hidden singles
    // over the queued units, both in ascending order, until none is left.
    // False on a contradiction (a cell without candidates, or a unit
    // without a place for a value it lacks); placed counts the values
    // placed. At the placement that takes it past `limit` it stops and
    // returns true: whatever follows has more placements.
    bool propagate(int& placed, int limit);
    bool stopped() const { return stopped_; }
    // Per value the cells that lost it since this board was `before`
    // (placed there or removed), and all those cells.
    void removedSince(const SinglesBoard& before, std::array<CellSet, 9>& removed, CellSet& cells) const;

    const Geometry& geo() const { return *geo_; }
    // The cells with no value placed.
    CellSet open() const
    {
        CellSet s;
        for (const CellSet& w : where_) s = s | w;
        return s;
    }
    // The candidates of cell c, none once a value is placed there.
    std::uint16_t cand(int c) const { return cand_[c] & kPlacedFlag ? 0 : cand_[c]; }
    // The value placed in c, or -1.
    int value(int c) const { return cand_[c] & kPlacedFlag ? std::countr_zero(static_cast<unsigned>(cand_[c] & kAllDigits)) : -1; }
    // The places of value v in unit u, where v is not placed.
    int places(int u, int v) const { return count_[u][v]; }
    // Makes g, the position it was loaded from, what this board is now.
    void writeTo(CandidateGrid& g) const;

private:
    // A placed cell keeps its value's bit beside this flag.
    static constexpr std::uint16_t kPlacedFlag = 0x8000;
    // More than the places a unit can lose, so a placed value's count stays
    // above one.
    static constexpr std::uint8_t kPlaced = 100;
    void queueUnit(int u) { units_[static_cast<unsigned>(u) >> 6] |= std::uint64_t{1} << (u & 63); }
    // Notes that v lost a place in every unit of cell c.
    void lostPlaces(int c, int v);

    const Geometry* geo_ = nullptr;
    std::array<std::uint16_t, kMaxCells> cand_;
    std::array<CellSet, 9> where_;
    std::array<std::array<std::uint8_t, 9>, kMaxUnits> count_;
    CellSet few_;
    std::array<std::uint64_t, 3> units_{};
    bool stopped_ = false;
};

} // namespace logic
