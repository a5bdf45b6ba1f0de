// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string_view>
#include <utility>

#include "board.h"

namespace logic {

constexpr std::uint16_t kAllDigits = 0x1FF;

// A board position as a player sees it: the values placed so far and the
// candidates left in every empty cell (bits 0..8 for value indices 0..8).
class CandidateGrid {
public:
    explicit CandidateGrid(const Geometry& geo = Geometry::standard());

    // Places the givens of a puzzle line (81 or 405 characters; 1-9 given,
    // anything else empty; a shared cell's two characters must agree) and
    // clears the candidates they rule out. False when the line has another
    // length or two givens clash.
    bool loadLine(std::string_view line);
    // An empty board of its geometry.
    void clear();
    // Places value index v in cell c and removes v from its peers. False when
    // v is not a candidate there.
    bool place(int c, int v);
    // Places candidate v of cell c and returns the peers it removes v from.
    CellSet placeCandidate(int c, int v);
    void eliminate(int c, int v);
    // Sets the candidates of empty cell c (a player's pencil marks, or a
    // position built by hand).
    void setCandidates(int c, std::uint16_t mask);

    const Geometry& geo() const { return *geo_; }
    std::uint16_t cand(int c) const { return cand_[c]; }
    int value(int c) const { return value_[c]; }
    bool has(int c, int v) const { return (cand_[c] >> v) & 1u; }
    // The cells where v is still a candidate.
    const CellSet& where(int v) const { return where_[v]; }
    // where() of every value.
    const std::array<CellSet, 9>& places() const { return where_; }
    // Whether every value's places lie among those in `before`: the
    // position has only lost candidates since.
    bool placesAmong(const std::array<CellSet, 9>& before) const
    {
        for (int v = 0; v < 9; ++v)
            if ((where_[v] & before[v]) != where_[v]) return false;
        return true;
    }
    int unsolved() const { return unsolved_; }
    // The values placed in unit u (bits).
    unsigned placedIn(int u) const { return placedIn_[u]; }
    // Same board, values and candidates.
    bool samePosition(const CandidateGrid& o) const
    {
        return geo_ == o.geo_ && cand_ == o.cand_ && value_ == o.value_;
    }
    // The values with exactly two places in unit u (bits), and the two
    // places of value v there, lower cell first.
    unsigned twoPlaceValues(int u) const
    {
        unsigned once = 0, twice = 0, more = 0;
        for (int c : geo_->units[u].cells) {
            const unsigned m = cand_[c];
            more |= twice & m;
            twice |= once & m;
            once |= m;
        }
        return twice & ~more;
    }
    void twoPlaces(int u, int v, int& a, int& b) const
    {
        a = -1;
        for (int c : geo_->units[u].cells)
            if (has(c, v)) {
                if (a < 0) {
                    a = c;
                } else {
                    b = c;
                    break;
                }
            }
        if (b < a) std::swap(a, b);
    }
    // True when some empty cell has no candidate, or some unit has no place
    // for a value it still lacks, or two peers hold the same value.
    bool broken() const;

private:
    const Geometry* geo_;
    std::array<std::uint16_t, kMaxCells> cand_{};
    std::array<std::int8_t, kMaxCells> value_{};
    std::array<CellSet, 9> where_{};
    std::array<std::uint16_t, kMaxUnits> placedIn_{};
    int unsolved_ = 0;
};

} // namespace logic
