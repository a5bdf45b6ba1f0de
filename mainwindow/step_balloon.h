// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QString>

class QLabel;
class QWidget;

namespace mainwindow {

// A sentence too long for the status line, shown whole in a balloon just
// under the window (over the foot of the board when the screen ends there).
// It takes no focus and no input, follows the window as it moves, and hides
// while the window is not the active one, so that it never floats over
// another program. Its text is as large as that of `status`, the status
// line it stands in for, at every zoom.
class StepBalloon : public QObject {
    Q_OBJECT
public:
    StepBalloon(QWidget& window, const QWidget& status);

    // Shows `text`, or hides the balloon when it is empty.
    void setText(const QString& text);
    // The text shown; empty while the balloon is hidden.
    QString shownText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void update();

    QWidget& window_;
    const QWidget& status_;
    QLabel* label_;
    QString text_;
};

} // namespace mainwindow
