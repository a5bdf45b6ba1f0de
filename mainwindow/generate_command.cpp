// SPDX-License-Identifier: GPL-3.0-or-later
// The Generate command (File > Generate, and Start on an empty board): asks
// for a board type and level, then runs the generator in Generating mode.
// With a rating band chosen, it generates until a puzzle's rating falls in it;
// without, it ends once the puzzle it generated is rated.
#include <QLabel>
#include <QTimer>
#include <memory>

#include "clock.h"
#include "frm_generate.h"
#include "frm_main.h"
#include "game_state.h"
#include "generator.h"
#include "random_source.h"
#include "rated_generation.h"
#include "technique_aids.h"
#include "window_generator_board.h"

namespace mainwindow {

void frmMain::mnuGenerate_Click()
{
    // Greyed while the board is in use (updateBoardCommands). After Stop the
    // window is back in Setup while the stopped generation unwinds inside a
    // yield, and an entry check may be inside one of its yields too; a
    // generation started there would share their solver.
    if (generationRunning || boardRunsActive > 0) return;

    frmGenerate dlg(this);
    dlg.Form_Load();
    dlg.initialise();
    const int result = dialogs().runModal(dlg);
    if (dlg.getCancel() || result != QDialog::Accepted) return;

    cellEventsOn = false;
    for (int g = 0; g < numGrids; ++g) grids[static_cast<std::size_t>(g)].clear();
    cellEventsOn = true;
    game().newPuzzle();

    platform::setBusyPointer(true);
    mode = kGenerating;
    generationRunning = true;
    imgStart->setElementVisible(4, true);
    imgStart->setElementVisible(0, false);
    updateButtons();
    currentFile.clear();
    keepGenerating = true;

    if (!generatorRandom) generatorRandom = std::make_shared<generator::TimeMixedRandom>();
    generator::SteadyClock thinningClock;
    generator::Generator gen(solver, *generatorRandom, thinningClock);
    WindowGeneratorBoard board(*this);

    // Stop clears keepGenerating in a handler that runs inside one of the
    // solver's yields; the generator reads its own copy of the flag.
    const engine::Solver::YieldFn outerYield = solver.yield;
    solver.yield = [this, &gen, outerYield] {
        if (outerYield) outerYield();
        gen.keepGenerating = keepGenerating;
    };
    gen.keepGenerating = true;
    generator::RatedResult rated;
    const int band = dlg.getBand();
    if (band < 0) {
        gen.generatePuzzle(board, dlg.getType(), dlg.getRating());
    } else {
        const generator::RatingTarget target = generator::bandTarget(static_cast<logic::Band>(band));
        const QString bandText = QString::fromStdString(generator::describeTarget(target));
        // The attempts so far follow the status line's text; the stopwatch's
        // tick rewrites that text, so it is added again after every tick.
        QString progressText;
        auto showProgress = [&] {
            if (mode == kGenerating && !progressText.isEmpty())
                lblStatus1->setText(lblStatus1->text().section(QStringLiteral("  "), 0, 0) + QStringLiteral("  ") +
                                    progressText);
        };
        const QMetaObject::Connection tick = connect(timStopwatch, &QTimer::timeout, this, showProgress);
        generator::SteadyClock clock;
        generator::RatedGenerator ratedGen(gen, clock);
        rated = ratedGen.generate(
            board, dlg.getType(), 0, target,
            [&](const generator::RatedProgress& p) {
                progressText = tr("%1: %2 generated, %3 s")
                                   .arg(bandText)
                                   .arg(p.attempts)
                                   .arg(static_cast<int>(p.seconds));
                showProgress();
            },
            dlg.ratedLimits);
        disconnect(tick);
    }
    const bool ok = gen.testPuzzle(board);
    if (ok && band < 0 && keepGenerating) {
        // The puzzle comes with its rating: Generate ends when the rater has
        // rated it, as a generation to a band does, so a generated puzzle
        // never shows unrated. The rating runs off this thread (the window
        // stays live, Stop works); a Stop here keeps the puzzle, and its
        // rating then shows when it ends.
        aids().rateBoard();
        platform::waitWithEvents([this] { return !keepGenerating || !aids().ratingPending(); });
    }
    generationRunning = false;
    solver.yield = outerYield;

    // The pointer is normal again before any message, so the box does not
    // show the hourglass.
    platform::setBusyPointer(false);
    const bool outOfReach = band >= 0 && rated.end == generator::RatedEnd::OutOfReach && keepGenerating;
    if (outOfReach)
        dialogs().message(this,
                          tr("No %1 puzzle was found (%2 generated); please try another rating.")
                              .arg(QString::fromStdString(generator::describeTarget(
                                  generator::bandTarget(static_cast<logic::Band>(band)))))
                              .arg(rated.attempts),
                          platform::MessageIcon::Exclamation);
    else if (!ok && keepGenerating)
        dialogs().message(this, QStringLiteral("Failed to generate - please try again"), platform::MessageIcon::None);
    mode = kSetup;
    imgStart->setElementVisible(4, false);
    imgStart->setElementVisible(0, true);
    updateButtons();
    if (rated.end == generator::RatedEnd::Found) {
        // The rating is known: Generate's own request to rate the board
        // (it comes next) finds it made.
        aids().showKnownRating(rated.rating, static_cast<int>(rated.hardest), rated.steps);
        lblStatus1->setText(lblStatus1->text() + QStringLiteral("  ") +
                            tr("(rated %1 %2)")
                                .arg(rated.rating / 10.0, 0, 'f', 1)
                                .arg(QString::fromUtf8(logic::bandName(logic::bandOf(rated.rating)).data())));
    }
}

} // namespace mainwindow
