// SPDX-License-Identifier: GPL-3.0-or-later
#include "frm_statistics.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSaveFile>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

#include "dialogs.h"
#include "frm_games.h"

namespace mainwindow {

namespace {

QString timeOrDash(const std::optional<int>& seconds)
{
    return seconds ? minutesText(*seconds) : QStringLiteral("-");
}

} // namespace

frmStatistics::frmStatistics(journal::Journal& journal, platform::Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), journal_(journal), dialogs_(dialogs)
{
    setWindowTitle(tr("Statistics"));
    results_ = journal_.results();
    figures_ = journal::figures(results_, journal_.unfinished());

    lstFigures = new QTableWidget(static_cast<int>(figures_.size()), 7, this);
    lstFigures->setHorizontalHeaderLabels(
        {tr("Board"), tr("Level"), tr("Played"), tr("Finished"), tr("Best"), tr("Median"), tr("Latest")});
    lstFigures->setSelectionBehavior(QAbstractItemView::SelectRows);
    lstFigures->setSelectionMode(QAbstractItemView::SingleSelection);
    lstFigures->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstFigures->verticalHeader()->hide();
    for (int row = 0; row < lstFigures->rowCount(); ++row) {
        const journal::LevelFigures& f = figures_[static_cast<std::size_t>(row)];
        const QStringList cells{boardName(f.numGrids),    levelName(f.level),         QString::number(f.played),
                                QString::number(f.finished), timeOrDash(f.best), timeOrDash(f.median),
                                timeOrDash(f.latest)};
        for (int c = 0; c < cells.size(); ++c) lstFigures->setItem(row, c, new QTableWidgetItem(cells[c]));
    }
    lstFigures->resizeColumnsToContents();

    chart = new QChartView(this);
    chart->setRenderHint(QPainter::Antialiasing);
    chart->setMinimumHeight(220);
    btnExport = new QPushButton(tr("Export CSV..."), this);
    btnExport->setEnabled(!results_.empty());
    btnClose = new QPushButton(tr("Close"), this);
    connect(btnExport, &QPushButton::clicked, this, &frmStatistics::btnExport_Click);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(lstFigures, &QTableWidget::currentCellChanged, this, [this](int row) { showChart(row); });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnExport);
    buttons->addStretch();
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lstFigures);
    layout->addWidget(chart, 1);
    layout->addLayout(buttons);
    resize(620, 520);
    // The chart starts with the first row that has times to show.
    int first = 0;
    while (first < static_cast<int>(figures_.size()) && figures_[static_cast<std::size_t>(first)].recent.empty()) ++first;
    if (first == static_cast<int>(figures_.size())) first = 0;
    if (!figures_.empty()) lstFigures->selectRow(first);
    showChart(figures_.empty() ? -1 : first);
}

void frmStatistics::showChart(int row)
{
    auto* c = new QChart;
    c->legend()->hide();
    if (row >= 0 && row < static_cast<int>(figures_.size()) && !figures_[static_cast<std::size_t>(row)].recent.empty()) {
        const journal::LevelFigures& f = figures_[static_cast<std::size_t>(row)];
        c->setTitle(tr("Recent times: %1, %2").arg(boardName(f.numGrids), levelName(f.level)));
        auto* set = new QBarSet(tr("Minutes"));
        QStringList games;
        int most = 1;
        for (std::size_t k = 0; k < f.recent.size(); ++k) {
            *set << f.recent[k] / 60.0;
            most = std::max(most, f.recent[k]);
            games << QString::number(k + 1);
        }
        auto* series = new QBarSeries;
        series->append(set);
        c->addSeries(series);
        auto* x = new QBarCategoryAxis;
        x->append(games);
        auto* y = new QValueAxis;
        y->setRange(0, most / 60.0 * 1.1);
        y->setTitleText(tr("Minutes"));
        c->addAxis(x, Qt::AlignBottom);
        c->addAxis(y, Qt::AlignLeft);
        series->attachAxis(x);
        series->attachAxis(y);
    } else {
        c->setTitle(tr("No games finished yet at this level"));
    }
    QChart* old = chart->chart();
    chart->setChart(c);
    delete old;
}

void frmStatistics::btnExport_Click()
{
    const std::optional<QString> name = dialogs_.saveFileName(
        this, tr("Export CSV"), tr("CSV files (*.csv)"), QDir::home().filePath(QStringLiteral("corvel-games.csv")));
    if (!name || name->isEmpty()) return;
    QSaveFile file(*name);
    const QByteArray text = journal::toCsv(results_).toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        dialogs_.message(this, tr("The games could not be exported to %1:\n%2").arg(*name, file.errorString()),
                         platform::MessageIcon::Critical);
}

} // namespace mainwindow
