// SPDX-License-Identifier: GPL-3.0-or-later
// Cell entry: every change of a cell's text is normalised, validated and, with
// Entry Checking on, checked against the solver; the board's entries are put
// to the solver for the checks, the finish test and hints.
#include <cstdint>
#include <utility>

#include "board_run.h"
#include "board_speech.h"
#include "cell_numbering.h"
#include "frm_main.h"
#include "game_journal.h"
#include "game_state.h"
#include "hint_reason.h"

namespace mainwindow {

namespace {

struct CheckResult {
    bool consistent = false;
    int numMoves = 0;
    engine::Assignment first{};
};

// One run without solving: can the board's entries be completed? Also keeps
// the first move the solver recorded, which is the hint.
CheckResult checkBoard(frmMain& w, bool skipFlagged)
{
    BoardRun run(w);
    run.load(skipFlagged);
    // A check that ends within the yield interval never enters the event loop.
    w.yieldThrottle.restart();
    CheckResult r;
    r.consistent = run.run(false);
    const engine::MoveList& moves = run.solver().moves;
    r.numMoves = moves.numMoves;
    if (r.numMoves > 0) r.first = moves[0];
    return r;
}

} // namespace

void frmMain::textCells_Change(int index)
{
    // Before start-up has finished there are no entries to handle.
    if (!loaded() || index < 0 || index >= kCells) return;
    platform::TextCell* cell = textCells[static_cast<std::size_t>(index)];
    if (!cell) return;

    // 1. Upper case first. Setting the capital changes the text again, and
    //    that change runs this handler for it; this run has nothing left to do.
    const QString raw = cell->QLineEdit::text();
    const QString upper = raw.toUpper();
    if (upper != raw) {
        cell->QLineEdit::setText(upper);
        return;
    }

    // 2., 3. Only the nine symbols are entries.
    const std::string t = upper.toStdString();
    if (!t.empty() && symbolToIndex(t) < 0) {
        dialogs().message(this, upper + QStringLiteral(" is not a valid symbol"), platform::MessageIcon::None);
        cell->setText(std::string());
        return;
    }

    game().textAccepted(index, t, cellEventsOn);

    // Inside an Undo or Redo, or while a hint is written, the check and the
    // finish test wait until that change is complete: their solver runs
    // yield to the event loop, where a command could replace the history or
    // the board under the change.
    if (game().judgementsHeld()) {
        if (cellEventsOn) cell->setBackground(colours[files::kWorkingCell]);
        game().holdJudgement(index, t, cellEventsOn);
        return;
    }
    judgeEntry(index, t, cellEventsOn);
    journal().changed();
}

void frmMain::judgeEntry(int index, const std::string& t, bool eventsOn)
{
    platform::TextCell* cell = textCells[static_cast<std::size_t>(index)];
    // A later change of the cell has been (or will be) judged on its own.
    if (!cell || cell->text() != t) return;

    // 4. The check.
    bool ok = true;
    if (eventsOn) {
        if (!t.empty() && entryChecking()) {
            // The new entry is judged afresh: the flag of the entry it replaces
            // must not leave it out of its own check.
            cell->setBackground(colours[files::kWorkingCell]);
            const bool consistent = entriesConsistent();
            // A change of this cell handled during the check's yields has
            // already been judged; this older result no longer applies.
            if (cell->text() != t) return;
            if (!consistent) {
                cell->setBackground(kWrongEntryColour);
                journal().noteWrongEntry();
                speech().announce(tr("Wrong entry: %1 at %2").arg(QString::fromStdString(t), speech().spokenName(*cell)));
                ok = false;
            }
        } else {
            cell->setBackground(colours[files::kWorkingCell]);
        }
    }

    // 5. The finish, in Solving mode only.
    if (mode == kSolving && ok && puzzleComplete()) showFinish();
}

bool frmMain::entriesConsistent()
{
    return checkBoard(*this, true).consistent;
}

bool frmMain::puzzleComplete()
{
    for (int g = 0; g < numGrids; ++g)
        if (!grids[static_cast<std::size_t>(g)].boxesAssigned()) return false;
    // Every entry counts here, flagged or not: a full board is finished only
    // when all its entries together are a solution, so a wrong entry left red
    // somewhere does not let the last correct one finish the game.
    return checkBoard(*this, false).consistent;
}

void frmMain::giveHint()
{
    // The check yields to the event loop. An entry typed meanwhile is an
    // entry like any other (checked, recorded, taking its marks), and the
    // hint is then worked out again for the board as it stands; a hint whose
    // game was stopped meanwhile is not given.
    const int modeBefore = mode;
    CheckResult r;
    std::uint64_t seen = 0;
    do {
        seen = game().changeCount();
        r = checkBoard(*this, true);
    } while (game().changeCount() != seen && mode == modeBefore);
    if (mode != modeBefore || !r.consistent || r.numMoves == 0) return;

    // Counted before the cell is written: writing the last empty cell opens
    // the finish dialog, which reports the hints used.
    ++hintsUsed;
    const int index = cellIndex(r.first.grid, r.first.col, r.first.row);
    const platform::TextCell* cell = textCells[static_cast<std::size_t>(index)];
    const std::string before = cell->text();
    const engine::Colour beforeColour = cell->background();
    const std::string symbol = indexToSymbol(r.first.val);
    // The hint is recorded before the finish test runs (it may yield).
    game().holdJudgements();
    const bool events = std::exchange(cellEventsOn, false);
    grids[static_cast<std::size_t>(r.first.grid)].assignValue(r.first.col, r.first.row, symbol, true);
    cellEventsOn = events;
    game().hintGiven(index, before, beforeColour, engine::hintReasonText(r.first, symbol, numGrids));
    game().releaseJudgements();
    journal().changed();
}

} // namespace mainwindow
