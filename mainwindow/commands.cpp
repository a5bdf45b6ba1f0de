// SPDX-License-Identifier: GPL-3.0-or-later
// The picture buttons' press and release, and the Help and About commands. A
// press shows the pressed picture; the commands run on release. A greyed
// picture (element 2 or 5) takes no part: a press or release on it changes
// nothing.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include "board_run.h"
#include "corvel_version.h"
#include "frm_help.h"
#include "frm_main.h"
#include "game_journal.h"
#include "game_state.h"
#include "technique_aids.h"

namespace mainwindow {

namespace {

bool isGreyed(int index)
{
    return index == 2 || index == 5;
}

void showPressed(platform::PictureButton& b, int index)
{
    if (isGreyed(index)) return;
    b.setElementVisible(1, true);
    b.setElementVisible(0, false);
}

void showReleased(platform::PictureButton& b)
{
    b.setElementVisible(1, false);
    b.setElementVisible(0, true);
}

platform::TextCell* textCellOf(const engine::CellControl* b)
{
    return dynamic_cast<platform::TextCell*>(const_cast<engine::CellControl*>(b));
}

// The first cell of the grids in use whose text is none of the nine symbols,
// or nothing. Each grid whose cells all pass is validated (its entries take
// the known-cell colour) before the next grid is looked at.
platform::TextCell* validateEntries(frmMain& w)
{
    for (int g = 0; g < w.numGrids; ++g) {
        engine::SudokuGrid& grid = w.grids[static_cast<std::size_t>(g)];
        for (int i = 0; i < w.gridSize; ++i)
            for (int j = 0; j < w.gridSize; ++j) {
                const engine::CellControl* b = grid.getbox(i, j);
                if (!b) continue;
                const std::string text = b->text();
                if (!text.empty() && w.symbolToIndex(text) < 0) return textCellOf(b);
            }
        grid.validate();
    }
    return nullptr;
}

// Get Solution's run: load, check, solve, write the moves back.
void findSolution(frmMain& w)
{
    BoardRun run(w);
    // A Stop press during the run reaches this run's solver.
    engine::Solver* const outerSolutionRun = w.solutionRunSolver;
    w.solutionRunSolver = &run.solver();
    w.imgFindSolution->setElementVisible(1, false);
    w.imgFindSolution->setElementVisible(4, true);
    platform::setBusyPointer(true);

    run.load(false);
    if (platform::TextCell* bad = validateEntries(w)) {
        w.dialogs().message(&w, QStringLiteral("Invalid box entry"), platform::MessageIcon::Exclamation);
        bad->setFocus(Qt::OtherFocusReason);
    } else {
        // The first yield is real, so the hourglass and the Stop picture show
        // at once and a Stop pressed already is seen.
        w.yieldThrottle.forceNext();
        if (!run.run(true)) {
            w.dialogs().message(&w, QStringLiteral("This puzzle cannot be solved!"), platform::MessageIcon::None);
        } else {
            const bool saved = w.cellEventsOn;
            w.cellEventsOn = false;
            const engine::MoveList& moves = run.solver().moves;
            for (int k = 0; k < moves.numMoves; ++k) {
                const engine::Assignment& m = moves[k];
                run.grids()[static_cast<std::size_t>(m.grid)].assignValue(m.col, m.row, w.indexToSymbol(m.val),
                                                                          false);
            }
            w.cellEventsOn = saved;
        }
    }

    w.imgFindSolution->setElementVisible(0, true);
    w.imgFindSolution->setElementVisible(4, false);
    w.solutionRunSolver = outerSolutionRun;
}

} // namespace

void frmMain::imgStart_MouseDown(int index) { showPressed(*imgStart, index); }
void frmMain::imgFindSolution_MouseDown(int index) { showPressed(*imgFindSolution, index); }
void frmMain::imgHint_MouseDown(int index) { showPressed(*imgHint, index); }
void frmMain::imgClear_MouseDown(int index) { showPressed(*imgClear, index); }
void frmMain::imgPartClear_MouseDown(int index) { showPressed(*imgPartClear, index); }

void frmMain::imgStart_MouseUp(int index)
{
    if (isGreyed(index)) return;
    // Start and Stop both begin the history of Undo afresh.
    game().forgetHistory();
    if (mode == kSolving) {
        // Stop the game; the stopwatch and the hint count keep their values.
        timStopwatch->stop();
        mode = kSetup;
        updateButtons();
        journal().changed();
        return;
    }
    if (mode == kGenerating) {
        // Stop the generator; it sees the flag further down the call chain.
        timStopwatch->stop();
        mode = kSetup;
        keepGenerating = false;
        updateButtons();
        return;
    }
    // While a stopped generation unwinds Start is greyed: a game started
    // now would be overwritten by the puzzle the generator may still write.
    if (mode != kSetup || generationRunning) {
        updateButtons();
        return;
    }

    // Start a game. The grid model holds the entries as last loaded; none
    // means an empty board, and a puzzle is generated first.
    if (engine::Solver::getTotalInstantiations(grids, numGrids) == 0) mnuGenerate_Click();
    hintsUsed = 0;
    for (int g = 0; g < numGrids; ++g) grids[static_cast<std::size_t>(g)].validate();
    if (entriesConsistent()) {
        // What the board holds at Start is the puzzle.
        aids().rateBoard();
        mode = kSolving;
        updateStatus();
        timStopwatch->start();
        updateButtons();
        journal().started();
    } else {
        dialogs().message(this, QStringLiteral("The current entries make an unsolvable Sudoku problem"),
                          platform::MessageIcon::Critical);
        showReleased(*imgStart);
    }
}

void frmMain::imgFindSolution_MouseUp(int index)
{
    if (isGreyed(index)) return;
    showReleased(*imgFindSolution);
    mode = kAutoSolving;
    cellEventsOn = false;
    updateButtons();
    const bool outermost = !solutionRunSolver;
    if (outermost) {
        // The solution replaces the board: earlier entries are no longer undoable.
        game().forgetHistory();
        findSolution(*this);
    } else {
        // Stop, handled inside one of the run's yields: the search unwinds at
        // its next level and the run writes the moves found so far.
        solutionRunSolver->searching = false;
    }
    platform::setBusyPointer(false);
    mode = kSetup;
    updateButtons();
    cellEventsOn = true;
    // A game under way that the solution completed is over, and not solved.
    if (outermost) journal().solutionShown();
}

void frmMain::imgHint_MouseUp(int index)
{
    if (isGreyed(index)) return;
    showReleased(*imgHint);
    if (index == 0) giveHint();
}

void frmMain::imgClear_MouseUp(int index)
{
    if (isGreyed(index)) return;
    showReleased(*imgClear);
    if (index == 0) {
        cellEventsOn = false;
        for (int g = 0; g < numGrids; ++g) grids[static_cast<std::size_t>(g)].clear();
        cellEventsOn = true;
        game().newPuzzle();
    }
    elapsedSeconds = 0;
    updateStatus();
}

void frmMain::imgPartClear_MouseUp(int index)
{
    if (isGreyed(index)) return;
    if (index == 0) {
        cellEventsOn = false;
        for (int g = 0; g < numGrids; ++g) grids[static_cast<std::size_t>(g)].partClear();
        cellEventsOn = true;
        game().newPuzzle();
        aids().rateBoard();
    }
    showReleased(*imgPartClear);
    elapsedSeconds = 0;
    updateStatus();
}

void frmMain::mnuHelp_Click()
{
    // A help file in the current directory is opened as the command has
    // always opened it; without one, Corvel's own help shows.
    const QString path = QStringLiteral("./corvel.HLP");
    const QFileInfo info(path);
    if (!info.exists()) {
        if (!helpWindow) helpWindow = new frmHelp(this);
        helpWindow->show();
        helpWindow->raise();
        helpWindow->activateWindow();
        return;
    }
    const QString shown = QDir::current().absoluteFilePath(QStringLiteral("corvel.HLP"));
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        dialogs().message(this, tr("The help file %1 cannot be opened.").arg(shown),
                          platform::MessageIcon::Exclamation);
        return;
    }
    file.close();
    dialogs().showHelp(this, path);
}

void frmMain::mnuAbout_Click()
{
    dialogs().message(this,
                      tr("Corvel %1\n\nPlay, solve and generate standard and Samurai Sudoku puzzles.\n\n%2\n\n"
                         "Running on Qt %3.")
                          .arg(QString::fromLatin1(corvel::kVersion), tr(corvel::kLicence), QString::fromLatin1(qVersion())),
                      platform::MessageIcon::None);
}

} // namespace mainwindow
