// SPDX-License-Identifier: GPL-3.0-or-later
// Printing: the File menu's Print Large and Print Small draw the board on one
// page through the printer the user picks.
#include <QPrinter>

#include "frm_main.h"
#include "painter_page_surface.h"
#include "print_layout.h"

namespace mainwindow {

void frmMain::mnuPrintLarge_Click()
{
    printPuzzle(files::kLargePrint.scale, files::kLargePrint.fontSize);
}

void frmMain::mnuPrintSmall_Click()
{
    printPuzzle(files::kSmallPrint.scale, files::kSmallPrint.fontSize);
}

void frmMain::printPuzzle(double scale, int fontSize)
{
    // The File menu is live in Setup mode only; its shortcut must not reach
    // past that while a game, a solve or a generation runs.
    if (mode != kSetup) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true); // the drawing measures from the paper's corner
    printer.setDocName(QStringLiteral("Corvel"));
    if (!dialogs().choosePrinter(this, printer)) return;
    printBoardOn(printer, scale, fontSize);
}

bool frmMain::printBoardOn(QPrinter& printer, double scale, int fontSize)
{
    const files::PrintBoard board = files::PrintBoard::fromGrids(grids, numGrids);
    platform::PainterPageSurface page(printer);
    if (!page.started()) return false;
    return files::printPuzzle(page, board, {scale, fontSize});
}

} // namespace mainwindow
