// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>

class QTextBrowser;

namespace mainwindow {

// Corvel's own help: the guide in docs/help.md, built into the program, shown
// in a window that stays open beside the board. Closing it only hides it.
class frmHelp : public QDialog {
    Q_OBJECT
public:
    explicit frmHelp(QWidget* parent);

    // Where the built-in guide is; images it names are found beside it.
    static const char* const kSource;

    QTextBrowser* txtHelp = nullptr;
};

} // namespace mainwindow
