// SPDX-License-Identifier: GPL-3.0-or-later
// The documented examples of the grid model, the propagation rules, the search
// ordering and the transfer between the grids of a Samurai board, one row
// each: a small grid state, one operation, the stated outcome. They are
// written from the rules' description, not from the code.
#include <gtest/gtest.h>

#include "solver.h"
#include "test_support.h"

namespace {

constexpr engine::Colour kBase = 0xFFFFFF, kInput = 0xE0E0E0, kHint = 0x00C000;

// Five empty grids; grid 0 shows its cells in plain cell controls.
struct Ex {
    engine::GridSlots g;
    std::array<engine::PlainCell, 81> cells;
    engine::MoveList moves;
    Ex()
    {
        for (auto& grid : g) grid.initialiseForSearch();
        g[0].setBaseColour(kBase);
        g[0].setInputColour(kInput);
        g[0].setHintColour(kHint);
        for (int k = 0; k < 81; ++k) g[0].setBox(k / 9, k % 9, &cells[static_cast<std::size_t>(k)]);
    }
    engine::PlainCell& cell(int c, int r) { return cells[static_cast<std::size_t>(c * 9 + r)]; }
    void text(int c, int r, const char* t, engine::Colour bg = kBase) { cell(c, r).setText(t), cell(c, r).setBackground(bg); }
    int val(int gi, int c, int r) const { return g[static_cast<std::size_t>(gi)].getDerived3x3(c, r); }
    // Bars every value of (c, r) of grid gi but the listed ones.
    void keepOnly(int gi, int c, int r, std::initializer_list<int> values)
    {
        for (int v = 0; v < 9; ++v)
            if (std::find(values.begin(), values.end(), v) == values.end()) g[static_cast<std::size_t>(gi)].barResource(v, c, r);
    }
    void fill(int gi, const std::string& line)
    {
        for (int k = 0; k < 81; ++k) g[static_cast<std::size_t>(gi)].setDerived3x3(k % 9, k / 9, line[static_cast<std::size_t>(k)] - '1');
    }
    int pass() // one propagation pass on grid 0
    {
        g[0].findPossibleRows(moves, 0);
        g[0].preprocess(moves, 0);
        return moves.numMoves;
    }
    bool hasMove(int k, int grid, int col, int row, int v) const
    {
        return moves.numMoves > k && moves[k].grid == grid && moves[k].col == col && moves[k].row == row && moves[k].val == v;
    }
};

struct Example {
    const char* what;
    void (*setup)(Ex&);
    int (*run)(Ex&); // the operation; its result, or what it left
    int result;
    bool (*holds)(Ex&); // the rest of the stated outcome
};

void none(Ex&) {}
bool nothingElse(Ex&) { return true; }

const Example kExamples[] = {
    // The grid model.
    {"after initAll nothing is assigned or barred", [](Ex& x) { x.g[0].setDerived3x3(2, 2, 5), x.g[0].barResource(3, 1, 1); },
     [](Ex& x) { return x.g[0].initAll(), x.g[0].getNumInstantiations() + x.g[0].getNumBarred(); }, 0, nothingElse},
    {"clear empties the cells and values but leaves barred flags barred",
     [](Ex& x) { x.g[0].setDerived3x3(0, 0, 4), x.g[0].barResource(2, 5, 5), x.text(0, 0, "5", kInput); },
     [](Ex& x) { return x.g[0].clear(), x.g[0].getNumBarred(); }, 1,
     [](Ex& x) { return x.g[0].getNumInstantiations() == 0 && x.cell(0, 0).text().empty() && x.cell(0, 0).background() == kBase; }},
    {"partClear keeps a given and clears a typed entry and a hint",
     [](Ex& x) { x.text(0, 0, "5", kInput), x.text(1, 0, "3"), x.text(2, 0, "4", kHint); },
     [](Ex& x) { return x.g[0].partClear(), 0; }, 0,
     [](Ex& x) {
         return x.cell(0, 0).text() == "5" && x.cell(0, 0).background() == kInput && x.cell(1, 0).text().empty() &&
                x.cell(2, 0).text().empty() && x.cell(2, 0).background() == kBase;
     }},
    {"validate without a filled cell changes nothing", none, [](Ex& x) { return x.g[0].validate(), 0; }, 0,
     [](Ex& x) { return std::all_of(x.cells.begin(), x.cells.end(), [](auto& c) { return c.background() == kBase; }); }},
    {"assignValue without hint sets only the text", none, [](Ex& x) { return x.g[0].assignValue(1, 0, "3", false), 0; }, 0,
     [](Ex& x) { return x.cell(1, 0).text() == "3" && x.cell(1, 0).background() == kBase; }},
    {"assignValue with hint sets the hint colour too", none, [](Ex& x) { return x.g[0].assignValue(1, 0, "3", true), 0; }, 0,
     [](Ex& x) { return x.cell(1, 0).text() == "3" && x.cell(1, 0).background() == kHint; }},
    {"setMove records a cell recorded before once more", none,
     [](Ex& x) { return x.moves.setMove(4, 1, 2, 3), x.moves.setMove(4, 1, 2, 3), int(x.moves.numMoves); }, 2,
     [](Ex& x) { return x.hasMove(0, 4, 1, 2, 3) && x.hasMove(1, 4, 1, 2, 3); }},
    {"the move list holds at most 1000 moves", none,
     [](Ex& x) { for (int k = 0; k <= 1000; ++k) x.moves.setMove(0, 0, 0, 1); return int(x.moves.numMoves); }, 1000,
     nothingElse},
    {"boxesAssigned is false with one empty cell", [](Ex& x) { for (int k = 0; k < 80; ++k) x.text(k / 9, k % 9, "Z"); },
     [](Ex& x) { return int(x.g[0].boxesAssigned()); }, 0, nothingElse},
    {"boxesAssigned is true for a full grid of any symbols", [](Ex& x) { for (int k = 0; k < 81; ++k) x.text(k / 9, k % 9, "Z"); },
     [](Ex& x) { return int(x.g[0].boxesAssigned()); }, 1, nothingElse},

    // The propagation rules.
    {"a fresh grid: a pass bars nothing and places nothing", none, [](Ex& x) { return x.pass(); }, 0,
     [](Ex& x) { return x.g[0].getNumBarred() == 0 && x.g[0].getNumInstantiations() == 0; }},
    {"a 4 at (0, 0) is barred in its row, column and box and is the cell's only candidate",
     [](Ex& x) { x.g[0].setDerived3x3(0, 0, 4); }, [](Ex& x) { return x.g[0].findPossibleRows(x.moves, 0), x.g[0].getNumBarred(); },
     20 + 8, [](Ex& x) {
         bool ok = x.g[0].getPossibleRows(4, 0, 0);
         for (int k = 1; k < 81; ++k) {
             const int c = k / 9, r = k % 9;
             ok = ok && x.g[0].getPossibleRows(4, c, r) == !(c == 0 || r == 0 || (c < 3 && r < 3));
         }
         return ok;
     }},
    {"two equal values in a row stay; checkConsistency is false", [](Ex& x) { x.g[0].setDerived3x3(0, 4, 3), x.g[0].setDerived3x3(7, 4, 3); },
     [](Ex& x) { return x.pass(), int(x.g[0].checkConsistency()); }, 0, [](Ex& x) { return x.val(0, 0, 4) == 3 && x.val(0, 7, 4) == 3; }},
    {"6 possible in column 2 only at (2, 5) is placed there with one move",
     [](Ex& x) { for (int r = 0; r < 9; ++r) if (r != 5) x.g[0].barResource(6, 2, r); },
     [](Ex& x) { return x.g[0].findPossibleRows(x.moves, 3), int(x.moves.numMoves); }, 1,
     [](Ex& x) { return x.hasMove(0, 3, 2, 5, 6) && x.val(0, 2, 5) == 6; }},
    {"a hidden single in an assigned cell records nothing", [](Ex& x) { x.g[0].setDerived3x3(2, 5, 6); },
     [](Ex& x) { return x.g[0].findPossibleRows(x.moves, 0), int(x.moves.numMoves); }, 0, nothingElse},
    {"box placement places nothing for a value the box holds, even in its only possible cell",
     [](Ex& x) { x.g[0].setDerived3x3(0, 0, 2), x.g[0].setDerived3x3(2, 5, 2), x.g[0].setDerived3x3(5, 2, 2); },
     [](Ex& x) { return x.g[0].preprocess(x.moves, 0), int(x.moves.numMoves); }, 0, [](Ex& x) { return x.val(0, 1, 1) == -1; }},
    {"check is false with an unassigned cell, where checkConsistency is true",
     [](Ex& x) { x.fill(0, puzzles::kEasySolution), x.g[0].resetDerived3x3(4, 4); }, [](Ex& x) { return int(x.g[0].check()); }, 0,
     [](Ex& x) { return x.g[0].checkConsistency(); }},
    {"a box without a candidate for a value reduces no line", [](Ex& x) { for (int k = 0; k < 9; ++k) x.g[0].barResource(5, k / 3, k % 3); },
     [](Ex& x) { return x.g[0].findPossibleRows(x.moves, 0), x.g[0].getNumBarred(); }, 9, nothingElse},

    // The search ordering.
    {"7 without a candidate in row 3 is a dead end", [](Ex& x) { for (int c = 0; c < 9; ++c) x.g[0].barResource(7, c, 3); },
     [](Ex& x) { return x.g[0].setSmallestDomain(); }, 0, nothingElse},
    {"a cell without candidates is a dead end after a cell with two", [](Ex& x) { x.keepOnly(0, 0, 0, {1, 2}), x.keepOnly(0, 5, 5, {}); },
     [](Ex& x) { return x.g[0].setSmallestDomain(); }, 0, nothingElse},
    {"a full grid without duplicates, after a pass, is done", [](Ex& x) { x.fill(0, puzzles::kEasySolution); },
     [](Ex& x) { return x.g[0].findPossibleRows(x.moves, 0), x.g[0].setSmallestDomain(); }, 1, nothingElse},
    {"a full grid with two equal values in a row, after a pass, is a dead end",
     [](Ex& x) { x.fill(0, puzzles::kEasySolution), x.g[0].setDerived3x3(0, 0, x.val(0, 1, 0)); },
     [](Ex& x) { return x.g[0].findPossibleRows(x.moves, 0), x.g[0].setSmallestDomain(); }, 0, nothingElse},
    {"two cells with two candidates: (0, 5) comes before (1, 0)", [](Ex& x) { x.keepOnly(0, 0, 5, {0, 1}), x.keepOnly(0, 1, 0, {0, 1}); },
     [](Ex& x) { return x.g[0].setSmallestDomain(); }, 2, [](Ex& x) { return x.g[0].sdColIdx() == 0 && x.g[0].sdRowIdx() == 5; }},
    {"three candidates at (2, 2), two at (8, 8): (8, 8)", [](Ex& x) { x.keepOnly(0, 2, 2, {0, 1, 2}), x.keepOnly(0, 8, 8, {3, 4}); },
     [](Ex& x) { return x.g[0].setSmallestDomain(); }, 2, [](Ex& x) { return x.g[0].sdColIdx() == 8 && x.g[0].sdRowIdx() == 8; }},
    {"candidates {1, 5, 8}: 1, then 5, then 8, then none and the cell empty, one move each",
     [](Ex& x) { x.keepOnly(0, 4, 4, {1, 5, 8}); },
     [](Ex& x) {
         int placed = 0;
         if (x.g[0].setSmallestDomain() != 3 || !x.g[0].setBestValue(x.moves, 0)) return -1;
         do placed = placed * 10 + x.val(0, 4, 4);
         while (x.g[0].setNextBestValue(x.moves, 0));
         return placed;
     },
     158, [](Ex& x) { return x.val(0, 4, 4) == -1 && x.moves.numMoves == 3; }},

    // The transfer between the grids of a Samurai board.
    {"grid index 5 or -1 changes nothing",
     [](Ex& x) { x.g[1].barResource(5, 1, 7), x.g[3].setDerived3x3(0, 0, 2), x.g[4].setDerived3x3(0, 8, 7); },
     [](Ex& x) {
         engine::propagateAccrossGrids(5, x.g), engine::propagateAccrossGrids(-1, x.g);
         return engine::Solver::getTotalBarred(x.g, 5) * 10 + engine::Solver::getTotalInstantiations(x.g, 5);
     },
     12, nothingElse},
    {"barred in grid 1 at (1, 7), then barred in grid 4 at (7, 1)", [](Ex& x) { x.g[1].barResource(5, 1, 7); },
     [](Ex& x) { return engine::propagateAccrossGrids(1, x.g), int(x.g[4].getPossibleRows(5, 7, 1)); }, 0,
     [](Ex& x) { return x.g[4].getNumBarred() == 1; }},
    {"2 at (0, 0) of grid 3 goes to (6, 6) of grid 4", [](Ex& x) { x.g[3].setDerived3x3(0, 0, 2); },
     [](Ex& x) { return engine::propagateAccrossGrids(3, x.g), x.val(4, 6, 6); }, 2,
     [](Ex& x) { return x.g[4].getNumInstantiations() == 1; }},
    {"the centre reaches grid 2 in its columns 6..8, rows 0..2 only", [](Ex& x) { x.fill(4, puzzles::kEasySolution); },
     [](Ex& x) { return engine::propagateAccrossGrids(4, x.g), x.g[2].getNumInstantiations(); }, 9,
     [](Ex& x) {
         bool ok = true;
         for (int k = 0; k < 9; ++k) ok = ok && x.val(2, 6 + k / 3, k % 3) == x.val(4, k / 3, 6 + k % 3);
         return ok;
     }},
    {"a candidate barred in the target stays barred", [](Ex& x) { x.g[2].barResource(0, 8, 0); },
     [](Ex& x) { return engine::propagateAccrossGrids(4, x.g), int(x.g[2].getPossibleRows(0, 8, 0)); }, 0, nothingElse},
    {"the target takes the source's value in a shared cell", [](Ex& x) { x.g[4].setDerived3x3(0, 8, 7), x.g[2].setDerived3x3(6, 2, 1); },
     [](Ex& x) { return engine::propagateAccrossGrids(4, x.g), x.val(2, 6, 2); }, 7, nothingElse},
};

} // namespace

TEST(WorkedExamples, EachGivesItsStatedOutcome)
{
    for (const Example& e : kExamples) {
        Ex x;
        e.setup(x);
        EXPECT_EQ(e.run(x), e.result) << e.what;
        EXPECT_TRUE(e.holds(x)) << e.what;
    }
}
