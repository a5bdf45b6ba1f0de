// Solver throughput over puzzle lists: puzzles per second for solve (solve,
// first solution) and count (all solutions up to two), median of several runs.
//
//   solver_bench [--runs N] [FILE...]
//
// Without files it reads the lists shipped in bench/data/ and, when present,
// the published Samurai collection next to the repository.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "board_solving.h"
#include "puzzle_input.h"
#include "samurai_collection.h"

namespace {

struct PuzzleSet {
    std::string name;
    std::vector<cli::Puzzle> puzzles;
    std::vector<std::string> solutions; // published solutions as puzzle lines, when known
};

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
    return cli::parsePuzzleLines(ss.str(), set.puzzles, line, reason);
}

// Runs every puzzle once; returns seconds, and counts mismatches.
double runOnce(const PuzzleSet& set, bool count, int& bad)
{
    engine::PlainBoard board;
    engine::Solver solver;
    const files::SymbolTable symbols;
    bad = 0;
    const auto t0 = std::chrono::steady_clock::now();
    for (std::size_t i = 0; i < set.puzzles.size(); ++i) {
        cli::loadGivens(board, set.puzzles[i]);
        if (count) {
            if (cli::countSolutions(solver, board, symbols) != 1) ++bad;
        } else {
            if (!cli::solveBoard(solver, board, symbols)) ++bad;
            else if (!set.solutions.empty() && cli::boardAsLine(board, symbols) != set.solutions[i]) ++bad;
        }
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
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

    std::printf("%-26s %8s %14s %14s %6s\n", "set", "puzzles", "solve/s", "count/s", "bad");
    for (const PuzzleSet& s : sets) {
        std::vector<double> solveRate, countRate;
        int badSolve = 0, badCount = 0;
        for (int r = 0; r < runs; ++r) {
            solveRate.push_back(static_cast<double>(s.puzzles.size()) / runOnce(s, false, badSolve));
            countRate.push_back(static_cast<double>(s.puzzles.size()) / runOnce(s, true, badCount));
        }
        std::printf("%-26s %8zu %14.0f %14.0f %6d\n", s.name.c_str(), s.puzzles.size(), median(solveRate),
                    median(countRate), badSolve + badCount);
    }
    return 0;
}
