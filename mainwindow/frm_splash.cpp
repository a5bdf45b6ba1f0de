// SPDX-License-Identifier: GPL-3.0-or-later
#include "frm_splash.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>

namespace mainwindow {

namespace {

void drawPicture(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    const QRect all(0, 0, frmSplash::kWidth, frmSplash::kHeight);
    QLinearGradient bg(all.topLeft(), all.bottomRight());
    bg.setColorAt(0, QColor(40, 72, 128));
    bg.setColorAt(1, QColor(18, 34, 66));
    p.fillRect(all, bg);

    // A small board motif: one 3x3 box of a larger grid, with a few symbols.
    const int cell = 38;
    const int gap = 3;
    const QPoint origin(52, 56);
    const char* digits = "5 3 7 6  9";
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 40));
    p.drawRoundedRect(QRect(origin - QPoint(10, 10), QSize(3 * cell + 2 * gap + 20, 3 * cell + 2 * gap + 20)), 10, 10);
    QFont digitFont(QStringLiteral("Arial"));
    digitFont.setBold(true);
    digitFont.setPixelSize(22);
    p.setFont(digitFont);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            const QRect box(origin.x() + c * (cell + gap), origin.y() + r * (cell + gap), cell, cell);
            const bool given = (r + c) % 2 == 0;
            p.setPen(Qt::NoPen);
            p.setBrush(given ? QColor(224, 224, 224) : QColor(255, 255, 255));
            p.drawRoundedRect(box, 4, 4);
            const QChar ch = QLatin1Char(digits[r * 3 + c]);
            if (ch != QLatin1Char(' ')) {
                p.setPen(given ? QColor(20, 20, 20) : QColor(0, 150, 0));
                p.drawText(box, Qt::AlignCenter, QString(ch));
            }
        }

    QFont title(QStringLiteral("Arial"));
    title.setBold(true);
    title.setPixelSize(64);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRect(210, 60, 290, 80), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Corvel"));
    QFont sub(QStringLiteral("Arial"));
    sub.setPixelSize(18);
    p.setFont(sub);
    p.setPen(QColor(200, 214, 235));
    p.drawText(QRect(214, 138, 290, 30), Qt::AlignLeft | Qt::AlignVCenter, QObject::tr("Sudoku, standard and Samurai"));
    sub.setPixelSize(13);
    p.setFont(sub);
    p.setPen(QColor(160, 178, 205));
    p.drawText(QRect(0, 250, frmSplash::kWidth, 30), Qt::AlignCenter, QObject::tr("Press any key to continue"));
}

} // namespace

frmSplash::frmSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFixedSize(kWidth, kHeight);
    setFocusPolicy(Qt::StrongFocus);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(kWidth / 2, kHeight / 2));
    }
}

QImage frmSplash::picture()
{
    QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    drawPicture(p);
    return image;
}

void frmSplash::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    drawPicture(p);
}

void frmSplash::Form_KeyPress(int)
{
    hide();
}

void frmSplash::keyPressEvent(QKeyEvent* event)
{
    Form_KeyPress(event->key());
    event->accept();
}

} // namespace mainwindow
