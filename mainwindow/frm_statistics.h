// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>
#include <vector>

#include "journal.h"

class QChartView;
class QPushButton;
class QTableWidget;

namespace platform {
class Dialogs;
}

namespace mainwindow {

// File > Statistics...: per board and level the games played and finished
// and the best, median and latest times; a chart of the recent times of the
// selected row; the history exported as CSV.
class frmStatistics : public QDialog {
    Q_OBJECT
public:
    frmStatistics(journal::Journal& journal, platform::Dialogs& dialogs, QWidget* parent);

    void btnExport_Click();
    // Shows the recent times of a row of the table in the chart.
    void showChart(int row);

    QTableWidget* lstFigures = nullptr;
    QChartView* chart = nullptr;
    QPushButton* btnExport = nullptr;
    QPushButton* btnClose = nullptr;

    const std::vector<journal::LevelFigures>& figures() const { return figures_; }

private:
    journal::Journal& journal_;
    platform::Dialogs& dialogs_;
    std::vector<journal::Result> results_;
    std::vector<journal::LevelFigures> figures_;
};

} // namespace mainwindow
