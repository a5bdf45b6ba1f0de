// SPDX-License-Identifier: GPL-3.0-or-later
// The rating of the puzzle on the board and Explain Next Step.
#include "technique_aids.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include "board_speech.h"
#include "exact_counter.h"
#include "frm_main.h"
#include "game_state.h"
#include "rater.h"
#include "step_balloon.h"

namespace mainwindow {

namespace {

QString tenths(int rating)
{
    return QStringLiteral("%1.%2").arg(rating / 10).arg(rating % 10);
}

// The rater's names (bands, techniques) as text.
QString fromView(std::string_view name)
{
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

// The values as a candidate grid and a solution count (0, 1, or 2 for two or
// more); no solution when two values clash.
int loadValues(const std::vector<BoardValue>& values, int numGrids, logic::CandidateGrid& g)
{
    engine::ExactCounter counter;
    counter.clear(numGrids);
    for (const BoardValue& v : values) {
        const int c = g.geo().cell(v.grid, v.col, v.row);
        counter.setGiven(v.grid, v.col, v.row, v.val);
        if (g.value(c) != v.val && !g.place(c, v.val)) return 0;
    }
    return counter.count();
}

} // namespace

TechniqueAids::TechniqueAids(frmMain& window) : QObject(&window), w_(window)
{
    // One rating at a time, in the order asked. The rater is made and its
    // memory mapped at once, off the window's thread, so that not even the
    // first rating waits for that.
    pool_.setMaxThreadCount(1);
    pool_.start([this] {
        rater_ = std::make_unique<logic::Rater>(logic::RaterOptions{true});
        rater_->touchMemory();
    });
}

TechniqueAids::~TechniqueAids()
{
    // A rating still running posts to this object; it must end first, and
    // is asked to end at its next step.
    if (stop_) stop_->store(true);
    pool_.clear();
    pool_.waitForDone();
}

void TechniqueAids::createControls()
{
    mnuExplain = w_.game().mnuEdit->addAction(tr("Explain Next Step"));
    mnuExplain->setShortcut(QKeySequence(Qt::Key_F2));
    mnuExplain->setToolTip(tr("Show the easiest step the board allows now, without taking it (F2)"));
    connect(mnuExplain, &QAction::triggered, this, &TechniqueAids::explainNextStep);

    // Any other command ends the explanation: a menu's signal comes for its
    // items' keys as well as for clicks.
    const auto other = [this](QAction* a) {
        if (a != mnuExplain) forgetStep();
    };
    for (QMenu* m : w_.menuBar()->findChildren<QMenu*>()) connect(m, &QMenu::triggered, this, other);
    connect(w_.mnuHelp, &QAction::triggered, this, &TechniqueAids::forgetStep);
    for (platform::PictureButton* b : {w_.imgStart, w_.imgHint, w_.imgClear, w_.imgPartClear, w_.imgFindSolution})
        connect(b, &platform::PictureButton::mouseDown, this, &TechniqueAids::forgetStep);
    // Whatever Generate leaves on the board is rated; the puzzle it rated
    // itself is not rated again (the same givens).
    connect(w_.mnuGenerate, &QAction::triggered, this, &TechniqueAids::rateBoard);

    lblRating = new QLabel(w_.lblStatus1->parentWidget());
    lblRating->setWordWrap(true);
    lblRating->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QFont f = w_.lblStatus1->font();
    f.setPointSizeF(9);
    lblRating->setFont(f);
    balloon_ = new StepBalloon(w_, *w_.lblStatus1);
}

void TechniqueAids::placeRatingLabel()
{
    if (!lblRating) return;
    const QRect above = w_.imgFindSolution->geometry();
    const int top = above.bottom() + 10;
    lblRating->setGeometry(above.left(), top, above.width(), std::max(0, w_.lblStatus1->y() - top));
}

// ---- Rating ----

std::vector<BoardValue> TechniqueAids::boardValues() const
{
    std::vector<BoardValue> values;
    for (int g = 0; g < w_.numGrids; ++g) {
        const engine::SudokuGrid& grid = w_.grids[static_cast<std::size_t>(g)];
        for (int col = 0; col < w_.gridSize; ++col)
            for (int row = 0; row < w_.gridSize; ++row) {
                const engine::CellControl* b = grid.getbox(col, row);
                const int v = b ? w_.symbolToIndex(b->text()) : -1;
                if (v >= 0) values.push_back({g, col, row, v});
            }
    }
    return values;
}

void TechniqueAids::rateBoard()
{
    showRatingOf(boardValues(), w_.numGrids);
}

void TechniqueAids::showKnownRating(int rating, int hardest, int steps)
{
    forgetRating();
    requested_ = boardValues();
    requestedGrids_ = w_.numGrids;
    ratingReady(generation_, Outcome{Outcome::Rated, rating, hardest, steps});
}

void TechniqueAids::forgetRating()
{
    ++generation_;
    if (stop_) stop_->store(true);
    stop_.reset();
    pending_ = false;
    shownRating_ = -1;
    requested_.clear();
    requestedGrids_ = 0;
    if (lblRating) {
        lblRating->clear();
        lblRating->setToolTip({});
    }
}

void TechniqueAids::showRatingOf(std::vector<BoardValue> givens, int numGrids)
{
    if (numGrids == requestedGrids_ && givens == requested_) return;
    forgetRating();
    if (givens.empty()) return;
    requested_ = givens;
    requestedGrids_ = numGrids;
    pending_ = true;
    stop_ = std::make_shared<std::atomic<bool>>(false);
    const std::uint64_t generation = generation_;
    pool_.start([this, generation, numGrids, givens = std::move(givens), stop = stop_, interimAfter = interimAfter_] {
        // The hardest step so far is posted once the rating has run for
        // interimAfter, and again whenever it rises.
        const auto start = std::chrono::steady_clock::now();
        int hardest = -1, technique = 0, posted = -1;
        auto onStep = [&](const logic::CandidateGrid&, const logic::Step& step) {
            if (step.rating > hardest) {
                hardest = step.rating;
                technique = static_cast<int>(step.technique);
            }
            if (hardest <= posted || std::chrono::steady_clock::now() - start < interimAfter) return;
            posted = hardest;
            QMetaObject::invokeMethod(
                this, [this, generation, rating = hardest, technique] { ratingSoFar(generation, rating, technique); },
                Qt::QueuedConnection);
        };
        const Outcome outcome = rate(givens, numGrids, *rater_, *stop, onStep);
        if (outcome.kind == Outcome::Stopped) return;
        QMetaObject::invokeMethod(this, [this, generation, outcome] { ratingReady(generation, outcome); },
                                  Qt::QueuedConnection);
    });
}

// Runs on the worker thread: touches nothing of the window.
TechniqueAids::Outcome TechniqueAids::rate(const std::vector<BoardValue>& givens, int numGrids, logic::Rater& rater,
                                           const std::atomic<bool>& stop, const logic::Rater::StepFn& onStep)
{
    Outcome out;
    if (stop.load()) {
        out.kind = Outcome::Stopped;
        return out;
    }
    logic::CandidateGrid g(logic::Geometry::forGrids(numGrids));
    if (loadValues(givens, numGrids, g) != 1) {
        out.kind = Outcome::NoSingleSolution;
        return out;
    }
    const logic::Rating r = rater.rate(g, onStep, &stop);
    if (r.stopped) {
        out.kind = Outcome::Stopped;
        return out;
    }
    if (!r.solved) {
        out.kind = Outcome::NoSingleSolution;
        return out;
    }
    out.kind = Outcome::Rated;
    out.rating = r.rating;
    out.hardest = static_cast<int>(r.hardest);
    out.steps = r.steps;
    return out;
}

void TechniqueAids::ratingReady(std::uint64_t generation, const Outcome& outcome)
{
    // The board has changed since: this rating is of another puzzle.
    if (generation != generation_ || !lblRating) return;
    pending_ = false;
    if (outcome.kind == Outcome::NoSingleSolution) {
        lblRating->setText(tr("No single solution"));
        lblRating->setToolTip(tr("Only a puzzle with exactly one solution is rated."));
        w_.speech().announce(lblRating->text());
        emit ratingShown();
        return;
    }
    shownRating_ = outcome.rating;
    const auto band = logic::bandOf(outcome.rating);
    const QString bandName = fromView(logic::bandName(band));
    const QString technique =
        outcome.steps > 0 ? fromView(logic::techniqueName(static_cast<logic::Technique>(outcome.hardest))) : tr("none");
    lblRating->setText(tr("<b>Rating %1 %2</b><br>%3").arg(tenths(outcome.rating), bandName, technique));
    lblRating->setToolTip(tr("Rated %1 (%2) by the techniques a person needs: its hardest step is %3, when always "
                             "the easiest step is taken. Easy is below 1.5, Medium below 2.5, Hard below 5.0, "
                             "Fiendish below 7.0, Diabolical from 7.0.")
                              .arg(tenths(outcome.rating), bandName, technique));
    // A screen reader hears the rating once it is final.
    w_.speech().announce(tr("Rating %1 %2, hardest step %3").arg(tenths(outcome.rating), bandName, technique));
    emit ratingShown();
}

void TechniqueAids::ratingSoFar(std::uint64_t generation, int rating, int hardest)
{
    if (generation != generation_ || !lblRating || !pending_) return;
    // Only the top band is certain before the end: a rating can only rise.
    const auto band = logic::bandOf(rating);
    const QString bandName = band == logic::Band::Diabolical ? QStringLiteral(" ") + fromView(logic::bandName(band)) : QString();
    const QString technique = fromView(logic::techniqueName(static_cast<logic::Technique>(hardest)));
    lblRating->setText(tr("<b>Rating %1+%2</b><br>%3 so far; still rating…").arg(tenths(rating), bandName, technique));
    lblRating->setToolTip(tr("Still rating: the hardest step so far is %1 (%2), and the rating can only rise "
                             "from there.")
                              .arg(technique, tenths(rating)));
    emit ratingShown();
}

// ---- Explain Next Step ----

void TechniqueAids::showStep(const QString& text)
{
    stepText_ = text;
    stepChanges_ = w_.game().changeCount();
    stepFocus_ = kFocusUnknown;
    w_.game().refresh();
    w_.updateStatus();
    w_.speech().announce(text);
}

void TechniqueAids::stepShortened(bool shortened)
{
    if (balloon_) balloon_->setText(shortened && !stepText_.isEmpty() ? stepText_ : QString());
}

QString TechniqueAids::balloonText() const
{
    return balloon_ ? balloon_->shownText() : QString();
}

void TechniqueAids::explainNextStep()
{
    // While a generation or Get Solution writes the board there is no board
    // to explain. Nothing below enters the event loop, so this may run
    // inside any solver run's yield.
    if ((w_.mode != kSetup && w_.mode != kSolving) || w_.generationRunning) return;
    forgetStep();
    const std::vector<BoardValue> values = boardValues();
    const logic::Geometry& geo = logic::Geometry::forGrids(w_.numGrids);
    logic::CandidateGrid g(geo);
    const int solutions = loadValues(values, w_.numGrids, g);
    if (values.empty()) return showStep(tr("The board is empty: there is no step to explain."));
    if (solutions == 0)
        return showStep(tr("Your board has a wrong entry; no solution agrees with every cell. "
                           "Find it (Entry Checking shows it in red) before asking for the next step."));
    if (solutions > 1)
        return showStep(tr("The board has more than one solution, so no step is certain yet."));
    logic::Rater rater(logic::RaterOptions{true});
    logic::Step s;
    if (!rater.nextStep(g, s)) return showStep(tr("The board is complete: there is no step left."));

    std::string symbols;
    for (int v = 0; v < 9; ++v) {
        const std::string& sym = w_.indexToSymbol(v);
        symbols += sym.empty() ? '?' : sym[0];
    }
    auto marksOf = [&](int c) -> CellMarks& {
        const logic::CellPlace at = geo.place[static_cast<std::size_t>(c)];
        const int index = cellIndex(at.grid, at.col, at.row);
        for (auto& [i, m] : stepCells_)
            if (i == index) return m;
        return stepCells_.emplace_back(index, CellMarks{}).second;
    };
    auto symbol = [&](int v) { return QString::fromStdString(w_.indexToSymbol(v)); };
    for (int k = 0; k < s.numCells; ++k) {
        CellMarks& m = marksOf(s.cells[static_cast<std::size_t>(k)]);
        m.role = platform::StepRole::Pattern;
        const int c = s.cells[static_cast<std::size_t>(k)];
        for (int v = 0; v < 9; ++v)
            if (((s.digits & g.cand(c)) >> v) & 1u) m.shown[static_cast<std::size_t>(v)] = symbol(v);
    }
    for (int k = 0; k < s.numPlacements; ++k) {
        const logic::Candidate p = s.placements[static_cast<std::size_t>(k)];
        CellMarks& m = marksOf(p.cell);
        m.role = platform::StepRole::Fill;
        m.shown = {};
        m.shown[static_cast<std::size_t>(p.value)] = symbol(p.value);
    }
    for (int k = 0; k < s.numEliminations; ++k) {
        const logic::Candidate e = s.eliminations[static_cast<std::size_t>(k)];
        marksOf(e.cell).removed[static_cast<std::size_t>(e.value)] = symbol(e.value);
    }
    // The sentence starts with the technique's name.
    const QString sentence = QString::fromStdString(logic::describeStep(geo, s, symbols));
    const QString technique = fromView(logic::techniqueName(s.technique));
    showStep(sentence.startsWith(technique)
                 ? tr("Next step: %1 (%2)").arg(sentence, tenths(s.rating))
                 : tr("Next step, %1: %2 (%3)").arg(technique, sentence, tenths(s.rating)));
}

void TechniqueAids::forgetStep()
{
    if (stepText_.isEmpty()) return;
    stepText_.clear();
    stepCells_.clear();
    w_.game().refresh();
    w_.updateStatus();
}

void TechniqueAids::checkStepStillShown(std::uint64_t changeCount, int focus)
{
    if (stepText_.isEmpty()) return;
    if (stepFocus_ == kFocusUnknown) stepFocus_ = focus;
    if (changeCount == stepChanges_ && focus == stepFocus_) return;
    stepText_.clear();
    stepCells_.clear();
    w_.updateStatus();
}

void TechniqueAids::decorate(int cell, platform::CellOverlay& overlay) const
{
    for (const auto& [i, m] : stepCells_)
        if (i == cell) {
            overlay.stepRole = m.role;
            overlay.stepMarks = m.shown;
            overlay.removedMarks = m.removed;
        }
}

} // namespace mainwindow
