// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A plain, loop-by-loop rendering of the grid rules and the search, written
// for the tests as an oracle: 729 booleans and 81 values per grid, every loop
// in the documented order. The engine's bit-mask rules must agree with it on
// values, barred flags and recorded moves.
#include <array>
#include <memory>
#include <vector>

namespace oracle {

// why: the rule that placed it, 0 only cell of its column, 1 of its row, 2 of
// its box, 3 box placement by the cell values, 4 a search trial.
struct Move {
    int grid, col, row, val, why = 4;
    bool operator==(const Move&) const = default;
};
using Moves = std::vector<Move>;

struct Grid {
    bool poss[9][9][9]; // value, col, row
    int val[9][9];      // col, row
    int sdCol = 0, sdRow = 0, sdVal = 0;

    Grid()
    {
        for (int c = 0; c < 9; ++c)
            for (int r = 0; r < 9; ++r) {
                val[c][r] = -1;
                for (int v = 0; v < 9; ++v) poss[v][c][r] = true;
            }
    }

    void place(Moves& moves, int g, int c, int r, int v, int why)
    {
        val[c][r] = v;
        moves.push_back({g, c, r, v, why});
    }
    bool valInSq(int v, int p, int q) const
    {
        for (int a = 0; a < 3; ++a)
            for (int b = 0; b < 3; ++b)
                if (val[3 * p + a][3 * q + b] == v) return true;
        return false;
    }
    // Whether v is a candidate in box row t (byRow) or box column t of box (p, q).
    bool inLine(int v, int p, int q, int t, bool byRow) const
    {
        for (int k = 0; k < 3; ++k)
            if (byRow ? poss[v][3 * p + k][3 * q + t] : poss[v][3 * p + t][3 * q + k]) return true;
        return false;
    }
    // valOnlyIn3x3Row (byRow) and valOnlyIn3x3Col.
    bool valOnlyIn(int v, int p, int q, int t, bool byRow) const
    {
        if (!inLine(v, p, q, t, byRow)) return false;
        for (int t2 = 0; t2 < 3; ++t2)
            if (t2 != t && inLine(v, p, q, t2, byRow)) return false;
        return true;
    }
    // Steps 3 (byRow) and 4: v confined to one line of a box is barred in the
    // unassigned cells of that line in the other boxes of the band or stack.
    void lineReduction(bool byRow)
    {
        for (int v = 0; v < 9; ++v)
            for (int p = 0; p < 3; ++p)
                for (int q = 0; q < 3; ++q)
                    for (int t = 0; t < 3; ++t)
                        if (valOnlyIn(v, p, q, t, byRow)) {
                            for (int o = 0; o < 3; ++o)
                                for (int k = 0; k < 3 && o != (byRow ? p : q); ++k) {
                                    const int c = byRow ? 3 * o + k : 3 * p + t, r = byRow ? 3 * q + t : 3 * o + k;
                                    if (val[c][r] < 0) poss[v][c][r] = false;
                                }
                            break;
                        }
    }

    void findPossibleRows(Moves& moves, int g)
    {
        for (int v = 0; v < 9; ++v) // 1 and 2: rows, then columns (the order cannot matter)
            for (int c = 0; c < 9; ++c)
                for (int r = 0; r < 9; ++r)
                    for (int k = 0; k < 9 && val[c][r] == v; ++k) {
                        if (val[k][r] < 0) poss[v][k][r] = false;
                        if (val[c][k] < 0) poss[v][c][k] = false;
                    }
        lineReduction(true);  // 3
        lineReduction(false); // 4
        for (int v = 0; v < 9; ++v) { // 5
            for (int c = 0; c < 9; ++c)
                for (int r = 0; r < 9; ++r)
                    if (val[c][r] >= 0) poss[v][c][r] = false;
            for (int p = 0; p < 3; ++p)
                for (int q = 0; q < 3; ++q)
                    for (int k = 0; k < 9 && valInSq(v, p, q); ++k) poss[v][3 * p + k / 3][3 * q + k % 3] = false;
        }
        for (int c = 0; c < 9; ++c) // 6
            for (int r = 0; r < 9; ++r)
                if (val[c][r] >= 0) poss[val[c][r]][c][r] = true;
        for (int v = 0; v < 9; ++v) { // 7: column i, then row i, with the early stop
            for (int i = 0; i < 9; ++i)
                for (bool column : {true, false}) {
                    int count = 0, last = 0;
                    for (int k = 0; k < 9 && count <= 1; ++k)
                        if (column ? poss[v][i][k] : poss[v][k][i]) ++count, last = k;
                    const int c = column ? i : last, r = column ? last : i;
                    if (count == 1 && val[c][r] < 0) place(moves, g, c, r, v, column ? 0 : 1);
                }
            for (int p = 0; p < 3; ++p) // then boxes, without it
                for (int q = 0; q < 3; ++q) {
                    int count = 0, lc = 0, lr = 0;
                    for (int a = 0; a < 3; ++a)
                        for (int b = 0; b < 3; ++b)
                            if (poss[v][3 * p + a][3 * q + b]) ++count, lc = 3 * p + a, lr = 3 * q + b;
                    if (count == 1 && val[lc][lr] < 0) place(moves, g, lc, lr, v, 2);
                }
        }
    }

    void setSimple3x3Derivatives(Moves& moves, int g)
    {
        for (int p = 0; p < 3; ++p)
            for (int q = 0; q < 3; ++q)
                for (int v = 0; v < 9; ++v) {
                    int count = 0, lc = 0, lr = 0;
                    for (int k = 0; k < 9; ++k) {
                        const int c = 3 * p + k % 3, r = 3 * q + k / 3;
                        if (val[c][r] == v) {
                            count = 0;
                            break;
                        }
                        if (val[c][r] >= 0) continue;
                        bool possible = true;
                        for (int x = 0; x < 9; ++x)
                            if (val[x][r] == v || val[c][x] == v) possible = false;
                        if (possible) ++count, lc = c, lr = r;
                    }
                    if (count == 1 && val[lc][lr] < 0) place(moves, g, lc, lr, v, 3);
                }
    }

    // Whether every unit holds v at most once (checkConsistency) or, with
    // exactly, exactly once (check).
    bool unitsHold(bool exactly) const
    {
        for (int v = 0; v < 9; ++v)
            for (int u = 0; u < 9; ++u) {
                int nc = 0, nr = 0, nb = 0;
                for (int k = 0; k < 9; ++k) {
                    nc += val[u][k] == v;
                    nr += val[k][u] == v;
                    nb += val[3 * (u / 3) + k / 3][3 * (u % 3) + k % 3] == v;
                }
                for (int n : {nc, nr, nb})
                    if (n > 1 || (exactly && n != 1)) return false;
            }
        return true;
    }
    bool checkConsistency() const { return unitsHold(false); }
    bool check() const { return unitsHold(true); }

    int setSmallestDomain()
    {
        for (int v = 0; v < 9; ++v)
            for (int b = 0; b < 9; ++b) {
                bool inCol = false, inRow = false;
                for (int k = 0; k < 9; ++k) inCol = inCol || poss[v][b][k], inRow = inRow || poss[v][k][b];
                if (!inCol || !inRow) return 0;
            }
        int best = 10, bc = 0, br = 0;
        bool single = false;
        for (int c = 0; c < 9; ++c)
            for (int r = 0; r < 9; ++r) {
                int n = 0;
                for (int v = 0; v < 9; ++v) n += poss[v][c][r];
                if (n == 0) return 0;
                if (n == 1) single = true;
                else if (n < best) best = n, bc = c, br = r;
            }
        if (best == 10 && single) return 1;
        sdCol = bc, sdRow = br, sdVal = 0;
        return best;
    }
    // Places the lowest candidate from value from on in the chosen cell.
    bool setValueFrom(Moves& moves, int g, int from)
    {
        for (sdVal = from; sdVal <= 8; ++sdVal)
            if (poss[sdVal][sdCol][sdRow]) {
                place(moves, g, sdCol, sdRow, sdVal, 4);
                return true;
            }
        return false;
    }
    bool setBestValue(Moves& moves, int g) { return setValueFrom(moves, g, 0); }
    bool setNextBestValue(Moves& moves, int g)
    {
        val[sdCol][sdRow] = -1;
        return setValueFrom(moves, g, sdVal + 1);
    }

    int instantiations() const
    {
        int n = 0;
        for (int k = 0; k < 81; ++k) n += val[k / 9][k % 9] >= 0;
        return n;
    }
    int barred() const
    {
        int n = 0;
        for (int k = 0; k < 729; ++k) n += !poss[k / 81][k / 9 % 9][k % 9];
        return n;
    }
};

// Outer grid o's shared box starts at (box[o][0], box[o][1]) in grid o and at
// (box[o][2], box[o][3]) in the centre.
inline void propagateAccrossGrids(int g, std::array<Grid, 6>& gs)
{
    static const int box[4][4] = {{6, 6, 0, 0}, {0, 6, 6, 0}, {6, 0, 0, 6}, {0, 0, 6, 6}};
    auto transfer = [](const Grid& s, int sc, int sr, Grid& t, int tc, int tr) {
        for (int a = 0; a < 3; ++a)
            for (int b = 0; b < 3; ++b) {
                for (int v = 0; v < 9; ++v)
                    if (!s.poss[v][sc + a][sr + b]) t.poss[v][tc + a][tr + b] = false;
                if (s.val[sc + a][sr + b] >= 0) t.val[tc + a][tr + b] = s.val[sc + a][sr + b];
            }
    };
    if (g >= 0 && g < 4) transfer(gs[g], box[g][0], box[g][1], gs[4], box[g][2], box[g][3]);
    for (int o = 0; o < 4 && g == 4; ++o) transfer(gs[4], box[o][2], box[o][3], gs[o], box[o][0], box[o][1]);
}

// The search, straight from its description.
struct Search {
    Moves moves;
    int numGrids = 1;
    int numSolutions = 0;
    bool searching = true;

    int total(const std::array<Grid, 6>& g, bool barred) const
    {
        int n = 0;
        for (int i = 0; i < numGrids; ++i) n += barred ? g[i].barred() : g[i].instantiations();
        return n;
    }
    void fixpoint(std::array<Grid, 6>& g)
    {
        int prevInst = 0, prevBarred = 0, inst = total(g, false), barred = total(g, true);
        while (inst != prevInst || barred != prevBarred) {
            for (int i = numGrids - 1; i >= 0; --i) {
                g[i].findPossibleRows(moves, i);
                g[i].setSimple3x3Derivatives(moves, i);
                if (numGrids > 1) propagateAccrossGrids(i, g);
            }
            prevBarred = barred, barred = total(g, true);
            prevInst = inst, inst = total(g, false);
        }
    }
    bool run(std::array<Grid, 6>& g, bool solve, bool all)
    {
        moves.clear();
        numSolutions = 0;
        fixpoint(g);
        if (!level(g, all)) return false;
        for (const Move& m : moves)
            if (solve) g[m.grid].val[m.col][m.row] = m.val;
        return true;
    }
    bool level(const std::array<Grid, 6>& g, bool many)
    {
        const std::size_t saved = moves.size();
        if (!searching) return true;
        auto copies = std::make_unique<std::array<Grid, 6>>(g);
        auto& cp = *copies;
        fixpoint(cp);
        auto fail = [&] {
            moves.resize(saved);
            return false;
        };
        for (int i = 0; i < numGrids; ++i)
            if (!cp[i].checkConsistency()) return fail();
        int best = 100, solved = 0, bestGrid = 0;
        for (int i = numGrids - 1; i >= 0; --i) {
            const int d = cp[i].setSmallestDomain();
            if (d == 1) ++solved;
            else if (d < best) best = d, bestGrid = i;
            if (d == 2) break;
        }
        if (best == 0) return fail();
        if (solved == numGrids) {
            for (int i = 0; i < numGrids; ++i)
                if (!cp[i].check()) return fail();
            if (!many || ++numSolutions > 1) return true;
            return fail();
        }
        if (!cp[bestGrid].setBestValue(moves, bestGrid)) return fail();
        for (;;) {
            if (level(cp, many)) return true;
            moves.pop_back();
            if (!cp[bestGrid].setNextBestValue(moves, bestGrid)) return fail();
        }
    }
};

} // namespace oracle
