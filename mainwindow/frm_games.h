// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDialog>
#include <cstdint>
#include <optional>
#include <vector>

#include "journal.h"

class QPushButton;
class QTableWidget;

namespace mainwindow {

class GameJournal;

// File > Games...: the unfinished games of both boards, newest first, with
// their board, level, time so far and progress. Continue closes it with the
// chosen game; Delete drops the selected game at once.
class frmGames : public QDialog {
    Q_OBJECT
public:
    frmGames(GameJournal& journal, QWidget* parent);

    void btnContinue_Click();
    void btnDelete_Click();
    // Fills the list from the journal.
    void refresh();

    std::optional<std::int64_t> chosen;
    QTableWidget* lstGames = nullptr;
    QPushButton* btnContinue = nullptr;
    QPushButton* btnDelete = nullptr;
    QPushButton* btnClose = nullptr;

private:
    std::optional<std::int64_t> selected() const;
    void updateButtons();

    GameJournal& journal_;
    std::vector<journal::GameSummary> games_;
};

// A board's name and a level for the player ("Unrated" while no rating is known).
QString boardName(int numGrids);
QString levelName(const std::string& level);
QString minutesText(int seconds);

} // namespace mainwindow
