// SPDX-License-Identifier: GPL-3.0-or-later
#include "singles_board.h"

#include <algorithm>
#include <cstring>

namespace logic {

namespace {

// The bytes of x equal to zero, as the high bit of each.
constexpr std::uint64_t zeroBytes(std::uint64_t x)
{
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Fu;
    return ~(((x & kLow7) + kLow7) | x) & ~kLow7;
}

// The high bits of the eight bytes of x as bits 0..7.
constexpr unsigned gather(std::uint64_t highBits)
{
    return static_cast<unsigned>(((highBits >> 7) * 0x0102040810204080u) >> 56);
}

} // namespace

void SinglesBoard::load(const CandidateGrid& g)
{
    const Geometry& geo = g.geo();
    geo_ = &geo;
    few_ = CellSet{};
    units_ = {};
    stopped_ = false;
    for (int c = 0; c < geo.numCells; ++c) {
        const int v = g.value(c);
        cand_[c] = v >= 0 ? static_cast<std::uint16_t>(kPlacedFlag | 1u << v) : g.cand(c);
        if (v < 0 && (g.cand(c) & (g.cand(c) - 1)) == 0) few_.set(c);
    }
    where_ = g.places();
    for (int u = 0; u < geo.numUnits; ++u) {
        auto& count = count_[u];
        count = {};
        for (int c : geo.units[u].cells)
            for (unsigned m = g.cand(c); m; m &= m - 1) ++count[std::countr_zero(m)];
        const unsigned have = g.placedIn(u);
        for (int v = 0; v < 9; ++v)
            if (have >> v & 1u)
                count[v] = kPlaced;
            else if (count[v] <= 1)
                queueUnit(u);
    }
}

void SinglesBoard::copyFrom(const SinglesBoard& o)
{
    geo_ = o.geo_;
    std::copy_n(o.cand_.begin(), geo_->numCells, cand_.begin());
    where_ = o.where_;
    std::copy_n(o.count_.begin(), geo_->numUnits, count_.begin());
    few_ = o.few_;
    units_ = o.units_;
    stopped_ = o.stopped_;
}

void SinglesBoard::lostPlaces(int c, int v)
{
    // The units come in one word: a store to a count (a byte) cannot be
    // taken to change them.
    for (std::uint64_t units = geo_->unitBytes[c]; units; units >>= 8) {
        const int u = static_cast<int>(units & 0xFF) - 1;
        if (--count_[u][v] <= 1) queueUnit(u);
    }
}

void SinglesBoard::place(int c, int v)
{
    const Geometry& geo = *geo_;
    const unsigned had = cand_[c];
    where_[v].reset(c);
    cand_[c] = static_cast<std::uint16_t>(kPlacedFlag | 1u << v);
    few_.reset(c);
    for (std::uint64_t units = geo.unitBytes[c]; units; units >>= 8) count_[(units & 0xFF) - 1][v] = kPlaced;
    // The other candidates of c lose a place in its units.
    for (unsigned m = had & ~(1u << v); m; m &= m - 1) {
        const int w = std::countr_zero(m);
        where_[w].reset(c);
        lostPlaces(c, w);
    }
    // The peers that lose v, a word of cells at a time.
    const auto notV = static_cast<std::uint16_t>(~(1u << v));
    for (int i = geo.peerWords[c][0]; i < geo.peerWords[c][1]; ++i) {
        std::uint64_t lost = geo.peers[c].w[i] & where_[v].w[i];
        if (!lost) continue;
        where_[v].w[i] &= ~lost;
        for (; lost; lost &= lost - 1) {
            const int p = i * 64 + std::countr_zero(lost);
            cand_[p] &= notV;
            if ((cand_[p] & (cand_[p] - 1)) == 0) few_.set(p);
            lostPlaces(p, v);
        }
    }
}

void SinglesBoard::eliminate(int c, int v)
{
    if ((cand_[c] & kPlacedFlag) || !(cand_[c] >> v & 1u)) return;
    cand_[c] &= static_cast<std::uint16_t>(~(1u << v));
    where_[v].reset(c);
    lostPlaces(c, v);
    if ((cand_[c] & (cand_[c] - 1)) == 0) few_.set(c);
}

bool SinglesBoard::propagate(int& placed, int limit)
{
    // Only the queued cells and units can hold a single or a contradiction
    // (a unit is queued again whenever one of its values drops to one
    // place), so each round visits just those.
    const Geometry& geo = *geo_;
    auto nextUnit = [&](int u) {
        for (int i = u >> 6; i < 3; ++i) {
            const std::uint64_t x = units_[i] & (i == (u >> 6) ? ~std::uint64_t{0} << (u & 63) : ~std::uint64_t{0});
            if (x) return i * 64 + std::countr_zero(x);
        }
        return -1;
    };
    auto placeOne = [&](int c, int v) {
        place(c, v);
        stopped_ = ++placed > limit;
        return stopped_;
    };
    for (bool changed = true; changed;) {
        changed = false;
        for (int c = few_.next(0); c >= 0; c = few_.next(c + 1)) {
            const unsigned m = cand_[c];
            if (m == 0) return false;
            if (placeOne(c, std::countr_zero(m))) return true;
            changed = true;
        }
        for (int u = nextUnit(0); u >= 0 && u < geo.numUnits; u = nextUnit(u + 1)) {
            units_[static_cast<unsigned>(u) >> 6] &= ~(std::uint64_t{1} << (u & 63));
            // The values with no place left and those with one, by count
            // (eight at a time, the ninth alone).
            const auto& count = count_[u];
            std::uint64_t low;
            std::memcpy(&low, count.data(), 8);
            const unsigned none = gather(zeroBytes(low)) | (count[8] == 0 ? 0x100u : 0u);
            if (none) return false;
            const unsigned one = gather(zeroBytes(low ^ 0x0101010101010101u)) | (count[8] == 1 ? 0x100u : 0u);
            for (unsigned single = one; single; single &= single - 1) {
                const int v = std::countr_zero(single);
                for (int c : geo.units[u].cells)
                    if (where_[v].test(c)) {
                        if (placeOne(c, v)) return true;
                        changed = true;
                        break;
                    }
            }
        }
    }
    return true;
}

void SinglesBoard::removedSince(const SinglesBoard& before, std::array<CellSet, 9>& removed, CellSet& cells) const
{
    cells = CellSet{};
    for (int v = 0; v < 9; ++v)
        for (int i = 0; i < CellSet::kWords; ++i) {
            removed[v].w[i] = before.where_[v].w[i] & ~where_[v].w[i];
            cells.w[i] |= removed[v].w[i];
        }
}

void SinglesBoard::writeTo(CandidateGrid& g) const
{
    const int numCells = geo_->numCells;
    for (int c = 0; c < numCells; ++c)
        if (g.value(c) < 0 && value(c) >= 0) g.place(c, value(c));
    for (int c = 0; c < numCells; ++c)
        if (g.value(c) < 0)
            for (unsigned m = g.cand(c) & ~cand(c); m; m &= m - 1) g.eliminate(c, std::countr_zero(m));
}

} // namespace logic
