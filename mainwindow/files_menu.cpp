// SPDX-License-Identifier: GPL-3.0-or-later
// Open, Save and Save As: puzzle files on the board.
//
// A file is parsed and checked as a whole before anything on the board or in
// the symbols changes, so a bad file leaves the window exactly as it was. A
// save goes to a temporary file that replaces the old one only when it is
// complete, so a failed save never destroys what was there.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <vector>

#include "frm_main.h"
#include "game_state.h"
#include "technique_aids.h"
#include "puzzle_file.h"

namespace mainwindow {

namespace {

const QString kPuzzleFilter = QStringLiteral("Sudoku Puzzle (*.sdk)");
const QString kLastFolderKey = QStringLiteral("lastFolder");

// Open lists only puzzle files, so a name typed without an extension gets
// ".sdk" ("puzzle." gets "sdk").
QString withPuzzleExtension(const QString& name)
{
    if (!QFileInfo(name).suffix().isEmpty()) return name;
    return name + (name.endsWith(QLatin1Char('.')) ? QStringLiteral("sdk") : QStringLiteral(".sdk"));
}

} // namespace

bool frmMain::readPuzzle(const QString& fileName, QString* reason)
{
    puzzleReadError = false;
    auto fail = [&](const QString& why) {
        puzzleReadError = true;
        if (reason) *reason = why;
        return false;
    };

    // Only a regular file: a directory cannot be read, and a pipe could block.
    const QFileInfo info(fileName);
    if (!info.exists()) return fail(tr("The file does not exist."));
    if (!info.isFile()) return fail(tr("It is not a regular file."));
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return fail(file.errorString());
    // Read a piece at a time, as corvel-cli does, so that any file costs
    // little memory and gets the same verdict there and here.
    files::PuzzleFileReader reader;
    std::vector<char> piece(1 << 16);
    while (!reader.failed()) {
        const qint64 n = file.read(piece.data(), static_cast<qint64>(piece.size()));
        if (n < 0) return fail(file.errorString());
        if (n == 0) break;
        reader.feed(std::string_view(piece.data(), static_cast<std::size_t>(n)));
    }
    file.close();
    const files::PuzzleParseResult parsed = reader.finish();
    if (!parsed.ok()) return fail(QString::fromStdString(parsed.error.describe()));
    applyPuzzle(*parsed.document, true);
    return true;
}

void frmMain::applyPuzzle(const files::PuzzleDocument& doc, bool withSymbols)
{
    cellEventsOn = false;
    if (withSymbols) symbols.setSymbols(doc.symbols);
    if (doc.numGrids != numGrids) {
        // Switching the board type empties every cell.
        if (doc.numGrids == 5)
            mnuSamurai_Click();
        else
            mnuStd9x9_Click();
    } else {
        // The opened puzzle is exactly the file's: no cell keeps an old entry.
        for (int g = 0; g < numGrids; ++g) grids[static_cast<std::size_t>(g)].clear();
    }
    for (const files::PuzzleRecord& r : doc.records)
        grids[static_cast<std::size_t>(r.grid)].assignValue(r.col, r.row, indexToSymbol(r.val), false);

    // The grid model holds the puzzle, as after a generation, so that Start
    // plays it rather than taking the board for an empty one.
    for (int g = 0; g < numGrids; ++g) grids[static_cast<std::size_t>(g)].initialiseForSearch();
    for (const files::PuzzleRecord& r : doc.records)
        grids[static_cast<std::size_t>(r.grid)].setDerived3x3(r.col, r.row, r.val);
    cellEventsOn = true;
    game().newPuzzle();
    aids().rateBoard();
}

bool frmMain::writePuzzle(const QString& fileName)
{
    auto fail = [&](const QString& why) {
        dialogs().message(this, tr("The puzzle could not be saved to %1:\n%2").arg(fileName, why),
                          platform::MessageIcon::Critical);
        return false;
    };

    files::PuzzleDocument doc;
    doc.symbols = symbols.symbols();
    doc.numGrids = numGrids;
    for (int g = 0; g < numGrids; ++g) {
        const engine::SudokuGrid& grid = grids[static_cast<std::size_t>(g)];
        for (int i = 0; i < gridSize; ++i)
            for (int j = 0; j < gridSize; ++j) {
                const engine::CellControl* b = grid.getbox(i, j);
                if (!b) continue;
                const std::string text = b->text();
                if (text.empty()) continue;
                const int v = symbolToIndex(text);
                // A record the reader would refuse would make the whole file
                // unreadable.
                if (v < 0)
                    return fail(tr("A cell holds \"%1\", which is not one of the nine symbols.")
                                    .arg(QString::fromStdString(text)));
                doc.records.push_back({g, i, j, v});
            }
    }

    const std::string text = files::formatPuzzle(doc);
    QSaveFile out(fileName);
    if (!out.open(QIODevice::WriteOnly)) return fail(out.errorString());
    if (out.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size())) {
        const QString why = out.errorString();
        out.cancelWriting();
        return fail(why);
    }
    if (!out.commit()) return fail(out.errorString());
    options()->setValue(kLastFolderKey, QFileInfo(fileName).absolutePath());
    return true;
}

QString frmMain::fileDialogFolder() const
{
    // Not the current folder: a start from the desktop has made that
    // Corvel's configuration folder.
    const QString last = options()->value(kLastFolderKey).toString();
    if (!last.isEmpty() && QFileInfo(last).isDir()) return last;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir()) return documents;
    return QDir::homePath();
}

void frmMain::mnuOpen_Click()
{
    // Greyed while the board is in use (updateBoardCommands); a call that
    // comes anyway must not change the board under a generation that is
    // still unwinding after Stop, or under an entry check inside its yield.
    if (generationRunning || boardRunsActive > 0) return;
    const std::optional<QString> chosen = dialogs().openFileName(this, tr("Open"), kPuzzleFilter, fileDialogFolder());
    if (!chosen || chosen->isEmpty()) return;
    openPuzzleFile(*chosen);
}

void frmMain::openPuzzleFile(const QString& name)
{
    dlgFileName.clear();
    QString reason;
    if (!readPuzzle(name, &reason)) {
        dialogs().message(this, QStringLiteral("Error in reading the file: ") + name + QStringLiteral("\n") + reason,
                          platform::MessageIcon::Critical);
        return;
    }
    // The board now shows another puzzle: Save asks for a name rather than
    // overwrite the file of an earlier Save As with it.
    currentFile.clear();
    options()->setValue(kLastFolderKey, QFileInfo(name).absolutePath());
}

void frmMain::mnuSave_Click()
{
    if (currentFile.empty()) {
        mnuSaveAs_Click();
        return;
    }
    writePuzzle(QString::fromStdString(currentFile));
}

void frmMain::mnuSaveAs_Click()
{
    const std::optional<QString> chosen = dialogs().saveFileName(
        this, tr("Save As"), kPuzzleFilter, dlgFileName.isEmpty() ? fileDialogFolder() : dlgFileName);
    if (!chosen || chosen->isEmpty()) return;
    const QString name = withPuzzleExtension(*chosen);
    dlgFileName = name;
    if (QFileInfo::exists(name) &&
        dialogs().message(this, QStringLiteral("Are you sure you want to overwrite existing ") + name,
                          platform::MessageIcon::Exclamation,
                          platform::MessageButtons::OkCancel) != platform::MessageAnswer::Ok)
        return;
    // Save uses the name only once a file was written under it.
    if (writePuzzle(name)) currentFile = name.toStdString();
}

} // namespace mainwindow
