// SPDX-License-Identifier: GPL-3.0-or-later
#include "game_journal.h"

#include <QAction>
#include <QDateTime>
#include <QLabel>
#include <QMenu>
#include <QStandardPaths>
#include <QTimer>

#include "board_run.h"
#include "cell_numbering.h"
#include "frm_games.h"
#include "frm_main.h"
#include "frm_statistics.h"
#include "game_state.h"
#include "rater.h"
#include "technique_aids.h"

namespace mainwindow {

namespace {

using journal::CellRole;

std::string levelOf(int rating)
{
    if (rating < 0) return {};
    const auto name = logic::bandName(logic::bandOf(rating));
    return std::string(name.data(), name.size());
}

} // namespace

GameJournal::GameJournal(frmMain& window) : QObject(&window), w_(window) {}

GameJournal::~GameJournal() = default;

void GameJournal::createControls()
{
    w_.mnuFile->addSeparator();
    mnuGames = w_.mnuFile->addAction(tr("Games..."));
    mnuStatistics = w_.mnuFile->addAction(tr("Statistics..."));
    connect(mnuGames, &QAction::triggered, this, &GameJournal::mnuGames_Click);
    connect(mnuStatistics, &QAction::triggered, this, &GameJournal::mnuStatistics_Click);
}

QString GameJournal::folder() const
{
    if (w_.services().journalDir) return QString::fromStdString(*w_.services().journalDir);
    const QString env = qEnvironmentVariable("CORVEL_JOURNAL_DIR");
    if (!env.isEmpty()) return env;
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

void GameJournal::open()
{
    if (journal_) return;
    journal_ = std::make_unique<journal::Journal>(folder());
    tellProblem(true);
    if (const std::optional<std::int64_t> id = journal_->resumable(); id && continueGame(*id)) {
        const QString back = tr("Your game is back as you left it");
        // Said until the next change, in Solving mode where a hint's reason
        // would be.
        if (w_.mode == kSolving) {
            notice_ = back.toStdString();
            w_.game().setHintReason(notice_);
        } else {
            w_.lblStatus1->setText(back);
        }
    }
}

void GameJournal::tellProblem(bool now)
{
    const QString problem = journal_->takeProblem();
    if (problem.isEmpty()) return;
    // A write may come at the end of a change made inside a solver run's
    // yield: the message waits for the event loop.
    if (now)
        w_.dialogs().message(&w_, problem, platform::MessageIcon::Exclamation);
    else
        QTimer::singleShot(0, this,
                           [this, problem] { w_.dialogs().message(&w_, problem, platform::MessageIcon::Exclamation); });
}

void GameJournal::write(const journal::GameRecord& game)
{
    if (!journal_) return;
    if (const std::int64_t id = journal_->save(current_, game)) current_ = id;
    tellProblem(false);
}

void GameJournal::changed()
{
    if (!underWay_ || restoring_ || !w_.loaded() || !w_.cellEventsOn || w_.game().judgementsHeld()) return;
    if (!notice_.empty() && w_.game().hintReason() == notice_) w_.game().setHintReason({});
    notice_.clear();
    write();
}

void GameJournal::started()
{
    wrongEntries_ = 0;
    // A full board (a finished game started again) has nothing left to play.
    const journal::GameRecord game = snapshot();
    if (game.open() == 0) {
        underWay_ = false;
        current_ = 0;
        return;
    }
    if (!underWay_) {
        current_ = 0;
        underWay_ = true;
    }
    write(game);
}

void GameJournal::tick()
{
    if (w_.mode == kSolving && underWay_ && !restoring_ && w_.cellEventsOn && !w_.game().judgementsHeld()) write();
}

void GameJournal::puzzleReplaced()
{
    if (restoring_) return;
    underWay_ = false;
    current_ = 0;
}

bool GameJournal::finished(bool bySolution)
{
    if (!underWay_ || !journal_) return false;
    underWay_ = false;
    const journal::GameRecord r = snapshot();
    const journal::Result result{r.numGrids, r.level,         r.rating,  r.seconds,
                                 r.hints,    r.wrongEntries, bySolution, QDateTime::currentMSecsSinceEpoch()};
    std::optional<int> best;
    for (const journal::Result& earlier : journal_->results())
        if (!earlier.bySolution && earlier.numGrids == result.numGrids && earlier.level == result.level)
            best = std::min(best.value_or(earlier.seconds), earlier.seconds);
    journal_->finish(current_, result);
    current_ = 0;
    tellProblem(false);
    return !bySolution && best && result.seconds < *best;
}

void GameJournal::solutionShown()
{
    for (int g = 0; g < w_.numGrids; ++g)
        if (!w_.grids[static_cast<std::size_t>(g)].boxesAssigned()) {
            changed();
            return;
        }
    finished(true);
}

journal::GameRecord GameJournal::snapshot() const
{
    journal::GameRecord r;
    r.numGrids = w_.numGrids;
    for (std::size_t k = 0; k < r.symbols.size(); ++k) r.symbols[k] = w_.symbols.symbols()[k];
    for (int i = 0; i < kCellCount; ++i) {
        const platform::TextCell* c = w_.textCells[static_cast<std::size_t>(i)];
        journal::CellRecord& cell = r.cells[static_cast<std::size_t>(i)];
        cell.text = c->text();
        const engine::Colour colour = c->background();
        if (cell.text.empty())
            cell.role = CellRole::Empty;
        else if (colour == w_.colours[files::kKnownCell])
            cell.role = CellRole::Given;
        else if (colour == w_.colours[files::kHints])
            cell.role = CellRole::Hint;
        else if (colour == kWrongEntryColour)
            cell.role = CellRole::Wrong;
        else
            cell.role = CellRole::Entry;
        r.marks[static_cast<std::size_t>(i)] = w_.game().marks(i);
    }
    r.history = w_.game().historySteps();
    r.historyIndex = w_.game().history().index();
    r.seconds = w_.elapsedSeconds;
    r.hints = w_.hintsUsed;
    r.wrongEntries = wrongEntries_;
    r.mode = w_.mode == kSolving ? kSolving : kSetup;
    r.rating = w_.aids().shownRating();
    r.level = levelOf(r.rating);
    return r;
}

void GameJournal::restore(const journal::GameRecord& r)
{
    frmMain& w = w_;
    w.timStopwatch->stop();
    w.mode = kSetup;
    files::SymbolTable::Symbols symbols;
    for (std::size_t k = 0; k < symbols.size(); ++k) symbols[k] = r.symbols[k];
    w.symbols.setSymbols(symbols);
    if (r.numGrids != w.numGrids) {
        if (r.numGrids == 5)
            w.mnuSamurai_Click();
        else
            w.mnuStd9x9_Click();
    }
    restoring_ = true;
    w.cellEventsOn = false;
    for (int g = 0; g < w.numGrids; ++g) w.grids[static_cast<std::size_t>(g)].clear();
    for (int i = 0; i < kCellCount; ++i) {
        const journal::CellRecord& cell = r.cells[static_cast<std::size_t>(i)];
        if (cell.role == CellRole::Empty || w.symbolToIndex(cell.text) < 0) continue;
        engine::Colour colour = w.colours[files::kWorkingCell];
        if (cell.role == CellRole::Given) colour = w.colours[files::kKnownCell];
        if (cell.role == CellRole::Hint) colour = w.colours[files::kHints];
        if (cell.role == CellRole::Wrong) colour = kWrongEntryColour;
        platform::TextCell* c = w.textCells[static_cast<std::size_t>(i)];
        c->setBackground(colour);
        static_cast<engine::CellControl*>(c)->setText(cell.text);
    }
    // The grid model holds the givens, as after Open, so that Start after a
    // Stop plays this puzzle; the rating is of the givens, as at Start.
    std::vector<BoardValue> givens;
    for (int g = 0; g < w.numGrids; ++g) w.grids[static_cast<std::size_t>(g)].initialiseForSearch();
    for (int g = 0; g < w.numGrids; ++g)
        for (int col = 0; col < 9; ++col)
            for (int row = 0; row < 9; ++row) {
                const int i = cellIndex(g, col, row);
                const journal::CellRecord& cell = r.cells[static_cast<std::size_t>(i)];
                const int val = w.symbolToIndex(cell.text);
                if (cell.role != CellRole::Given || val < 0) continue;
                w.grids[static_cast<std::size_t>(g)].setDerived3x3(col, row, val);
                givens.push_back({g, col, row, val});
            }
    w.cellEventsOn = true;
    w.game().newPuzzle();
    w.game().restore(r.marks, r.history, r.historyIndex);
    w.aids().showRatingOf(std::move(givens), w.numGrids);
    w.elapsedSeconds = r.seconds;
    w.hintsUsed = r.hints;
    wrongEntries_ = r.wrongEntries;
    if (r.mode == kSolving) {
        w.mode = kSolving;
        w.timStopwatch->start();
    }
    restoring_ = false;
    w.updateButtons();
}

bool GameJournal::continueGame(std::int64_t id)
{
    if (!journal_) return false;
    const std::optional<journal::GameRecord> r = journal_->load(id);
    tellProblem(false);
    if (!r) return false;
    restore(*r);
    current_ = id;
    underWay_ = true;
    return true;
}

bool GameJournal::deleteGame(std::int64_t id)
{
    if (!journal_ || !journal_->remove(id)) return false;
    if (id == current_) {
        current_ = 0;
        underWay_ = false;
    }
    return true;
}

void GameJournal::mnuGames_Click()
{
    // Greyed while a run uses the board (frmMain::updateBoardCommands); a
    // late call must not replace the board under it, nor may a choice made
    // while one began.
    if (!journal_ || !mnuGames->isEnabled()) return;
    frmGames dlg(*this, &w_);
    if (w_.dialogs().runModal(dlg) == QDialog::Accepted && dlg.chosen && mnuGames->isEnabled() &&
        !continueGame(*dlg.chosen))
        w_.dialogs().message(&w_, tr("That game can no longer be continued."), platform::MessageIcon::Exclamation);
}

void GameJournal::mnuStatistics_Click()
{
    if (!journal_) return;
    frmStatistics dlg(*journal_, w_.dialogs(), &w_);
    w_.dialogs().runModal(dlg);
}

} // namespace mainwindow
