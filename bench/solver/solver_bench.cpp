// SPDX-License-Identifier: GPL-3.0-or-later
// Solver throughput over puzzle lists: puzzles per second for solve (solve,
// first solution), for counting solutions up to two with the solver
// (allSolutions) and with the exact counter that `count` uses, median of
// several runs. Times are CPU seconds of the running thread, so that other
// work on the machine inflates them less.
//
//   solver_bench [--runs N] [FILE...]
//
// Without files it reads the lists shipped in bench/data/ and, when present,
// the published Samurai collection next to the repository.
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "board_solving.h"
#include "puzzle_input.h"
#include "samurai_collection.h"

namespace {

struct PuzzleSet {
    std::string name;
    std::vector<files::Puzzle> puzzles;
    std::vector<std::string> solutions; // published solutions as puzzle lines, when known
};

double cpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

bool loadLines(const std::string& path, PuzzleSet& set)
{
    std::ifstream f(path, std::ios::binary);
    if (!f) return false;
    std::stringstream ss;
    ss << f.rdbuf();
    int line = 0;
    std::string reason;
    set.name = std::filesystem::path(path).filename().string();
    return files::parsePuzzleLines(ss.str(), set.puzzles, line, reason);
}

enum class Mode { Solve, SolverCount, Count };

// What the runs use, made once so that its set-up is not timed.
struct Tools {
    engine::PlainBoard board;
    engine::Solver solver;
    engine::ExactCounter counter;
    const files::SymbolTable symbols;
};

// Runs every puzzle once; returns seconds, and counts mismatches.
double runOnce(const PuzzleSet& set, Mode mode, Tools& t, int& bad)
{
    bad = 0;
    const double t0 = cpuSeconds();
    for (std::size_t i = 0; i < set.puzzles.size(); ++i) {
        files::loadGivens(t.board, set.puzzles[i]);
        if (mode == Mode::Count) {
            if (engine::countSolutions(t.counter, t.board, t.symbols) != 1) ++bad;
        } else if (mode == Mode::SolverCount) {
            engine::loadForSearch(t.board, t.symbols);
            t.solver.searching = true;
            t.solver.runFCFFP(t.board.grids, t.board.numGrids, false, true);
            if (t.solver.numSolutions != 1) ++bad;
        } else {
            if (!engine::solveBoard(t.solver, t.board, t.symbols)) ++bad;
            else if (!set.solutions.empty() && files::boardAsLine(t.board, t.symbols) != set.solutions[i]) ++bad;
        }
    }
    return cpuSeconds() - t0;
}

} // namespace

int main(int argc, char** argv)
{
    int runs = 5;
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--runs" && i + 1 < argc) runs = std::max(1, std::atoi(argv[++i]));
        else paths.push_back(a);
    }
    const std::filesystem::path here = CORVEL_BENCH_DATA;
    std::vector<PuzzleSet> sets;
    if (paths.empty()) {
        for (const char* f : {"top1465.txt", "top95.txt", "sudoku17_sample1967.txt", "samurai_small.txt"})
            paths.push_back((here / f).string());
    }
    for (const std::string& p : paths) {
        PuzzleSet s;
        if (!loadLines(p, s)) {
            std::fprintf(stderr, "solver_bench: cannot read %s\n", p.c_str());
            return 2;
        }
        sets.push_back(std::move(s));
    }
    const std::filesystem::path published = here / "../../../shared/data/samurai/samurai_janko_272.txt";
    PuzzleSet janko;
    if (std::filesystem::exists(published) && bench::loadSamuraiCollection(published.string(), janko.puzzles, janko.solutions)) {
        janko.name = "samurai_janko_272.txt";
        sets.push_back(std::move(janko));
    }

    std::printf("%-26s %8s %12s %14s %12s %6s\n", "set", "puzzles", "solve/s", "solver count/s", "count/s", "bad");
    for (const PuzzleSet& s : sets) {
        std::vector<double> rate[3];
        int bad = 0;
        const auto tools = std::make_unique<Tools>();
        for (int r = 0; r < runs; ++r)
            for (Mode m : {Mode::Solve, Mode::SolverCount, Mode::Count}) {
                int b = 0;
                rate[static_cast<int>(m)].push_back(static_cast<double>(s.puzzles.size()) / runOnce(s, m, *tools, b));
                bad += b;
            }
        std::printf("%-26s %8zu %12.0f %14.0f %12.0f %6d\n", s.name.c_str(), s.puzzles.size(), median(rate[0]),
                    median(rate[1]), median(rate[2]), bad);
    }
    return 0;
}
