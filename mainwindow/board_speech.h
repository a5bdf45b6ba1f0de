// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>

#include "text_cell.h"

class QLabel;

namespace mainwindow {

class frmMain;

// What a screen reader hears of the window: every cell's place and contents
// ("centre grid, row 3, column 5" holding "7, given"), the status line's
// parts, and announcements (a wrong entry, the reason of a hint) spoken
// through a label that shows nothing.
class BoardSpeech : public QObject, public platform::CellWording {
    Q_OBJECT
public:
    explicit BoardSpeech(frmMain& window);

    // After the window's controls exist: the status line's descriptions and
    // the announcement label.
    void createControls();

    QString spokenName(const platform::TextCell& cell) const override;
    QString spokenValue(const platform::TextCell& cell) const override;

    // Says `text` to a screen reader, even when it is the same as the last:
    // the announcement label's name becomes the text, and it raises an alert.
    void announce(const QString& text);
    QLabel* lblAnnouncement = nullptr;

signals:
    // After every announcement.
    void announced(const QString& text);

private:
    frmMain& w_;
};

} // namespace mainwindow
