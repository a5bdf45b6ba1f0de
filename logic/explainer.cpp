// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <bit>
#include <string>
#include <vector>

#include "rater.h"

namespace logic {

std::string_view techniqueName(Technique t)
{
    constexpr std::string_view names[] = {"Full House",
                                          "Hidden Single",
                                          "Hidden Single",
                                          "Direct Pointing",
                                          "Direct Hidden Pair",
                                          "Naked Single",
                                          "Direct Hidden Triple",
                                          "Pointing",
                                          "Claiming",
                                          "Naked Pair",
                                          "X-Wing",
                                          "Hidden Pair",
                                          "Naked Triple",
                                          "Swordfish",
                                          "Hidden Triple",
                                          "Skyscraper",
                                          "Two-String Kite",
                                          "XY-Wing",
                                          "Turbot Fish",
                                          "XYZ-Wing",
                                          "WXYZ-Wing",
                                          "VWXYZ-Wing",
                                          "Unique Rectangle",
                                          "Naked Quad",
                                          "Jellyfish",
                                          "Hidden Quad",
                                          "Bivalue Universal Grave",
                                          "Bivalue Universal Grave",
                                          "X-Chain",
                                          "Y-Cycle",
                                          "Forcing Chain",
                                          "Cell Forcing Chains",
                                          "Unit Forcing Chains",
                                          "Dynamic Forcing Chain",
                                          "Trial"};
    static_assert(std::size(names) == kTechniqueCount);
    return names[static_cast<int>(t)];
}

namespace {

std::string gridPrefix(const Geometry& geo, int grid)
{
    return geo.numGrids == 1 ? std::string() : "g" + std::to_string(grid + 1);
}

std::string unitName(const Geometry& geo, int u)
{
    const Unit& unit = geo.units[u];
    constexpr const char* kinds[] = {"row ", "column ", "box "};
    std::string s = kinds[static_cast<int>(unit.kind)] + std::to_string(unit.index + 1);
    if (geo.numGrids > 1) s += " of grid " + std::to_string(unit.grid + 1);
    return s;
}

std::string list(const std::vector<std::string>& items)
{
    std::string s;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) s += i + 1 == items.size() ? " and " : ", ";
        s += items[i];
    }
    return s;
}

std::string digitsOf(unsigned mask, std::string_view symbols)
{
    std::vector<std::string> d;
    for (int v = 0; v < 9; ++v)
        if (mask >> v & 1u) d.emplace_back(1, symbols[v]);
    return list(d);
}

std::string patternCells(const Geometry& geo, const Step& step)
{
    std::string s;
    for (int i = 0; i < step.numCells; ++i) s += (i ? ", " : "") + cellName(geo, step.cells[i]);
    return s;
}

// "removes 4 from r3c2, r5c2 and 7 from r1c1; places 5 in r2c2"
std::string outcome(const Geometry& geo, const Step& step, std::string_view symbols)
{
    std::vector<std::string> parts;
    for (int v = 0; v < 9; ++v) {
        std::string cells;
        for (int i = 0; i < step.numEliminations; ++i)
            if (step.eliminations[i].value == v)
                cells += (cells.empty() ? "" : ", ") + cellName(geo, step.eliminations[i].cell);
        if (!cells.empty()) parts.push_back(std::string(1, symbols[v]) + " from " + cells);
    }
    std::string s;
    if (!parts.empty()) s = "removes " + list(parts);
    for (int i = 0; i < step.numPlacements; ++i)
        s += (s.empty() ? "places " : (i ? " and " : "; places ")) + std::string(1, symbols[step.placements[i].value]) +
             " in " + cellName(geo, step.placements[i].cell);
    return s;
}

std::string link(const Geometry& geo, const ChainNode& n, std::string_view symbols)
{
    return cellName(geo, n.cand.cell) + (n.on ? "=" : "<>") + std::string(1, symbols[n.cand.value]);
}

// The chain's links, branch by branch ("r1c2=4 -> r1c7<>4 -> ...").
std::string chainText(const Geometry& geo, const Step& step, std::string_view symbols)
{
    const int shown = std::min(step.chainLength, static_cast<int>(step.chain.size()));
    std::string s;
    for (int i = 0; i < shown; ++i) {
        const bool branchStart = i == 0 || (step.numBranches > 0 && step.chain[i - 1].cand == step.chain[shown - 1].cand &&
                                            step.chain[i - 1].on == step.chain[shown - 1].on);
        if (i > 0) s += branchStart ? "; " : " -> ";
        s += link(geo, step.chain[i], symbols);
    }
    if (shown < step.chainLength) s += " ...";
    return s;
}

} // namespace

std::string cellName(const Geometry& geo, int cell)
{
    const CellPlace& p = geo.place[cell];
    return gridPrefix(geo, p.grid) + "r" + std::to_string(p.row + 1) + "c" + std::to_string(p.col + 1);
}

std::string describeStep(const Geometry& geo, const Step& step, std::string_view symbols)
{
    const std::string name(techniqueName(step.technique));
    const std::string digits = digitsOf(step.digits, symbols);
    const std::string result = outcome(geo, step, symbols);
    auto unit = [&](int i) { return i < step.numUnits ? unitName(geo, step.units[i]) : std::string(); };
    switch (step.technique) {
    case Technique::FullHouse:
        return name + ": " + cellName(geo, step.cells[0]) + " is the last empty cell of " + unit(0) + ", so it " + result + ".";
    case Technique::HiddenSingleBox:
    case Technique::HiddenSingleLine:
        return name + ": " + unit(0) + " has one place left for " + digits + ", so it " + result + ".";
    case Technique::NakedSingle:
        return name + ": " + cellName(geo, step.cells[0]) + " can only hold " + digits + ", so it " + result + ".";
    case Technique::Pointing:
    case Technique::Claiming:
    case Technique::DirectPointing:
        return name + ": in " + unit(0) + ", " + digits + " lies only in " + unit(1) + " (" + patternCells(geo, step) +
               "), which " + result + ".";
    case Technique::NakedPair:
    case Technique::NakedTriple:
    case Technique::NakedQuad:
        return name + " " + digits + " in " + patternCells(geo, step) + " (" + unit(0) + ") " + result + ".";
    case Technique::HiddenPair:
    case Technique::HiddenTriple:
    case Technique::HiddenQuad:
    case Technique::DirectHiddenPair:
    case Technique::DirectHiddenTriple:
        return name + " " + digits + " in " + unit(0) + " at " + patternCells(geo, step) + " " + result + ".";
    case Technique::XWing:
    case Technique::Swordfish:
    case Technique::Jellyfish: {
        const int base = step.numUnits / 2;
        std::vector<std::string> lines;
        for (int i = 0; i < base; ++i) lines.push_back(std::to_string(geo.units[step.units[i]].index + 1));
        const bool rows = geo.units[step.units[0]].kind == UnitKind::Row;
        std::string where = (rows ? "rows " : "columns ") + list(lines);
        if (geo.numGrids > 1) where += " of grid " + std::to_string(geo.units[step.units[0]].grid + 1);
        return name + " on " + digits + " in " + where + " " + result + ".";
    }
    case Technique::Skyscraper:
    case Technique::TwoStringKite:
    case Technique::TurbotFish:
        return name + " on " + digits + ": " + chainText(geo, step, symbols) + "; so it " + result + ".";
    case Technique::WXYZWing:
    case Technique::VWXYZWing:
        return name + " on " + digits + " in " + patternCells(geo, step) + " " + result + ".";
    case Technique::XYWing:
    case Technique::XYZWing:
        return name + ": pivot " + cellName(geo, step.cells[0]) + " with pincers " + cellName(geo, step.cells[1]) +
               " and " + cellName(geo, step.cells[2]) + " " + result + ".";
    case Technique::YCycle:
        return name + " through " + patternCells(geo, step) + " " + result + ".";
    case Technique::UniqueRectangle:
        return name + " on " + digits + " at " + patternCells(geo, step) + " " + result + ".";
    case Technique::Bug:
        return name + ": every other empty cell has two candidates, so " + cellName(geo, step.cells[0]) + " " + result +
               ".";
    case Technique::BugTwo:
        return name + ": every other empty cell has two candidates, so " + digits + " lies in one of " +
               patternCells(geo, step) + ", which " + result + ".";
    case Technique::XChain:
    case Technique::ForcingChain:
        return name + ": " + chainText(geo, step, symbols) + "; so it " + result + ".";
    case Technique::CellForcingChain:
        return name + ": every candidate of " + cellName(geo, step.chain[0].cand.cell) + " leads to the same end (" +
               chainText(geo, step, symbols) + "), which " + result + ".";
    case Technique::UnitForcingChain:
        return name + ": every place of " + digits + " in " + unit(0) + " leads to the same end (" +
               chainText(geo, step, symbols) + "), which " + result + ".";
    case Technique::DynamicForcingChain:
        return name + ": assuming " + link(geo, step.chain[0], symbols) +
               ", the singles that follow leave a cell or a unit without a value; so it " + result + ".";
    case Technique::Trial:
        return name + ": with " + link(geo, step.chain[0], symbols) + " the puzzle has no solution, so it " + result +
               ".";
    case Technique::Count:
        break;
    }
    return name + " " + result + ".";
}

} // namespace logic
