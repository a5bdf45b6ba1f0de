// SPDX-License-Identifier: GPL-3.0-or-later
// The two board layouts: cells bound into the grids, their places, the thick
// lines, the switch between the boards on tall and small screens.
#include <QCheckBox>
#include <QImage>
#include <QMenuBar>
#include <QScreen>

#include "game_state.h"
#include "window_fixture.h"

namespace {

using mainwindow::boardPosition;

TEST_F(WindowTest, CellsAreNumberedAsTheBoardIsAndTabInThatOrder)
{
    auto& win = start();
    // The cell shared by grid 0 (6, 6) and the centre (0, 0), in both grids;
    // the centre grid's own first and last cells.
    EXPECT_TRUE(win.grids[0].getbox(6, 6) == cell(60) && win.grids[4].getbox(0, 0) == cell(60));
    EXPECT_EQ(win.grids[4].getbox(3, 0), cell(324));
    EXPECT_EQ(win.grids[4].getbox(5, 8), cell(368));
    for (int i = 0; i + 1 < mainwindow::kCellCount; ++i) {
        // Tab goes to the next cell; widgets that take no focus are skipped.
        QWidget* next = cell(i)->nextInFocusChain();
        while (next->focusPolicy() == Qt::NoFocus) next = next->nextInFocusChain();
        EXPECT_EQ(next, cell(i + 1)) << i;
    }
}

// On screen: every cell the same size on an even pitch, every thick line
// inside the gap between cells, never over one, and the status labels under
// the board, inside the window.
void expectCrispBoard(mainwindow::frmMain& win)
{
    EXPECT_EQ(win.textCells[0]->twipsGeometry(), (platform::TwipsRect{100, 200, win.cellSize, win.cellSize}));
    const QRect c0 = win.textCells[0]->geometry();
    const int pitch = win.textCells[1]->geometry().left() - c0.left();
    EXPECT_EQ(win.textCells[9]->geometry().top() - c0.top(), pitch);
    std::vector<QRect> cells;
    for (auto* c : win.textCells) {
        if (c->isHidden()) continue;
        cells.push_back(c->geometry());
        EXPECT_EQ(c->geometry().size(), c0.size());
        EXPECT_EQ(c->geometry().topLeft(),
                  c0.topLeft() + pitch * QPoint(boardPosition(c->index()).col, boardPosition(c->index()).row));
    }
    for (const auto& line : win.gridLines) {
        if (!line.visible) continue;
        const QRect r = win.gbCells->lineRect(line);
        for (const QRect& cell : cells) EXPECT_FALSE(r.intersects(cell)) << r.x() << "," << r.y();
    }
    for (QLabel* l : {win.lblStatus1, win.lblStatus2, win.lblStatus3}) {
        EXPECT_GT(l->geometry().top(), win.gbCells->geometry().bottom());
        EXPECT_LE(l->geometry().right(), l->parentWidget()->width());
        EXPECT_LE(l->geometry().bottom(), l->parentWidget()->height());
    }
}

TEST_F(WindowTest, TheBoardSwitchesOnATallAndOnASmallScreen)
{
    // Tall: Samurai grows window and frame by 12 x 460. Small: first 9 x 120
    // less for the small cells, then 12 x 340; a second Samurai re-lays the
    // board out. Standard shrinks back to the start-up sizes.
    const struct {
        int screen, cell, grownBy;
        double points;
    } cases[] = {{1024, 435, 5520, 13}, {700, 315, 4080 - 1080, 8}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.screen);
        auto& win = start(false, c.screen);
        auto expectBoard = [&](int grids, int cellSize, int grownBy, double points) {
            EXPECT_TRUE(win.numGrids == grids && win.cellSize == cellSize && cell(7)->font().pointSizeF() == points);
            EXPECT_TRUE(win.windowWidthTwips() == 6330 + grownBy && win.windowHeightTwips() == 4800 + grownBy);
            EXPECT_TRUE(win.gbCellsTwips().width == 4315 + grownBy && win.gbCellsTwips().height == 4415 + grownBy);
            for (int i = 0; i < mainwindow::kCellCount; ++i)
                EXPECT_EQ(static_cast<engine::CellControl*>(cell(i))->isVisible(), grids == 5 || i <= 80) << i;
            expectCrispBoard(win);
        };
        type(3, "4");
        win.lblStatus3->setText(QStringLiteral("0 m 5 s "));
        win.mnuSamurai_Click();
        expectBoard(5, c.cell, c.grownBy, c.points);
        EXPECT_EQ(text(3), ""); // switching empties the board
        EXPECT_EQ(win.lblStatus3->text(), "");
        type(330, "9");
        win.mnuSamurai_Click(); // again: the entries stay
        EXPECT_EQ(text(330), "9");
        expectBoard(5, c.cell, c.grownBy, c.points);
        win.mnuStd9x9_Click();
        expectBoard(1, 435, 0, 13);
        type(60, "2");
        win.mnuStd9x9_Click(); // again: nothing changes, not even the entries
        EXPECT_EQ(text(60), "2");
        expectBoard(1, 435, 0, 13);
    }
}

TEST_F(WindowTest, ThickLinesLieBetweenTheBoxesAndNotBetweenSamuraiGrids)
{
    // At 100 + k x 460 - 12.5 across (200 + ... down) for k = 3, 6, ...,
    // ties rounded to the even twip; to the frame's height less 100 (or 200).
    const int across[] = {1468, 2848, 4228, 5608, 6988, 8368};
    for (const bool samurai : {false, true}) {
        auto& win = start(samurai);
        const auto& l = win.gridLines;
        const int n = samurai ? 6 : 2, height = samurai ? 9935 : 4415;
        for (int i = 0; i < mainwindow::frmMain::kGridLines; ++i)
            EXPECT_EQ(l[static_cast<std::size_t>(i)].visible, i < 2 * n) << i;
        for (std::size_t i = 0; i < static_cast<std::size_t>(n); ++i) {
            const platform::LineControl &v = l[i], &h = l[n + i];
            EXPECT_TRUE(v.x1 == across[i] && v.x2 == across[i] && v.y1 == 200 && v.y2 == height - 100) << i;
            EXPECT_TRUE(h.y1 == across[i] + 100 && h.y2 == across[i] + 100 && h.x1 == 100 && h.x2 == height - 200) << i;
        }
    }
    // No line crosses the space between the Samurai grids.
    w->show();
    auto& win = *w;
    const QImage board = win.gbCells->grab().toImage();
    const QRgb background = qRgb(213, 216, 218) & 0xFFFFFF;
    // Columns 9..11 above the centre grid and rows 9..11 left of it.
    auto x = [&](int col) { return cell(col)->geometry().left(); };
    auto y = [&](int row) { return cell(9 * row)->geometry().top(); };
    const int pitch = x(1) - x(0);
    for (int py = y(0); py < y(0) + 6 * pitch - 3; ++py)
        for (int px = x(8) + pitch + 2; px < x(0) + 12 * pitch - 3; ++px)
            ASSERT_EQ(board.pixel(px, py) & 0xFFFFFF, background) << px << "," << py;
    for (int py = y(8) + pitch + 2; py < y(0) + 12 * pitch - 3; ++py)
        for (int px = x(0); px < x(0) + 6 * pitch - 3; ++px)
            ASSERT_EQ(board.pixel(px, py) & 0xFFFFFF, background) << px << "," << py;
    // ... while the box border inside grid 0 is drawn in the grid-line colour.
    const QRect line = win.gbCells->lineRect(win.gridLines[0]);
    EXPECT_EQ(board.pixel(line.center().x(), y(1)) & 0xFFFFFF, 0u);
}

// At any scale: the board crisp with square cells, no control over another,
// everything inside the contents, and the contents inside the window.
void expectScaledLayout(mainwindow::frmMain& win)
{
    SCOPED_TRACE(win.scale());
    expectCrispBoard(win);
    EXPECT_EQ(win.textCells[0]->width(), win.textCells[0]->height());
    EXPECT_EQ(win.textCells[0]->font().pointSizeF(), 13 * win.scale());
    std::vector<QWidget*> controls{win.gbCells,    win.imgStart,   win.imgHint,    win.imgClear,
                                   win.imgPartClear, win.imgFindSolution, win.lblStatus1, win.lblStatus2,
                                   win.lblStatus3, win.game().notesToggle, win.aids().lblRating};
    QWidget* contents = win.gbCells->parentWidget();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        EXPECT_TRUE(contents->rect().contains(controls[i]->geometry())) << i;
        // The Notes box sits at the right end of the first status label.
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_TRUE(!controls[i]->geometry().intersects(controls[j]->geometry()) || (i == 9 && j == 6)) << i << j;
    }
    EXPECT_EQ(contents->size(), win.layoutPixels(win.scale()));
    EXPECT_TRUE(win.centralWidget()->rect().contains(contents->geometry()));
}

TEST_F(WindowTest, TheWindowZoomsByKeyAndByHandAndRemembersTheScale)
{
    auto& win = start();
    win.show();
    win.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&win));
    const QSize normal = win.layoutPixels(1.0);
    EXPECT_EQ(win.minimumSize(), normal + QSize(0, win.menuBar()->sizeHint().height()));
    expectScaledLayout(win);
    // In Play the View menu is closed; its zoom keys still work.
    load(puzzles::kHard);
    click(win.imgStart);
    ASSERT_EQ(win.mode, mainwindow::kSolving);
    const QKeySequence in(QKeySequence::ZoomIn), out(QKeySequence::ZoomOut), actual(Qt::CTRL | Qt::Key_0);
    const struct {
        QKeySequence key;
        double scale;
    } steps[] = {{in, 1.25}, {in, 1.5}, {out, 1.25}, {actual, 1}, {out, 1}, {in, 1.25}};
    for (const auto& s : steps) {
        QTest::keySequence(cell(0), s.key);
        QTest::qWait(1);
        EXPECT_EQ(win.scale(), s.scale);
        expectScaledLayout(win);
        EXPECT_EQ(win.centralWidget()->size(), win.gbCells->parentWidget()->size()) << "the window fits";
    }
    // A zoom from inside an entry check's solver run.
    const auto g = gaps(puzzles::kHard, puzzles::kHardSolution);
    duringNextYield([&] { QTest::keySequence(cell(0), out); });
    type(g[1].cell, g[1].wrong);
    ASSERT_TRUE(ranInner);
    EXPECT_EQ(win.scale(), 1);
    EXPECT_EQ(background(g[1].cell), kRed);
    expectIdle(false);
    w->mode = mainwindow::kSetup;
    // Made larger by hand, the window takes the largest scale that fits,
    // keeps the cells square and centres the board in the room left over.
    win.resize(normal.width() * 8 / 5 + 40, normal.height() * 8 / 5 + win.menuBar()->height());
    QTest::qWait(20);
    EXPECT_GT(win.scale(), 1.55);
    expectScaledLayout(win);
    const QRect contents = win.gbCells->parentWidget()->geometry();
    EXPECT_NEAR(contents.left(), win.centralWidget()->width() - contents.right() - 1, 1);
    const double kept = win.scale();
    win.close();
    auto& again = start();
    EXPECT_EQ(again.scale(), kept);
    // Zoom In stops where the screen ends.
    again.show();
    for (int i = 0; i < 6; ++i) again.mnuZoomIn_Click();
    QTest::qWait(20);
    EXPECT_GT(again.scale(), kept);
    EXPECT_TRUE(again.screen()->availableGeometry().size().boundedTo(again.size()) == again.size());
    expectScaledLayout(again);
}

} // namespace
