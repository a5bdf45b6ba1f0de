// SPDX-License-Identifier: GPL-3.0-or-later
// The four modes: which picture buttons and menus are live, the status line
// and the stopwatch.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <limits>

#include "frm_finish.h"
#include "frm_main.h"
#include "game_journal.h"
#include "game_state.h"
#include "technique_aids.h"

namespace mainwindow {

namespace {

// The one visible element of each button, by mode (Setup, Solving,
// Auto-solving, Generating).
struct ButtonRow {
    platform::PictureButton* frmMain::*button;
    std::array<int, 4> shown;
};
constexpr std::array<ButtonRow, 5> kButtonTable{{
    {&frmMain::imgStart, {0, 3, 2, 3}},
    {&frmMain::imgHint, {2, 0, 2, 2}},
    {&frmMain::imgClear, {0, 2, 2, 2}},
    {&frmMain::imgPartClear, {0, 2, 2, 2}},
    {&frmMain::imgFindSolution, {0, 2, 3, 2}},
}};

} // namespace

void frmMain::updateButtons()
{
    const int m = (mode >= kSetup && mode <= kGenerating) ? mode : kSetup;
    // After Stop the window is in Setup while the stopped generation still
    // unwinds; until the generator has returned (and may still write its
    // puzzle) the buttons and menus stay as while it generated, with Start
    // greyed in place of Stop.
    const bool unwinding = m == kSetup && generationRunning;
    const int column = unwinding ? kGenerating : m;
    for (const ButtonRow& row : kButtonTable) {
        platform::PictureButton* b = this->*row.button;
        int shown = row.shown[static_cast<std::size_t>(column - 1)];
        if (unwinding && row.button == &frmMain::imgStart) shown = 2;
        for (int e = 0; e < platform::PictureButton::kElements; ++e) b->setElementVisible(e, e == shown);
    }
    if (m == kSolving) imgStart->setElementToolTip(3, QStringLiteral("Stop solving the puzzle"));
    if (m == kGenerating) imgStart->setElementToolTip(3, QStringLiteral("Stop the puzzle generator"));

    const bool setup = column == kSetup;
    mnuFile->menuAction()->setEnabled(setup);
    mnuPreferences->setEnabled(setup);
    mnuView->menuAction()->setEnabled(setup);
    mnuSettings->menuAction()->setEnabled(true);
    mnuRealTimeCheck->setEnabled(true);
    mnuHelp->setEnabled(true);
    updateBoardCommands();
    updateStatus();
}

void frmMain::updateBoardCommands()
{
    // Open, Generate, Paste and Games replace the board and use the window's grids and
    // solver, so they wait while a generation (also a stopped one that is
    // still unwinding) or a solver run over the board (an entry check inside
    // one of its yields) is in progress.
    const bool free = !generationRunning && boardRunsActive == 0;
    mnuOpen->setEnabled(free);
    mnuGenerate->setEnabled(free);
    if (mnuPastePuzzle) mnuPastePuzzle->setEnabled(free && (mode == kSetup || mode == kSolving));
    // Continuing a kept game replaces the board as Open does.
    if (journal_ && journal_->mnuGames) journal_->mnuGames->setEnabled(free && (mode == kSetup || mode == kSolving));
    // Undo and Redo would write cells under a running search.
    game().setUndoAllowed(free && mode != kAutoSolving && mode != kGenerating);
}

bool frmMain::entryChecking() const
{
    return mnuRealTimeCheck->isChecked();
}

void frmMain::mnuRealTimeCheck_Click()
{
    updateStatus();
}

void frmMain::updateStatus()
{
    const int top = gbRect_.top + gbRect_.height + 100;
    statusRect_[0].top = statusRect_[1].top = statusRect_[2].top = top;
    statusRect_[0].width = windowWidth_ - 2400;
    statusRect_[1].left = statusRect_[0].left + statusRect_[0].width + 25;
    statusRect_[2].left = statusRect_[1].left + statusRect_[1].width + 25;
    QLabel* labels[] = {lblStatus1, lblStatus2, lblStatus3};
    for (int i = 0; i < 3; ++i) labels[i]->setGeometry(toWindowPixels(statusRect_[static_cast<std::size_t>(i)]));
    game().placeNotesToggle();
    aids().placeRatingLabel();

    StatusTexts t = statusTexts(mode, entryChecking(), elapsedSeconds);
    if (mode == kSetup && generationRunning) {
        // Stop was pressed; the generator has not returned yet.
        t.status1 = tr("Stopping the puzzle generator").toStdString();
        t.status2 = t.status3 = std::string();
    }
    if (t.status1) lblStatus1->setText(QString::fromStdString(*t.status1));
    // After a hint the first label says why, and after Explain Next Step
    // what the step is, shortened to the room left of the Notes toggle; the
    // whole sentence is its tooltip, and a shortened step also shows whole
    // in a balloon under the window.
    QString why = mode == kSolving ? QString::fromStdString(game().hintReason()) : QString();
    if (!aids().stepText().isEmpty()) why = aids().stepText();
    if (!why.isEmpty()) {
        const int room = game().notesToggle ? game().notesToggle->x() - lblStatus1->x() - 6 : lblStatus1->width();
        lblStatus1->setText(lblStatus1->fontMetrics().elidedText(why, Qt::ElideRight, room));
    }
    lblStatus1->setToolTip(why);
    aids().stepShortened(lblStatus1->text() != why);
    if (t.status2) lblStatus2->setText(QString::fromStdString(*t.status2));
    if (t.status3) lblStatus3->setText(QString::fromStdString(*t.status3));
}

void frmMain::timStopwatch_Timer()
{
    if (elapsedSeconds < std::numeric_limits<std::int32_t>::max()) ++elapsedSeconds;
    updateStatus();
    journal().tick();
}

frmFinish* frmMain::showFinish()
{
    timStopwatch->stop();
    auto* finish = new frmFinish(this);
    finish->numHints = hintsUsed;
    finish->solvingTime = elapsedSeconds;
    finish->newBest = journal().finished(false);
    finish->show();
    return finish;
}

} // namespace mainwindow
