// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QUndoStack>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cell_control.h"
#include "cell_numbering.h"
#include "game_record.h"

class QAction;
class QKeyEvent;
class QMenu;
class QCheckBox;

namespace platform {
class TextCell;
}

namespace mainwindow {

class frmMain;

// What a player has beyond the board's entries: pencil marks, the history of
// their own changes for Undo and Redo, the highlighting of the focused cell's
// symbol and units, and the options for these, which live in Qt's per-user
// settings and never in settings.ini. The window owns one and tells it about
// every cell change and every new puzzle; the cells draw what it works out
// (platform::CellOverlay) and never change their background for it.
//
// The implementation: game_state.cpp (controls, keys, options, highlighting),
// pencil_marks.cpp, play_history.cpp (Undo and Redo).
class GameState : public QObject {
    Q_OBJECT
public:
    // The options live in the window's options() (tests point them into a
    // folder of their own).
    explicit GameState(frmMain& window);
    ~GameState() override;

    // The Edit menu (Undo, Redo, Notes, the candidates), Settings > Highlighting and the
    // Notes toggle in the status line; after the window's own menus.
    void createControls();
    // Watches a board cell's keys and focus.
    void attachCell(platform::TextCell* cell);
    // Puts the Notes toggle at the right end of the first status label.
    void placeNotesToggle();

    QMenu* mnuEdit = nullptr;
    QAction* mnuUndo = nullptr;
    QAction* mnuRedo = nullptr;
    QAction* mnuNotes = nullptr;
    QAction* mnuFillCandidates = nullptr;
    QAction* mnuClearMarks = nullptr;
    QAction* mnuKeepCandidates = nullptr;
    QAction* mnuHighlighting = nullptr;
    QCheckBox* notesToggle = nullptr;

    // ---- Pencil marks (pencil_marks.cpp) ----
    // Bit v set: the mark of value index v is noted in the cell.
    std::uint16_t marks(int cell) const { return marks_.at(static_cast<std::size_t>(cell)); }
    // Notes or takes back the mark of value index `value`; undoable.
    void toggleMark(int cell, int value);
    // Every empty cell of the board gets as marks exactly the symbols that
    // no entry or given in its rows, columns and boxes rules out; one step
    // of Undo.
    void fillInCandidates();
    // Takes every mark off the board; one step of Undo.
    void clearAllMarks();
    // The symbols (bits by value index) that no other cell in the units of
    // `cell` holds, by the texts the cells have taken.
    std::uint16_t candidatesOf(int cell) const;
    // Keep Candidates Up To Date: a deletion gives its symbol back as a mark
    // to the empty cells of its units that may hold it, and the emptied cell
    // gets all its candidates (an entry always takes its symbol's marks).
    bool keepCandidates() const;

    // ---- History (play_history.cpp) ----
    // A new puzzle on the board (Clear, Reset, Generate, Open, View, new
    // symbols): no marks and no history.
    void newPuzzle();
    // The history starts afresh (Start, Stop).
    void forgetHistory();
    // Undo and Redo work only while no solver run or generation is in progress.
    void setUndoAllowed(bool allowed);
    // Every valid text a cell takes, before it is checked; byPlayer when the
    // cell's events are on (the player typed it, or Undo or Redo put it back).
    void textAccepted(int cell, const std::string& text, bool byPlayer);
    // Hint wrote its symbol into `cell`, which held `before` on `beforeColour`;
    // reason says why, for the status line.
    void hintGiven(int cell, const std::string& before, engine::Colour beforeColour, std::string reason);
    const QUndoStack& history() const { return history_; }
    // Counts the texts the cells have taken, so that a run can tell whether
    // the board changed during its yields.
    std::uint64_t changeCount() const { return changes_; }

    // While held (an Undo or Redo in progress, a hint being written), a
    // cell's check and finish test are not run but kept; the last release
    // runs them, after the change is complete, in the order they came.
    void holdJudgements() { ++held_; }
    void releaseJudgements();
    bool judgementsHeld() const { return held_ > 0; }
    void holdJudgement(int cell, std::string text, bool eventsOn);
    // Why the last hint holds, for the status line in Solving mode; empty
    // once the player changes a cell, the hint is undone, or a game starts
    // or stops.
    const std::string& hintReason() const { return hintReason_; }
    void setHintReason(std::string reason);

    // ---- For the journal (play_history.cpp) ----
    // Every step of the history, oldest first; history().index() are done.
    std::vector<journal::HistoryStep> historySteps() const;
    // Puts back the marks and the history of a game whose cells the board
    // already shows as they were after the done steps. No cell changes.
    void restore(const std::array<std::uint16_t, kCellCount>& marks, const std::vector<journal::HistoryStep>& steps,
                 int done);

    // Works out what every cell draws: its marks while it is empty, and with
    // Highlighting on the focused cell's units and symbol.
    void refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class EntryCommand;
    friend class HintCommand;
    friend class MarkCommand;
    friend class MarksCommand;

    // How a cell looked before a change: its text and its colour's role. An
    // entry's colour (working or wrong) comes from checking it again.
    enum class Role { Entry, Known, Hint };
    struct CellLook {
        std::string text;
        Role role = Role::Entry;
    };
    CellLook lookOf(const std::string& text, engine::Colour colour) const;
    // Writes a look back: an entry as the player types it (checked), a given
    // or a hint as the system writes it, in its colour.
    void putBack(int cell, const CellLook& look);
    void writeAsSystem(int cell, const std::string& text, engine::Colour colour);

    // The cells of `cell`'s units that lose the mark of `value`; taken off.
    std::vector<int> removeMarksAround(int cell, int value);
    void restoreMarks(const std::vector<int>& cells, int value);
    // Marks a cell gained: the cell and the bits added.
    struct GivenMarks {
        int cell;
        std::uint16_t bits;
    };
    // With Keep Candidates Up To Date on: the marks that taking `value` out
    // of `cell` gives back.
    std::vector<GivenMarks> giveBackMarks(int cell, int value);
    void takeBackMarks(const std::vector<GivenMarks>& given);
    // Replaces every mark at once, as one step of Undo.
    void replaceAllMarks(const std::array<std::uint16_t, kCellCount>& marks, const QString& name);

    void pushMark(int cell, int value);
    void pushMarks(std::vector<journal::MarkChange> changes, const QString& name);
    int keyMark(const QKeyEvent& key) const;
    bool isNotesKey(const QKeyEvent& key) const;
    int focusedCell() const;
    void updateUndoActions();
    // Undo or Redo: the step runs without entering the event loop; the
    // checks of the cells it wrote run once it has returned.
    void replay(void (QUndoStack::*step)());

    enum class Replay { None, Undoing, Redoing };

    frmMain& w_;
    std::array<std::uint16_t, kCellCount> marks_{};
    // Every cell's text as last accepted, so that a change knows what it replaced.
    std::array<std::string, kCellCount> shown_{};
    QUndoStack history_;
    bool undoAllowed_ = true;
    Replay replay_ = Replay::None;
    // While a history is put back, its steps change nothing.
    bool silent_ = false;
    // The cells that lost a mark to the last entry.
    std::vector<int> lastRemoved_;
    // The marks the last deletion gave back.
    std::vector<GivenMarks> lastGiven_;
    int focused_ = -1;
    std::string hintReason_;
    std::uint64_t changes_ = 0;
    struct Judgement {
        int cell;
        std::string text;
        bool eventsOn;
    };
    int held_ = 0;
    std::vector<Judgement> heldJudgements_;
};

} // namespace mainwindow
