// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <vector>

#include "cell_numbering.h"
#include "rater.h"
#include "text_cell.h"

class QAction;
class QLabel;

namespace logic {
class Rater;
}

namespace mainwindow {

class frmMain;
class StepBalloon;

// A value on the board: value index 0..8 at (col, row) of grid 0..4.
struct BoardValue {
    int grid, col, row, val;
    bool operator==(const BoardValue&) const = default;
};

// What the technique rater gives the player: the rating of the puzzle on the
// board, shown under the command buttons, and Explain Next Step, which marks
// the easiest step of the board as it stands over the cells (CellOverlay)
// and names it in the status line (and in a balloon under the window when
// the status line is too short for the sentence). Neither changes a cell.
//
// A rating is worked out on a worker thread from a copy of the givens; a
// result that comes back after the board has changed again is dropped, so
// nothing the window does ever waits for it, and the rating of a board
// replaced meanwhile stops at its next step. A rating that takes a while
// shows its hardest step so far until it ends (the rating can only rise).
class TechniqueAids : public QObject {
    Q_OBJECT
public:
    explicit TechniqueAids(frmMain& window);
    ~TechniqueAids() override;

    // Edit > Explain Next Step and the rating label; after GameState's controls.
    void createControls();
    // Puts the rating label under the command buttons.
    void placeRatingLabel();

    // Rates these givens (a puzzle of 1 or 5 grids) and shows the rating once
    // known; the rating of an earlier board is dropped at once. The same
    // givens as the last request change nothing.
    void showRatingOf(std::vector<BoardValue> givens, int numGrids);
    // showRatingOf every value on the board.
    void rateBoard();
    // The puzzle on the board was rated already (a generation to a rating
    // rates every puzzle it tries): shows that rating at once, as the
    // rating of the board's values.
    void showKnownRating(int rating, int hardest, int steps);
    // The board no longer holds the rated puzzle: no rating shows.
    void forgetRating();
    // The rating shown, in tenths; -1 while none is known.
    int shownRating() const { return shownRating_; }
    // A rating has been asked for and its end is not shown yet.
    bool ratingPending() const { return pending_; }
    // How long a rating runs before its hardest step so far shows.
    void setInterimAfter(std::chrono::milliseconds t) { interimAfter_ = t; }

    // Explain Next Step.
    void explainNextStep();
    // The explained step no longer applies (a change, a focus move, another
    // command): its marks and its sentence go.
    void forgetStep();
    // Called as the cells' overlays are worked out: drops the step when the
    // board or the focus has moved since it was explained.
    void checkStepStillShown(std::uint64_t changeCount, int focus);
    // Adds the explained step's marks to cell i's overlay.
    void decorate(int cell, platform::CellOverlay& overlay) const;
    // The sentence for the status line while a step or its refusal shows.
    const QString& stepText() const { return stepText_; }
    // After the status line is written: whether it had to shorten the
    // sentence, which then shows whole in a balloon under the window.
    void stepShortened(bool shortened);
    // The sentence the balloon shows; empty while it is hidden.
    QString balloonText() const;

    QAction* mnuExplain = nullptr;
    QLabel* lblRating = nullptr;

signals:
    // The rating label shows another rating, or the rating so far.
    void ratingShown();

private:
    struct Outcome {
        enum Kind { None, NoSingleSolution, Rated, Stopped } kind = None;
        int rating = 0; // tenths
        int hardest = 0; // logic::Technique
        int steps = 0;
    };
    // Runs on the worker thread, with the rater kept there; onStep sees
    // every step.
    static Outcome rate(const std::vector<BoardValue>& givens, int numGrids, logic::Rater& rater,
                        const std::atomic<bool>& stop, const logic::Rater::StepFn& onStep);
    void ratingReady(std::uint64_t generation, const Outcome& outcome);
    // The hardest step so far of a rating still running (tenths, Technique).
    void ratingSoFar(std::uint64_t generation, int rating, int hardest);
    std::vector<BoardValue> boardValues() const;
    void showStep(const QString& text);

    frmMain& w_;
    // The worker's rater, made when the window is and kept: a new one costs
    // a few milliseconds to set up. Only the pool's one thread touches it,
    // one task at a time.
    std::unique_ptr<logic::Rater> rater_;
    QThreadPool pool_;
    // Counts rating requests; a result carries the count it was asked under.
    std::uint64_t generation_ = 0;
    std::vector<BoardValue> requested_;
    int requestedGrids_ = 0;
    int shownRating_ = -1;
    bool pending_ = false;
    // Set to stop the rating asked for last (shared with its task).
    std::shared_ptr<std::atomic<bool>> stop_;
    // Under this a rating shows nothing until it ends: the label does not
    // flicker for the many puzzles rated in a few milliseconds.
    std::chrono::milliseconds interimAfter_{40};

    // The explained step: per cell its marks, and the board it applies to.
    struct CellMarks {
        platform::StepRole role = platform::StepRole::None;
        std::array<QString, 9> shown, removed;
    };
    std::vector<std::pair<int, CellMarks>> stepCells_;
    QString stepText_;
    StepBalloon* balloon_ = nullptr;
    std::uint64_t stepChanges_ = 0;
    static constexpr int kFocusUnknown = -2;
    int stepFocus_ = kFocusUnknown;
};

} // namespace mainwindow
