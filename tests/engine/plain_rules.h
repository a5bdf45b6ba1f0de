#pragma once
// A plain, loop-by-loop rendering of the grid rules and the search, written
// for the tests as an oracle: 729 booleans and 81 values per grid, every loop
// in the documented order. The engine's bit-mask rules must agree with it on
// values, barred flags and recorded moves.
#include <array>
#include <functional>
#include <vector>

#include "moves.h"

namespace oracle {

struct Move {
    int grid, col, row, val;
    bool operator==(const Move&) const = default;
};

struct Grid {
    bool poss[9][9][9]; // value, col, row
    int val[9][9];      // col, row
    int sdCol = 0, sdRow = 0, sdVal = 0;

    Grid() { init(); }
    void init()
    {
        for (auto& a : poss)
            for (auto& b : a)
                for (bool& f : b) f = true;
        for (auto& c : val)
            for (int& v : c) v = -1;
    }

    void place(std::vector<Move>& moves, int g, int c, int r, int v)
    {
        val[c][r] = v;
        moves.push_back({g, c, r, v});
    }

    bool valInSq(int v, int p, int q) const
    {
        for (int a = 0; a < 3; ++a)
            for (int b = 0; b < 3; ++b)
                if (val[3 * p + a][3 * q + b] == v) return true;
        return false;
    }
    bool valOnlyIn3x3Row(int p, int q, int t, int v) const
    {
        bool in = false;
        for (int a = 0; a < 3; ++a) in = in || poss[v][3 * p + a][3 * q + t];
        if (!in) return false;
        for (int t2 = 0; t2 < 3; ++t2)
            if (t2 != t)
                for (int a = 0; a < 3; ++a)
                    if (poss[v][3 * p + a][3 * q + t2]) return false;
        return true;
    }
    bool valOnlyIn3x3Col(int p, int q, int s, int v) const
    {
        bool in = false;
        for (int b = 0; b < 3; ++b) in = in || poss[v][3 * p + s][3 * q + b];
        if (!in) return false;
        for (int s2 = 0; s2 < 3; ++s2)
            if (s2 != s)
                for (int b = 0; b < 3; ++b)
                    if (poss[v][3 * p + s2][3 * q + b]) return false;
        return true;
    }

    void findPossibleRows(std::vector<Move>& moves, int g)
    {
        for (int v = 0; v < 9; ++v) // 1
            for (int c = 0; c < 9; ++c)
                for (int r = 0; r < 9; ++r)
                    if (val[c][r] == v)
                        for (int c2 = 0; c2 < 9; ++c2)
                            if (val[c2][r] < 0) poss[v][c2][r] = false;
        for (int v = 0; v < 9; ++v) // 2
            for (int c = 0; c < 9; ++c)
                for (int r = 0; r < 9; ++r)
                    if (val[c][r] == v)
                        for (int r2 = 0; r2 < 9; ++r2)
                            if (val[c][r2] < 0) poss[v][c][r2] = false;
        for (int v = 0; v < 9; ++v) // 3
            for (int p = 0; p < 3; ++p)
                for (int q = 0; q < 3; ++q)
                    for (int t = 0; t < 3; ++t)
                        if (valOnlyIn3x3Row(p, q, t, v)) {
                            for (int p2 = 0; p2 < 3; ++p2)
                                if (p2 != p)
                                    for (int a = 0; a < 3; ++a)
                                        if (val[3 * p2 + a][3 * q + t] < 0) poss[v][3 * p2 + a][3 * q + t] = false;
                            break;
                        }
        for (int v = 0; v < 9; ++v) // 4
            for (int p = 0; p < 3; ++p)
                for (int q = 0; q < 3; ++q)
                    for (int s = 0; s < 3; ++s)
                        if (valOnlyIn3x3Col(p, q, s, v)) {
                            for (int q2 = 0; q2 < 3; ++q2)
                                if (q2 != q)
                                    for (int b = 0; b < 3; ++b)
                                        if (val[3 * p + s][3 * q2 + b] < 0) poss[v][3 * p + s][3 * q2 + b] = false;
                            break;
                        }
        for (int v = 0; v < 9; ++v) { // 5
            for (int c = 0; c < 9; ++c)
                for (int r = 0; r < 9; ++r)
                    if (val[c][r] >= 0) poss[v][c][r] = false;
            for (int p = 0; p < 3; ++p)
                for (int q = 0; q < 3; ++q)
                    if (valInSq(v, p, q))
                        for (int a = 0; a < 3; ++a)
                            for (int b = 0; b < 3; ++b) poss[v][3 * p + a][3 * q + b] = false;
        }
        for (int c = 0; c < 9; ++c) // 6
            for (int r = 0; r < 9; ++r)
                if (val[c][r] >= 0) poss[val[c][r]][c][r] = true;
        for (int v = 0; v < 9; ++v) { // 7
            for (int i = 0; i < 9; ++i) {
                int count = 0, last = 0;
                for (int r = 0; r < 9 && count <= 1; ++r)
                    if (poss[v][i][r]) {
                        ++count;
                        last = r;
                    }
                if (count == 1 && val[i][last] < 0) place(moves, g, i, last, v);
                count = 0;
                for (int c = 0; c < 9 && count <= 1; ++c)
                    if (poss[v][c][i]) {
                        ++count;
                        last = c;
                    }
                if (count == 1 && val[last][i] < 0) place(moves, g, last, i, v);
            }
            for (int p = 0; p < 3; ++p)
                for (int q = 0; q < 3; ++q) {
                    int count = 0, lc = 0, lr = 0;
                    for (int a = 0; a < 3; ++a)
                        for (int b = 0; b < 3; ++b)
                            if (poss[v][3 * p + a][3 * q + b]) {
                                ++count;
                                lc = 3 * p + a;
                                lr = 3 * q + b;
                            }
                    if (count == 1 && val[lc][lr] < 0) place(moves, g, lc, lr, v);
                }
        }
    }

    void setSimple3x3Derivatives(std::vector<Move>& moves, int g)
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
                        if (possible) {
                            ++count;
                            lc = c;
                            lr = r;
                        }
                    }
                    if (count == 1 && val[lc][lr] < 0) place(moves, g, lc, lr, v);
                }
    }

    bool checkConsistency() const
    {
        for (int v = 0; v < 9; ++v)
            for (int r = 0; r < 9; ++r) {
                int n = 0;
                for (int c = 0; c < 9; ++c) n += val[c][r] == v;
                if (n > 1) return false;
            }
        for (int v = 0; v < 9; ++v)
            for (int c = 0; c < 9; ++c) {
                int n = 0;
                for (int r = 0; r < 9; ++r) n += val[c][r] == v;
                if (n > 1) return false;
            }
        for (int v = 0; v < 9; ++v)
            for (int p = 0; p < 3; ++p)
                for (int q = 0; q < 3; ++q) {
                    int n = 0;
                    for (int a = 0; a < 3; ++a)
                        for (int b = 0; b < 3; ++b) n += val[3 * p + a][3 * q + b] == v;
                    if (n > 1) return false;
                }
        return true;
    }

    bool check() const
    {
        for (int v = 0; v < 9; ++v)
            for (int u = 0; u < 9; ++u) {
                int nc = 0, nr = 0, nb = 0;
                for (int k = 0; k < 9; ++k) {
                    nc += val[u][k] == v;
                    nr += val[k][u] == v;
                    nb += val[3 * (u / 3) + k / 3][3 * (u % 3) + k % 3] == v;
                }
                if (nc != 1 || nr != 1 || nb != 1) return false;
            }
        return true;
    }

    int setSmallestDomain()
    {
        for (int v = 0; v < 9; ++v)
            for (int b = 0; b < 9; ++b) {
                bool inCol = false, inRow = false;
                for (int k = 0; k < 9; ++k) {
                    inCol = inCol || poss[v][b][k];
                    inRow = inRow || poss[v][k][b];
                }
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
                else if (n < best) {
                    best = n;
                    bc = c;
                    br = r;
                }
            }
        if (best == 10 && single) return 1;
        sdCol = bc;
        sdRow = br;
        sdVal = 0;
        return best;
    }

    bool setBestValue(std::vector<Move>& moves, int g)
    {
        for (sdVal = 0; sdVal <= 8; ++sdVal)
            if (poss[sdVal][sdCol][sdRow]) {
                place(moves, g, sdCol, sdRow, sdVal);
                return true;
            }
        return false;
    }

    bool setNextBestValue(std::vector<Move>& moves, int g)
    {
        val[sdCol][sdRow] = -1;
        for (++sdVal; sdVal <= 8; ++sdVal)
            if (poss[sdVal][sdCol][sdRow]) {
                place(moves, g, sdCol, sdRow, sdVal);
                return true;
            }
        return false;
    }

    int instantiations() const
    {
        int n = 0;
        for (auto& c : val)
            for (int v : c) n += v >= 0;
        return n;
    }
    int barred() const
    {
        int n = 0;
        for (auto& a : poss)
            for (auto& b : a)
                for (bool f : b) n += !f;
        return n;
    }
};

// Shared boxes: outer grid o's box at (oc, or) is the centre's box at (cc, cr).
inline void transfer(const Grid& s, int sc, int sr, Grid& t, int tc, int tr)
{
    for (int a = 0; a < 3; ++a)
        for (int b = 0; b < 3; ++b) {
            for (int v = 0; v < 9; ++v)
                if (!s.poss[v][sc + a][sr + b]) t.poss[v][tc + a][tr + b] = false;
            if (s.val[sc + a][sr + b] >= 0) t.val[tc + a][tr + b] = s.val[sc + a][sr + b];
        }
}

inline void propagateAccrossGrids(int g, std::array<Grid, 6>& gs)
{
    static const int box[4][4] = {{6, 6, 0, 0}, {0, 6, 6, 0}, {6, 0, 0, 6}, {0, 0, 6, 6}};
    if (g >= 0 && g < 4) transfer(gs[g], box[g][0], box[g][1], gs[4], box[g][2], box[g][3]);
    if (g == 4)
        for (int o = 0; o < 4; ++o) transfer(gs[4], box[o][2], box[o][3], gs[o], box[o][0], box[o][1]);
}

// The search, straight from its description.
struct Search {
    std::vector<Move> moves;
    int numGrids = 1;
    int numSolutions = 0;
    bool searching = true;
    int messages = 0;

    int totalInst(const std::array<Grid, 6>& g) const
    {
        int n = 0;
        for (int i = 0; i < numGrids; ++i) n += g[i].instantiations();
        return n;
    }
    int totalBarred(const std::array<Grid, 6>& g) const
    {
        int n = 0;
        for (int i = 0; i < numGrids; ++i) n += g[i].barred();
        return n;
    }
    void fixpoint(std::array<Grid, 6>& g)
    {
        int prevInst = 0, prevBarred = 0, inst = totalInst(g), barred = totalBarred(g);
        while (inst != prevInst || barred != prevBarred) {
            if (numGrids == 1) {
                g[0].findPossibleRows(moves, 0);
                g[0].setSimple3x3Derivatives(moves, 0);
            } else {
                for (int i = numGrids - 1; i >= 0; --i) {
                    g[i].findPossibleRows(moves, i);
                    g[i].setSimple3x3Derivatives(moves, i);
                    propagateAccrossGrids(i, g);
                }
            }
            prevBarred = barred;
            barred = totalBarred(g);
            prevInst = inst;
            inst = totalInst(g);
        }
    }
    bool run(std::array<Grid, 6>& g, bool solve, bool all)
    {
        moves.clear();
        numSolutions = 0;
        fixpoint(g);
        if (!level(g, all)) return false;
        if (solve)
            for (const Move& m : moves) g[m.grid].val[m.col][m.row] = m.val;
        return true;
    }
    bool level(const std::array<Grid, 6>& g, bool many)
    {
        const std::size_t saved = moves.size();
        if (!searching) return true;
        auto copies = std::make_unique<std::array<Grid, 6>>();
        for (int i = 0; i < numGrids; ++i) (*copies)[i] = g[i];
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
            else if (d < best) {
                best = d;
                bestGrid = i;
            }
            if (d == 2) break;
        }
        if (best == 0) return fail();
        if (solved == numGrids) {
            for (int i = 0; i < numGrids; ++i)
                if (!cp[i].check()) {
                    ++messages;
                    return fail();
                }
            if (!many) return true;
            if (++numSolutions > 1) return true;
            moves.resize(saved);
            return false;
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
