// SPDX-License-Identifier: GPL-3.0-or-later
// The two board layouts: where every cell and line goes, the two cell sizes,
// and the View menu's switch between the standard and the Samurai board.
#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <algorithm>
#include <cmath>

#include "cell_numbering.h"
#include "frm_main.h"
#include "game_state.h"
#include "samurai.h"
#include "technique_aids.h"

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

// A window position in twips along one axis, in pixels. Before the frame it
// converts directly; inside the frame it goes through the board mapping
// (`board`); beyond the frame it is counted from the frame's pixel edge, so
// the status line and the margins follow the board.
template <class Board>
int windowPixel(int t, int frameStart, int frameLength, const platform::Twips& twips, Board board)
{
    if (t <= frameStart) return twips.toPixels(t);
    const int edge = twips.toPixels(frameStart);
    if (t <= frameStart + frameLength) return edge + board(t - frameStart);
    return edge + board(frameLength) + twips.toPixels(t - frameStart - frameLength);
}

// The zoom steps of Zoom In and Zoom Out.
constexpr double kZoomSteps[] = {1.0, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0, frmMain::kMaxScale};

const QString kScaleKey = QStringLiteral("View/Scale");

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
    cellPoints_ = fontPoints;
    for (platform::TextCell* cell : textCells) {
        if (!cell) continue;
        platform::TwipsRect r = cell->twipsGeometry();
        r.width = newSize;
        r.height = newSize;
        cell->setTwipsGeometry(r);
        cell->setFontPointSize(fontPoints * scale_);
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

int frmMain::windowX(int t) const
{
    const platform::BoardMapping& m = gbCells->mapping();
    return windowPixel(t, gbRect_.left, gbRect_.width, twips_, [&m](int v) { return m.x(v); });
}

int frmMain::windowY(int t) const
{
    const platform::BoardMapping& m = gbCells->mapping();
    return windowPixel(t, gbRect_.top, gbRect_.height, twips_, [&m](int v) { return m.y(v); });
}

QRect frmMain::toWindowPixels(const platform::TwipsRect& r) const
{
    const int left = windowX(r.left);
    const int top = windowY(r.top);
    return QRect(left, top, windowX(r.left + r.width) - left, windowY(r.top + r.height) - top);
}

QSize frmMain::layoutPixels(double scale) const
{
    const platform::Twips t = screenTwips_.scaled(scale);
    const platform::BoardMapping m(t, 100, 200, cellSize + cellGap);
    return QSize(windowPixel(windowWidth_, gbRect_.left, gbRect_.width, t, [&m](int v) { return m.x(v); }),
                 windowPixel(windowHeight_, gbRect_.top, gbRect_.height, t, [&m](int v) { return m.y(v); }));
}

double frmMain::scaleToFit(QSize room) const
{
    const QSize normal = layoutPixels(1.0);
    double s = std::min(room.width() / double(normal.width()), room.height() / double(normal.height()));
    s = std::clamp(std::floor(s * 100) / 100, 1.0, kMaxScale);
    // Pixels are rounded per part: step down until the whole really fits.
    while (s > 1.0) {
        const QSize at = layoutPixels(s);
        if (at.width() <= room.width() && at.height() <= room.height()) break;
        s = std::max(1.0, s - 0.01);
    }
    return s;
}

// Fonts given in points grow with the scale, so text is drawn afresh at each
// size and stays sharp; the buttons' labels and the pencil marks take their
// size from their controls.
void frmMain::applyFonts()
{
    auto sized = [this](QFont f, double points) {
        f.setPointSizeF(points * scale_);
        return f;
    };
    gbCells->setFont(sized(gbCells->font(), 12.75));
    for (platform::TextCell* cell : textCells)
        if (cell) cell->setFontPointSize(cellPoints_ * scale_);
    for (QLabel* l : {lblStatus1, lblStatus2, lblStatus3}) l->setFont(sized(l->font(), 8.25));
    if (game().notesToggle) game().notesToggle->setFont(lblStatus1->font());
    if (aids().lblRating) aids().lblRating->setFont(sized(aids().lblRating->font(), 9));
}

void frmMain::applyGeometry()
{
    // The program's own changes (zoom, the other board, the scale of the last
    // run) keep the window on the screen.
    if (!fittingToWindow_) scale_ = std::min(scale_, screenScale());
    twips_ = screenTwips_.scaled(scale_);
    if (aids_) applyFonts();
    gbCells->setMapping(platform::BoardMapping(twips_, 100, 200, cellSize + cellGap));
    gbCells->setGeometry(toWindowPixels(gbRect_));
    for (platform::TextCell* cell : textCells)
        if (cell) gbCells->placeCell(*cell);
    // From edge to edge: buttons that touch at one scale touch at every scale.
    for (platform::PictureButton* b : {imgStart, imgHint, imgClear, imgPartClear, imgFindSolution}) {
        const platform::TwipsRect& r = b->twipsGeometry();
        const QPoint topLeft(twips_.toPixels(r.left), twips_.toPixels(r.top));
        b->setGeometry(QRect(topLeft, QPoint(twips_.toPixels(r.left + r.width), twips_.toPixels(r.top + r.height)) -
                                          QPoint(1, 1)));
    }
    QLabel* labels[] = {lblStatus1, lblStatus2, lblStatus3};
    for (int i = 0; i < 3; ++i) labels[i]->setGeometry(toWindowPixels(statusRect_[static_cast<std::size_t>(i)]));
    game().placeNotesToggle();
    if (aids_) aids().placeRatingLabel();
    const QSize contents(windowX(windowWidth_), windowY(windowHeight_));
    client_->setFixedSize(contents);
    const int menuHeight = menuBar() ? menuBar()->sizeHint().height() : 0;
    const QSize normal = layoutPixels(1.0);
    setMinimumSize(normal.width(), normal.height() + menuHeight);
    // The program's own changes (zoom, the other board) fit the window to the
    // contents; a size the user gave the window is kept.
    if (!fittingToWindow_) {
        if (isMaximized() || isFullScreen())
            fitScaleToWindow();
        else
            resize(contents.width(), contents.height() + menuHeight);
    }
    centreContents();
    gbCells->update();
}

void frmMain::centreContents()
{
    client_->move(std::max(0, (centre_->width() - client_->width()) / 2),
                  std::max(0, (centre_->height() - client_->height()) / 2));
}

void frmMain::fitScaleToWindow()
{
    const double s = scaleToFit(centre_->size());
    if (s == scale_) return;
    scale_ = s;
    fittingToWindow_ = true;
    applyGeometry();
    fittingToWindow_ = false;
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    // The window was resized: by the program to fit its contents, or by the
    // user, whose size sets the scale.
    if (watched == centre_ && event->type() == QEvent::Resize && !fittingToWindow_) {
        if (loaded_ && centre_->size() != client_->size()) fitScaleToWindow();
        centreContents();
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::setScale(double scale)
{
    scale_ = std::clamp(scale, 1.0, kMaxScale);
    applyGeometry();
}

void frmMain::mnuZoomIn_Click()
{
    // The next step up; applyGeometry keeps it to what the screen holds.
    const double* next = std::upper_bound(std::begin(kZoomSteps), std::end(kZoomSteps), scale_ + 1e-9);
    setScale(next == std::end(kZoomSteps) ? kMaxScale : *next);
    rememberScale();
}

double frmMain::screenScale() const
{
    const QScreen* screen = this->screen();
    if (!screen) return kMaxScale;
    const int menuHeight = menuBar() ? menuBar()->sizeHint().height() : 0;
    const QSize frame = isVisible() ? frameGeometry().size() - size() : QSize();
    return scaleToFit(screen->availableGeometry().size() - frame - QSize(0, menuHeight));
}

void frmMain::mnuZoomOut_Click()
{
    const double* below = std::lower_bound(std::begin(kZoomSteps), std::end(kZoomSteps), scale_ - 1e-9);
    setScale(below == std::begin(kZoomSteps) ? 1.0 : *(below - 1));
    rememberScale();
}

void frmMain::mnuActualSize_Click()
{
    setScale(1.0);
    rememberScale();
}

void frmMain::rememberScale()
{
    if (scale_ == rememberedScale_) return;
    options()->setValue(kScaleKey, scale_);
    rememberedScale_ = scale_;
}

} // namespace mainwindow
