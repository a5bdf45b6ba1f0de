// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <bit>
#include <cstdint>

namespace logic {

constexpr int kMaxCells = 369;
constexpr int kMaxUnits = 131;
constexpr int kMaxCandidates = kMaxCells * 9;

// Bit counts without a library call (the default target has no popcount
// instruction).
constexpr int bitCount(std::uint64_t x)
{
    x = x - ((x >> 1) & 0x5555555555555555u);
    x = (x & 0x3333333333333333u) + ((x >> 2) & 0x3333333333333333u);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
    return static_cast<int>((x * 0x0101010101010101u) >> 56);
}
// Candidate masks have 9 bits: those are counted by table.
inline constexpr std::array<std::uint8_t, 512> kBitCount9 = [] {
    std::array<std::uint8_t, 512> t{};
    for (int i = 1; i < 512; ++i) t[i] = static_cast<std::uint8_t>(t[i >> 1] + (i & 1));
    return t;
}();
constexpr int bitCount(unsigned x) { return x < 512 ? kBitCount9[x] : bitCount(static_cast<std::uint64_t>(x)); }

// A set of cells of a board: one bit per cell.
struct CellSet {
    static constexpr int kWords = 6;
    std::array<std::uint64_t, kWords> w{};

    void set(int c) { w[static_cast<unsigned>(c) >> 6] |= std::uint64_t{1} << (c & 63); }
    void reset(int c) { w[static_cast<unsigned>(c) >> 6] &= ~(std::uint64_t{1} << (c & 63)); }
    bool test(int c) const { return (w[static_cast<unsigned>(c) >> 6] >> (c & 63)) & 1u; }
    bool any() const
    {
        for (auto x : w)
            if (x) return true;
        return false;
    }
    int count() const
    {
        int n = 0;
        for (auto x : w) n += bitCount(x);
        return n;
    }
    // The one cell of a set of exactly one, or -1.
    int single() const
    {
        int found = -1;
        for (int i = 0; i < kWords; ++i)
            if (w[i]) {
                if (found >= 0 || (w[i] & (w[i] - 1))) return -1;
                found = i * 64 + std::countr_zero(w[i]);
            }
        return found;
    }
    // True for an empty set or a set of one.
    bool fewerThanTwo() const
    {
        bool seen = false;
        for (auto x : w)
            if (x) {
                if (seen || (x & (x - 1))) return false;
                seen = true;
            }
        return true;
    }
    // The lowest cell, or -1.
    int first() const
    {
        for (int i = 0; i < kWords; ++i)
            if (w[i]) return i * 64 + std::countr_zero(w[i]);
        return -1;
    }
    // The lowest cell from c on, or -1.
    int next(int c) const
    {
        int i = c >> 6;
        if (i >= kWords) return -1;
        std::uint64_t x = w[i] & (~std::uint64_t{0} << (c & 63));
        while (!x) {
            if (++i == kWords) return -1;
            x = w[i];
        }
        return i * 64 + std::countr_zero(x);
    }
    CellSet operator&(const CellSet& o) const
    {
        CellSet r;
        for (int i = 0; i < kWords; ++i) r.w[i] = w[i] & o.w[i];
        return r;
    }
    CellSet operator|(const CellSet& o) const
    {
        CellSet r;
        for (int i = 0; i < kWords; ++i) r.w[i] = w[i] | o.w[i];
        return r;
    }
    CellSet minus(const CellSet& o) const
    {
        CellSet r;
        for (int i = 0; i < kWords; ++i) r.w[i] = w[i] & ~o.w[i];
        return r;
    }
    CellSet& operator|=(const CellSet& o)
    {
        for (int i = 0; i < kWords; ++i) w[i] |= o.w[i];
        return *this;
    }
    CellSet& operator&=(const CellSet& o)
    {
        for (int i = 0; i < kWords; ++i) w[i] &= o.w[i];
        return *this;
    }
    bool operator==(const CellSet&) const = default;

    // Calls f(cell) for every cell, ascending.
    template <class F> void forEach(F&& f) const
    {
        for (int i = 0; i < kWords; ++i)
            for (std::uint64_t x = w[i]; x; x &= x - 1) f(i * 64 + std::countr_zero(x));
    }
};

enum class UnitKind : std::uint8_t { Row, Column, Box };

struct Unit {
    UnitKind kind = UnitKind::Row;
    std::uint8_t grid = 0;  // the grid it is named by (the outer grid for a shared box)
    std::uint8_t index = 0; // row, column or box number 0..8 in that grid
    std::array<std::int16_t, 9> cells{};
};

// Where a cell is: the grid it is named by (for a shared cell, the outer
// grid), its column and row there, and its board position.
struct CellPlace {
    std::uint8_t grid = 0, col = 0, row = 0;
};

// The cells, units and peers of a standard or Samurai board. A Samurai board
// is one set of 369 cells: a shared cell is one cell of both its grids and a
// shared box one unit of both.
struct Geometry {
    int numGrids = 1;
    int numCells = 0;
    int numUnits = 0;
    std::array<std::int16_t, 5 * 81> cellOf{}; // grid * 81 + row * 9 + col
    std::array<CellPlace, kMaxCells> place{};
    std::array<Unit, kMaxUnits> units{};
    std::array<CellSet, kMaxUnits> unitSet{};
    std::array<std::array<std::int16_t, 5>, kMaxCells> unitsOf{}; // rows, columns and box of a cell
    std::array<std::uint8_t, kMaxCells> numUnitsOf{};
    // The units of a cell again, each plus one in a byte from the lowest: a
    // cell's whole list in one word, ending at the first zero byte.
    std::array<std::uint64_t, kMaxCells> unitBytes{};
    static_assert(kMaxUnits < 256, "a unit number plus one fits a byte");
    std::array<CellSet, kMaxCells> peers{};
    // The words of peers[c] that may hold a cell: [first, last).
    std::array<std::array<std::uint8_t, 2>, kMaxCells> peerWords{};
    // The units of a cell as bits of unit numbers.
    std::array<std::array<std::uint64_t, 3>, kMaxCells> unitBits{};
    CellSet allCells;

    int cell(int g, int col, int row) const { return cellOf[g * 81 + row * 9 + col]; }
    bool sees(int a, int b) const { return peers[a].test(b); }
    // The cells of the units whose bits are set (as in unitBits).
    CellSet cellsOf(const std::array<std::uint64_t, 3>& units) const
    {
        CellSet s;
        for (int i = 0; i < 3; ++i)
            for (std::uint64_t b = units[static_cast<std::size_t>(i)]; b; b &= b - 1) s |= unitSet[static_cast<std::size_t>(i * 64 + std::countr_zero(b))];
        return s;
    }
    const CellSet& all() const { return allCells; }

    static const Geometry& standard();
    static const Geometry& samurai();
    static const Geometry& forGrids(int numGrids) { return numGrids == 5 ? samurai() : standard(); }
};

} // namespace logic
