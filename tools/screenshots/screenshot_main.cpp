// SPDX-License-Identifier: GPL-3.0-or-later
// Drives the real window on a (virtual) screen and writes PNG pictures of it:
// the splash, the standard board, the Samurai board, the Preferences dialog,
// the finish dialog, a standard game with its next step explained, one with
// its candidates filled in, a Very Difficult Samurai game in play with pencil
// marks and highlighting, the Dark colours, a zoomed Samurai board, and the
// Games and Statistics windows. Used by scripts/screenshot under xvfb-run.
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <bit>
#include <cstdio>
#include <memory>

#include "cell_numbering.h"
#include "clock.h"
#include "frm_finish.h"
#include "frm_generate.h"
#include "colour_sets.h"
#include "frm_games.h"
#include "frm_main.h"
#include "frm_statistics.h"
#include "game_journal.h"
#include "journal.h"
#include "frm_settings.h"
#include "frm_splash.h"
#include "game_state.h"
#include "random_source.h"
#include "technique_aids.h"
#include "scripted_dialogs.h"

namespace {

void settle()
{
    for (int i = 0; i < 20; ++i) platform::waitWithEvents(platform::SystemClock(), 10);
}

bool save(const QPixmap& picture, const QString& path)
{
    const bool ok = picture.save(path, "PNG");
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

// The window as the screen shows it (the X root window, cropped).
// The screen under the window, and under `also` (another window of Corvel's,
// such as the balloon of an explained step) when given.
QPixmap screenOf(QWidget& w, const QWidget* also = nullptr)
{
    QScreen* screen = QGuiApplication::primaryScreen();
    QRect r = w.frameGeometry();
    if (also && also->isVisible()) r = r.united(also->frameGeometry());
    QPixmap shot = screen->grabWindow(0, r.x(), r.y(), r.width(), r.height());
    return shot.isNull() ? w.grab() : shot;
}

void put(mainwindow::frmMain& w, int cell, const std::string& text)
{
    engine::CellControl& c = *w.textCells[static_cast<std::size_t>(cell)];
    c.setText(text);
}

// The solution of the board's puzzle, by cell: solved on copies of the grids,
// so the cells do not change.
std::vector<int> solutionOf(mainwindow::frmMain& w)
{
    engine::GridSlots grids = w.grids;
    for (int g = 0; g < w.numGrids; ++g) {
        engine::SudokuGrid& grid = grids[static_cast<std::size_t>(g)];
        grid.initialiseForSearch();
        for (int c = 0; c < 9; ++c)
            for (int r = 0; r < 9; ++r) {
                const std::string text = grid.getbox(c, r)->text();
                if (!text.empty()) grid.setDerived3x3(c, r, w.symbolToIndex(text));
            }
    }
    engine::Solver solver;
    solver.runFCFFP(grids, w.numGrids, true, false);
    std::vector<int> solution(mainwindow::kCellCount, -1);
    for (int g = 0; g < w.numGrids; ++g)
        for (int c = 0; c < 9; ++c)
            for (int r = 0; r < 9; ++r)
                solution[static_cast<std::size_t>(mainwindow::cellIndex(g, c, r))] =
                    grids[static_cast<std::size_t>(g)].getDerived3x3(c, r);
    return solution;
}

// A Very Difficult Samurai game half played: entries typed, one hint, the
// candidates the entries leave noted in every empty cell that has four or
// fewer, and the focus on an entry of the box the top-left grid shares with
// the centre, so that its symbol and its units show highlighted in both grids.
// Writes the whole window and a close-up of the shared box at twice the size.
bool playPictures(mainwindow::frmMain& w, platform::ScriptedDialogs& dialogs, const QString& out)
{
    w.mnuSamurai_Click();
    w.generatorRandom = std::make_shared<generator::SeededRandom>(7);
    dialogs.modalScripts.push_back([](QDialog& d) {
        auto& g = dynamic_cast<mainwindow::frmGenerate&>(d);
        g.rbSamurai->click();
        g.rbImpossible->click();
        g.btnCreate->click();
    });
    w.mnuGenerate_Click();
    w.imgStart_MouseDown(0);
    w.imgStart_MouseUp(0);
    const std::vector<int> solution = solutionOf(w);

    auto text = [&](int i) { return w.textCells[static_cast<std::size_t>(i)]->QLineEdit::text(); };
    for (int i = 0; i < mainwindow::kCellCount; ++i)
        if (text(i).isEmpty() && i % 3 == 0)
            w.textCells[static_cast<std::size_t>(i)]->QLineEdit::setText(
                QString::fromStdString(w.indexToSymbol(solution[static_cast<std::size_t>(i)])));
    w.imgHint_MouseDown(0);
    w.imgHint_MouseUp(0);
    for (int i = 0; i < mainwindow::kCellCount; ++i) {
        if (!text(i).isEmpty()) continue;
        std::uint16_t seen = 0;
        const auto units = mainwindow::unitsOf(i, w.numGrids);
        for (int j = 0; j < mainwindow::kCellCount; ++j)
            if (units[static_cast<std::size_t>(j)] && !text(j).isEmpty())
                seen |= static_cast<std::uint16_t>(1u << w.symbolToIndex(text(j).toStdString()));
        if (std::popcount(static_cast<unsigned>(seen)) < 5) continue;
        for (int v = 0; v < 9; ++v)
            if (!(seen >> v & 1u)) w.game().toggleMark(i, v);
    }
    int focus = 60;
    for (int i : {60, 61, 62, 69, 70, 71, 78, 79, 80})
        if (!text(i).isEmpty()) {
            focus = i;
            break;
        }
    w.activateWindow();
    w.textCells[static_cast<std::size_t>(focus)]->setFocus();
    settle();
    bool ok = save(screenOf(w), out + "/samurai_play.png");

    // Board rows and columns 3 to 11: the shared box with the boxes around it
    // in both grids, drawn at twice the size so that the marks read well.
    const QRect first = w.textCells[static_cast<std::size_t>(mainwindow::cellAtBoard(3, 3, 5))]->geometry();
    const QRect last = w.textCells[static_cast<std::size_t>(mainwindow::cellAtBoard(11, 11, 5))]->geometry();
    const QRect area = QRect(first.topLeft(), last.bottomRight()).adjusted(-2, -2, 2, 2);
    QPixmap closeUp(area.size() * 2);
    closeUp.setDevicePixelRatio(2);
    w.gbCells->render(&closeUp, QPoint(), QRegion(area));
    closeUp.setDevicePixelRatio(1);
    ok &= save(closeUp, out + "/play_closeup.png");
    return ok;
}

// A standard game where the player's entries have left an X-Wing as the
// easiest step, explained: the puzzle's rating under the buttons, the step in
// the status line and whole in the balloon under the window, its pattern
// framed in violet and the candidates it removes struck out in red. Writes
// the window and the board at twice the size.
bool explainPictures(mainwindow::frmMain& w, const QString& out)
{
    const std::string puzzle = "..1.....8.6.1..5.......3..4..5..61.7....1.9..8....54..74................93.74.6.5";
    const std::string position = ".91..7368.6.1..579587..3214.25..618767..1.952819275436746..2891152..9743938741625";
    w.mnuStd9x9_Click();
    for (std::size_t k = 0; k < puzzle.size(); ++k)
        if (puzzle[k] != '.') put(w, static_cast<int>(k), std::string(1, puzzle[k]));
    w.imgStart_MouseDown(0);
    w.imgStart_MouseUp(0);
    for (std::size_t k = 0; k < puzzle.size(); ++k)
        if (puzzle[k] != position[k])
            w.textCells[k]->QLineEdit::setText(QString(QChar(position[k])));
    w.activateWindow();
    w.textCells[58]->setFocus();
    settle();
    w.aids().explainNextStep();
    settle();
    bool ok = save(screenOf(w, w.findChild<QLabel*>(QStringLiteral("stepBalloon"))), out + "/explain.png");
    QPixmap board(w.gbCells->size() * 2);
    board.setDevicePixelRatio(2);
    w.gbCells->render(&board);
    board.setDevicePixelRatio(1);
    ok &= save(board, out + "/explain_board.png");
    w.imgStart_MouseDown(0);
    w.imgStart_MouseUp(0);
    return ok;
}

// The Games and Statistics windows over a made-up history of finished games
// (the games the pictures above started are the unfinished ones).
bool journalPictures(mainwindow::frmMain& w, platform::Dialogs& dialogs, const QString& out)
{
    journal::Journal* j = w.journal().journal();
    if (!j) return false;
    const std::int64_t day = 24 * 3600 * 1000;
    const std::int64_t start = QDateTime::currentMSecsSinceEpoch() - 30 * day;
    const int standard[] = {912, 840, 875, 798, 830, 770, 655, 702, 690, 640, 668, 615};
    const int samurai[] = {3120, 2890, 2710, 2805, 2544};
    int n = 0;
    for (int s : standard) j->finish(0, {1, "Medium", 21, s, n % 4 == 0, n % 3, false, start + day * n++});
    j->finish(0, {1, "Hard", 31, 1500, 2, 1, true, start + day * n++});
    for (int s : samurai) j->finish(0, {5, "Hard", 42, s, 1, 0, false, start + day * n++});
    bool ok = true;
    {
        mainwindow::frmGames games(w.journal(), &w);
        games.show();
        settle();
        ok &= save(games.grab(), out + "/games.png");
    }
    {
        mainwindow::frmStatistics stats(*j, dialogs, &w);
        stats.show();
        settle();
        ok &= save(stats.grab(), out + "/statistics.png");
    }
    return ok;
}

// A standard game with every candidate noted by Edit > Fill In Candidates.
bool candidatesPicture(mainwindow::frmMain& w, const QString& out)
{
    const std::string puzzle = "..53.....8......2..7..1.5..4....53...1..7...6..32...8..6.5....9..4....3......97..";
    w.mnuStd9x9_Click();
    w.imgClear_MouseDown(0);
    w.imgClear_MouseUp(0);
    for (std::size_t k = 0; k < puzzle.size(); ++k)
        if (puzzle[k] != '.') put(w, static_cast<int>(k), std::string(1, puzzle[k]));
    w.imgStart_MouseDown(0);
    w.imgStart_MouseUp(0);
    w.game().mnuFillCandidates->trigger();
    w.activateWindow();
    w.textCells[0]->setFocus();
    settle();
    const bool ok = save(screenOf(w), out + "/candidates.png");
    w.imgStart_MouseDown(0);
    w.imgStart_MouseUp(0);
    return ok;
}

// The Dark colour set with wrong entries and hints marked by shape, on a
// standard game; then a Samurai board zoomed as far as the screen allows (at
// most one and a half times). Leaves the window at its normal size and colours.
bool scaleAndColourPictures(mainwindow::frmMain& w, const QString& out)
{
    const files::Colours normal = w.colours;
    w.mnuStd9x9_Click();
    w.imgClear_MouseDown(0);
    w.imgClear_MouseUp(0);
    w.previousColours = w.colours;
    w.colours = mainwindow::colourSets().at(1).colours;
    w.applyColours(true);
    w.mnuShapeMarks->setChecked(true);
    const std::string puzzle = "..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..";
    for (std::size_t k = 0; k < puzzle.size(); ++k)
        if (puzzle[k] != '.') put(w, static_cast<int>(k), std::string(1, puzzle[k]));
    w.imgStart_MouseDown(0);
    w.imgStart_MouseUp(0);
    w.textCells[0]->QLineEdit::setText(QStringLiteral("4"));
    w.textCells[1]->QLineEdit::setText(QStringLiteral("8"));
    w.textCells[19]->QLineEdit::setText(QStringLiteral("2"));
    w.imgHint_MouseDown(0);
    w.imgHint_MouseUp(0);
    w.activateWindow();
    w.textCells[19]->setFocus();
    settle();
    bool ok = save(screenOf(w), out + "/dark.png");
    w.imgStart_MouseDown(0);
    w.imgStart_MouseUp(0);
    w.imgClear_MouseDown(0);
    w.imgClear_MouseUp(0);

    w.previousColours = w.colours;
    w.colours = normal;
    w.applyColours(true);
    w.mnuShapeMarks->setChecked(false);
    w.mnuSamurai_Click();
    put(w, 60, "7");
    put(w, 340, "2");
    const QSize room = QGuiApplication::primaryScreen()->availableGeometry().size() - QSize(20, 60);
    w.setScale(std::min(1.5, w.scaleToFit(room)));
    settle();
    ok &= save(screenOf(w), out + "/samurai_zoomed.png");
    w.setScale(1.0);
    w.imgClear_MouseDown(0);
    w.imgClear_MouseUp(0);
    settle();
    return ok;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
    QDir().mkpath(out);
    QTemporaryDir settingsDir;

    platform::ScriptedDialogs dialogs;
    platform::SystemClock clock;
    mainwindow::Services services;
    services.dialogs = &dialogs;
    services.clock = &clock;
    services.splashMilliseconds = 0;
    services.appDir = settingsDir.path().toStdString();
    services.optionsFile = settingsDir.filePath(QStringLiteral("options.ini")).toStdString();
    services.journalDir = settingsDir.filePath(QStringLiteral("journal")).toStdString();

    bool ok = save(QPixmap::fromImage(mainwindow::frmSplash::picture()), out + "/splash.png");

    mainwindow::frmMain w(services);
    w.Form_Load();
    w.move(10, 10);
    w.show();
    settle();
    // A few symbols so that the picture shows readable cells, a given and a hint.
    put(w, 0, "5");
    w.textCells[0]->setBackground(w.colours[files::kKnownCell]);
    put(w, 12, "8");
    put(w, 40, "3");
    w.textCells[40]->setBackground(w.colours[files::kHints]);
    settle();
    ok &= save(screenOf(w), out + "/standard.png");

    w.mnuSamurai_Click();
    put(w, 60, "7");
    put(w, 340, "2");
    settle();
    const bool small = w.cellSize == mainwindow::frmMain::kSmallCell;
    ok &= save(screenOf(w), out + (small ? "/samurai_small.png" : "/samurai_large.png"));

    w.mnuStd9x9_Click();
    settle();
    ok &= save(screenOf(w), out + (small ? "/standard_after_samurai_small.png" : "/standard_after_samurai.png"));

    {
        mainwindow::frmSettings prefs(dialogs, &w);
        prefs.initialise();
        prefs.setInitialColours(w.colours);
        prefs.setInitialSymbols(w.symbols.symbols());
        prefs.show();
        settle();
        ok &= save(prefs.grab(), out + "/preferences.png");
    }
    {
        auto* finish = new mainwindow::frmFinish(&w);
        finish->numHints = 3;
        finish->solvingTime = 125;
        finish->show();
        settle();
        ok &= save(finish->grab(), out + "/finish.png");
        finish->close();
    }
    ok &= scaleAndColourPictures(w, out);
    ok &= explainPictures(w, out);
    ok &= candidatesPicture(w, out);
    ok &= playPictures(w, dialogs, out);
    ok &= journalPictures(w, dialogs, out);
    return ok ? 0 : 1;
}
