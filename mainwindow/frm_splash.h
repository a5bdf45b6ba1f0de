// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>

namespace mainwindow {

// The start-up picture, 520 x 304 pixels, drawn by Corvel itself. Any key
// closes it.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 520;
    static constexpr int kHeight = 304;

    explicit frmSplash(QWidget* parent = nullptr);

    // The picture as shown.
    static QImage picture();

protected:
    void paintEvent(QPaintEvent* event) override;
    void Form_KeyPress(int keyAscii);
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace mainwindow
