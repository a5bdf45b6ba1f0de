// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "cross_grid.h"

namespace engine {

struct CounterGeometry;

// Counts the solutions of a standard or Samurai board, 0, 1 or 2 (two or
// more), for the callers that read only that count. The order of its search
// is its own, so it never stands in for a run whose moves are used. A Samurai
// board is one set of 369 cells: a shared cell is one cell of both grids.
// Candidates are bit masks per cell; naked and hidden singles and locked
// candidates propagate; the search branches on the cell with the fewest
// candidates over the whole board, and counts a corner grid on its own once
// its shared box is filled. Everything a count needs is allocated with the
// object.
class ExactCounter {
public:
    static constexpr int kStopped = -1;
    using YieldFn = std::function<void()>;

    ExactCounter();

    // An empty board of numGrids grids (1, or 5 for Samurai).
    void clear(int numGrids);
    // A given: value index 0..8 at (col, row) of grid g. Two different values
    // for one cell (a shared cell given through both grids) leave no solution.
    // Other values, and cells outside the board, are ignored.
    void setGiven(int g, int col, int row, int val);
    // clear(numGrids), then every value held in grids[0..numGrids-1].
    void load(const GridSlots& grids, int numGrids);

    // The number of solutions, up to two. yield is called once at the start
    // and then every kYieldNodes search nodes; when searching is false after
    // a yield, the count ends and returns kStopped, which is never a count.
    int count(const bool& searching, const YieldFn& yield);
    int count();

    // Search nodes of the last count.
    long nodes() const { return nodes_; }

    static constexpr int kYieldNodes = 64;

private:
    struct Node {
        // Candidate values per cell (bits 0..8); bit 9 once the cell's value
        // has been taken from its peers.
        std::array<std::uint16_t, 369> cand;
    };

    bool propagate(Node& n);
    int lockedCandidates(Node& n);
    int search(int depth, unsigned scope);

    const CounterGeometry* geo_;
    Node board_; // the givens
    bool conflict_ = false;
    // One node per search depth, made once: 369 + 1. Every level places the
    // cell it branches on, so a level with an open cell left to branch on has
    // at most 368 placed cells above the root, and its child is node 369.
    std::unique_ptr<Node[]> stack_;
    // Cells whose value is still to be barred from their peers: 369 + 64.
    // Within one propagation a cell enters once, when it becomes a single (a
    // single only loses its value, which ends the propagation); the placement
    // or segment that empties a cell queues at most one cell's 32 peers before
    // propagation gives up; and a push without a branch writes one slot past
    // the end: 369 + 32 + 1 at most.
    std::array<std::int16_t, 369 + 64> queue_{};
    std::array<std::uint16_t, 246> segUnion_{};
    int queued_ = 0;
    long nodes_ = 0;
    bool stopped_ = false;
    const bool* searching_ = nullptr;
    const YieldFn* yield_ = nullptr;
};

} // namespace engine
