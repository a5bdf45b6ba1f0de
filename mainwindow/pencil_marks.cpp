// SPDX-License-Identifier: GPL-3.0-or-later
// Pencil marks: candidate symbols a player notes in empty cells. They are
// the player's alone: no check, hint, solve, file or print ever sees them.
// Fill In Candidates notes them all at once, and Keep Candidates Up To Date
// gives them back as entries are taken out.
#include <QAction>
#include <QSettings>
#include <QUndoCommand>

#include "frm_main.h"
#include "game_journal.h"
#include "game_state.h"
#include "journalled_command.h"
#include "technique_aids.h"

namespace mainwindow {

// One mark noted or taken back.
class MarkCommand : public JournalledCommand {
public:
    MarkCommand(GameState& state, int cell, int value) : state_(state), cell_(cell), value_(value) {}
    void redo() override { flip(); }
    void undo() override { flip(); }
    journal::HistoryStep step() const override
    {
        journal::HistoryStep s;
        s.kind = journal::HistoryStep::Mark;
        s.cell = cell_;
        s.value = value_;
        return s;
    }

private:
    void flip()
    {
        if (state_.silent_) return;
        state_.marks_[static_cast<std::size_t>(cell_)] ^= static_cast<std::uint16_t>(1u << value_);
        state_.refresh();
    }

    GameState& state_;
    int cell_, value_;
};

// Every mark replaced at once (Fill In Candidates, Clear All Marks), kept as
// the cells it changed so that the journal can write it down.
class MarksCommand : public JournalledCommand {
public:
    MarksCommand(GameState& state, std::vector<journal::MarkChange> changes, const QString& name)
        : JournalledCommand(name), state_(state), changes_(std::move(changes))
    {
    }
    void redo() override { put(&journal::MarkChange::after); }
    void undo() override { put(&journal::MarkChange::before); }
    journal::HistoryStep step() const override
    {
        journal::HistoryStep s;
        s.kind = journal::HistoryStep::Marks;
        s.reason = text().toStdString();
        s.marks = changes_;
        return s;
    }

private:
    void put(std::uint16_t journal::MarkChange::*side)
    {
        if (state_.silent_) return;
        for (const journal::MarkChange& c : changes_) state_.marks_[static_cast<std::size_t>(c.cell)] = c.*side;
        state_.refresh();
    }

    GameState& state_;
    std::vector<journal::MarkChange> changes_;
};

void GameState::toggleMark(int cell, int value)
{
    if (cell < 0 || cell >= kCellCount || value < 0 || value > 8) return;
    w_.aids().forgetStep();
    pushMark(cell, value);
    w_.journal().changed();
}

void GameState::pushMark(int cell, int value)
{
    history_.push(new MarkCommand(*this, cell, value));
}

void GameState::pushMarks(std::vector<journal::MarkChange> changes, const QString& name)
{
    history_.push(new MarksCommand(*this, std::move(changes), name));
}

std::vector<int> GameState::removeMarksAround(int cell, int value)
{
    std::vector<int> removed;
    if (value < 0 || value > 8) return removed;
    const auto bit = static_cast<std::uint16_t>(1u << value);
    const std::bitset<kCellCount> units = unitsOf(cell, w_.numGrids);
    for (int i = 0; i < kCellCount; ++i) {
        std::uint16_t& m = marks_[static_cast<std::size_t>(i)];
        if (i == cell || !units[static_cast<std::size_t>(i)] || !(m & bit)) continue;
        m &= static_cast<std::uint16_t>(~bit);
        removed.push_back(i);
    }
    return removed;
}

void GameState::restoreMarks(const std::vector<int>& cells, int value)
{
    if (value < 0 || value > 8) return;
    for (int i : cells) marks_[static_cast<std::size_t>(i)] |= static_cast<std::uint16_t>(1u << value);
}

namespace {

bool onBoard(int cell, int numGrids)
{
    return cell >= 0 && cell < (numGrids == 1 ? 81 : kCellCount);
}

} // namespace

std::uint16_t GameState::candidatesOf(int cell) const
{
    const std::bitset<kCellCount> units = unitsOf(cell, w_.numGrids);
    auto free = static_cast<std::uint16_t>(0x1FF);
    for (int i = 0; i < kCellCount; ++i) {
        if (i == cell || !units[static_cast<std::size_t>(i)]) continue;
        const int v = w_.symbolToIndex(shown_[static_cast<std::size_t>(i)]);
        if (v >= 0) free &= static_cast<std::uint16_t>(~(1u << v));
    }
    return free;
}

bool GameState::keepCandidates() const
{
    return mnuKeepCandidates && mnuKeepCandidates->isChecked();
}

void GameState::replaceAllMarks(const std::array<std::uint16_t, kCellCount>& marks, const QString& name)
{
    if (marks == marks_) return;
    w_.aids().forgetStep();
    std::vector<journal::MarkChange> changes;
    for (int i = 0; i < kCellCount; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (marks[k] != marks_[k]) changes.push_back({i, marks_[k], marks[k]});
    }
    // The command only writes marks: nothing in it reaches the event loop.
    pushMarks(std::move(changes), name);
    w_.journal().changed();
}

void GameState::fillInCandidates()
{
    std::array<std::uint16_t, kCellCount> marks = marks_;
    for (int i = 0; i < kCellCount; ++i)
        if (onBoard(i, w_.numGrids) && shown_[static_cast<std::size_t>(i)].empty())
            marks[static_cast<std::size_t>(i)] = candidatesOf(i);
    replaceAllMarks(marks, tr("Fill In Candidates"));
}

void GameState::clearAllMarks()
{
    replaceAllMarks({}, tr("Clear All Marks"));
}

std::vector<GameState::GivenMarks> GameState::giveBackMarks(int cell, int value)
{
    std::vector<GivenMarks> given;
    if (!keepCandidates() || !onBoard(cell, w_.numGrids)) return given;
    auto add = [&](int i, std::uint16_t bits) {
        std::uint16_t& m = marks_[static_cast<std::size_t>(i)];
        bits &= static_cast<std::uint16_t>(~m);
        if (!bits) return;
        m |= bits;
        given.push_back({i, bits});
    };
    if (shown_[static_cast<std::size_t>(cell)].empty()) add(cell, candidatesOf(cell));
    if (value < 0 || value > 8) return given;
    const auto bit = static_cast<std::uint16_t>(1u << value);
    const std::bitset<kCellCount> units = unitsOf(cell, w_.numGrids);
    for (int i = 0; i < kCellCount; ++i)
        if (i != cell && units[static_cast<std::size_t>(i)] && shown_[static_cast<std::size_t>(i)].empty() &&
            (candidatesOf(i) & bit))
            add(i, bit);
    return given;
}

void GameState::takeBackMarks(const std::vector<GivenMarks>& given)
{
    for (const GivenMarks& g : given) marks_[static_cast<std::size_t>(g.cell)] &= static_cast<std::uint16_t>(~g.bits);
}

} // namespace mainwindow
