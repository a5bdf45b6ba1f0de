// SPDX-License-Identifier: GPL-3.0-or-later
// Copy Puzzle and Paste Puzzle: the board's puzzle through the clipboard, as
// a puzzle line (what corvel-cli reads and writes) and as puzzle-file text.
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QTimer>

#include "frm_main.h"
#include "game_state.h"
#include "plain_board.h"
#include "puzzle_input.h"

namespace mainwindow {

const QString frmMain::kPuzzleMimeType = QStringLiteral("application/x-corvel-sdk");

void frmMain::createClipboardCommands()
{
    QMenu* edit = game().mnuEdit;
    QAction* first = edit->actions().value(0);
    // Ctrl+C and Ctrl+V stay with the focused cell's text.
    mnuCopyPuzzle = new QAction(tr("Copy Puzzle"), edit);
    mnuCopyPuzzle->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    mnuPastePuzzle = new QAction(tr("Paste Puzzle"), edit);
    mnuPastePuzzle->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
    edit->insertActions(first, {mnuCopyPuzzle, mnuPastePuzzle});
    edit->insertSeparator(first);
    connect(mnuCopyPuzzle, &QAction::triggered, this, &frmMain::mnuCopyPuzzle_Click);
    connect(mnuPastePuzzle, &QAction::triggered, this, &frmMain::mnuPastePuzzle_Click);
}

void frmMain::mnuCopyPuzzle_Click()
{
    // The givens are the puzzle; a board typed in but not yet started has
    // none, and its entries are the puzzle.
    bool anyGiven = false;
    for (int g = 0; g < numGrids; ++g)
        for (int i = 0; i < 9; ++i)
            for (int j = 0; j < 9; ++j) anyGiven = anyGiven || grids[static_cast<std::size_t>(g)].isGiven(i, j);
    engine::PlainBoard board;
    board.numGrids = numGrids;
    for (int g = 0; g < numGrids; ++g)
        for (int i = 0; i < 9; ++i)
            for (int j = 0; j < 9; ++j) {
                const engine::SudokuGrid& grid = grids[static_cast<std::size_t>(g)];
                const engine::CellControl* b = grid.getbox(i, j);
                if (b && (!anyGiven || grid.isGiven(i, j))) board.cell(g, i, j).setText(b->text());
            }
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(files::boardAsLine(board, symbols) + "\n"));
    const std::string file = files::formatPuzzle(files::boardAsDocument(board, symbols));
    data->setData(kPuzzleMimeType, QByteArray(file.data(), static_cast<qsizetype>(file.size())));
    QGuiApplication::clipboard()->setMimeData(data);
}

void frmMain::mnuPastePuzzle_Click()
{
    // As Open: never under a generation or a solver run over the board.
    auto busy = [this] { return generationRunning || boardRunsActive > 0 || (mode != kSetup && mode != kSolving); };
    if (busy()) return;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data) return;
    const QByteArray bytes = data->hasFormat(kPuzzleMimeType) ? data->data(kPuzzleMimeType) : data->text().toUtf8();
    const files::PuzzleText parsed = files::parsePuzzleText(std::string_view(bytes.constData(), bytes.size()));
    if (!parsed.result.ok()) {
        dialogs().message(this,
                          tr("Error in reading the puzzle on the clipboard:") + QStringLiteral("\n") +
                              QString::fromStdString(parsed.result.error.describe()),
                          platform::MessageIcon::Critical);
        return;
    }
    if (mode == kSolving) {
        if (dialogs().message(this, tr("Paste the puzzle on the clipboard and end the game in progress?"),
                              platform::MessageIcon::Exclamation,
                              platform::MessageButtons::OkCancel) != platform::MessageAnswer::Ok)
            return;
        // The question ran the event loop: look again.
        if (busy()) return;
        if (mode == kSolving) {
            timStopwatch->stop();
            mode = kSetup;
            updateButtons();
        }
    }
    applyPuzzle(*parsed.result.document, parsed.format == files::InputFormat::PuzzleFile);
    currentFile.clear();
}

} // namespace mainwindow
