// SPDX-License-Identifier: GPL-3.0-or-later
#include "step_balloon.h"

#include <QEvent>
#include <QLabel>
#include <QScreen>
#include <QToolTip>
#include <algorithm>

namespace mainwindow {

StepBalloon::StepBalloon(QWidget& window, const QWidget& status) : QObject(&window), window_(window), status_(status)
{
    // A tool tip's window: above the board window, never activated, and
    // drawn in the colours the desktop gives tool tips.
    label_ = new QLabel(&window, Qt::ToolTip | Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput);
    label_->setAttribute(Qt::WA_ShowWithoutActivating);
    label_->setObjectName(QStringLiteral("stepBalloon"));
    label_->setWordWrap(true);
    label_->setTextFormat(Qt::PlainText);
    label_->setMargin(6);
    label_->setFrameStyle(QFrame::Box | QFrame::Plain);
    label_->setPalette(QToolTip::palette());
    label_->setForegroundRole(QPalette::ToolTipText);
    label_->setBackgroundRole(QPalette::ToolTipBase);
    label_->setAutoFillBackground(true);
    window.installEventFilter(this);
}

void StepBalloon::setText(const QString& text)
{
    if (text == text_) return;
    text_ = text;
    label_->setText(text);
    update();
}

QString StepBalloon::shownText() const
{
    return label_->isVisible() ? text_ : QString();
}

bool StepBalloon::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &window_) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::WindowActivate:
        case QEvent::WindowDeactivate:
        case QEvent::WindowStateChange:
            update();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

void StepBalloon::update()
{
    const bool show = !text_.isEmpty() && window_.isVisible() && window_.isActiveWindow() && !window_.isMinimized();
    if (!show) {
        label_->hide();
        return;
    }
    // As wide as the window (within the screen), as tall as the sentence
    // needs; under the window, or over its foot where the screen ends. A
    // zoom resizes the window, so the status line's font is read here.
    label_->setFont(status_.font());
    const QRect frame = window_.frameGeometry();
    const QRect area = window_.screen() ? window_.screen()->availableGeometry() : frame;
    const int width = std::min(std::max(frame.width(), 320), area.width());
    const int height = label_->heightForWidth(width);
    int top = frame.bottom() + 1;
    if (top + height > area.bottom() + 1) top = window_.geometry().bottom() + 1 - height;
    const int left = std::clamp(frame.left(), area.left(), std::max(area.left(), area.right() + 1 - width));
    label_->setGeometry(left, top, width, height);
    label_->show();
}

} // namespace mainwindow
