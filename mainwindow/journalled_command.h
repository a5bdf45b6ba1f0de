// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QUndoCommand>

#include "game_record.h"

namespace mainwindow {

// A step of the player's history that the journal can write down.
class JournalledCommand : public QUndoCommand {
public:
    JournalledCommand() = default;
    explicit JournalledCommand(const QString& text) : QUndoCommand(text) {}
    virtual journal::HistoryStep step() const = 0;
};

} // namespace mainwindow
