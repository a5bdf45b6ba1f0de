// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared helpers for the engine tests: puzzle lists, loading, random grid
// states, and the comparison of engine grids with the oracle's.
#include <algorithm>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "cross_grid.h"
#include "plain_rules.h"
#include "puzzles.h"
#include "solution_counter.h"

namespace testing_support {

// Puzzle lines of a list in bench/data, '.' for an empty cell.
inline std::vector<std::string> readLines(const std::string& name, std::size_t limit = 100000)
{
    std::ifstream f(std::string(CORVEL_REPO_DATA) + "/" + name);
    std::vector<std::string> out;
    for (std::string line; out.size() < limit && std::getline(f, line);)
        if (!line.empty() && line[0] != '#') {
            std::replace(line.begin(), line.end(), '0', '.');
            out.push_back(line);
        }
    return out;
}

// Loads an 81- or 405-character puzzle line as cell values; the grid count.
inline int loadLine(engine::GridSlots& g, const std::string& line)
{
    const int n = line.size() == 405 ? 5 : 1;
    for (int k = 0; k < 81 * n; ++k) {
        engine::SudokuGrid& grid = g[static_cast<std::size_t>(k / 81)];
        if (k % 81 == 0) grid.initialiseForSearch();
        const char ch = line[static_cast<std::size_t>(k)];
        if (ch >= '1' && ch <= '9') grid.setDerived3x3(k % 9, k % 81 / 9, ch - '1');
    }
    return n;
}

// The values of grids 0..n-1 as a puzzle line, a shared cell taken from
// whichever grid holds a value there; "" when two grids disagree on one.
inline std::string boardLine(const engine::GridSlots& g, int n)
{
    std::array<int, 441> at;
    at.fill(-1);
    for (int k = 0; k < 81 * n; ++k) {
        const int v = g[static_cast<std::size_t>(k / 81)].getDerived3x3(k % 9, k % 81 / 9);
        int& b = at[static_cast<std::size_t>(layout::position(k / 81, k % 9, k % 81 / 9))];
        if (v >= 0 && b >= 0 && v != b) return "";
        if (v >= 0) b = v;
    }
    std::string line;
    for (int k = 0; k < 81 * n; ++k) {
        const int b = at[static_cast<std::size_t>(layout::position(k / 81, k % 9, k % 81 / 9))];
        line += static_cast<char>(b < 0 ? '.' : '1' + b);
    }
    return line;
}

inline void toOracle(const engine::SudokuGrid& g, oracle::Grid& o)
{
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r) {
            o.val[c][r] = g.getDerived3x3(c, r);
            for (int v = 0; v < 9; ++v) o.poss[v][c][r] = g.getPossibleRows(v, c, r);
        }
    o.sdCol = g.sdColIdx();
    o.sdRow = g.sdRowIdx();
    o.sdVal = g.sdValIdx();
}

// True when values and every candidate flag agree.
inline bool sameState(const engine::SudokuGrid& g, const oracle::Grid& o)
{
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r) {
            if (g.getDerived3x3(c, r) != o.val[c][r]) return false;
            for (int v = 0; v < 9; ++v)
                if (g.getPossibleRows(v, c, r) != o.poss[v][c][r]) return false;
        }
    return true;
}

inline oracle::Moves movesOf(const engine::MoveList& m)
{
    oracle::Moves out;
    for (int k = 0; k < m.numMoves; ++k) out.push_back({m[k].grid, m[k].col, m[k].row, m[k].val, static_cast<int>(m[k].reason)});
    return out;
}

// A random grid state in the neighbourhood of real play: values of a solved
// grid kept with probability keep, a few wrong values, and candidates barred
// at random (with probability bar), own values sometimes barred too.
inline void randomState(engine::SudokuGrid& g, const std::string& solution, std::mt19937& rng, double keep, double bar,
                        double wrong)
{
    std::uniform_real_distribution<double> u(0, 1);
    g.initialiseForSearch();
    for (int k = 0; k < 81; ++k) {
        const int c = k % 9, r = k / 9;
        if (u(rng) < keep) g.setDerived3x3(c, r, solution[static_cast<std::size_t>(k)] - '1');
        else if (u(rng) < wrong) g.setDerived3x3(c, r, static_cast<int>(rng() % 9));
        for (int v = 0; v < 9; ++v)
            if (u(rng) < bar) g.barResource(v, c, r);
    }
}

} // namespace testing_support
