// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QFont>
#include <QPainter>
#include <QPointF>

#include "print_layout.h"

class QPaintDevice;

namespace platform {

// The board drawing's page surface on any paint device: a printer or a PDF
// writer. Page units are twips from the page's top-left corner; a line-width
// unit is one dot of a 600 dpi printer. The painter starts on construction;
// endDocument ends it and so finishes the page.
class PainterPageSurface final : public files::PageSurface {
public:
    explicit PainterPageSurface(QPaintDevice& device);
    ~PainterPageSurface() override;
    PainterPageSurface(const PainterPageSurface&) = delete;
    PainterPageSurface& operator=(const PainterPageSurface&) = delete;

    // False when the device could not be opened for painting.
    bool started() const { return started_; }

    bool setLineWidth(int width) override;
    bool drawLine(int x1, int y1, int x2, int y2) override;
    bool setFont(const std::string& name, int pointSize) override;
    bool setPlainFace() override;
    bool setTextPosition(int x, int y) override;
    bool printText(const std::string& text) override;
    bool endDocument() override;

    static constexpr double kTwipsPerInch = 1440.0;
    static constexpr double kLineUnitsPerInch = 600.0;

private:
    bool usable() const { return started_ && !ended_ && painter_.isActive(); }

    QPainter painter_;
    QFont font_;
    QPointF textPosition_;
    bool started_ = false;
    bool ended_ = false;
};

} // namespace platform
