// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>
#include <optional>

#include "rated_generation.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace mainwindow {

// The Generate dialog: a board type and a level. Every use makes a new one, so
// it always opens on "Standard 9x9" and "Easy". Closing it in any way other
// than "Create Puzzle" counts as cancelling.
class frmGenerate : public QDialog {
    Q_OBJECT
public:
    explicit frmGenerate(QWidget* parent);

    void Form_Load() { cancel = false; }
    // Nothing to prepare; kept so that every use runs the same steps.
    void initialise() {}
    void btnCreate_Click();
    void btnCancel_Click();

    // 1 standard, 2 Samurai.
    int getType() const { return type; }
    // 1 Easy, 2 Testing, 3 Very Difficult.
    int getRating() const { return rating; }
    bool getCancel() const { return cancel; }
    // The rating band asked for: -1 for any (the level alone decides), else
    // 0 Easy .. 4 Diabolical. With a band the level is chosen to suit it.
    int getBand() const { return band; }
    // How long a generation to a band looks before it says no puzzle was
    // found; the board type's defaults when unset.
    std::optional<generator::RatedLimits> ratedLimits;

    QGroupBox* frmGenerateFrame = nullptr;
    QLabel* lblType = nullptr;
    QGroupBox* frmType = nullptr;
    QRadioButton* rb9x9 = nullptr;
    QRadioButton* rbSamurai = nullptr;
    QLabel* lblDifficulty = nullptr;
    QGroupBox* frmDifficulty = nullptr;
    QRadioButton* rbEasy = nullptr;
    QRadioButton* rbTesting = nullptr;
    QRadioButton* rbImpossible = nullptr;
    QLabel* lblRating = nullptr;
    QComboBox* cbRating = nullptr;
    QPushButton* btnCreate = nullptr;
    QPushButton* btnCancel = nullptr;

protected:
    // The window's close box and Escape both end here.
    void reject() override;

private:
    bool cancel = false;
    int type = 1;
    int rating = 1;
    int band = -1;
};

} // namespace mainwindow
