// SPDX-License-Identifier: GPL-3.0-or-later
#include "solution_counter.h"

#include <bit>

SolutionCounter::SolutionCounter(int numGrids)
{
    value_.fill(-1);
    int unit = 0;
    for (int g = 0; g < numGrids; ++g)
        for (int k = 0; k < 9; ++k, unit += 3) // row k, column k and box k of grid g
            for (int t = 0; t < 9; ++t) {
                unitsOf_[static_cast<std::size_t>(layout::position(g, t, k))].push_back(unit);
                unitsOf_[static_cast<std::size_t>(layout::position(g, k, t))].push_back(unit + 1);
                unitsOf_[static_cast<std::size_t>(layout::position(g, k % 3 * 3 + t % 3, k / 3 * 3 + t / 3))].push_back(unit + 2);
            }
    held_.assign(static_cast<std::size_t>(unit), 0);
    for (int p = 0; p < 441; ++p)
        if (!unitsOf_[static_cast<std::size_t>(p)].empty()) positions_.push_back(p);
}

unsigned SolutionCounter::candidates(int pos) const
{
    unsigned held = 0;
    for (int u : unitsOf_[static_cast<std::size_t>(pos)]) held |= held_[static_cast<std::size_t>(u)];
    return ~held & 0x1FFu;
}

void SolutionCounter::set(int pos, int value, bool on)
{
    value_[static_cast<std::size_t>(pos)] = on ? value : -1;
    for (int u : unitsOf_[static_cast<std::size_t>(pos)]) held_[static_cast<std::size_t>(u)] ^= 1u << value;
}

bool SolutionCounter::place(int g, int col, int row, int value)
{
    const int pos = layout::position(g, col, row);
    if (value < 0 || value > 8) return false;
    if (value_[static_cast<std::size_t>(pos)] >= 0) return value_[static_cast<std::size_t>(pos)] == value;
    if (!(candidates(pos) >> value & 1u)) return false;
    set(pos, value, true);
    return true;
}

bool SolutionCounter::search(int limit, int& found)
{
    int best = -1, bestCount = 10;
    unsigned bestMask = 0;
    std::vector<int> places(held_.size() * 9, 0), placeOf(held_.size() * 9, -1);
    for (int p : positions_) {
        if (value_[static_cast<std::size_t>(p)] >= 0) continue;
        const unsigned m = candidates(p);
        const int n = std::popcount(m);
        if (n == 0) return false;
        if (n < bestCount) {
            best = p;
            bestCount = n;
            bestMask = m;
        }
        for (int u : unitsOf_[static_cast<std::size_t>(p)])
            for (int v = 0; v < 9; ++v)
                if (m >> v & 1u) {
                    ++places[static_cast<std::size_t>(u * 9 + v)];
                    placeOf[static_cast<std::size_t>(u * 9 + v)] = p;
                }
    }
    if (best < 0) return ++found >= limit;
    for (std::size_t k = 0; k < places.size(); ++k) {
        if (held_[k / 9] >> (k % 9) & 1u) continue;
        if (places[k] == 0) return false; // a value without a place in its unit
        if (places[k] == 1 && bestCount > 1) {
            best = placeOf[k];
            bestCount = 1;
            bestMask = 1u << (k % 9);
        }
    }
    for (int v = 0; v < 9; ++v) {
        if (!(bestMask >> v & 1u)) continue;
        set(best, v, true);
        const bool stop = search(limit, found);
        set(best, v, false);
        if (stop) return true;
    }
    return false;
}

int SolutionCounter::count(int limit)
{
    int found = 0;
    search(limit, found);
    return found;
}

int countLine(const std::string& line, int limit)
{
    const int grids = line.size() == 405 ? 5 : 1;
    SolutionCounter counter(grids);
    for (std::size_t k = 0; k < std::size_t(81 * grids); ++k) {
        const int g = static_cast<int>(k / 81), c = static_cast<int>(k % 9), r = static_cast<int>(k % 81 / 9);
        if (line[k] != '.' && !counter.place(g, c, r, line[k] - '1')) return -1;
    }
    return counter.count(limit);
}

std::string puzzleLine(const engine::PlainBoard& board, const files::SymbolTable& symbols)
{
    std::string line;
    for (int g = 0; g < board.numGrids; ++g)
        for (int k = 0; k < 81; ++k) {
            const std::string text = board.cell(g, k % 9, k / 9).text();
            const int v = text.empty() ? -1 : symbols.symbolToIndex(text);
            if (!text.empty() && v < 0) return "";
            line += static_cast<char>(v < 0 ? '.' : '1' + v);
        }
    return line;
}
