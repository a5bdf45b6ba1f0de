#pragma once
// Shared helpers for the engine tests: puzzle lists, random grid states and a
// small independent solution counter.
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "plain_rules.h"
#include "sudoku_grid.h"

namespace testing_support {

inline std::vector<std::string> readLines(const std::string& name, std::size_t limit = 100000)
{
    std::ifstream f(std::string(CORVEL_REPO_DATA) + "/" + name);
    std::vector<std::string> out;
    std::string line;
    while (out.size() < limit && std::getline(f, line))
        if (!line.empty() && line[0] != '#') out.push_back(line);
    return out;
}

// Loads an 81-character puzzle (grid g of a longer line) as cell values.
inline void loadLine(engine::SudokuGrid& g, const std::string& line, std::size_t offset = 0)
{
    g.initialiseForSearch();
    for (int k = 0; k < 81; ++k) {
        const char ch = line[offset + static_cast<std::size_t>(k)];
        if (ch >= '1' && ch <= '9') g.setDerived3x3(k % 9, k / 9, ch - '1');
    }
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

inline std::vector<oracle::Move> movesOf(const engine::MoveList& m)
{
    std::vector<oracle::Move> out;
    for (int k = 0; k < m.numMoves; ++k) out.push_back({m[k].grid, m[k].col, m[k].row, m[k].val});
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

// Independent solution counter (plain backtracking over row/column/box masks),
// up to limit; works on a 9x9 grid of values -1..8, indexed [row][col].
inline int countSolutions(int cells[9][9], int limit = 2)
{
    int rowM[9] = {}, colM[9] = {}, boxM[9] = {};
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 9; ++c)
            if (cells[r][c] >= 0) {
                const int b = 1 << cells[r][c], x = (r / 3) * 3 + c / 3;
                if ((rowM[r] | colM[c] | boxM[x]) & b) return 0;
                rowM[r] |= b;
                colM[c] |= b;
                boxM[x] |= b;
            }
    int found = 0;
    auto rec = [&](auto& self) -> void {
        int br = -1, bc = -1, bestN = 10, bestMask = 0;
        for (int r = 0; r < 9; ++r)
            for (int c = 0; c < 9; ++c)
                if (cells[r][c] < 0) {
                    const int m = 0x1FF & ~(rowM[r] | colM[c] | boxM[(r / 3) * 3 + c / 3]);
                    const int n = __builtin_popcount(static_cast<unsigned>(m));
                    if (n < bestN) {
                        bestN = n;
                        br = r;
                        bc = c;
                        bestMask = m;
                    }
                }
        if (br < 0) {
            ++found;
            return;
        }
        for (int v = 0; v < 9 && found < limit; ++v)
            if (bestMask & (1 << v)) {
                const int b = 1 << v, x = (br / 3) * 3 + bc / 3;
                cells[br][bc] = v;
                rowM[br] |= b;
                colM[bc] |= b;
                boxM[x] |= b;
                self(self);
                rowM[br] &= ~b;
                colM[bc] &= ~b;
                boxM[x] &= ~b;
                cells[br][bc] = -1;
            }
    };
    rec(rec);
    return found;
}

} // namespace testing_support
