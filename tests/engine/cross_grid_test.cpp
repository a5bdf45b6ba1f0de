#include <gtest/gtest.h>

#include "cross_grid.h"
#include "test_support.h"

TEST(CrossGrid, TransfersFollowTheOverlapTable)
{
    engine::GridSlots g;
    for (auto& grid : g) grid.initialiseForSearch();
    g[1].barResource(5, 1, 7);
    g[3].setDerived3x3(0, 0, 2);
    engine::propagateAccrossGrids(5, g);
    engine::propagateAccrossGrids(-1, g);
    EXPECT_TRUE(g[4].getPossibleRows(5, 7, 1)); // out-of-range grids do nothing

    engine::propagateAccrossGrids(1, g);
    EXPECT_FALSE(g[4].getPossibleRows(5, 7, 1));
    EXPECT_EQ(g[4].getNumBarred(), 1);
    engine::propagateAccrossGrids(3, g);
    EXPECT_EQ(g[4].getDerived3x3(6, 6), 2);

    // A target that holds another value takes the source's; a barred target
    // candidate stays barred even when the source allows it.
    g[4].setDerived3x3(0, 8, 7);
    g[2].setDerived3x3(6, 2, 1);
    g[2].barResource(0, 8, 0);
    engine::propagateAccrossGrids(4, g);
    EXPECT_EQ(g[2].getDerived3x3(6, 2), 7);
    EXPECT_FALSE(g[2].getPossibleRows(0, 8, 0));
    // The centre reaches grid 2 only in its top-right box.
    for (int c = 0; c < 9; ++c)
        for (int r = 0; r < 9; ++r)
            if (c < 6 || r > 2) {
                EXPECT_EQ(g[2].getDerived3x3(c, r), -1) << c << "," << r;
            }
}
