#include <gtest/gtest.h>

#include "plain_board.h"
#include "sudoku_grid.h"

using engine::PlainCell;
using engine::SudokuGrid;

namespace {

constexpr engine::Colour kBase = 0xFFFFFF, kInput = 0xE0E0E0, kHint = 0x00C000;

struct BoundGrid {
    std::array<PlainCell, 81> cells;
    SudokuGrid grid;
    BoundGrid()
    {
        grid.setBaseColour(kBase);
        grid.setInputColour(kInput);
        grid.setHintColour(kHint);
        for (int c = 0; c < 9; ++c)
            for (int r = 0; r < 9; ++r) grid.setBox(c, r, &cells[static_cast<std::size_t>(c * 9 + r)]);
    }
    PlainCell& at(int c, int r) { return cells[static_cast<std::size_t>(c * 9 + r)]; }
};

} // namespace

TEST(GridModel, InitialisationAndCounts)
{
    SudokuGrid g;
    g.barResource(3, 1, 1);
    g.setDerived3x3(2, 2, 5);
    g.initAll();
    EXPECT_EQ(g.getNumInstantiations(), 0);
    EXPECT_EQ(g.getNumBarred(), 0);
    EXPECT_EQ(g.size(), 9);
    g.setDerived3x3(4, 4, 0);
    g.barResource(8, 0, 8);
    g.barResource(8, 0, 8);
    g.setPossibleRows(1, 2, 3, false);
    EXPECT_EQ(g.getNumInstantiations(), 1);
    EXPECT_EQ(g.getNumBarred(), 2);
    EXPECT_FALSE(g.getPossibleRows(8, 0, 8));
    EXPECT_TRUE(g.getPossibleRows(8, 8, 0)); // column first: (0, 8) is not (8, 0)
    g.resetDerived3x3(4, 4);
    EXPECT_EQ(g.getDerived3x3(4, 4), -1);
    g.initialiseForSearch();
    EXPECT_EQ(g.getNumBarred(), 0);
}

TEST(GridModel, ClearPartClearValidateAndAssign)
{
    BoundGrid b;
    b.grid.validate(); // nothing filled: nothing changes
    for (auto& c : b.cells) EXPECT_EQ(c.background(), kBase);

    b.at(0, 0).setText("5");
    b.grid.validate();
    EXPECT_TRUE(b.grid.isGiven(0, 0));
    EXPECT_FALSE(b.grid.isGiven(1, 0));
    b.grid.assignValue(1, 0, "3", false);
    EXPECT_EQ(b.at(1, 0).text(), "3");
    EXPECT_EQ(b.at(1, 0).background(), kBase); // hint false: text only
    b.grid.assignValue(2, 0, "4", true);
    EXPECT_EQ(b.at(2, 0).background(), kHint);
    EXPECT_FALSE(b.grid.boxesAssigned());

    b.grid.partClear(); // givens stay; entries and hints go
    EXPECT_EQ(b.at(0, 0).text(), "5");
    EXPECT_EQ(b.at(1, 0).text(), "");
    EXPECT_EQ(b.at(2, 0).text(), "");
    EXPECT_EQ(b.at(2, 0).background(), kBase);

    b.grid.setDerived3x3(0, 0, 4);
    b.grid.barResource(2, 5, 5);
    b.grid.clear(); // everything empty, values reset, barred flags kept
    EXPECT_EQ(b.at(0, 0).text(), "");
    EXPECT_EQ(b.at(0, 0).background(), kBase);
    EXPECT_EQ(b.grid.getNumInstantiations(), 0);
    EXPECT_EQ(b.grid.getNumBarred(), 1);

    for (auto& c : b.cells) c.setText("Z");
    EXPECT_TRUE(b.grid.boxesAssigned()); // any symbols count as filled
    b.grid.setInvisible();
    EXPECT_FALSE(b.at(8, 8).isVisible());
    b.grid.setVisible();
    EXPECT_TRUE(b.at(8, 8).isVisible());
}

TEST(GridModel, MoveListRecordsInOrderAndNeverOverflows)
{
    engine::MoveList ml;
    ml.setMove(4, 1, 2, 3);
    ml.setMove(4, 1, 2, 3); // the same cell twice: two records
    ASSERT_EQ(ml.numMoves, 2);
    EXPECT_EQ(ml[1].grid, 4);
    EXPECT_EQ(ml[1].col, 1);
    EXPECT_EQ(ml[1].row, 2);
    EXPECT_EQ(ml[1].val, 3);
    for (int i = 0; i < 2000; ++i) ml.setMove(0, 0, 0, i % 9);
    EXPECT_EQ(ml.numMoves, engine::MoveList::kCapacity);
    EXPECT_TRUE(ml.overflowed);
}

TEST(GridModel, PlainBoardSharesTheCellsOfOverlappingBoxes)
{
    engine::PlainBoard board;
    EXPECT_EQ(&board.cell(0, 6, 6), &board.cell(4, 0, 0));
    EXPECT_EQ(&board.cell(1, 0, 8), &board.cell(4, 6, 2));
    EXPECT_EQ(&board.cell(2, 8, 0), &board.cell(4, 2, 6));
    EXPECT_EQ(&board.cell(3, 2, 2), &board.cell(4, 8, 8));
    EXPECT_NE(&board.cell(0, 5, 6), &board.cell(4, 0, 0));
    EXPECT_EQ(board.grids[4].getbox(0, 0), board.grids[0].getbox(6, 6));
    int shared = 0;
    for (int g = 0; g < 5; ++g)
        for (int c = 0; c < 9; ++c)
            for (int r = 0; r < 9; ++r) shared += engine::isSharedCell(g, c, r);
    EXPECT_EQ(shared, 72); // 36 cells, each in two grids
}
