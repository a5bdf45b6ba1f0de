// SPDX-License-Identifier: GPL-3.0-or-later
// Timings of play in the real window, offscreen, on generated Very Difficult
// Samurai puzzles (seeds 1..N):
//   - an entry check: one more correct (and one wrong) entry typed on a board
//     with 150 consistent entries (the change handler, checking on, Setup
//     mode);
//   - a hint on that board (Solving mode);
//   - Get Solution on the puzzle's givens, yields and the writing of the
//     moves included; also with a real yield at every call and with none, to
//     show what the throttle saves.
// With --ratings FILE (puzzle lines of 81 or 405 characters) it times, for
// each puzzle instead, how long the window takes to show its rating once the
// puzzle is on the board: givens read off the board, solution count, the
// rating on the worker thread and the label written (wall time).
// With --generate N it times File > Generate of N Very Difficult Samurai
// puzzles (one seeded random stream) from Create until the command returns,
// and counts those whose rating shows as it returns.
//
//   play_bench [--puzzles N] [--ratings FILE] [--generate N]
#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "board_run.h"
#include "cell_numbering.h"
#include "clock.h"
#include "frm_generate.h"
#include "frm_main.h"
#include "generator.h"
#include "plain_board.h"
#include "plain_generator_board.h"
#include "puzzle_input.h"
#include "random_source.h"
#include "scripted_dialogs.h"
#include "technique_aids.h"

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t0)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

double median(std::vector<double> v)
{
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double percentile99(std::vector<double> v)
{
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, (v.size() * 99 + 99) / 100 - 1)];
}

double maximum(const std::vector<double>& v)
{
    return v.empty() ? 0 : *std::max_element(v.begin(), v.end());
}

// A puzzle and its solution as value indices (-1 empty) per grid cell.
struct Puzzle {
    std::array<std::array<int, 81>, 5> givens{};
    std::array<std::array<int, 81>, 5> solution{};
};

Puzzle generate(std::uint64_t seed)
{
    engine::Solver solver;
    generator::SeededRandom random(seed);
    generator::SteadyClock clock;
    files::SymbolTable symbols;
    engine::PlainBoard board;
    generator::PlainGeneratorBoard target(board, symbols);
    generator::Generator gen(solver, random, clock);
    gen.generatePuzzle(target, 2, 3);

    Puzzle p;
    for (int g = 0; g < 5; ++g)
        for (int k = 0; k < 81; ++k) {
            const std::string t = board.cell(g, k % 9, k / 9).text();
            p.givens[static_cast<std::size_t>(g)][static_cast<std::size_t>(k)] = symbols.symbolToIndex(t);
        }
    board.numGrids = 5;
    board.loadForSearch([&](const std::string& s) { return symbols.symbolToIndex(s); });
    solver.searching = true;
    if (!solver.runFCFFP(board.grids, 5, true, false)) std::fprintf(stderr, "seed %llu: no solution\n",
                                                                   static_cast<unsigned long long>(seed));
    for (int g = 0; g < 5; ++g)
        for (int k = 0; k < 81; ++k)
            p.solution[static_cast<std::size_t>(g)][static_cast<std::size_t>(k)] =
                board.grids[static_cast<std::size_t>(g)].getDerived3x3(k % 9, k / 9);
    return p;
}

// Shows the puzzle's givens, written as the system writes (no checks).
void show(mainwindow::frmMain& w, const Puzzle& p)
{
    w.cellEventsOn = false;
    for (platform::TextCell* c : w.textCells) {
        static_cast<engine::CellControl&>(*c).setText("");
        c->setBackground(w.colours[files::kWorkingCell]);
    }
    for (int g = 0; g < 5; ++g)
        for (int k = 0; k < 81; ++k) {
            const int v = p.givens[static_cast<std::size_t>(g)][static_cast<std::size_t>(k)];
            if (v >= 0) w.grids[static_cast<std::size_t>(g)].assignValue(k % 9, k / 9, w.indexToSymbol(v), false);
        }
    w.cellEventsOn = true;
}

// The solution's symbol of a cell (any grid that holds it).
int solutionAt(const Puzzle& p, int cell)
{
    for (int g = 0; g < 5; ++g)
        for (int k = 0; k < 81; ++k)
            if (mainwindow::cellIndex(g, k % 9, k / 9) == cell)
                return p.solution[static_cast<std::size_t>(g)][static_cast<std::size_t>(k)];
    return -1;
}

// Times the rating of every puzzle of a file of puzzle lines as the window
// shows it; returns the process's exit status.
int timeRatings(mainwindow::frmMain& w, const char* path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::vector<files::Puzzle> puzzles;
    int errorLine = 0;
    std::string reason;
    if (!in || !files::parsePuzzleLines(text.str(), puzzles, errorLine, reason)) {
        std::fprintf(stderr, "%s: line %d: %s\n", path, errorLine, reason.c_str());
        return 1;
    }
    // A player takes a moment after the window opens before a puzzle is on
    // the board; the rating worker sets itself up meanwhile.
    const auto opened = Clock::now();
    while (msSince(opened) < 1000) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    std::vector<double> times;
    for (const files::Puzzle& puzzle : puzzles) {
        if (puzzle.doc.numGrids != w.numGrids) {
            if (puzzle.doc.numGrids == 5)
                w.mnuSamurai_Click();
            else
                w.mnuStd9x9_Click();
        }
        Puzzle p;
        for (auto& grid : p.givens) grid.fill(-1);
        for (const files::PuzzleRecord& r : puzzle.doc.records)
            p.givens[static_cast<std::size_t>(r.grid)][static_cast<std::size_t>(r.row * 9 + r.col)] = r.val;
        show(w, p);
        QApplication::processEvents();
        const auto t0 = Clock::now();
        w.aids().rateBoard();
        while (w.aids().shownRating() < 0 && msSince(t0) < 60000) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        times.push_back(msSince(t0));
        if (w.aids().shownRating() < 0) std::fprintf(stderr, "line %d: no rating shown\n", puzzle.line);
    }
    const double p99 = percentile99(times);
    std::printf("%s: %zu puzzles, rating shown after median %.2f ms, p99 %.2f ms, max %.2f ms (wall)\n", path,
                times.size(), median(times), p99, maximum(times));
    return 0;
}

// Times File > Generate in the window; returns the process's exit status.
int timeGenerate(mainwindow::frmMain& w, platform::ScriptedDialogs& dialogs, int count)
{
    w.generatorRandom = std::make_shared<generator::SeededRandom>(1);
    std::vector<double> times;
    int rated = 0;
    for (int i = 0; i < count; ++i) {
        dialogs.modalScripts.push_back([](QDialog& d) {
            auto& g = dynamic_cast<mainwindow::frmGenerate&>(d);
            g.rbSamurai->click();
            g.rbImpossible->click();
            g.btnCreate->click();
        });
        const auto t0 = Clock::now();
        w.mnuGenerate->trigger();
        times.push_back(msSince(t0));
        if (!w.aids().ratingPending() && w.aids().shownRating() >= 0) ++rated;
        // A rating still running ends before the next Generate is timed.
        platform::waitWithEvents([&] { return !w.aids().ratingPending(); });
    }
    const double p99 = percentile99(times);
    std::printf("Generate, Samurai Very Difficult: %zu puzzles, median %.2f ms, p99 %.2f ms, max %.2f ms (wall); "
                "%d shown rated as Generate returns\n",
                times.size(), median(times), p99, maximum(times), rated);
    return 0;
}

bool isGiven(const Puzzle& p, int cell)
{
    for (int g = 0; g < 5; ++g)
        for (int k = 0; k < 81; ++k)
            if (mainwindow::cellIndex(g, k % 9, k / 9) == cell &&
                p.givens[static_cast<std::size_t>(g)][static_cast<std::size_t>(k)] >= 0)
                return true;
    return false;
}

void setCell(mainwindow::frmMain& w, int cell, const std::string& text, bool asUser)
{
    const bool saved = w.cellEventsOn;
    w.cellEventsOn = asUser;
    static_cast<engine::CellControl&>(*w.textCells[static_cast<std::size_t>(cell)]).setText(text);
    if (!asUser) w.textCells[static_cast<std::size_t>(cell)]->setBackground(w.colours[files::kWorkingCell]);
    w.cellEventsOn = saved;
}

} // namespace

int main(int argc, char** argv)
{
    int puzzles = 9;
    const char* ratings = nullptr;
    int generations = 0;
    for (int i = 1; i < argc; ++i)
        if (!std::strcmp(argv[i], "--puzzles") && i + 1 < argc)
            puzzles = std::max(1, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--ratings") && i + 1 < argc)
            ratings = argv[++i];
        else if (!std::strcmp(argv[i], "--generate") && i + 1 < argc)
            generations = std::max(1, std::atoi(argv[++i]));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QTemporaryDir dir;
    platform::ScriptedDialogs dialogs;
    platform::SystemClock clock;
    mainwindow::Services services;
    services.dialogs = &dialogs;
    services.clock = &clock;
    services.splashMilliseconds = 0;
    services.screenHeightPixels = 1024;
    services.appDir = dir.path().toStdString();
    services.optionsFile = dir.filePath(QStringLiteral("options.ini")).toStdString();
    services.journalDir = dir.filePath(QStringLiteral("journal")).toStdString();
    mainwindow::frmMain w(services);
    w.Form_Load();
    w.mnuSamurai_Click();
    w.show();
    QApplication::processEvents();
    if (ratings) return timeRatings(w, ratings);
    if (generations) return timeGenerate(w, dialogs, generations);

    std::vector<double> checks, wrongChecks, hints, solveThrottled, solveEveryCall, solveNoYield;
    std::vector<int> givensCounts;
    long realYields = 0, skippedYields = 0;
    const auto throttled = w.solver.yield;

    for (int n = 1; n <= puzzles; ++n) {
        const Puzzle p = generate(static_cast<std::uint64_t>(n));
        show(w, p);
        std::vector<int> open;
        int entries = 0;
        for (int cell = 0; cell < mainwindow::kCellCount; ++cell) {
            if (isGiven(p, cell))
                ++entries;
            else
                open.push_back(cell);
        }
        givensCounts.push_back(entries);
        // Fill solution cells, spread over the board, up to 150 entries.
        std::size_t next = 0;
        const std::size_t stride = 7;
        std::vector<bool> used(open.size(), false);
        for (std::size_t i = 0; entries < 150 && i < open.size(); ++i) {
            next = (next + stride) % open.size();
            while (used[next]) next = (next + 1) % open.size();
            used[next] = true;
            setCell(w, open[next], w.indexToSymbol(solutionAt(p, open[next])), false);
            ++entries;
        }
        std::vector<int> probes;
        for (std::size_t i = 0; i < open.size() && probes.size() < 20; ++i)
            if (!used[i]) probes.push_back(open[i]);

        // Entry checks: Setup mode, checking on.
        w.mode = mainwindow::kSetup;
        for (int cell : probes) {
            const std::string right = w.indexToSymbol(solutionAt(p, cell));
            QApplication::processEvents();
            const auto t0 = Clock::now();
            setCell(w, cell, right, true);
            checks.push_back(msSince(t0));
            if (w.textCells[static_cast<std::size_t>(cell)]->background() == mainwindow::kWrongEntryColour)
                std::fprintf(stderr, "a correct entry was flagged\n");
            setCell(w, cell, "", false);

            // A wrong symbol: the check must prove that nothing completes.
            const std::string wrong = w.indexToSymbol((solutionAt(p, cell) + 1) % 9);
            QApplication::processEvents();
            const auto t1 = Clock::now();
            setCell(w, cell, wrong, true);
            wrongChecks.push_back(msSince(t1));
            if (w.textCells[static_cast<std::size_t>(cell)]->background() != mainwindow::kWrongEntryColour)
                std::fprintf(stderr, "a wrong entry was not flagged\n");
            setCell(w, cell, "", false);
        }

        // Hints: Solving mode.
        w.mode = mainwindow::kSolving;
        for (int i = 0; i < 10; ++i) {
            QApplication::processEvents();
            const int before = w.hintsUsed;
            const auto t0 = Clock::now();
            w.giveHint();
            hints.push_back(msSince(t0));
            if (w.hintsUsed != before + 1) std::fprintf(stderr, "no hint given\n");
        }
        w.mode = mainwindow::kSetup;

        // Get Solution on the givens, three ways of yielding.
        struct Way {
            std::vector<double>* times;
            engine::Solver::YieldFn yield;
        };
        const Way ways[] = {{&solveNoYield, nullptr},
                            {&solveEveryCall, [] { QApplication::processEvents(); }},
                            {&solveThrottled, throttled}};
        for (const Way& way : ways) {
            show(w, p);
            w.solver.yield = way.yield;
            QApplication::processEvents();
            const long r0 = w.yieldThrottle.realYields(), s0 = w.yieldThrottle.skippedYields();
            const auto t0 = Clock::now();
            w.imgFindSolution_MouseUp(0);
            way.times->push_back(msSince(t0));
            if (way.times == &solveThrottled) {
                realYields += w.yieldThrottle.realYields() - r0;
                skippedYields += w.yieldThrottle.skippedYields() - s0;
            }
            for (platform::TextCell* c : w.textCells)
                if (static_cast<engine::CellControl&>(*c).text().empty()) std::fprintf(stderr, "unsolved cell\n");
        }
        w.solver.yield = throttled;
    }

    std::printf("Samurai, Very Difficult, %d generated puzzles (seeds 1..%d), givens median %d\n", puzzles,
                puzzles, static_cast<int>(median(std::vector<double>(givensCounts.begin(), givensCounts.end()))));
    std::printf("%-44s %9s %9s %6s\n", "", "median ms", "max ms", "runs");
    auto row = [](const char* name, const std::vector<double>& v) {
        std::printf("%-44s %9.2f %9.2f %6zu\n", name, median(v), maximum(v), v.size());
    };
    row("entry check, 150 entries (change handler)", checks);
    row("entry check of a wrong symbol, 150 entries", wrongChecks);
    row("hint, 150+ entries", hints);
    row("Get Solution, throttled yield", solveThrottled);
    row("Get Solution, event loop at every yield", solveEveryCall);
    row("Get Solution, no yield", solveNoYield);
    std::printf("throttled Get Solution yields: %ld real, %ld skipped\n", realYields, skippedYields);
    return 0;
}
