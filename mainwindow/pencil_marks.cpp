// SPDX-License-Identifier: GPL-3.0-or-later
// Pencil marks: candidate symbols a player notes in empty cells. They are
// the player's alone: no check, hint, solve, file or print ever sees them.
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

} // namespace mainwindow
