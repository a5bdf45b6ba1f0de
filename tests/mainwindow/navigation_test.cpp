// Arrow-key navigation on the real window, checked against the wrap tables
// and the cells' places on the board.
#include <map>
#include <optional>

#include "play_fixture.h"

namespace {

using Pos = std::pair<int, int>; // board row, board column
using Target = std::optional<Pos>;

class NavigationTest : public PlayTest {
protected:
    // Board position of each shown cell, from where the layout put it.
    std::map<Pos, int> cellsAt(const mainwindow::frmMain& win) const
    {
        std::map<Pos, int> at;
        const int p = win.cellSize + win.cellGap;
        for (int i = 0; i < mainwindow::frmMain::kCells; ++i) {
            const platform::TextCell* c = win.textCells[static_cast<std::size_t>(i)];
            if (c->isHidden()) continue;
            const platform::TwipsRect& r = c->twipsGeometry();
            at[{(r.top - 200) / p, (r.left - 100) / p}] = i;
        }
        return at;
    }

    // Focuses a cell, presses a key in it and reports where the focus is.
    static Target press(mainwindow::frmMain& win, const std::map<Pos, int>& at, Pos from, int key)
    {
        const int cell = at.at(from);
        win.textCells[static_cast<std::size_t>(cell)]->setFocus();
        win.textCells_KeyDown(cell, key, Qt::NoModifier);
        for (const auto& [pos, i] : at)
            if (win.focusWidget() == win.textCells[static_cast<std::size_t>(i)]) {
                if (i == cell) return std::nullopt;
                return pos;
            }
        return Pos{-1, -1};
    }
};

// Row segments of the Samurai board: [first, last] columns per board row.
std::vector<Pos> samuraiSegments(int row)
{
    if (row <= 5 || row >= 15) return {{0, 8}, {12, 20}};
    if (row <= 8 || row >= 12) return {{0, 20}};
    return {{6, 14}};
}

// The wrap tables as written: from the end (Right) or start (Left) of a row
// segment to the target, or nothing.
std::map<Pos, Target> samuraiRightWraps()
{
    std::map<Pos, Target> t;
    for (int r = 0; r <= 5; ++r) t[{r, 8}] = Pos{r + 1, 0};
    for (int r = 0; r <= 4; ++r) t[{r, 20}] = Pos{r + 1, 12};
    t[{5, 20}] = Pos{6, 0};
    for (int r : {6, 7}) t[{r, 20}] = Pos{r + 1, 0};
    t[{8, 20}] = Pos{9, 6};
    for (int r : {9, 10}) t[{r, 14}] = Pos{r + 1, 6};
    t[{11, 14}] = Pos{12, 0};
    for (int r : {12, 13}) t[{r, 20}] = Pos{r + 1, 0};
    t[{14, 20}] = Pos{15, 12};
    for (int r = 15; r <= 19; ++r) t[{r, 8}] = Pos{r + 1, 0};
    for (int r = 15; r <= 19; ++r) t[{r, 20}] = Pos{r + 1, 12};
    t[{20, 8}] = std::nullopt;
    t[{20, 20}] = std::nullopt;
    return t;
}

std::map<Pos, Target> samuraiLeftWraps()
{
    std::map<Pos, Target> t;
    t[{0, 0}] = std::nullopt;
    t[{0, 12}] = std::nullopt;
    for (int r = 1; r <= 6; ++r) t[{r, 0}] = Pos{r - 1, 8};
    for (int r = 1; r <= 5; ++r) t[{r, 12}] = Pos{r - 1, 20};
    for (int r : {7, 8}) t[{r, 0}] = Pos{r - 1, 20};
    t[{9, 6}] = Pos{8, 20};
    for (int r : {10, 11}) t[{r, 6}] = Pos{r - 1, 14};
    t[{12, 0}] = Pos{11, 14};
    for (int r : {13, 14, 15}) t[{r, 0}] = Pos{r - 1, 20};
    t[{15, 12}] = Pos{14, 20};
    for (int r = 16; r <= 20; ++r) t[{r, 0}] = Pos{r - 1, 8};
    for (int r = 16; r <= 20; ++r) t[{r, 12}] = Pos{r - 1, 20};
    return t;
}

TEST_F(NavigationTest, SamuraiLeftAndRightFollowTheTablesOverEveryCell)
{
    auto& win = startPlay(true);
    const auto at = cellsAt(win);
    ASSERT_EQ(at.size(), 369u);
    const auto right = samuraiRightWraps();
    const auto left = samuraiLeftWraps();
    int ends = 0;
    for (const auto& [pos, cell] : at) {
        const auto [row, col] = pos;
        Pos seg{-1, -1};
        for (const Pos& s : samuraiSegments(row))
            if (col >= s.first && col <= s.second) seg = s;
        ASSERT_NE(seg.first, -1) << "cell " << cell << " lies in no row segment";

        Target wantRight = Pos{row, col + 1};
        if (col == seg.second) {
            ASSERT_TRUE(right.count(pos)) << "the Right table has no entry for (" << row << ", " << col << ")";
            wantRight = right.at(pos);
            ++ends;
        }
        Target wantLeft = Pos{row, col - 1};
        if (col == seg.first) {
            ASSERT_TRUE(left.count(pos)) << "the Left table has no entry for (" << row << ", " << col << ")";
            wantLeft = left.at(pos);
            ++ends;
        }
        EXPECT_EQ(press(win, at, pos, Qt::Key_Right), wantRight) << "Right from (" << row << ", " << col << ")";
        EXPECT_EQ(press(win, at, pos, Qt::Key_Left), wantLeft) << "Left from (" << row << ", " << col << ")";
    }
    // Every entry of both tables was a segment end of the board.
    EXPECT_EQ(ends, static_cast<int>(right.size() + left.size()));
}

TEST_F(NavigationTest, UpAndDownNeverWrap)
{
    for (bool samurai : {false, true}) {
        auto& win = startPlay(samurai);
        const auto at = cellsAt(win);
        ASSERT_EQ(at.size(), samurai ? 369u : 81u);
        for (const auto& [pos, cell] : at) {
            const auto [row, col] = pos;
            const Target up = at.count({row - 1, col}) ? Target(Pos{row - 1, col}) : std::nullopt;
            const Target down = at.count({row + 1, col}) ? Target(Pos{row + 1, col}) : std::nullopt;
            EXPECT_EQ(press(win, at, pos, Qt::Key_Up), up) << row << ", " << col;
            EXPECT_EQ(press(win, at, pos, Qt::Key_Down), down) << row << ", " << col;
        }
    }
}

TEST_F(NavigationTest, NamedSamuraiCases)
{
    auto& win = startPlay(true);
    const auto at = cellsAt(win);
    EXPECT_EQ(press(win, at, {5, 8}, Qt::Key_Right), Target(Pos{6, 0}));
    EXPECT_EQ(press(win, at, {5, 20}, Qt::Key_Right), Target(Pos{6, 0}));
    EXPECT_EQ(press(win, at, {6, 0}, Qt::Key_Left), Target(Pos{5, 8}));
    // Grid 1's first cell of row 8 is next to the centre grid's cell.
    EXPECT_EQ(press(win, at, {8, 12}, Qt::Key_Left), Target(Pos{8, 11}));
    EXPECT_EQ(press(win, at, {8, 13}, Qt::Key_Left), Target(Pos{8, 12}));
    for (int col = 6; col <= 8; ++col) EXPECT_EQ(press(win, at, {12, col}, Qt::Key_Up), Target(Pos{11, col}));
    for (int col = 9; col <= 11; ++col) EXPECT_EQ(press(win, at, {6, col}, Qt::Key_Up), Target());
    // Keys other than the arrows leave the focus alone.
    EXPECT_EQ(press(win, at, {6, 9}, Qt::Key_Home), Target());
    EXPECT_EQ(press(win, at, {6, 9}, Qt::Key_5), Target());
}

TEST_F(NavigationTest, StandardBoardWrapsRowByRow)
{
    auto& win = startPlay();
    const auto at = cellsAt(win);
    for (int row = 0; row < 9; ++row)
        for (int col = 0; col < 9; ++col) {
            Target right = Pos{row, col + 1}, left = Pos{row, col - 1};
            if (col == 8) right = row < 8 ? Target(Pos{row + 1, 0}) : std::nullopt;
            if (col == 0) left = row > 0 ? Target(Pos{row - 1, 8}) : std::nullopt;
            EXPECT_EQ(press(win, at, {row, col}, Qt::Key_Right), right) << row << ", " << col;
            EXPECT_EQ(press(win, at, {row, col}, Qt::Key_Left), left) << row << ", " << col;
        }
}

} // namespace
