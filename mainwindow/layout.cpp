// SPDX-License-Identifier: GPL-3.0-or-later
// The two board layouts: where every cell and line goes, the two cell sizes,
// and the View menu's switch between the standard and the Samurai board.
#include <QLabel>
#include <QMenuBar>
#include <cmath>

#include "cell_numbering.h"
#include "frm_main.h"
#include "game_state.h"
#include "samurai.h"

namespace mainwindow {

namespace {

// Nearest whole number; a tie goes to the even neighbour.
int roundHalfEven(double v)
{
    return static_cast<int>(std::nearbyint(v));
}

// True when (col, row) of outer grid g lies in its box shared with the centre.
bool inInnerCornerBox(int g, int col, int row)
{
    return engine::isSharedCell(g, col, row);
}

} // namespace

void frmMain::positionCells()
{
    const int width = textCells[0]->twipsGeometry().width;
    const int height = textCells[0]->twipsGeometry().height;
    const int p = cellSize + cellGap;
    int next = 0;
    for (int g = 0; g < engine::kCentreGrid; ++g) {
        const engine::GridOrigin o = engine::kGridOrigin[static_cast<std::size_t>(g)];
        const int offX = roundHalfEven(o.col * double(cellGap + width));
        const int offY = roundHalfEven(o.row * double(cellGap + height));
        for (int r = 0; r < 9; ++r)
            for (int c = 0; c < 9; ++c) {
                platform::TextCell* cell = textCells[static_cast<std::size_t>(next)];
                cell->setProperty("tabIndex", next);
                grids[static_cast<std::size_t>(g)].setBox(c, r, cell);
                if (inInnerCornerBox(g, c, r)) {
                    const engine::SharedBox& s = engine::kSharedBox[static_cast<std::size_t>(g)];
                    grids[engine::kCentreGrid].setBox(c - s.outerCol + s.centreCol, r - s.outerRow + s.centreRow, cell);
                }
                cell->setTwipsGeometry({100 + offX + c * p, 200 + offY + r * p, width, height});
                ++next;
            }
    }
    const engine::GridOrigin centre = engine::kGridOrigin[engine::kCentreGrid];
    const int offX = roundHalfEven(centre.col * double(cellGap + width));
    const int offY = roundHalfEven(centre.row * double(cellGap + height));
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 9; ++c) {
            if (!(c >= 3 && c <= 5) && !(r >= 3 && r <= 5)) continue;
            platform::TextCell* cell = textCells[static_cast<std::size_t>(next)];
            cell->setProperty("tabIndex", next);
            grids[engine::kCentreGrid].setBox(c, r, cell);
            cell->setTwipsGeometry({100 + offX + c * p, 200 + offY + r * p, width, height});
            ++next;
        }
    applyTabOrder();
}

void frmMain::applyTabOrder()
{
    for (int i = 0; i + 1 < kCells; ++i) {
        if (!textCells[static_cast<std::size_t>(i + 1)]) break;
        QWidget::setTabOrder(textCells[static_cast<std::size_t>(i)], textCells[static_cast<std::size_t>(i + 1)]);
    }
}

void frmMain::setCellSize(int newSize, double fontPoints)
{
    const int old = cellSize;
    cellSize = newSize;
    for (platform::TextCell* cell : textCells) {
        if (!cell) continue;
        platform::TwipsRect r = cell->twipsGeometry();
        r.width = newSize;
        r.height = newSize;
        cell->setTwipsGeometry(r);
        cell->setFontPointSize(fontPoints);
    }
    const int d = (newSize - old) * (numGrids == 5 ? 12 : 9);
    growWindowAndFrame(d, d);
    const int saved = numGrids;
    numGrids = 5;
    positionCells();
    numGrids = saved;
    setGridLines();
    updateStatus();
}

void frmMain::setLargeCells()
{
    setCellSize(kLargeCell, 13);
}

void frmMain::setSmallCells()
{
    setCellSize(kSmallCell, 8);
}

void frmMain::growWindowAndFrame(int dw, int dh)
{
    windowWidth_ += dw;
    windowHeight_ += dh;
    gbRect_.width += dw;
    gbRect_.height += dh;
}

void frmMain::setGridLines()
{
    const int p = cellSize + cellGap;
    const int span = 12 * cellSize + 11 * cellGap;
    if (numGrids == 5) {
        auto place = [this](int i, int x1, int y1, int x2, int y2) {
            platform::LineControl& b = blanks[static_cast<std::size_t>(i)];
            b.x1 = x1;
            b.y1 = y1;
            b.x2 = x2;
            b.y2 = y2;
            b.visible = true;
        };
        place(1, 100 + 9 * p, 200 + 3 * p - 2, 100 + span - 25, 200 + 3 * p - 2);
        place(2, 100 + 9 * p, 200 + 18 * p, 100 + span - 25, 200 + 18 * p);
        place(3, 100 + 3 * p - 10, 200 + 9 * p + 3, 100 + 3 * p - 10, 200 + span - 10);
        place(4, 100 + 18 * p - 10, 200 + 9 * p + 3, 100 + 18 * p - 10, 200 + span - 10);
    }
    for (auto& line : gridLines) line.visible = false;

    const int n = numGrids == 5 ? 19 : 9;
    int next = 0;
    for (int k = 3; k < n; k += 3) {
        platform::LineControl& l = gridLines[static_cast<std::size_t>(next++)];
        const int x = roundHalfEven(100 + k * p - cellGap / 2.0);
        l.x1 = l.x2 = x;
        l.y1 = 200;
        l.y2 = gbRect_.height - 100;
        l.visible = true;
    }
    for (int k = 3; k < n; k += 3) {
        platform::LineControl& l = gridLines[static_cast<std::size_t>(next++)];
        const int y = roundHalfEven(200 + k * p - cellGap / 2.0);
        l.y1 = l.y2 = y;
        l.x1 = 100;
        l.x2 = gbRect_.height - 200;
        l.visible = true;
    }
    updateGridAreas();
    applyGeometry();
}

void frmMain::updateGridAreas()
{
    // Each grid in use with the gap around its cells: thick lines show only
    // inside these, and each gets its outer border.
    const int p = cellSize + cellGap;
    std::vector<platform::TwipsRect> areas;
    for (int g = 0; g < numGrids; ++g) {
        const engine::GridOrigin o = engine::kGridOrigin[static_cast<std::size_t>(g)];
        areas.push_back({100 + o.col * p - cellGap, 200 + o.row * p - cellGap, 9 * p + cellGap, 9 * p + cellGap});
    }
    gbCells->setGridAreas(areas, colours[files::kGridLines], 2);
}

int frmMain::screenHeightPixels() const
{
    return services_.screenHeightPixels ? *services_.screenHeightPixels : platform::screenHeightPixels();
}

void frmMain::mnuStd9x9_Click()
{
    const int s = roundHalfEven(12.0 * (cellGap + textCells[0]->twipsGeometry().width));
    if (numGrids == 1) return;
    numGrids = 1;
    growWindowAndFrame(-s, -s);
    setGridLines();
    const bool events = cellEventsOn;
    cellEventsOn = false;
    grids[0].clear();
    cellEventsOn = events;
    game().newPuzzle();
    for (int g = 1; g <= 4; ++g) grids[static_cast<std::size_t>(g)].setInvisible();
    grids[0].setVisible();
    lblStatus3->setText(QString());
    updateStatus();
    if (screenHeightPixels() < 768) setLargeCells();
    applyGeometry();
}

void frmMain::mnuSamurai_Click()
{
    if (screenHeightPixels() < 768) setSmallCells();
    const int s = roundHalfEven(12.0 * (cellGap + textCells[0]->twipsGeometry().width));
    if (numGrids != 1) return;
    numGrids = 5;
    growWindowAndFrame(s, s);
    setGridLines();
    const bool events = cellEventsOn;
    cellEventsOn = false;
    for (int g = 0; g < 5; ++g) {
        grids[static_cast<std::size_t>(g)].clear();
        grids[static_cast<std::size_t>(g)].setVisible();
    }
    cellEventsOn = events;
    game().newPuzzle();
    lblStatus3->setText(QString());
    updateStatus();
    applyGeometry();
}

// ---- Twips to pixels for the whole window ----
// Left of and above the frame a position converts directly; inside the frame
// it goes through the board mapping; beyond the frame it is counted from the
// frame's pixel edge, so the status line and the margins follow the board.

int frmMain::windowX(int t) const
{
    const platform::BoardMapping& m = gbCells->mapping();
    if (t <= gbRect_.left) return twips_.toPixels(t);
    const int left = twips_.toPixels(gbRect_.left);
    if (t <= gbRect_.left + gbRect_.width) return left + m.x(t - gbRect_.left);
    return left + m.x(gbRect_.width) + twips_.toPixels(t - gbRect_.left - gbRect_.width);
}

int frmMain::windowY(int t) const
{
    const platform::BoardMapping& m = gbCells->mapping();
    if (t <= gbRect_.top) return twips_.toPixels(t);
    const int top = twips_.toPixels(gbRect_.top);
    if (t <= gbRect_.top + gbRect_.height) return top + m.y(t - gbRect_.top);
    return top + m.y(gbRect_.height) + twips_.toPixels(t - gbRect_.top - gbRect_.height);
}

QRect frmMain::toWindowPixels(const platform::TwipsRect& r) const
{
    const int left = windowX(r.left);
    const int top = windowY(r.top);
    return QRect(left, top, windowX(r.left + r.width) - left, windowY(r.top + r.height) - top);
}

void frmMain::applyGeometry()
{
    gbCells->setMapping(platform::BoardMapping(twips_, 100, 200, cellSize + cellGap));
    gbCells->setGeometry(toWindowPixels(gbRect_));
    for (platform::TextCell* cell : textCells)
        if (cell) gbCells->placeCell(*cell);
    for (platform::PictureButton* b : {imgStart, imgHint, imgClear, imgPartClear, imgFindSolution})
        b->setGeometry(twips_.toPixels(b->twipsGeometry().left), twips_.toPixels(b->twipsGeometry().top),
                       twips_.toPixels(b->twipsGeometry().width), twips_.toPixels(b->twipsGeometry().height));
    QLabel* labels[] = {lblStatus1, lblStatus2, lblStatus3};
    for (int i = 0; i < 3; ++i) labels[i]->setGeometry(toWindowPixels(statusRect_[static_cast<std::size_t>(i)]));
    game().placeNotesToggle();
    const int w = windowX(windowWidth_);
    const int h = windowY(windowHeight_);
    client_->setFixedSize(w, h);
    const int menuHeight = menuBar() ? menuBar()->sizeHint().height() : 0;
    setFixedSize(w, h + menuHeight);
    gbCells->update();
}

} // namespace mainwindow
