// SPDX-License-Identifier: GPL-3.0-or-later
#include "print_layout.h"

#include <cmath>

#include "samurai.h"

namespace files {

namespace {

constexpr int kGridSize = 9;
constexpr int kGridSpan = kGridSize * kPrintCellPitch; // 2835
constexpr int kSamuraiSpan = engine::kBoardSide * kPrintCellPitch; // 6615

// Offsets in twips of grid g's top-left corner on the board.
int columnOffset(int g) { return engine::kGridOrigin[static_cast<std::size_t>(g)].col * kPrintCellPitch; }
int rowOffset(int g) { return engine::kGridOrigin[static_cast<std::size_t>(g)].row * kPrintCellPitch; }

// Runs the drawing steps in order and remembers the first failure, after
// which nothing more reaches the surface.
class Drawing {
public:
    Drawing(PageSurface& page, double scale) : page_(page), scale_(scale) {}

    bool ok() const { return ok_; }
    int s(double t) const { return scaleTwips(t, scale_); }

    void lineWidth(int w)
    {
        if (ok_) ok_ = page_.setLineWidth(w);
    }
    // A line given in unscaled twips.
    void line(double x1, double y1, double x2, double y2)
    {
        if (ok_) ok_ = page_.drawLine(s(x1), s(y1), s(x2), s(y2));
    }
    void font(int size)
    {
        if (ok_) ok_ = page_.setFont(kPrintFontName, size);
        if (ok_) ok_ = page_.setPlainFace();
    }
    void plainFace()
    {
        if (ok_) ok_ = page_.setPlainFace();
    }
    void text(double x, double y, const std::string& t)
    {
        if (ok_) ok_ = page_.setTextPosition(s(x), s(y));
        if (ok_) ok_ = page_.printText(t);
    }
    void end()
    {
        if (ok_) ok_ = page_.endDocument();
    }

private:
    PageSurface& page_;
    double scale_;
    bool ok_ = true;
};

// The box boundaries across the whole board, vertical then horizontal. On a
// Samurai board the lines at board positions 3 and 18 stop at the gap
// between the upper and the lower outer grids.
void drawBoxBoundaries(Drawing& d, bool samurai)
{
    const int n = samurai ? 2 * kGridSize + 1 : kGridSize;
    const double m = kPrintMargin;
    const double span = samurai ? kSamuraiSpan : kGridSpan;
    const double lowerStart = rowOffset(2); // 3780: where the lower outer grids begin
    for (int vertical = 1; vertical >= 0; --vertical) {
        for (int i = 3; i < n; i += 3) {
            const double at = kPrintCellPitch * i + m;
            auto segment = [&](double from, double to) {
                if (vertical)
                    d.line(at, from, at, to);
                else
                    d.line(from, at, to, at);
            };
            if (samurai && (i == 3 || i == 18)) {
                segment(m, kGridSpan + m);
                segment(lowerStart + m, lowerStart + kGridSpan + m);
            } else {
                segment(m, span + m);
            }
        }
    }
}

void drawGrid(Drawing& d, const PrintBoard& board, int g, int fontSize)
{
    const double cx = columnOffset(g), cy = rowOffset(g), m = kPrintMargin;
    for (int j = 0; j <= kGridSize; ++j) {
        d.lineWidth(j == 0 || j == kGridSize ? kThickPrintLine : kThinPrintLine);
        const double x = kPrintCellPitch * j + m + cx;
        d.line(x, cy + m, x, kGridSpan + m + cy);
    }
    for (int j = 0; j <= kGridSize; ++j) {
        d.lineWidth(j == 0 || j == kGridSize ? kThickPrintLine : kThinPrintLine);
        const double y = kPrintCellPitch * j + m + cy;
        d.line(cx + m, y, kGridSpan + m + cx, y);
    }
    d.font(fontSize);
    for (int i = 0; i < kGridSize; ++i)
        for (int j = 0; j < kGridSize; ++j) {
            const std::string& t = board.text(g, i, j);
            if (t.empty()) continue;
            d.text(kPrintCellPitch * i + cx + m + kPrintCellPitch / 4.0, kPrintCellPitch * j + cy + m + kPrintCellPitch / 12.0,
                   t);
        }
    d.plainFace();
}

} // namespace

PrintBoard PrintBoard::fromGrids(const engine::GridSlots& grids, int numGrids)
{
    PrintBoard b;
    b.numGrids = numGrids == engine::kSamuraiGrids ? engine::kSamuraiGrids : 1;
    for (int g = 0; g < b.numGrids; ++g)
        for (int i = 0; i < kGridSize; ++i)
            for (int j = 0; j < kGridSize; ++j)
                if (const engine::CellControl* c = grids[static_cast<std::size_t>(g)].getbox(i, j))
                    b.text(g, i, j) = c->text();
    return b;
}

int scaleTwips(double twips, double scale)
{
    const double x = twips * scale;
    double r = std::floor(x);
    const double frac = x - r;
    if (frac > 0.5 || (frac == 0.5 && std::fmod(r, 2.0) != 0.0)) r += 1.0;
    if (!(r >= -32768.0)) return -32768; // also catches NaN
    if (r > 32767.0) return 32767;
    return static_cast<int>(r);
}

bool printPuzzle(PageSurface& page, const PrintBoard& board, PrintLayout layout)
{
    const bool samurai = board.numGrids == engine::kSamuraiGrids;
    Drawing d(page, layout.scale);
    d.lineWidth(kThickPrintLine);
    drawBoxBoundaries(d, samurai);
    for (int g = 0; g < (samurai ? engine::kSamuraiGrids : 1); ++g) drawGrid(d, board, g, layout.fontSize);
    d.end();
    return d.ok();
}

} // namespace files
