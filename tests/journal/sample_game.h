// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A game with every kind of cell, mark and history step; `seconds` tells
// one state of a scripted game from the next.
#include "game_record.h"

inline journal::GameRecord sampleGame(int numGrids, int seconds)
{
    using journal::CellRole;
    using journal::HistoryStep;
    journal::GameRecord r;
    r.numGrids = numGrids;
    r.symbols = {"1", "2", "3", "4", "5", "6", "7", "8", "9"};
    const int used = numGrids == 5 ? journal::kCellCount : 81;
    for (int i = 0; i < used; ++i) {
        const auto role = static_cast<CellRole>((i + seconds) % 5);
        r.cells[static_cast<std::size_t>(i)] = {role, role == CellRole::Empty ? "" : std::string(1, char('1' + i % 9))};
        if (role == CellRole::Empty) r.marks[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>((i * 37) & 0x1FF);
    }
    r.history = {
        {HistoryStep::Entry, 3, 0, "", 0, 0, "4", {5, 6}, ""},
        {HistoryStep::Entry, 4, 0, "7", 2, 0, "", {}, "", {{5, 0, 0x41}, {22, 0, 0x40}}},
        {HistoryStep::Hint, 10, 0, "2", 0, 0x0000FF, "5", {11, 80}, "The only place for 5 in row 2"},
        {HistoryStep::Mark, 12, 8, "", 0, 0, "", {}, ""},
        {HistoryStep::Marks, 0, 0, "", 0, 0, "", {}, "Fill In Candidates", {{1, 0, 0x1FF}, {40, 0x10, 0x12}}},
    };
    for (int k = 0; k < seconds % 50; ++k) r.history.push_back({HistoryStep::Mark, k % used, k % 9, "", 0, 0, "", {}, ""});
    r.historyIndex = static_cast<int>(r.history.size()) - 1;
    r.seconds = seconds;
    r.hints = 1;
    r.wrongEntries = 2;
    r.mode = 2;
    r.rating = 52;
    r.level = "Moderate";
    return r;
}
