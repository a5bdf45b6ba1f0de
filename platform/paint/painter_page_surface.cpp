// SPDX-License-Identifier: GPL-3.0-or-later
#include "painter_page_surface.h"

#include <QPaintDevice>
#include <QPen>

namespace platform {

PainterPageSurface::PainterPageSurface(QPaintDevice& device)
{
    started_ = painter_.begin(&device);
    if (!started_) return;
    // Work in twips: the device's dots per inch over 1440.
    painter_.scale(device.logicalDpiX() / kTwipsPerInch, device.logicalDpiY() / kTwipsPerInch);
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setRenderHint(QPainter::TextAntialiasing);
    QPen pen(Qt::black);
    pen.setCapStyle(Qt::SquareCap); // closes the corners where outlines meet
    pen.setJoinStyle(Qt::MiterJoin);
    painter_.setPen(pen);
    font_.setStyleHint(QFont::Serif);
}

PainterPageSurface::~PainterPageSurface()
{
    if (painter_.isActive()) painter_.end();
}

bool PainterPageSurface::setLineWidth(int width)
{
    if (!usable() || width < 0) return false;
    QPen pen = painter_.pen();
    pen.setWidthF(width * kTwipsPerInch / kLineUnitsPerInch);
    painter_.setPen(pen);
    return true;
}

bool PainterPageSurface::drawLine(int x1, int y1, int x2, int y2)
{
    if (!usable()) return false;
    painter_.drawLine(QPointF(x1, y1), QPointF(x2, y2));
    return painter_.isActive();
}

bool PainterPageSurface::setFont(const std::string& name, int pointSize)
{
    if (!usable() || pointSize <= 0) return false;
    font_.setFamily(QString::fromStdString(name));
    font_.setStyleHint(QFont::Serif);
    // One point is 20 twips, and the painter works in twips.
    font_.setPixelSize(pointSize * 20);
    painter_.setFont(font_);
    return true;
}

bool PainterPageSurface::setPlainFace()
{
    if (!usable()) return false;
    font_.setBold(false);
    font_.setItalic(false);
    font_.setUnderline(false);
    painter_.setFont(font_);
    return true;
}

bool PainterPageSurface::setTextPosition(int x, int y)
{
    if (!usable()) return false;
    textPosition_ = QPointF(x, y);
    return true;
}

bool PainterPageSurface::printText(const std::string& text)
{
    if (!usable()) return false;
    // The text's top-left corner at the position, however tall the font.
    const QRectF box(textPosition_, QSizeF(100000, 100000));
    painter_.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip,
                      QString::fromStdString(text));
    return painter_.isActive();
}

bool PainterPageSurface::endDocument()
{
    if (!usable()) return false;
    ended_ = true;
    return painter_.end();
}

} // namespace platform
