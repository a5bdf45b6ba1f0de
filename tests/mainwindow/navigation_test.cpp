// SPDX-License-Identifier: GPL-3.0-or-later
// The arrow keys, pressed in the focused cell of the real window, over every
// cell of both boards: checked against the wrap tables and the places the
// layout gave the cells.
#include <map>
#include <optional>

#include "window_fixture.h"

namespace {

using Pos = std::pair<int, int>; // board row, board column
using Target = std::optional<Pos>;

class NavigationTest : public WindowTest {
protected:
    // Board position of each shown cell, from where the layout put it.
    std::map<Pos, int> cellsAt() const
    {
        std::map<Pos, int> at;
        const int p = w->cellSize + w->cellGap;
        for (int i = 0; i < mainwindow::kCellCount; ++i)
            if (!cell(i)->isHidden())
                at[{(cell(i)->twipsGeometry().top - 200) / p, (cell(i)->twipsGeometry().left - 100) / p}] = i;
        return at;
    }

    // Focuses a cell, presses a key where the focus is, and tells where the
    // focus went: nothing when it stayed.
    Target press(const std::map<Pos, int>& at, Pos from, Qt::Key key) const
    {
        cell(at.at(from))->setFocus();
        QTest::keyClick(w->focusWidget(), key);
        for (const auto& [pos, i] : at)
            if (w->focusWidget() == cell(i)) return pos == from ? Target() : Target(pos);
        return Pos{-1, -1};
    }

    // Presses all four arrows in every cell. Up and Down go to the cell
    // above or below, or nowhere; Left and Right go along the row segment
    // and, at its start or end, where the wrap table says.
    void sweep(const std::map<Pos, Target>& rightWraps, const std::map<Pos, Target>& leftWraps)
    {
        const auto at = cellsAt();
        int ends = 0;
        for (const auto& [pos, i] : at) {
            const auto [row, col] = pos;
            auto neighbour = [&](int r, int c) { return at.count({r, c}) ? Target(Pos{r, c}) : Target(); };
            Target right = neighbour(row, col + 1), left = neighbour(row, col - 1);
            if (!right) ends += rightWraps.count(pos), right = rightWraps.at(pos);
            if (!left) ends += leftWraps.count(pos), left = leftWraps.at(pos);
            EXPECT_EQ(press(at, pos, Qt::Key_Right), right) << "Right from " << row << ", " << col;
            EXPECT_EQ(press(at, pos, Qt::Key_Left), left) << "Left from " << row << ", " << col;
            EXPECT_EQ(press(at, pos, Qt::Key_Up), neighbour(row - 1, col)) << "Up from " << row << ", " << col;
            EXPECT_EQ(press(at, pos, Qt::Key_Down), neighbour(row + 1, col)) << "Down from " << row << ", " << col;
        }
        // Every entry of both tables was the end of a row segment.
        EXPECT_EQ(ends, static_cast<int>(rightWraps.size() + leftWraps.size()));
    }
};

TEST_F(NavigationTest, StandardBoardWrapsRowByRow)
{
    start();
    ASSERT_EQ(cellsAt().size(), 81u);
    std::map<Pos, Target> right, left;
    for (int r = 0; r < 9; ++r) {
        right[{r, 8}] = r < 8 ? Target(Pos{r + 1, 0}) : Target();
        left[{r, 0}] = r > 0 ? Target(Pos{r - 1, 8}) : Target();
    }
    sweep(right, left);
}

TEST_F(NavigationTest, SamuraiBoardFollowsTheWrapTablesOverEveryCell)
{
    start(true);
    ASSERT_EQ(cellsAt().size(), 369u);
    std::map<Pos, Target> right, left;
    for (int r = 0; r <= 5; ++r) right[{r, 8}] = Pos{r + 1, 0};
    for (int r = 0; r <= 4; ++r) right[{r, 20}] = Pos{r + 1, 12};
    right[{5, 20}] = Pos{6, 0};
    for (int r : {6, 7}) right[{r, 20}] = Pos{r + 1, 0};
    right[{8, 20}] = Pos{9, 6};
    for (int r : {9, 10}) right[{r, 14}] = Pos{r + 1, 6};
    right[{11, 14}] = Pos{12, 0};
    for (int r : {12, 13}) right[{r, 20}] = Pos{r + 1, 0};
    right[{14, 20}] = Pos{15, 12};
    for (int r = 15; r <= 19; ++r) right[{r, 8}] = Pos{r + 1, 0};
    for (int r = 15; r <= 19; ++r) right[{r, 20}] = Pos{r + 1, 12};
    right[{20, 8}] = right[{20, 20}] = Target();

    left[{0, 0}] = left[{0, 12}] = Target();
    for (int r = 1; r <= 6; ++r) left[{r, 0}] = Pos{r - 1, 8};
    for (int r = 1; r <= 5; ++r) left[{r, 12}] = Pos{r - 1, 20};
    for (int r : {7, 8}) left[{r, 0}] = Pos{r - 1, 20};
    left[{9, 6}] = Pos{8, 20};
    for (int r : {10, 11}) left[{r, 6}] = Pos{r - 1, 14};
    left[{12, 0}] = Pos{11, 14};
    for (int r : {13, 14, 15}) left[{r, 0}] = Pos{r - 1, 20};
    left[{15, 12}] = Pos{14, 20};
    for (int r = 16; r <= 20; ++r) left[{r, 0}] = Pos{r - 1, 8};
    for (int r = 16; r <= 20; ++r) left[{r, 12}] = Pos{r - 1, 20};
    sweep(right, left);

    // Keys that are no arrows leave the focus alone.
    const auto at = cellsAt();
    EXPECT_EQ(press(at, {6, 9}, Qt::Key_Home), Target());
    EXPECT_EQ(press(at, {6, 9}, Qt::Key_5), Target());
}

} // namespace
