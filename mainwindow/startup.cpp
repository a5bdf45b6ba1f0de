// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up and closing of the main window.
#include <QCloseEvent>
#include <QDir>
#include <QMenuBar>
#include <QSettings>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "frm_main.h"
#include "frm_splash.h"
#include "game_journal.h"
#include "menu_colour.h"

namespace mainwindow {

void frmMain::Form_Load()
{
    if (loaded_) return;
    // 1. Menu bar colour; a platform without it keeps its own.
    platform::applyMenuBarColour(menuBar(), frameColour());

    // 2. State.
    cellEventsOn = true;
    currentFile.clear();
    cellGap = 25;
    numGrids = 1;
    gridSize = 9;
    cellSize = textCells[0]->twipsGeometry().width;

    // 3. Setup mode.
    mode = kSetup;
    updateButtons();

    // 4. Where the settings live.
    appDir = services_.appDir ? *services_.appDir : QDir::currentPath().toStdString();

    // 5. Settings. A missing file or missing sections leave the defaults; so
    //    does a file of that name that is not Corvel's, which is kept as it
    //    is, and a start without a folder for the settings.
    files::SettingsRead read;
    if (!noSettingsFolder) read = files::readSettings(appDir, files::Settings{});
    settingsError = read.settingsError;
    settingsLeftAlone = read.leftAlone ? read.problem : std::string();
    colours = read.settings.colours;
    symbols.setSymbols(read.settings.symbols);
    savedRating = read.settings.savedRating;
    if (read.fileFound && !read.leftAlone && !settingsError) settingsOnDisk = read.settings;
    if (settingsError) {
        dialogs().message(this, QStringLiteral("Error in reading settings.ini file : please report this error"),
                          platform::MessageIcon::Critical);
        colours = files::defaultColours();
        symbols.setSymbols(files::SymbolTable::defaults());
    }

    // 6. The other cells, copies of the template cell 0.
    createCells(1, 323);
    createCells(324, kCells - 1);

    // 7. Grids 0..4.
    for (int g = 0; g < 5; ++g) grids[static_cast<std::size_t>(g)].initAll();

    // 8. Colours.
    applyColours(false);

    // 9. Splash, while the board is laid out.
    showSplashScreen();

    // 10. Write the settings back when the file is missing, bad (it is kept
    //     as settings.ini.bak) or not laid out as Corvel writes it; a file
    //     read as it is, or left alone, is not touched.
    if (!noSettingsFolder && settingsLeftAlone.empty() && !read.asWritten) writeSettings(false);

    // 11. Only the standard board's cells show.
    for (int g = 1; g <= 4; ++g) grids[static_cast<std::size_t>(g)].setInvisible();
    grids[0].setVisible();

    // 12. An empty move list.
    solver.moves.numMoves = 0;
    solver.moves.overflowed = false;

    // 13. The scale of the last run; lines and status.
    bool scaleRead = false;
    const double lastScale = options()->value(QStringLiteral("View/Scale"), 1.0).toDouble(&scaleRead);
    scale_ = scaleRead && std::isfinite(lastScale) ? std::clamp(lastScale, 1.0, kMaxScale) : 1.0;
    rememberedScale_ = scale_;
    setGridLines();
    updateStatus();
    applyGeometry();
    loaded_ = true;

    // 14. The journal of games: the last game comes back when it was not finished.
    journal().open();
}

std::unique_ptr<QSettings> frmMain::options() const
{
    if (services_.optionsFile)
        return std::make_unique<QSettings>(QString::fromStdString(*services_.optionsFile), QSettings::IniFormat);
    return std::make_unique<QSettings>(QStringLiteral("Corvel"), QStringLiteral("Corvel"));
}

void frmMain::showSplashScreen()
{
    frmSplash splash;
    splash.show();
    splash.raise();
    splash.activateWindow();
    splash.setFocus();
    const std::int64_t start = clock().steadyMilliseconds();

    numGrids = 5;
    positionCells();
    numGrids = 1;
    setLargeCells();

    const std::int64_t spent = clock().steadyMilliseconds() - start;
    if (spent < services_.splashMilliseconds) platform::waitWithEvents(clock(), services_.splashMilliseconds - spent);
    splash.hide();
}

void frmMain::Form_Unload()
{
    if (unloaded_) return;
    unloaded_ = true;
    timStopwatch->stop();
    journal().changed();
    rememberScale();
    // Only what changed since the file was read or written goes back; a
    // file left alone is reported once.
    if (noSettingsFolder || (settingsLeftAlone.empty() && settingsOnDisk == currentSettings())) return;
    writeSettings(true);
}

void frmMain::closeEvent(QCloseEvent* event)
{
    // Closing ends the program: a running search or generation is told to
    // stop so that it unwinds instead of touching a closed window. A Get
    // Solution run begun inside an entry check's yield has a solver of its own.
    solver.searching = false;
    if (solutionRunSolver) solutionRunSolver->searching = false;
    keepGenerating = false;
    Form_Unload();
    event->accept();
}

} // namespace mainwindow
