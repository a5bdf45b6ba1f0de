// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and Redo of the player's own changes: entries typed or deleted, hints
// and pencil marks (pencil_marks.cpp). What the system writes itself is never
// recorded. An entry comes back the way the player types it, so it is checked
// again; a given or a hint comes back in its own colour.
#include <QAction>
#include <QUndoCommand>
#include <utility>

#include "board_run.h"
#include "board_speech.h"
#include "frm_main.h"
#include "game_journal.h"
#include "game_state.h"
#include "journalled_command.h"
#include "technique_aids.h"

namespace mainwindow {

// An entry typed, replaced or deleted in one cell; it has happened when the
// command is made. Undo also gives back the marks the entry took from its
// units, and takes back those its deletion gave.
class EntryCommand : public JournalledCommand {
public:
    EntryCommand(GameState& state, int cell, GameState::CellLook before, std::string after, std::vector<int> removed,
                 std::vector<GameState::GivenMarks> given)
        : state_(state), cell_(cell), before_(std::move(before)), after_(std::move(after)),
          value_(state.w_.symbolToIndex(after_)), removed_(std::move(removed)), given_(std::move(given))
    {
    }
    journal::HistoryStep step() const override
    {
        journal::HistoryStep s;
        s.kind = journal::HistoryStep::Entry;
        s.cell = cell_;
        s.before = before_.text;
        s.beforeRole = static_cast<std::uint8_t>(before_.role);
        s.after = after_;
        s.removed.assign(removed_.begin(), removed_.end());
        for (const GameState::GivenMarks& g : given_) s.marks.push_back({g.cell, 0, g.bits});
        return s;
    }
    void redo() override
    {
        if (std::exchange(fresh_, false) || state_.silent_) return;
        state_.replay_ = GameState::Replay::Redoing;
        state_.lastRemoved_.clear();
        state_.lastGiven_.clear();
        state_.putBack(cell_, {after_, GameState::Role::Entry});
        removed_ = state_.lastRemoved_;
        given_ = state_.lastGiven_;
        state_.replay_ = GameState::Replay::None;
    }
    void undo() override
    {
        if (state_.silent_) return;
        state_.replay_ = GameState::Replay::Undoing;
        state_.putBack(cell_, before_);
        state_.replay_ = GameState::Replay::None;
        state_.takeBackMarks(given_);
        state_.restoreMarks(removed_, value_);
        state_.refresh();
    }

private:
    GameState& state_;
    int cell_;
    GameState::CellLook before_;
    std::string after_;
    int value_;
    std::vector<int> removed_;
    std::vector<GameState::GivenMarks> given_;
    bool fresh_ = true;
};

// A hint written into one cell. Undo empties the cell (or puts back the red
// entry the hint replaced) in the colour it had; the hint stays counted, since
// the player has seen it.
class HintCommand : public JournalledCommand {
public:
    HintCommand(GameState& state, int cell, std::string before, engine::Colour beforeColour, std::string hint,
                std::vector<int> removed, std::string reason)
        : state_(state), cell_(cell), before_(std::move(before)), beforeColour_(beforeColour), hint_(std::move(hint)),
          value_(state.w_.symbolToIndex(hint_)), removed_(std::move(removed)), reason_(std::move(reason))
    {
    }
    journal::HistoryStep step() const override
    {
        journal::HistoryStep s;
        s.kind = journal::HistoryStep::Hint;
        s.cell = cell_;
        s.before = before_;
        s.beforeColour = beforeColour_;
        s.after = hint_;
        s.removed.assign(removed_.begin(), removed_.end());
        s.reason = reason_;
        return s;
    }
    void redo() override
    {
        if (std::exchange(fresh_, false) || state_.silent_) return;
        state_.writeAsSystem(cell_, hint_, state_.w_.colours[files::kHints]);
        removed_ = state_.removeMarksAround(cell_, value_);
        state_.setHintReason(reason_);
        state_.refresh();
    }
    void undo() override
    {
        if (state_.silent_) return;
        state_.setHintReason({});
        state_.writeAsSystem(cell_, before_, beforeColour_);
        state_.restoreMarks(removed_, value_);
        state_.refresh();
    }

private:
    GameState& state_;
    int cell_;
    std::string before_;
    engine::Colour beforeColour_;
    std::string hint_;
    int value_;
    std::vector<int> removed_;
    std::string reason_;
    bool fresh_ = true;
};

std::vector<journal::HistoryStep> GameState::historySteps() const
{
    std::vector<journal::HistoryStep> steps;
    steps.reserve(static_cast<std::size_t>(history_.count()));
    for (int i = 0; i < history_.count(); ++i)
        if (const auto* c = dynamic_cast<const JournalledCommand*>(history_.command(i))) steps.push_back(c->step());
    return steps;
}

void GameState::restore(const std::array<std::uint16_t, kCellCount>& marks,
                        const std::vector<journal::HistoryStep>& steps, int done)
{
    history_.clear();
    silent_ = true;
    for (const journal::HistoryStep& s : steps) {
        const std::vector<int> removed(s.removed.begin(), s.removed.end());
        switch (s.kind) {
        case journal::HistoryStep::Entry: {
            std::vector<GivenMarks> given;
            for (const journal::MarkChange& m : s.marks) given.push_back({m.cell, m.after});
            history_.push(new EntryCommand(*this, s.cell, {s.before, static_cast<Role>(s.beforeRole)}, s.after,
                                           removed, std::move(given)));
            break;
        }
        case journal::HistoryStep::Hint:
            history_.push(new HintCommand(*this, s.cell, s.before, s.beforeColour, s.after, removed, s.reason));
            break;
        case journal::HistoryStep::Mark: pushMark(s.cell, s.value); break;
        case journal::HistoryStep::Marks: pushMarks(s.marks, QString::fromStdString(s.reason)); break;
        }
    }
    history_.setIndex(done);
    silent_ = false;
    marks_ = marks;
    updateUndoActions();
    refresh();
}

void GameState::newPuzzle()
{
    w_.journal().puzzleReplaced();
    marks_.fill(0);
    history_.clear();
    setHintReason({});
    w_.aids().forgetRating();
    w_.aids().forgetStep();
    refresh();
}

void GameState::forgetHistory()
{
    history_.clear();
    setHintReason({});
}

void GameState::setHintReason(std::string reason)
{
    if (reason == hintReason_) return;
    hintReason_ = std::move(reason);
    w_.updateStatus();
}

void GameState::setUndoAllowed(bool allowed)
{
    undoAllowed_ = allowed;
    updateUndoActions();
}

void GameState::updateUndoActions()
{
    if (!mnuUndo) return;
    mnuUndo->setEnabled(undoAllowed_ && history_.canUndo());
    mnuRedo->setEnabled(undoAllowed_ && history_.canRedo());
}

void GameState::replay(void (QUndoStack::*step)())
{
    if (!undoAllowed_) return;
    holdJudgements();
    (history_.*step)();
    releaseJudgements();
    w_.journal().changed();
}

void GameState::holdJudgement(int cell, std::string text, bool eventsOn)
{
    heldJudgements_.push_back({cell, std::move(text), eventsOn});
}

void GameState::releaseJudgements()
{
    if (held_ == 0 || --held_ > 0) return;
    // Each check may yield, and a change made then may hold judgements of
    // its own; the list is taken first.
    const std::vector<Judgement> pending = std::exchange(heldJudgements_, {});
    for (const Judgement& j : pending) w_.judgeEntry(j.cell, j.text, j.eventsOn);
}

void GameState::textAccepted(int cell, const std::string& text, bool byPlayer)
{
    if (cell < 0 || cell >= kCellCount) return;
    ++changes_;
    const std::string before = std::exchange(shown_[static_cast<std::size_t>(cell)], text);
    // An entry takes its symbol's mark from the other cells of its units;
    // taking an entry back does not.
    lastRemoved_.clear();
    lastGiven_.clear();
    if (byPlayer) setHintReason({});
    // In Setup the player's changes change the puzzle, which is rated anew at Start.
    if (byPlayer && w_.mode == kSetup) w_.aids().forgetRating();
    if (byPlayer && replay_ != Replay::Undoing && before != text)
        lastGiven_ = giveBackMarks(cell, w_.symbolToIndex(before));
    if (byPlayer && replay_ != Replay::Undoing && !text.empty())
        lastRemoved_ = removeMarksAround(cell, w_.symbolToIndex(text));
    if (byPlayer && replay_ == Replay::None && before != text) {
        const engine::Colour colour = w_.textCells[static_cast<std::size_t>(cell)]->background();
        history_.push(new EntryCommand(*this, cell, lookOf(before, colour), text, lastRemoved_, lastGiven_));
    }
    refresh();
}

void GameState::hintGiven(int cell, const std::string& before, engine::Colour beforeColour, std::string reason)
{
    if (cell < 0 || cell >= kCellCount) return;
    const std::string& hint = shown_[static_cast<std::size_t>(cell)];
    std::vector<int> removed = removeMarksAround(cell, w_.symbolToIndex(hint));
    setHintReason(reason);
    w_.speech().announce(tr("Hint: %1").arg(QString::fromStdString(hintReason_)));
    history_.push(new HintCommand(*this, cell, before, beforeColour, hint, std::move(removed), std::move(reason)));
    refresh();
}

GameState::CellLook GameState::lookOf(const std::string& text, engine::Colour colour) const
{
    if (colour == w_.colours[files::kWorkingCell] || colour == kWrongEntryColour) return {text, Role::Entry};
    if (colour == w_.colours[files::kKnownCell]) return {text, Role::Known};
    if (colour == w_.colours[files::kHints]) return {text, Role::Hint};
    return {text, Role::Entry};
}

void GameState::putBack(int cell, const CellLook& look)
{
    platform::TextCell* c = w_.textCells[static_cast<std::size_t>(cell)];
    switch (look.role) {
    case Role::Entry: c->QLineEdit::setText(QString::fromStdString(look.text)); break;
    case Role::Known: writeAsSystem(cell, look.text, w_.colours[files::kKnownCell]); break;
    case Role::Hint: writeAsSystem(cell, look.text, w_.colours[files::kHints]); break;
    }
}

void GameState::writeAsSystem(int cell, const std::string& text, engine::Colour colour)
{
    platform::TextCell* c = w_.textCells[static_cast<std::size_t>(cell)];
    const bool events = w_.cellEventsOn;
    w_.cellEventsOn = false;
    c->setBackground(colour);
    static_cast<engine::CellControl*>(c)->setText(text);
    w_.cellEventsOn = events;
}

} // namespace mainwindow
