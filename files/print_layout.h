// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <string>

#include "cross_grid.h"

namespace files {

// A printed page as the board drawing sees it: coordinates in page units
// (twips already scaled), origin at the page's top-left corner. Every
// operation returns false when the device fails; the drawing then stops.
class PageSurface {
public:
    virtual ~PageSurface() = default;
    // Line width in printer line-width units (thick 8, thin 2).
    virtual bool setLineWidth(int width) = 0;
    // A plain black line between two points.
    virtual bool drawLine(int x1, int y1, int x2, int y2) = 0;
    virtual bool setFont(const std::string& name, int pointSize) = 0;
    // Neither bold nor italic.
    virtual bool setPlainFace() = 0;
    // Where the next text's top-left corner goes.
    virtual bool setTextPosition(int x, int y) = 0;
    virtual bool printText(const std::string& text) = 0;
    // Finishes the document and sends the page on.
    virtual bool endDocument() = 0;
};

// Scale and font size of a printed board.
struct PrintLayout {
    double scale = 1.0;
    int fontSize = 12;
};
inline constexpr PrintLayout kLargePrint{1.5, 18};
inline constexpr PrintLayout kSmallPrint{1.0, 12};

// Drawing constants in twips before scaling.
inline constexpr int kPrintCellPitch = 315;
inline constexpr int kPrintMargin = 500;
inline constexpr int kThickPrintLine = 8;
inline constexpr int kThinPrintLine = 2;
inline constexpr const char* kPrintFontName = "Times Roman";

// The cell texts of a board to print: grids 0..numGrids-1, each 9 columns by
// 9 rows; an empty text is an empty cell.
struct PrintBoard {
    int numGrids = 1;
    std::array<std::array<std::array<std::string, 9>, 9>, 5> texts; // [grid][col][row]

    const std::string& text(int g, int col, int row) const
    {
        return texts[static_cast<std::size_t>(g)][static_cast<std::size_t>(col)][static_cast<std::size_t>(row)];
    }
    std::string& text(int g, int col, int row)
    {
        return texts[static_cast<std::size_t>(g)][static_cast<std::size_t>(col)][static_cast<std::size_t>(row)];
    }

    // What the grids' cells show (getbox), for the grids in use.
    static PrintBoard fromGrids(const engine::GridSlots& grids, int numGrids);
};

// round(twips x scale), halves to the even neighbour, kept within 16 bits.
int scaleTwips(double twips, double scale);

// Draws the board on one page and ends the document: the box boundaries
// across the board, each grid's outline and cell lines, then each grid's
// cell texts in "Times Roman". Returns false, without ending the document,
// as soon as an operation of the surface fails.
bool printPuzzle(PageSurface& page, const PrintBoard& board, PrintLayout layout);

} // namespace files
