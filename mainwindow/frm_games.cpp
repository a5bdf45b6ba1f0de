// SPDX-License-Identifier: GPL-3.0-or-later
#include "frm_games.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "game_journal.h"

namespace mainwindow {

QString boardName(int numGrids)
{
    return numGrids == 5 ? QObject::tr("Samurai") : QObject::tr("Standard");
}

QString levelName(const std::string& level)
{
    return level.empty() ? QObject::tr("Unrated") : QString::fromStdString(level);
}

QString minutesText(int seconds)
{
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

frmGames::frmGames(GameJournal& journal, QWidget* parent) : QDialog(parent), journal_(journal)
{
    setWindowTitle(tr("Games"));
    lstGames = new QTableWidget(0, 5, this);
    lstGames->setHorizontalHeaderLabels({tr("Board"), tr("Level"), tr("Time"), tr("Progress"), tr("Last played")});
    lstGames->setSelectionBehavior(QAbstractItemView::SelectRows);
    lstGames->setSelectionMode(QAbstractItemView::SingleSelection);
    lstGames->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstGames->verticalHeader()->hide();
    lstGames->horizontalHeader()->setStretchLastSection(true);
    btnContinue = new QPushButton(tr("Continue"), this);
    btnContinue->setDefault(true);
    btnDelete = new QPushButton(tr("Delete"), this);
    btnClose = new QPushButton(tr("Close"), this);
    connect(btnContinue, &QPushButton::clicked, this, &frmGames::btnContinue_Click);
    connect(btnDelete, &QPushButton::clicked, this, &frmGames::btnDelete_Click);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(lstGames, &QTableWidget::itemSelectionChanged, this, &frmGames::updateButtons);
    connect(lstGames, &QTableWidget::cellDoubleClicked, this, &frmGames::btnContinue_Click);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnContinue);
    buttons->addWidget(btnDelete);
    buttons->addStretch();
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lstGames);
    layout->addLayout(buttons);
    resize(560, 320);
    refresh();
}

void frmGames::refresh()
{
    games_ = journal_.journal() ? journal_.journal()->unfinished() : std::vector<journal::GameSummary>{};
    lstGames->setRowCount(static_cast<int>(games_.size()));
    for (int row = 0; row < lstGames->rowCount(); ++row) {
        const journal::GameSummary& g = games_[static_cast<std::size_t>(row)];
        const int percent = g.open > 0 ? 100 * g.filled / g.open : 100;
        const QStringList cells{boardName(g.numGrids), levelName(g.level), minutesText(g.seconds),
                                tr("%1 of %2 (%3%)").arg(g.filled).arg(g.open).arg(percent),
                                QLocale().toString(QDateTime::fromMSecsSinceEpoch(g.updated), QLocale::ShortFormat)};
        for (int c = 0; c < cells.size(); ++c) lstGames->setItem(row, c, new QTableWidgetItem(cells[c]));
    }
    lstGames->resizeColumnsToContents();
    if (!games_.empty()) lstGames->selectRow(0);
    updateButtons();
}

std::optional<std::int64_t> frmGames::selected() const
{
    const int row = lstGames->currentRow();
    if (row < 0 || row >= static_cast<int>(games_.size()) || lstGames->selectedItems().isEmpty()) return std::nullopt;
    return games_[static_cast<std::size_t>(row)].id;
}

void frmGames::updateButtons()
{
    const bool any = selected().has_value();
    btnContinue->setEnabled(any);
    btnDelete->setEnabled(any);
}

void frmGames::btnContinue_Click()
{
    chosen = selected();
    if (chosen) accept();
}

void frmGames::btnDelete_Click()
{
    if (const std::optional<std::int64_t> id = selected()) journal_.deleteGame(*id);
    refresh();
}

} // namespace mainwindow
