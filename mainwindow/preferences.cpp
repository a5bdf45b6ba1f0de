// SPDX-License-Identifier: GPL-3.0-or-later
// Symbols and colours: applying the colours to the board, the settings file
// and the Preferences command.
#include <QApplication>
#include <QDialog>
#include <QMenuBar>

#include "board_run.h"
#include "colour.h"
#include "colour_sets.h"
#include "frm_main.h"
#include "menu_colour.h"
#include "frm_settings.h"
#include "game_state.h"

namespace mainwindow {

void frmMain::applyColours(bool recolourOnly)
{
    for (platform::TextCell* cell : textCells) {
        if (!cell) continue;
        if (recolourOnly) {
            // A cell keeps its role: the new colour is decided from the colour
            // before the change alone, so that swapping two roles' colours
            // does not turn givens into hints or empty cells into givens. A
            // colour that is no role (the red of a wrong entry) stays.
            const engine::Colour before = cell->background();
            for (const files::ColourRole role : {files::kWorkingCell, files::kKnownCell, files::kHints})
                if (before == previousColours[role]) {
                    cell->setBackground(colours[role]);
                    break;
                }
        } else {
            cell->setBackground(colours[files::kWorkingCell]);
        }
        cell->setTextColour(colours[files::kTextColour]);
        cell->setShapeMarks(shapeMarks(), kWrongEntryColour, colours[files::kHints]);
    }
    for (int g = 0; g < 5; ++g) {
        engine::SudokuGrid& grid = grids[static_cast<std::size_t>(g)];
        grid.setInputColour(colours[files::kKnownCell]);
        grid.setBaseColour(colours[files::kWorkingCell]);
        grid.setHintColour(colours[files::kHints]);
    }
    for (auto& line : gridLines) line.colour = colours[files::kGridLines];
    const engine::Colour frame = frameColour();
    for (auto& line : blanks) line.colour = frame;
    gbCells->setBackground(frame);
    QPalette chrome = QApplication::palette();
    if (frame != kFrameColour) {
        // Dark window colours, so that the status line and the menus read.
        const QColor dark = platform::toQColor(frame), light(236, 236, 236);
        for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button}) chrome.setColor(role, dark);
        for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) chrome.setColor(role, light);
    }
    setPalette(chrome);
    QPalette around = centre_->palette();
    around.setColor(QPalette::Window, platform::toQColor(frame));
    centre_->setPalette(around);
    if (loaded_) platform::applyMenuBarColour(menuBar(), frame);
    updateGridAreas();
    gbCells->update();
}

engine::Colour frmMain::frameColour() const
{
    return platform::relativeLuminance(platform::toQColor(colours[files::kWorkingCell])) < 0.1 ? kDarkFrameColour
                                                                                             : kFrameColour;
}

bool frmMain::shapeMarks() const
{
    return mnuShapeMarks && mnuShapeMarks->isChecked();
}

bool frmMain::gridsEmpty() const
{
    for (int g = 0; g < numGrids; ++g)
        for (int col = 0; col < gridSize; ++col)
            for (int row = 0; row < gridSize; ++row) {
                const engine::CellControl* b = grids[static_cast<std::size_t>(g)].getbox(col, row);
                if (b && !b->text().empty()) return false;
            }
    return true;
}

void frmMain::mnuPreferences_Click()
{
    previousColours = colours;
    frmSettings dialog(dialogs(), this);
    dialog.initialise();
    dialog.setInitialColours(colours);
    const bool empty = gridsEmpty();
    if (empty) dialog.setInitialSymbols(symbols.symbols());
    dialogs().runModal(dialog);
    if (dialog.getCancel()) return;
    dialog.txColours(colours);
    // A set made for eyes that need more than colour brings the shapes.
    if (const ColourSet* set = colourSetOf(colours); set && set->marksByShape && colours != previousColours)
        mnuShapeMarks->setChecked(true);
    if (empty) {
        files::SymbolTable::Symbols chosen = symbols.symbols();
        dialog.txSymbols(chosen);
        const bool changed = chosen != symbols.symbols();
        symbols.setSymbols(chosen);
        // Marks and the history hold symbols; new symbols begin afresh.
        if (changed) game().newPuzzle();
    }
    applyColours(true);
}

files::Settings frmMain::currentSettings() const
{
    files::Settings s;
    s.colours = colours;
    s.symbols = symbols.symbols();
    s.savedRating = savedRating;
    return s;
}

bool frmMain::writeSettings(bool reportFailure)
{
    std::string why = settingsLeftAlone;
    if (why.empty() && files::saveSettings(appDir, currentSettings(), &why)) {
        settingsOnDisk = currentSettings();
        return true;
    }
    if (reportFailure)
        dialogs().message(this,
                          tr("Corvel could not write its settings file, so your symbols and colours were not "
                             "saved.\n%1")
                              .arg(QString::fromStdString(why)),
                          platform::MessageIcon::Exclamation);
    return false;
}

} // namespace mainwindow
