// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "game_record.h"

namespace journal {

// A game not yet finished, as the Games window lists it.
struct GameSummary {
    std::int64_t id = 0;
    int numGrids = 1;
    std::string level;
    int rating = -1;
    int seconds = 0;
    int filled = 0;
    int open = 0;
    std::int64_t updated = 0; // ms since the epoch
};

// A finished game. bySolution: Get Solution ended it, so it was not solved.
struct Result {
    int numGrids = 1;
    std::string level;
    int rating = -1;
    int seconds = 0;
    int hints = 0;
    int wrongEntries = 0;
    bool bySolution = false;
    std::int64_t finishedAt = 0; // ms since the epoch
    bool operator==(const Result&) const = default;
};

// The figures of one board and level. Times are of games solved by the
// player; recent holds the latest times, oldest first.
struct LevelFigures {
    int numGrids = 1;
    std::string level;
    int played = 0;
    int finished = 0;
    std::optional<int> best, median, latest;
    std::vector<int> recent;
    bool operator==(const LevelFigures&) const = default;
};

// Figures per board and level, standard board first, levels by name.
// `unfinished` adds the games still under way to the games played.
std::vector<LevelFigures> figures(const std::vector<Result>& results, const std::vector<GameSummary>& unfinished,
                                  std::size_t recentCount = 20);
// The results as CSV, a header line first.
QString toCsv(const std::vector<Result>& results);

// The player's games in an SQLite file of their own folder: the games under
// way, written whole after every change, and the results of those finished.
// Each change is one transaction, committed when the call returns. Every
// Journal has a connection and an owner token of its own: a game row belongs
// to the journal that writes it, and a journal that finds its row taken or
// gone writes a new one rather than overwrite another's game.
//
// A file that is damaged or not Corvel's is moved aside (never deleted) and a
// fresh one started; a folder or file that cannot be written leaves the
// journal off. Either way problem() says so, once.
class Journal {
public:
    static constexpr int kSchemaVersion = 2;
    static constexpr const char* kFileName = "journal.sqlite";

    explicit Journal(const QString& folder);
    ~Journal();
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    bool available() const { return available_; }
    // What went wrong, to tell the player; empty once taken.
    QString takeProblem();
    QString fileName() const { return file_; }

    // Writes the game; id 0 (or a row no longer this journal's) makes a new
    // row. The game's id, or 0 when it could not be written.
    std::int64_t save(std::int64_t id, const GameRecord& record);
    // The game of that id, which becomes this journal's; nothing when gone
    // or unreadable.
    std::optional<GameRecord> load(std::int64_t id);
    // Newest first.
    std::vector<GameSummary> unfinished();
    // The newest unfinished game when it is newer than the last result.
    std::optional<std::int64_t> resumable();
    bool remove(std::int64_t id);
    // Records the result and drops the game row (id 0: none) together.
    bool finish(std::int64_t id, const Result& result);
    // Oldest first.
    std::vector<Result> results();

private:
    bool openFile();
    QString inspect(bool* failed);
    bool prepare();
    bool migrate(int from);
    void moveAside(const QString& why);
    void fail(const QString& what);
    void close();

    QString folder_;
    QString file_;
    QString connection_;
    QString owner_;
    bool available_ = false;
    QString problem_;
    bool told_ = false;
};

} // namespace journal
