// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace journal {

constexpr int kCellCount = 369;

// What a cell shows: nothing, a given, the player's entry (right so far or
// found wrong), or a hint.
enum class CellRole : std::uint8_t { Empty, Given, Entry, Wrong, Hint };

struct CellRecord {
    CellRole role = CellRole::Empty;
    std::string text;
    bool operator==(const CellRecord&) const = default;
};

// The marks of one cell before and after a step.
struct MarkChange {
    std::int32_t cell = 0;
    std::uint16_t before = 0;
    std::uint16_t after = 0;
    bool operator==(const MarkChange&) const = default;
};

// One step of the Undo history, as the window records it.
struct HistoryStep {
    // Marks: every mark replaced at once (Fill In Candidates, Clear All Marks).
    enum Kind : std::uint8_t { Entry, Hint, Mark, Marks };
    Kind kind = Entry;
    std::int32_t cell = 0;
    // Mark: the value index noted or taken back.
    std::int32_t value = 0;
    // Entry and Hint: what the cell held before, its look (0 entry, 1 given,
    // 2 hint) or colour, and what it took.
    std::string before;
    std::uint8_t beforeRole = 0;
    std::uint32_t beforeColour = 0;
    std::string after;
    // The cells that lost a mark to the step.
    std::vector<std::int32_t> removed;
    // Hint: why it holds. Marks: the step's name.
    std::string reason;
    // Entry: the marks a deletion gave back (before 0). Marks: each cell the
    // step changed.
    std::vector<MarkChange> marks;
    bool operator==(const HistoryStep&) const = default;
};

// A game as the window had it after a change: enough to put it back exactly.
struct GameRecord {
    std::int32_t numGrids = 1;
    std::array<std::string, 9> symbols;
    std::array<CellRecord, kCellCount> cells;
    std::array<std::uint16_t, kCellCount> marks{};
    std::vector<HistoryStep> history;
    // How many history steps are done (the rest can be redone).
    std::int32_t historyIndex = 0;
    std::int32_t seconds = 0;
    std::int32_t hints = 0;
    std::int32_t wrongEntries = 0;
    std::int32_t mode = 1;
    // Tenths; -1 while unknown. The level is the rating's band name.
    std::int32_t rating = -1;
    std::string level;
    bool operator==(const GameRecord&) const = default;

    // Cells filled by the player or by hints (wrong entries left out), and
    // cells that were open at the start.
    int filled() const;
    int open() const;
};

QByteArray encode(const GameRecord& record);
// Nothing when the bytes are not a whole, sound record.
std::optional<GameRecord> decode(const QByteArray& bytes);

} // namespace journal
