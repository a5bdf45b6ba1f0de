// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture_button.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>
#include <algorithm>

#include "accessible_controls.h"

namespace platform {

PictureElement::PictureElement(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void PictureElement::setPicture(const QString& label, PictureLook look)
{
    label_ = label;
    look_ = look;
    update();
}

void PictureElement::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(4.5, 3.5, -4.5, -3.5);
    const qreal radius = 6;
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);

    QColor top, bottom, border, text;
    switch (look_) {
    case PictureLook::Released:
        top = QColor(86, 128, 196);
        bottom = QColor(44, 84, 150);
        border = QColor(30, 60, 112);
        text = Qt::white;
        break;
    case PictureLook::Pressed:
        top = QColor(34, 68, 126);
        bottom = QColor(58, 98, 164);
        border = QColor(22, 46, 90);
        text = QColor(230, 236, 245);
        break;
    case PictureLook::Greyed:
        top = QColor(200, 203, 206);
        bottom = QColor(186, 189, 192);
        border = QColor(165, 168, 171);
        text = QColor(140, 143, 146);
        break;
    }
    // A soft shadow under a raised button.
    if (look_ == PictureLook::Released) {
        QPainterPath shadow;
        shadow.addRoundedRect(r.translated(0, 1.5), radius, radius);
        p.fillPath(shadow, QColor(0, 0, 0, 50));
    }
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillPath(path, g);
    p.setPen(QPen(border, 1));
    p.drawPath(path);

    QFont f = font();
    f.setBold(true);
    f.setPixelSize(std::max(9, height() * 12 / 40));
    p.setFont(f);
    p.setPen(text);
    const QRectF textRect = look_ == PictureLook::Pressed ? r.translated(0, 1) : r;
    p.drawText(textRect, Qt::AlignCenter, label_);
    // The keyboard's focus: a dotted ring inside the border.
    if (parentWidget() && parentWidget()->hasFocus()) {
        p.setPen(QPen(text, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(r.adjusted(3, 3, -3, -3), radius - 2, radius - 2);
    }
}

PictureButton::PictureButton(QWidget* parent) : QWidget(parent)
{
    // Before anything below asks for the button's accessible interface.
    installAccessibleControls();
    setFocusPolicy(Qt::TabFocus);
    for (auto& e : elements_) {
        e = new PictureElement(this);
        e->hide();
    }
}

void PictureButton::setElementVisible(int i, bool visible)
{
    element(i).setVisible(visible);
}

int PictureButton::topVisible() const
{
    for (int i = kElements - 1; i >= 0; --i)
        if (isElementVisible(i)) return i;
    return -1;
}

void PictureButton::mousePressEvent(QMouseEvent* event)
{
    pressed_ = topVisible();
    event->accept();
    if (pressed_ >= 0) emit mouseDown(pressed_);
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    const int index = pressed_;
    pressed_ = -1;
    if (index >= 0) emit mouseUp(index);
}

void PictureButton::press()
{
    const int index = topVisible();
    if (index < 0) return;
    emit mouseDown(index);
    emit mouseUp(index);
}

void PictureButton::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() == Qt::NoModifier &&
        (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        event->accept();
        press();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PictureButton::resizeEvent(QResizeEvent*)
{
    for (auto* e : elements_) e->setGeometry(rect());
}

bool PictureButton::event(QEvent* event)
{
    // The top visible picture's tooltip is the button's.
    if (event->type() == QEvent::ToolTip) {
        const int top = topVisible();
        const QString tip = top >= 0 ? elementToolTip(top) : QString();
        auto* help = static_cast<QHelpEvent*>(event);
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, this);
        return true;
    }
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
        for (auto* e : elements_) e->update();
    return QWidget::event(event);
}

} // namespace platform
