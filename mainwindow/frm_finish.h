// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>
#include <cstdint>

class QLabel;
class QPushButton;

namespace mainwindow {

// The congratulation shown when a game is solved. Shown without blocking the
// main window; closes (and deletes itself) on OK.
class frmFinish : public QDialog {
    Q_OBJECT
public:
    explicit frmFinish(QWidget* parent);

    int numHints = 0;
    // Seconds; 32 bits, so a game of any length reads correctly.
    std::int32_t solvingTime = 0;
    // The time is the best of its board and level so far.
    bool newBest = false;

    // Fills the labels from numHints and solvingTime (runs when shown).
    void Form_Load();
    void btnOK_Click();

    QLabel* lbl1 = nullptr;
    QLabel* lbl2 = nullptr;
    QLabel* lblHints = nullptr;
    QLabel* lblTime = nullptr;
    QLabel* lblBest = nullptr;
    QPushButton* btnOK = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace mainwindow
