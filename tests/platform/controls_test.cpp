// SPDX-License-Identifier: GPL-3.0-or-later
// The toolkit-facing controls: cells, picture buttons, the board frame, and
// the twips-to-pixels mapping they are placed with.
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "board_frame.h"
#include "colour.h"
#include "picture_button.h"
#include "text_cell.h"

namespace {

TEST(TextCell, TakesOneSymbolAtATimeAndShowsItsColours)
{
    platform::TextCell cell(3, nullptr);
    cell.setBackground(255); // red in the low byte
    EXPECT_EQ(cell.palette().color(QPalette::Base), QColor(255, 0, 0));
    EXPECT_EQ(platform::fromQColor(QColor(213, 216, 218)), 14342357u);
    QTest::keyClick(&cell, '5');
    QSignalSpy changed(&cell, &platform::TextCell::changed);
    QTest::keyClick(&cell, '9'); // one change, straight from 5 to 9
    EXPECT_EQ(cell.QLineEdit::text(), "9");
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].toInt(), 3);
    QTest::keyClick(&cell, Qt::Key_Backspace);
    EXPECT_EQ(cell.QLineEdit::text(), "");
}

TEST(PictureButton, ReleaseReportsThePressedPictureEvenAfterASwap)
{
    platform::PictureButton b(nullptr);
    b.resize(103, 40);
    b.setElementVisible(0, true);
    QSignalSpy down(&b, &platform::PictureButton::mouseDown);
    QSignalSpy up(&b, &platform::PictureButton::mouseUp);
    QObject::connect(&b, &platform::PictureButton::mouseDown, [&b] {
        b.setElementVisible(1, true);
        b.setElementVisible(0, false);
    });
    QTest::mouseClick(&b, Qt::LeftButton);
    ASSERT_EQ(down.count(), 1);
    ASSERT_EQ(up.count(), 1);
    EXPECT_EQ(up[0][0].toInt(), 0);
    // Nothing visible: no events.
    for (int i = 0; i < platform::PictureButton::kElements; ++i) b.setElementVisible(i, false);
    QTest::mouseClick(&b, Qt::LeftButton);
    EXPECT_EQ(down.count() + up.count(), 2);
    // Released, pressed and greyed are drawn differently.
    QImage looks[3];
    for (int i = 0; i < 3; ++i) {
        b.element(i).setPicture("Hint", static_cast<platform::PictureLook>(i));
        for (int j = 0; j < 3; ++j) b.setElementVisible(j, j == i);
        looks[i] = b.grab().toImage();
    }
    EXPECT_TRUE(looks[0] != looks[1] && looks[0] != looks[2] && looks[1] != looks[2]);
}

TEST(BoardFrame, LinesAreWholePixelBandsAndClippedToGrids)
{
    platform::BoardFrame f(nullptr);
    f.resize(200, 200);
    f.setBackground(engine::rgb(213, 216, 218));
    f.setMapping(platform::BoardMapping(platform::Twips(96), 0, 0, 150));
    platform::LineControl lines[2] = {{300, 0, 300, 3000, 0, 2, true}, {0, 600, 3000, 600, 255, 3, true}};
    f.addLines(lines, 2, true);
    f.setGridAreas({{0, 0, 1200, 1200}}, 0, 2); // the top-left 80 x 80 pixels
    EXPECT_EQ(f.lineRect(lines[0]), QRect(19, 0, 2, 200));
    EXPECT_EQ(f.lineRect(lines[1]), QRect(0, 39, 200, 3));
    const QImage img = f.grab().toImage();
    EXPECT_EQ(QColor(img.pixel(20, 50)), QColor(0, 0, 0));
    EXPECT_EQ(QColor(img.pixel(50, 40)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(img.pixel(20, 150)), QColor(213, 216, 218)); // outside the grid area
    EXPECT_EQ(QColor(img.pixel(150, 40)), QColor(213, 216, 218));
    EXPECT_EQ(QColor(img.pixel(0, 50)), QColor(0, 0, 0)); // the grid's border
}

// At common DPIs: 1440 twips to the inch, cells on an even pitch, and a thick
// line of 2 pixels that fits the gap between neighbours.
TEST(BoardMapping, EvenPitchAndLinesInTheGaps)
{
    EXPECT_EQ(platform::Twips(96).toPixels(1545), 103); // a button picture is 103 x 40 pixels
    EXPECT_EQ(platform::Twips(0).toPixels(1440), 96);   // no DPI: the usual one
    for (double dpi : {72.0, 96.0, 120.0, 144.0, 192.0})
        for (int cell : {315, 435}) {
            EXPECT_EQ(platform::Twips(dpi).toPixels(1440), dpi);
            const int pitch = cell + 25;
            const platform::BoardMapping m(platform::Twips(dpi), 100, 200, pitch);
            const int pitchPx = m.x(100 + pitch) - m.x(100);
            for (int k = 1; k < 21; ++k) {
                EXPECT_EQ(m.x(100 + k * pitch) - m.x(100), k * pitchPx) << dpi << " " << cell << " " << k;
                EXPECT_EQ(m.y(200 + k * pitch) - m.y(200), k * pitchPx);
                // The line between column k-1 and k: 100 + k p - 12.5, 2 px wide.
                const int lineLeft = m.x(100 + k * pitch - 12.5) - 1;
                EXPECT_GE(lineLeft, m.x(100 + (k - 1) * pitch) + m.cellLength(cell)) << dpi << " " << cell << " " << k;
                EXPECT_LE(lineLeft + 2, m.x(100 + k * pitch)) << dpi << " " << cell << " " << k;
            }
        }
}

} // namespace
