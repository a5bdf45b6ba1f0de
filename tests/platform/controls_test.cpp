#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include "board_frame.h"
#include "picture_button.h"
#include "text_cell.h"

namespace {

TEST(TextCell, IsACellControl)
{
    QWidget parent; // never shown
    platform::TextCell cell(7, &parent);
    engine::CellControl& c = cell;
    EXPECT_EQ(cell.index(), 7);
    EXPECT_EQ(cell.maxLength(), 1);
    EXPECT_EQ(cell.alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    c.setText("A");
    EXPECT_EQ(c.text(), "A");
    EXPECT_EQ(cell.QLineEdit::text(), "A");
    c.setBackground(255);
    EXPECT_EQ(c.background(), 255u);
    EXPECT_EQ(cell.palette().color(QPalette::Base), QColor(255, 0, 0));
    cell.setTextColour(engine::rgb(0, 0, 128));
    EXPECT_EQ(cell.palette().color(QPalette::Text), QColor(0, 0, 128));
    // Visibility is the control's own flag, even while its window is hidden.
    c.setVisible(true);
    EXPECT_TRUE(c.isVisible());
    c.setVisible(false);
    EXPECT_FALSE(c.isVisible());
}

TEST(TextCell, ReportsChangesAndKeys)
{
    platform::TextCell cell(3, nullptr);
    QSignalSpy changed(&cell, &platform::TextCell::changed);
    QSignalSpy keys(&cell, &platform::TextCell::keyDown);
    static_cast<engine::CellControl&>(cell).setText("5");
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].toInt(), 3);
    QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::ShiftModifier);
    QApplication::sendEvent(&cell, &up);
    ASSERT_EQ(keys.count(), 1);
    EXPECT_EQ(keys[0][1].toInt(), int(Qt::Key_Up));
}

TEST(TextCell, TypingIntoAFilledCellReplacesItsSymbol)
{
    platform::TextCell cell(0, nullptr);
    static_cast<engine::CellControl&>(cell).setText("5");
    QSignalSpy changed(&cell, &platform::TextCell::changed);
    QKeyEvent nine(QEvent::KeyPress, Qt::Key_9, Qt::NoModifier, QStringLiteral("9"));
    QApplication::sendEvent(&cell, &nine);
    EXPECT_EQ(static_cast<engine::CellControl&>(cell).text(), "9");
    EXPECT_EQ(changed.count(), 1); // one change, straight from 5 to 9
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    QApplication::sendEvent(&cell, &del);
    EXPECT_EQ(static_cast<engine::CellControl&>(cell).text(), "");
}

void click(QWidget& w, QEvent::Type type)
{
    QMouseEvent e(type, QPointF(5, 5), w.mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                  type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &e);
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
    click(b, QEvent::MouseButtonPress);
    click(b, QEvent::MouseButtonRelease);
    ASSERT_EQ(down.count(), 1);
    ASSERT_EQ(up.count(), 1);
    EXPECT_EQ(down[0][0].toInt(), 0);
    EXPECT_EQ(up[0][0].toInt(), 0);
    // The top visible picture is the one pressed.
    b.setElementVisible(3, true);
    EXPECT_EQ(b.topVisible(), 3);
    click(b, QEvent::MouseButtonPress);
    EXPECT_EQ(down[1][0].toInt(), 3);
    // Nothing visible: no events.
    for (int i = 0; i < 6; ++i) b.setElementVisible(i, false);
    click(b, QEvent::MouseButtonRelease); // finishes the earlier press
    click(b, QEvent::MouseButtonPress);
    EXPECT_EQ(down.count(), 2);
}

TEST(PictureButton, LooksAreDrawnDifferently)
{
    platform::PictureButton b(nullptr);
    b.resize(103, 40);
    b.element(0).setPicture("Hint", platform::PictureLook::Released);
    b.element(1).setPicture("Hint", platform::PictureLook::Pressed);
    b.element(2).setPicture("Hint", platform::PictureLook::Greyed);
    QImage looks[3];
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 6; ++j) b.setElementVisible(j, j == i);
        looks[i] = b.grab().toImage();
    }
    EXPECT_NE(looks[0], looks[1]);
    EXPECT_NE(looks[0], looks[2]);
    EXPECT_NE(looks[1], looks[2]);
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

} // namespace
