// SPDX-License-Identifier: GPL-3.0-or-later
#include <QImage>
#include <gtest/gtest.h>

#include "painter_page_surface.h"
#include "print_layout.h"

namespace {

// A page at 144 dpi: ten twips to a pixel.
QImage blankPage()
{
    QImage image(1100, 1100, QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(144 / 0.0254));
    image.setDotsPerMeterY(qRound(144 / 0.0254));
    image.fill(Qt::white);
    return image;
}

bool dark(const QImage& image, int twipsX, int twipsY) { return qGray(image.pixel(twipsX / 10, twipsY / 10)) < 128; }

// The bounding box, in twips, of the dark pixels inside a twips rectangle.
QRect darkBounds(const QImage& image, QRect twips)
{
    QRect found;
    for (int y = twips.top() / 10; y <= twips.bottom() / 10; ++y)
        for (int x = twips.left() / 10; x <= twips.right() / 10; ++x)
            if (qGray(image.pixel(x, y)) < 128) found |= QRect(x * 10, y * 10, 10, 10);
    return found;
}

} // namespace

TEST(PainterSurface, DrawsInTwipsFromThePageCorner)
{
    QImage image = blankPage();
    files::PrintBoard board;
    board.text(0, 0, 0) = "8";
    {
        platform::PainterPageSurface page(image);
        ASSERT_TRUE(page.started());
        ASSERT_TRUE(files::printPuzzle(page, board, files::kSmallPrint));
        // After the end of the document nothing more can be drawn.
        EXPECT_FALSE(page.drawLine(0, 0, 100, 100));
        EXPECT_FALSE(page.endDocument());
    }
    // The outline at 500 and 3335 twips, box boundaries at 1445 and 2390; the
    // corner is closed, without a notch.
    for (int at : {500, 1445, 2390, 3335}) EXPECT_TRUE(dark(image, at, 1000) && dark(image, 1000, at)) << at;
    EXPECT_TRUE(dark(image, 495, 495));
    // A thin cell line (815) is drawn, lighter than those thick ones.
    EXPECT_TRUE(!dark(image, 815, 1000) && qGray(image.pixel(81, 100)) < 255);
    // Outside the board and inside an empty cell the page stays white.
    EXPECT_FALSE(dark(image, 300, 300));
    EXPECT_FALSE(dark(image, 3600, 3600));
    EXPECT_TRUE(darkBounds(image, QRect(1500, 1500, 280, 280)).isNull());
    // The symbol's top-left corner is at (579, 526): its ink lies inside cell
    // (0, 0), below and right of that point.
    const QRect ink = darkBounds(image, QRect(530, 530, 270, 270));
    ASSERT_FALSE(ink.isNull());
    EXPECT_TRUE(ink.left() >= 570 && ink.top() >= 520 && ink.bottom() <= 815 && ink.right() <= 815);
}

TEST(PainterSurface, AFailedDeviceRefusesEveryOperation)
{
    QImage nothing; // a null image cannot be painted on
    platform::PainterPageSurface page(nothing);
    EXPECT_FALSE(page.started());
    EXPECT_FALSE(page.setLineWidth(8) || page.drawLine(0, 0, 1, 1) || page.printText("1"));
    EXPECT_FALSE(files::printPuzzle(page, files::PrintBoard{}, files::kSmallPrint));
}
