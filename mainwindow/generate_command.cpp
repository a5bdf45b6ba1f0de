// The Generate command (File > Generate, and Start on an empty board): asks
// for a board type and level, then runs the generator in Generating mode.
#include <memory>

#include "frm_generate.h"
#include "frm_main.h"
#include "game_state.h"
#include "generator.h"
#include "random_source.h"
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
    gen.generatePuzzle(board, dlg.getType(), dlg.getRating());
    const bool ok = gen.testPuzzle(board);
    generationRunning = false;
    solver.yield = outerYield;

    // The pointer is normal again before any message, so the box does not
    // show the hourglass.
    platform::setBusyPointer(false);
    if (!ok && keepGenerating)
        dialogs().message(this, QStringLiteral("Failed to generate - please try again"), platform::MessageIcon::None);
    mode = kSetup;
    imgStart->setElementVisible(4, false);
    imgStart->setElementVisible(0, true);
    updateButtons();
}

} // namespace mainwindow
