#include <QImage>
#include <QLabel>
#include <set>

#include "cell_numbering.h"
#include "window_fixture.h"

namespace {

using mainwindow::boardPosition;
using mainwindow::BoardPosition;
using mainwindow::cellAtBoard;
using mainwindow::cellIndex;

TEST(CellNumbering, SharedCornerCellsBelongToTheOuterGrids)
{
    EXPECT_EQ(cellIndex(0, 6, 6), 60);
    EXPECT_EQ(cellIndex(4, 0, 0), 60);
    EXPECT_EQ(cellIndex(4, 8, 0), cellIndex(1, 2, 6));
    EXPECT_EQ(cellIndex(4, 0, 8), cellIndex(2, 6, 2));
    EXPECT_EQ(cellIndex(4, 8, 8), cellIndex(3, 2, 2));
    EXPECT_EQ(cellIndex(4, 3, 0), 324);
    EXPECT_EQ(cellIndex(4, 5, 8), 368);
    EXPECT_EQ(cellIndex(4, 0, 3), 333);
    EXPECT_EQ(cellIndex(5, 0, 0), -1);
    EXPECT_EQ(cellIndex(0, 9, 0), -1);
}

TEST(CellNumbering, EveryCellHasOneBoardPositionAndBack)
{
    std::set<std::pair<int, int>> seen;
    for (int i = 0; i < mainwindow::kCellCount; ++i) {
        const BoardPosition p = boardPosition(i);
        EXPECT_TRUE(seen.insert({p.row, p.col}).second) << i;
        EXPECT_EQ(cellAtBoard(p.row, p.col, 5), i);
    }
    EXPECT_EQ(boardPosition(324), (BoardPosition{6, 9}));
    EXPECT_EQ(boardPosition(368), (BoardPosition{14, 11}));
    EXPECT_EQ(cellAtBoard(10, 2, 5), -1); // the space between grids
    EXPECT_EQ(cellAtBoard(0, 12, 1), -1); // no grid 1 on the standard board
    EXPECT_EQ(cellAtBoard(8, 8, 1), 80);
}

TEST_F(WindowTest, CellsAreBoundIntoTheGridsAndTabInIndexOrder)
{
    auto& win = start();
    for (int g = 0; g < 5; ++g)
        for (int c = 0; c < 9; ++c)
            for (int r = 0; r < 9; ++r)
                EXPECT_EQ(win.grids[static_cast<std::size_t>(g)].getbox(c, r),
                          win.textCells[static_cast<std::size_t>(cellIndex(g, c, r))])
                    << g << " " << c << " " << r;
    EXPECT_EQ(win.grids[0].getbox(6, 6), win.grids[4].getbox(0, 0));
    EXPECT_EQ(win.grids[4].getbox(3, 0), win.textCells[324]);
    EXPECT_EQ(win.grids[4].getbox(5, 8), win.textCells[368]);
    for (int i = 0; i < mainwindow::kCellCount; ++i) {
        EXPECT_EQ(win.textCells[static_cast<std::size_t>(i)]->property("tabIndex").toInt(), i);
        if (i + 1 < mainwindow::kCellCount) {
            // Tab goes to the next cell; widgets that take no focus are skipped.
            QWidget* next = win.textCells[static_cast<std::size_t>(i)]->nextInFocusChain();
            while (next->focusPolicy() == Qt::NoFocus) next = next->nextInFocusChain();
            EXPECT_EQ(next, win.textCells[static_cast<std::size_t>(i + 1)]) << i;
        }
    }
}

// Every cell of board column k starts at 100 + k p, of board row k at 200 + k p.
void expectCellsOnThePitch(const mainwindow::frmMain& win)
{
    const int p = win.cellSize + win.cellGap;
    for (int i = 0; i < mainwindow::kCellCount; ++i) {
        const BoardPosition pos = boardPosition(i);
        const platform::TwipsRect r = win.textCells[static_cast<std::size_t>(i)]->twipsGeometry();
        EXPECT_EQ(r.left, 100 + pos.col * p) << i;
        EXPECT_EQ(r.top, 200 + pos.row * p) << i;
        EXPECT_EQ(r.width, win.cellSize);
    }
}

TEST_F(WindowTest, BoardSwitchesOnATallScreen)
{
    auto& win = start(1024);
    put(win, 3, "4");
    win.mnuSamurai_Click();
    EXPECT_EQ(win.numGrids, 5);
    EXPECT_EQ(win.cellSize, 435);
    EXPECT_EQ(win.windowWidthTwips(), 6330 + 5520);
    EXPECT_EQ(win.windowHeightTwips(), 4800 + 5520);
    EXPECT_EQ(win.gbCellsTwips().width, 4315 + 5520);
    EXPECT_EQ(win.gbCellsTwips().height, 4415 + 5520);
    EXPECT_EQ(textOf(win, 3), ""); // switching empties the board
    for (int i = 0; i < mainwindow::kCellCount; ++i)
        EXPECT_TRUE(static_cast<const engine::CellControl&>(*win.textCells[static_cast<std::size_t>(i)]).isVisible());
    expectCellsOnThePitch(win);

    // Samurai again changes nothing, not even the entries.
    put(win, 200, "7");
    win.mnuSamurai_Click();
    EXPECT_EQ(textOf(win, 200), "7");
    EXPECT_EQ(win.windowWidthTwips(), 11850);

    win.mnuStd9x9_Click();
    EXPECT_EQ(win.numGrids, 1);
    EXPECT_EQ(win.windowWidthTwips(), 6330);
    EXPECT_EQ(win.windowHeightTwips(), 4800);
    EXPECT_EQ(win.gbCellsTwips().width, 4315);
    for (int i = 0; i < mainwindow::kCellCount; ++i)
        EXPECT_EQ(static_cast<const engine::CellControl&>(*win.textCells[static_cast<std::size_t>(i)]).isVisible(),
                  i <= 80)
            << i;

    // Standard again changes nothing, not even the entries.
    put(win, 60, "2");
    win.mnuStd9x9_Click();
    EXPECT_EQ(textOf(win, 60), "2");
    EXPECT_EQ(win.windowWidthTwips(), 6330);
}

TEST_F(WindowTest, BoardSwitchesOnASmallScreen)
{
    auto& win = start(700);
    win.mnuSamurai_Click();
    EXPECT_EQ(win.cellSize, 315);
    EXPECT_EQ(win.windowWidthTwips(), 6330 - 1080 + 4080);
    EXPECT_EQ(win.windowHeightTwips(), 4800 - 1080 + 4080);
    EXPECT_EQ(win.gbCellsTwips().width, 4315 - 1080 + 4080);
    expectCellsOnThePitch(win);
    EXPECT_EQ(win.textCells[7]->font().pointSizeF(), 8);

    // Samurai again re-lays the board out and keeps the entries.
    put(win, 330, "9");
    win.mnuSamurai_Click();
    EXPECT_EQ(textOf(win, 330), "9");
    EXPECT_EQ(win.windowWidthTwips(), 9330);

    win.mnuStd9x9_Click();
    EXPECT_EQ(win.cellSize, 435);
    EXPECT_EQ(win.windowWidthTwips(), 6330);
    EXPECT_EQ(win.windowHeightTwips(), 4800);
    EXPECT_EQ(win.textCells[7]->font().pointSizeF(), 13);
    expectCellsOnThePitch(win);
}

TEST_F(WindowTest, GridLinesOfTheStandardBoard)
{
    auto& win = start();
    const auto& l = win.gridLines;
    // Verticals at 100 + k x 460 - 12.5, rounded half to even.
    EXPECT_EQ(l[0].x1, 1468);
    EXPECT_EQ(l[1].x1, 2848);
    EXPECT_EQ(l[0].x2, l[0].x1);
    EXPECT_EQ(l[0].y1, 200);
    EXPECT_EQ(l[0].y2, 4315);
    EXPECT_EQ(l[2].y1, 1568);
    EXPECT_EQ(l[3].y1, 2948);
    EXPECT_EQ(l[2].x1, 100);
    EXPECT_EQ(l[2].x2, 4215);
    for (int i = 0; i < 15; ++i) EXPECT_EQ(l[static_cast<std::size_t>(i)].visible, i < 4) << i;
}

TEST_F(WindowTest, GridLinesAndBlanksOfTheSamuraiBoard)
{
    auto& win = start();
    win.mnuSamurai_Click();
    const auto& l = win.gridLines;
    const int p = 460;
    for (int i = 0; i < 15; ++i) EXPECT_EQ(l[static_cast<std::size_t>(i)].visible, i < 12) << i;
    for (int i = 0; i < 6; ++i) {
        const int k = 3 * (i + 1);
        const double exact = 100 + k * p - 12.5;
        EXPECT_NEAR(l[static_cast<std::size_t>(i)].x1, exact, 0.5);
        EXPECT_EQ(l[static_cast<std::size_t>(i)].x1 % 2, 0); // ties went to even
        EXPECT_EQ(l[static_cast<std::size_t>(i)].y2, 9935 - 100);
        EXPECT_EQ(l[static_cast<std::size_t>(6 + i)].x2, 9935 - 200);
    }
    const auto& b = win.blanks;
    EXPECT_EQ(b[1].y1, 200 + 3 * p - 2);
    EXPECT_EQ(b[1].x1, 100 + 9 * p);
    EXPECT_EQ(b[1].x2, 100 + 12 * 435 + 11 * 25 - 25);
    EXPECT_EQ(b[2].y1, 200 + 18 * p);
    EXPECT_EQ(b[3].x1, 100 + 3 * p - 10);
    EXPECT_EQ(b[3].y1, 200 + 9 * p + 3);
    EXPECT_EQ(b[3].y2, 200 + 12 * 435 + 11 * 25 - 10);
    EXPECT_EQ(b[4].x1, 100 + 18 * p - 10);
    for (int i = 1; i <= 4; ++i) EXPECT_TRUE(b[static_cast<std::size_t>(i)].visible);
}

// On screen: every cell the same size on an even pitch, and every thick line
// inside the gap between cells, never over one.
void expectCrispBoard(mainwindow::frmMain& win)
{
    std::vector<QRect> cells;
    for (auto* c : win.textCells)
        if (!c->isHidden()) cells.push_back(c->geometry());
    ASSERT_FALSE(cells.empty());
    for (const QRect& r : cells) EXPECT_EQ(r.size(), cells[0].size());
    const QRect c0 = win.textCells[0]->geometry();
    const QRect c1 = win.textCells[1]->geometry();
    const QRect c9 = win.textCells[9]->geometry();
    const int pitch = c1.left() - c0.left();
    EXPECT_EQ(c9.top() - c0.top(), pitch);
    for (auto* c : win.textCells) {
        if (c->isHidden()) continue;
        const BoardPosition p = boardPosition(c->index());
        EXPECT_EQ(c->geometry().left(), c0.left() + p.col * pitch);
        EXPECT_EQ(c->geometry().top(), c0.top() + p.row * pitch);
    }
    for (const auto& line : win.gridLines) {
        if (!line.visible) continue;
        const QRect r = win.gbCells->lineRect(line);
        for (const QRect& cell : cells) EXPECT_FALSE(r.intersects(cell)) << r.x() << "," << r.y();
    }
}

TEST_F(WindowTest, BoardIsCrispInEveryLayout)
{
    auto& win = start(700);
    expectCrispBoard(win);
    win.mnuSamurai_Click();
    expectCrispBoard(win);
    win.mnuStd9x9_Click();
    auto& tall = start(1024);
    tall.mnuSamurai_Click();
    expectCrispBoard(tall);
}

TEST_F(WindowTest, NoLineCrossesTheSpaceBetweenSamuraiGrids)
{
    auto& win = start();
    win.mnuSamurai_Click();
    win.show();
    const QImage board = win.gbCells->grab().toImage();
    const QRgb background = qRgb(213, 216, 218);
    // Scan the empty regions: columns 9..11 above and below the centre grid
    // and rows 9..11 left and right of it.
    auto x = [&](int col) { return win.textCells[static_cast<std::size_t>(col)]->geometry().left(); };
    auto y = [&](int row) { return win.textCells[static_cast<std::size_t>(9 * row)]->geometry().top(); };
    const int pitch = x(1) - x(0);
    const int gapLeft = x(8) + pitch + 1;      // just right of grid 0's border
    const int gapRight = x(0) + 12 * pitch - 3; // just left of grid 1's border
    for (int py = y(0); py < y(0) + 6 * pitch - 3; ++py)
        for (int px = gapLeft + 1; px < gapRight; ++px)
            ASSERT_EQ(board.pixel(px, py) & 0xFFFFFF, background & 0xFFFFFF) << px << "," << py;
    const int gapTop = y(8) + pitch + 1;
    const int gapBottom = y(0) + 12 * pitch - 3;
    for (int py = gapTop + 1; py < gapBottom; ++py)
        for (int px = x(0); px < x(0) + 6 * pitch - 3; ++px)
            ASSERT_EQ(board.pixel(px, py) & 0xFFFFFF, background & 0xFFFFFF) << px << "," << py;
    // ... while the box border inside grid 0 is drawn in the grid-line colour.
    const QRect line = win.gbCells->lineRect(win.gridLines[0]);
    EXPECT_EQ(board.pixel(line.center().x(), y(1)) & 0xFFFFFF, qRgb(0, 0, 0) & 0xFFFFFF);
}

TEST_F(WindowTest, StatusLabelsSitUnderTheBoard)
{
    auto& win = start();
    const auto& gb = win.gbCellsTwips();
    for (int i = 0; i < 3; ++i) EXPECT_EQ(win.statusTwips(i).top, gb.top + gb.height + 100);
    EXPECT_EQ(win.statusTwips(0).width, win.windowWidthTwips() - 2400);
    EXPECT_EQ(win.statusTwips(1).left, win.statusTwips(0).left + win.statusTwips(0).width + 25);
    EXPECT_EQ(win.statusTwips(2).left, win.statusTwips(1).left + win.statusTwips(1).width + 25);
    win.mnuSamurai_Click();
    EXPECT_EQ(win.statusTwips(0).top, win.gbCellsTwips().top + win.gbCellsTwips().height + 100);
    EXPECT_EQ(win.statusTwips(0).width, win.windowWidthTwips() - 2400);
    // On screen the labels fit inside the window.
    EXPECT_LE(win.lblStatus3->geometry().right(), win.centralWidget()->width());
    EXPECT_LE(win.lblStatus3->geometry().bottom(), win.centralWidget()->height());
}

} // namespace
