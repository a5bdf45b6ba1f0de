// SPDX-License-Identifier: GPL-3.0-or-later
#include "board.h"

#include <algorithm>

#include "samurai.h"

namespace logic {

namespace {

Geometry makeGeometry(int numGrids)
{
    Geometry geo;
    geo.numGrids = numGrids;
    std::array<std::int16_t, engine::kBoardSide * engine::kBoardSide> atPosition{};
    atPosition.fill(-1);
    for (int g = 0; g < numGrids; ++g)
        for (int row = 0; row < 9; ++row)
            for (int col = 0; col < 9; ++col) {
                auto& cell = atPosition[engine::boardRow(g, row) * engine::kBoardSide + engine::boardCol(g, col)];
                if (cell < 0) {
                    cell = static_cast<std::int16_t>(geo.numCells++);
                    geo.place[cell] = {static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(col),
                                       static_cast<std::uint8_t>(row)};
                }
                geo.cellOf[g * 81 + row * 9 + col] = cell;
            }
    auto add = [&](UnitKind kind, int g, int k, auto cellAt) {
        Unit& u = geo.units[geo.numUnits];
        u.kind = kind;
        u.grid = static_cast<std::uint8_t>(g);
        u.index = static_cast<std::uint8_t>(k);
        for (int i = 0; i < 9; ++i) {
            u.cells[i] = static_cast<std::int16_t>(cellAt(i));
            geo.unitSet[geo.numUnits].set(u.cells[i]);
            geo.unitBytes[u.cells[i]] |= static_cast<std::uint64_t>(geo.numUnits + 1) << (8 * geo.numUnitsOf[u.cells[i]]);
            geo.unitsOf[u.cells[i]][geo.numUnitsOf[u.cells[i]]++] = static_cast<std::int16_t>(geo.numUnits);
            geo.unitBits[u.cells[i]][geo.numUnits >> 6] |= std::uint64_t{1} << (geo.numUnits & 63);
        }
        ++geo.numUnits;
    };
    for (int g = 0; g < numGrids; ++g) {
        for (int k = 0; k < 9; ++k) add(UnitKind::Row, g, k, [&](int i) { return geo.cell(g, i, k); });
        for (int k = 0; k < 9; ++k) add(UnitKind::Column, g, k, [&](int i) { return geo.cell(g, k, i); });
        for (int k = 0; k < 9; ++k) {
            const int c0 = 3 * (k % 3), r0 = 3 * (k / 3);
            // A shared box is listed once, under its outer grid.
            if (numGrids == engine::kSamuraiGrids && g == engine::kCentreGrid && engine::isSharedCell(g, c0, r0))
                continue;
            add(UnitKind::Box, g, k, [&](int i) { return geo.cell(g, c0 + i % 3, r0 + i / 3); });
        }
    }
    for (int u = 0; u < geo.numUnits; ++u)
        geo.unitSet[u].forEach([&](int c) { geo.peers[c] |= geo.unitSet[u]; });
    for (int c = 0; c < geo.numCells; ++c) {
        geo.peers[c].reset(c);
        geo.allCells.set(c);
        int first = CellSet::kWords, last = 0;
        for (int w = 0; w < CellSet::kWords; ++w)
            if (geo.peers[c].w[w]) {
                first = std::min(first, w);
                last = w + 1;
            }
        geo.peerWords[c] = {static_cast<std::uint8_t>(first), static_cast<std::uint8_t>(last)};
    }
    return geo;
}

} // namespace

const Geometry& Geometry::standard()
{
    static const Geometry geo = makeGeometry(1);
    return geo;
}

const Geometry& Geometry::samurai()
{
    static const Geometry geo = makeGeometry(engine::kSamuraiGrids);
    return geo;
}

} // namespace logic
