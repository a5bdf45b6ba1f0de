#include <gtest/gtest.h>

#include "colour.h"
#include "twips.h"

namespace {

TEST(Twips, ConvertsThroughTheLogicalDpi)
{
    const platform::Twips at96(96);
    EXPECT_EQ(at96.toPixels(1440), 96);
    EXPECT_EQ(at96.toPixels(15), 1);
    EXPECT_EQ(at96.toPixels(1545), 103); // a button picture is 103 x 40 pixels
    EXPECT_EQ(at96.toPixels(600), 40);
    EXPECT_DOUBLE_EQ(at96.twipsPerPixel(), 15.0);
    EXPECT_EQ(platform::Twips(120).toPixels(1440), 120);
    EXPECT_EQ(platform::Twips(0).toPixels(1440), 96); // no DPI: the usual one
}

// Cells of every layout at common DPIs: equal sizes, an even pitch, and a
// thick line of 2 pixels that fits the gap between neighbours.
TEST(BoardMapping, EvenPitchAndLinesInTheGaps)
{
    for (double dpi : {72.0, 96.0, 120.0, 144.0, 192.0})
        for (int cell : {315, 435}) {
            const int pitch = cell + 25;
            const platform::BoardMapping m(platform::Twips(dpi), 100, 200, pitch);
            const int firstX = m.x(100);
            const int pitchPx = m.x(100 + pitch) - firstX;
            for (int k = 0; k < 21; ++k) {
                const int left = m.x(100 + k * pitch);
                const int top = m.y(200 + k * pitch);
                EXPECT_EQ(left - firstX, k * pitchPx) << dpi << " " << cell << " " << k;
                EXPECT_EQ(top - m.y(200), k * pitchPx);
                // The line between column k-1 and k: 100 + k p - 12.5, 2 px wide.
                if (k > 0) {
                    const int centre = m.x(100 + k * pitch - 12.5);
                    const int lineLeft = centre - 1;
                    const int prevRight = m.x(100 + (k - 1) * pitch) + m.cellLength(cell);
                    EXPECT_GE(lineLeft, prevRight) << dpi << " " << cell << " " << k;
                    EXPECT_LE(lineLeft + 2, left) << dpi << " " << cell << " " << k;
                }
            }
        }
}

TEST(Colour, RedIsInTheLowByte)
{
    EXPECT_EQ(platform::toQColor(255), QColor(255, 0, 0));
    EXPECT_EQ(platform::toQColor(49152), QColor(0, 192, 0));
    EXPECT_EQ(platform::fromQColor(QColor(213, 216, 218)), 14342357u);
}

} // namespace
