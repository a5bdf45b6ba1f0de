// SPDX-License-Identifier: GPL-3.0-or-later
#include "board_frame.h"

#include <QPainter>
#include <QRegion>
#include <algorithm>

#include "colour.h"

namespace platform {

BoardFrame::BoardFrame(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::NoFrame);
    setAutoFillBackground(false);
}

void BoardFrame::setBackground(engine::Colour colour)
{
    background_ = colour;
    update();
}

void BoardFrame::addLines(LineControl* first, int count, bool clipToGrids)
{
    for (int i = 0; i < count; ++i) lines_.push_back({first + i, clipToGrids});
}

void BoardFrame::setGridAreas(const std::vector<TwipsRect>& areas, engine::Colour border, int borderPixels)
{
    areas_ = areas;
    border_ = border;
    borderPixels_ = borderPixels;
    update();
}

QRect BoardFrame::areaRect(const TwipsRect& a) const
{
    const int left = mapping_.x(a.left);
    const int top = mapping_.y(a.top);
    return QRect(left, top, mapping_.x(a.left + a.width) - left, mapping_.y(a.top + a.height) - top);
}

void BoardFrame::placeCell(TextCell& cell) const
{
    const TwipsRect& r = cell.twipsGeometry();
    cell.setGeometry(mapping_.x(r.left), mapping_.y(r.top), mapping_.cellLength(r.width), mapping_.cellLength(r.height));
}

QRect BoardFrame::lineRect(const LineControl& line) const
{
    const int w = std::max(1, line.widthPixels);
    if (line.x1 == line.x2) {
        const int top = mapping_.y(std::min(line.y1, line.y2));
        const int bottom = mapping_.y(std::max(line.y1, line.y2));
        return QRect(mapping_.x(line.x1) - w / 2, top, w, std::max(1, bottom - top));
    }
    const int left = mapping_.x(std::min(line.x1, line.x2));
    const int right = mapping_.x(std::max(line.x1, line.x2));
    return QRect(left, mapping_.y(line.y1) - w / 2, std::max(1, right - left), w);
}

void BoardFrame::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), toQColor(background_));
    QRegion grids;
    for (const TwipsRect& a : areas_) grids += areaRect(a);
    // Lines are whole-pixel rectangles: no antialiasing, so they stay crisp.
    for (const Layer& layer : lines_) {
        if (!layer.line->visible) continue;
        const QRect r = lineRect(*layer.line);
        if (layer.clipped) {
            for (const QRect& part : QRegion(r).intersected(grids)) p.fillRect(part, toQColor(layer.line->colour));
        } else {
            p.fillRect(r, toQColor(layer.line->colour));
        }
    }
    // Each grid's outer border, in the gap around its cells.
    const QColor border = toQColor(border_);
    const int w = borderPixels_;
    for (const TwipsRect& a : areas_) {
        const QRect r = areaRect(a);
        p.fillRect(QRect(r.left(), r.top(), r.width(), w), border);
        p.fillRect(QRect(r.left(), r.bottom() - w + 1, r.width(), w), border);
        p.fillRect(QRect(r.left(), r.top(), w, r.height()), border);
        p.fillRect(QRect(r.right() - w + 1, r.top(), w, r.height()), border);
    }
}

} // namespace platform
