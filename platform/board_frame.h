// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QFrame>
#include <vector>

#include "line_control.h"
#include "text_cell.h"
#include "twips.h"

namespace platform {

// The frame that holds the board: fills its background, paints its line
// controls (in the order they were added, later ones on top) and places the
// cell controls through the board mapping.
class BoardFrame : public QFrame {
    Q_OBJECT
public:
    explicit BoardFrame(QWidget* parent);

    void setBackground(engine::Colour colour);
    engine::Colour background() const { return background_; }

    void setMapping(const BoardMapping& m) { mapping_ = m; }
    const BoardMapping& mapping() const { return mapping_; }

    // Lines to paint; the frame does not own them. Clipped lines show only
    // inside the grid areas, so they never cross the space between grids.
    void addLines(LineControl* first, int count, bool clipToGrids);

    // The areas of the grids in use (board twips, each grid's cells with the
    // gap around them); each gets a border of the given colour and width.
    void setGridAreas(const std::vector<TwipsRect>& areas, engine::Colour border, int borderPixels);
    QRect areaRect(const TwipsRect& area) const;

    // Moves a cell to its twips geometry, through the mapping.
    void placeCell(TextCell& cell) const;
    // The pixel rectangle a line covers.
    QRect lineRect(const LineControl& line) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    engine::Colour background_ = 0;
    BoardMapping mapping_;
    struct Layer {
        LineControl* line;
        bool clipped;
    };
    std::vector<Layer> lines_;
    std::vector<TwipsRect> areas_;
    engine::Colour border_ = 0;
    int borderPixels_ = 2;
};

} // namespace platform
