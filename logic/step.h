// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>
#include <string_view>

namespace logic {

// The techniques, easiest first. Ratings are in tenths.
enum class Technique : std::uint8_t {
    FullHouse,
    HiddenSingleBox,
    HiddenSingleLine,
    DirectPointing,
    DirectHiddenPair,
    NakedSingle,
    DirectHiddenTriple,
    Pointing,
    Claiming,
    NakedPair,
    XWing,
    HiddenPair,
    NakedTriple,
    Swordfish,
    HiddenTriple,
    Skyscraper,
    TwoStringKite,
    XYWing,
    TurbotFish,
    XYZWing,
    WXYZWing,
    VWXYZWing,
    UniqueRectangle,
    NakedQuad,
    Jellyfish,
    HiddenQuad,
    Bug,
    BugTwo,
    XChain,
    YCycle,
    ForcingChain,
    CellForcingChain,
    UnitForcingChain,
    DynamicForcingChain,
    Trial,
    Count
};

constexpr int kTechniqueCount = static_cast<int>(Technique::Count);

// The technique's name as a player knows it.
std::string_view techniqueName(Technique t);

struct Candidate {
    std::int16_t cell = 0;
    std::int8_t value = 0; // value index 0..8
    bool operator==(const Candidate&) const = default;
};

// One link of a chain as the explanation reads it: the candidate and whether
// the chain makes it true (on) or false.
struct ChainNode {
    Candidate cand;
    bool on = false;
};

// What one technique proves on the current position: values placed,
// candidates removed, and the pattern that proves it. Fixed capacity, so that
// finding a step allocates nothing.
struct Step {
    Technique technique = Technique::FullHouse;
    int rating = 0;          // tenths: 12 is 1.2
    std::uint16_t digits = 0; // the pattern's values (bits)
    std::array<std::int16_t, 8> units{}; // the units the pattern lives in
    int numUnits = 0;
    std::array<std::int16_t, 16> cells{}; // the pattern's cells
    int numCells = 0;
    std::array<Candidate, 4> placements{};
    int numPlacements = 0;
    std::array<Candidate, 96> eliminations{};
    int numEliminations = 0;
    std::array<ChainNode, 48> chain{}; // for chains: the links, in order (maybe cut short)
    int chainLength = 0;               // the whole chain's length
    int numBranches = 0;               // for forcing chains over a cell or a unit

    void addUnit(int u)
    {
        if (numUnits < static_cast<int>(units.size())) units[numUnits++] = static_cast<std::int16_t>(u);
    }
    void addCell(int c)
    {
        for (int i = 0; i < numCells; ++i)
            if (cells[i] == c) return;
        if (numCells < static_cast<int>(cells.size())) cells[numCells++] = static_cast<std::int16_t>(c);
    }
    void addPlacement(int c, int v)
    {
        if (numPlacements < static_cast<int>(placements.size()))
            placements[numPlacements++] = {static_cast<std::int16_t>(c), static_cast<std::int8_t>(v)};
    }
    // False when the step is full (the finder then stops adding).
    bool addElimination(int c, int v)
    {
        if (numEliminations == static_cast<int>(eliminations.size())) return false;
        eliminations[numEliminations++] = {static_cast<std::int16_t>(c), static_cast<std::int8_t>(v)};
        return true;
    }
    void addChain(Candidate cand, bool on)
    {
        if (chainLength < static_cast<int>(chain.size())) chain[chainLength] = {cand, on};
        ++chainLength;
    }
    bool proves() const { return numPlacements + numEliminations > 0; }
};

} // namespace logic
