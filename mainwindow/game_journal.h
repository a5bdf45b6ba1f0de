// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QString>
#include <cstdint>
#include <memory>

#include "game_record.h"
#include "journal.h"

class QAction;

namespace mainwindow {

class frmMain;

// Keeps the game under way in the player's journal: written whole after
// every change (an entry, a mark, a hint, Undo, Redo, Start, Stop, a second
// of the stopwatch), so that closing the window or a crash loses nothing,
// and brought back at the next start. A game is under way from Start until
// it is finished or the board takes another puzzle; the journal keeps it
// unfinished then. Finished games go to the results for the statistics.
//
// A write never enters the event loop, and none happens while a change is
// half done (an Undo or Redo, a hint being written, the system writing the
// board): the end of each change writes once it is complete.
class GameJournal : public QObject {
    Q_OBJECT
public:
    explicit GameJournal(frmMain& window);
    ~GameJournal() override;

    // File > Games... and File > Statistics...
    void createControls();
    // At the end of start-up: opens the journal (telling its problem, if
    // any) and brings back the last game when it was not finished.
    void open();
    // The folder of the journal: Services::journalDir, else
    // $CORVEL_JOURNAL_DIR, else the per-user data folder.
    QString folder() const;

    // After a complete change of the game.
    void changed();
    // Start: the board's game is under way (the one already, or a new one).
    void started();
    // A second of the stopwatch.
    void tick();
    // The board takes another puzzle: the game stays in the journal unfinished.
    void puzzleReplaced();
    // The game is over: solved by the player, or ended by Get Solution.
    // True when the player's time is the best of its board and level so far.
    bool finished(bool bySolution);
    // Get Solution's run has written the board.
    void solutionShown();
    void noteWrongEntry() { ++wrongEntries_; }

    // The board's game as the journal keeps it, and back.
    journal::GameRecord snapshot() const;
    void restore(const journal::GameRecord& record);
    // Brings back an unfinished game; false when it is gone or unreadable.
    bool continueGame(std::int64_t id);
    bool deleteGame(std::int64_t id);

    bool underWay() const { return underWay_; }
    std::int64_t currentGame() const { return current_; }
    // Nothing before open().
    journal::Journal* journal() { return journal_.get(); }

    void mnuGames_Click();
    void mnuStatistics_Click();
    QAction* mnuGames = nullptr;
    QAction* mnuStatistics = nullptr;

private:
    void write() { write(snapshot()); }
    void write(const journal::GameRecord& game);
    void tellProblem(bool now);

    frmMain& w_;
    std::unique_ptr<journal::Journal> journal_;
    std::int64_t current_ = 0;
    bool underWay_ = false;
    bool restoring_ = false;
    int wrongEntries_ = 0;
    // The resume notice while the status line shows it.
    std::string notice_;
};

} // namespace mainwindow
