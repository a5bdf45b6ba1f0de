// SPDX-License-Identifier: GPL-3.0-or-later
#include "candidate_grid.h"

#include <bit>

namespace logic {

CandidateGrid::CandidateGrid(const Geometry& geo) : geo_(&geo) { clear(); }

void CandidateGrid::clear()
{
    unsolved_ = geo_->numCells;
    const CellSet all = geo_->all();
    for (int c = 0; c < kMaxCells; ++c) {
        cand_[c] = c < geo_->numCells ? kAllDigits : 0;
        value_[c] = -1;
    }
    where_.fill(all);
    placedIn_.fill(0);
}

bool CandidateGrid::loadLine(std::string_view line)
{
    if (line.size() != static_cast<std::size_t>(81 * geo_->numGrids)) return false;
    clear();
    for (std::size_t k = 0; k < line.size(); ++k) {
        const char ch = line[k];
        if (ch < '1' || ch > '9') continue;
        const int c = geo_->cell(static_cast<int>(k / 81), static_cast<int>(k % 9), static_cast<int>(k % 81 / 9));
        const int v = ch - '1';
        if (value_[c] == v) continue;
        if (!place(c, v)) return false;
    }
    return true;
}

bool CandidateGrid::place(int c, int v)
{
    if (!has(c, v)) return false;
    placeCandidate(c, v);
    return true;
}

CellSet CandidateGrid::placeCandidate(int c, int v)
{
    for (unsigned m = cand_[c]; m; m &= m - 1) where_[std::countr_zero(m)].reset(c);
    cand_[c] = 0;
    value_[c] = static_cast<std::int8_t>(v);
    --unsolved_;
    for (int i = 0; i < geo_->numUnitsOf[c]; ++i) placedIn_[geo_->unitsOf[c][i]] |= static_cast<std::uint16_t>(1u << v);
    const CellSet lost = geo_->peers[c] & where_[v];
    lost.forEach([&](int p) { cand_[p] &= static_cast<std::uint16_t>(~(1u << v)); });
    where_[v] = where_[v].minus(lost);
    return lost;
}

void CandidateGrid::eliminate(int c, int v)
{
    cand_[c] &= static_cast<std::uint16_t>(~(1u << v));
    where_[v].reset(c);
}

void CandidateGrid::setCandidates(int c, std::uint16_t mask)
{
    if (value_[c] >= 0) return;
    cand_[c] = mask & kAllDigits;
    for (int v = 0; v < 9; ++v)
        if (cand_[c] >> v & 1u)
            where_[v].set(c);
        else
            where_[v].reset(c);
}

bool CandidateGrid::broken() const
{
    for (int c = 0; c < geo_->numCells; ++c) {
        if (value_[c] < 0 && cand_[c] == 0) return true;
        if (value_[c] >= 0)
            for (int p = 0; p < geo_->numCells; ++p)
                if (p > c && value_[p] == value_[c] && geo_->sees(c, p)) return true;
    }
    for (int u = 0; u < geo_->numUnits; ++u) {
        unsigned seen = 0;
        for (int c : geo_->units[u].cells) seen |= value_[c] >= 0 ? 1u << value_[c] : cand_[c];
        if (seen != kAllDigits) return true;
    }
    return false;
}

} // namespace logic
