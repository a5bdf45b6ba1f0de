// SPDX-License-Identifier: GPL-3.0-or-later
// Generation time per board type and level over a range of seeds: median, 90th
// and 99th percentile and maximum (CPU time) of the whole generation, the
// slowest seed, median and 90th percentile of its parts (the per-grid
// searches, the thinning pass, the final check), and how the attempts ended.
//
//   generate_bench [--seeds N] [--first S] [--board standard|samurai|all]
//                  [--level easy|testing|very-difficult|all]
#include <algorithm>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "generator.h"
#include "plain_board.h"
#include "plain_generator_board.h"

namespace {

// Times are CPU seconds of the running thread, so that other work on the
// machine does not inflate them; the thinning pass gets the same clock.
double cpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

class CpuClock final : public generator::Clock {
public:
    double seconds() override { return cpuSeconds(); }
};

struct Sample {
    double total = 0, thinning = 0, check = 0;
    generator::GenerationStats stats;
    bool unique = false;
};

double percentile(std::vector<double> v, double q)
{
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    // Nearest rank.
    auto idx = static_cast<std::size_t>(q * static_cast<double>(v.size()) + 0.999999) - 1;
    return v[std::min(idx, v.size() - 1)];
}

Sample runOne(int type, int rating, std::uint64_t seed)
{
    engine::Solver solver;
    generator::SeededRandom random(seed);
    CpuClock clock;
    files::SymbolTable symbols;
    engine::PlainBoard board;
    generator::PlainGeneratorBoard target(board, symbols);
    generator::Generator gen(solver, random, clock);

    Sample s;
    const double t0 = cpuSeconds();
    gen.generatePuzzle(target, type, rating);
    const double t1 = cpuSeconds();
    s.unique = gen.testPuzzle(target);
    const double t2 = cpuSeconds();
    s.total = t2 - t0;
    s.check = t2 - t1;
    s.thinning = gen.stats.thinningSeconds;
    s.stats = gen.stats;
    return s;
}

const char* kLevels[] = {"easy", "testing", "very-difficult"};

} // namespace

int main(int argc, char** argv)
{
    int seeds = 200;
    std::uint64_t first = 1;
    std::string boardArg = "all", levelArg = "all";
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--seeds")) seeds = std::max(1, std::atoi(argv[i + 1]));
        else if (!std::strcmp(argv[i], "--first")) first = std::strtoull(argv[i + 1], nullptr, 10);
        else if (!std::strcmp(argv[i], "--board")) boardArg = argv[i + 1];
        else if (!std::strcmp(argv[i], "--level")) levelArg = argv[i + 1];
    }

    std::printf("%-8s %-15s %5s | %9s %9s %9s %9s %6s | %9s %9s | %9s %9s | %9s %9s | %8s %7s %7s %7s %6s %4s\n", "board",
                "level", "seeds", "med ms", "p90 ms", "p99 ms", "max ms", "slow", "srch med", "srch p90", "thin med",
                "thin p90", "chk med", "chk p90", "attempts", "limit%", "3test%", "vsrch%", "tests", "uniq");
    for (int type : {1, 2}) {
        const char* boardName = type == 1 ? "standard" : "samurai";
        if (boardArg != "all" && boardArg != boardName) continue;
        for (int rating = 1; rating <= 3; ++rating) {
            if (levelArg != "all" && levelArg != kLevels[rating - 1]) continue;
            std::vector<double> total, search, thin, check;
            long attempts = 0, limit = 0, three = 0, vsearch = 0, tests = 0;
            int unique = 0;
            std::uint64_t slowest = first;
            for (int k = 0; k < seeds; ++k) {
                const std::uint64_t seed = first + static_cast<std::uint64_t>(k);
                const Sample s = runOne(type, rating, seed);
                if (total.empty() || s.total * 1e3 > *std::max_element(total.begin(), total.end())) slowest = seed;
                total.push_back(s.total * 1e3);
                search.push_back((s.total - s.thinning - s.check) * 1e3);
                thin.push_back(s.thinning * 1e3);
                check.push_back(s.check * 1e3);
                attempts += s.stats.attempts;
                limit += s.stats.abandonedByLimit;
                three += s.stats.abandonedByTests;
                vsearch += s.stats.abandonedBySearch;
                tests += s.stats.uniquenessTests;
                unique += s.unique;
            }
            const double a = static_cast<double>(std::max(1L, attempts));
            std::printf("%-8s %-15s %5d | %9.2f %9.2f %9.2f %9.2f %6llu | %9.2f %9.2f | %9.2f %9.2f | %9.2f %9.2f | %8.1f "
                        "%6.1f%% %6.1f%% %6.1f%% %6.1f %4d\n",
                        boardName, kLevels[rating - 1], seeds, percentile(total, 0.5), percentile(total, 0.9),
                        percentile(total, 0.99), percentile(total, 1.0), static_cast<unsigned long long>(slowest),
                        percentile(search, 0.5), percentile(search, 0.9), percentile(thin, 0.5),
                        percentile(thin, 0.9), percentile(check, 0.5), percentile(check, 0.9),
                        static_cast<double>(attempts) / seeds, 100.0 * static_cast<double>(limit) / a,
                        100.0 * static_cast<double>(three) / a, 100.0 * static_cast<double>(vsearch) / a,
                        static_cast<double>(tests) / seeds, unique);
            std::fflush(stdout);
        }
    }
    return 0;
}
