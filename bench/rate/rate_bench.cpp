// SPDX-License-Identifier: GPL-3.0-or-later
// Rating time per puzzle list (median, 99th percentile and maximum, CPU time),
// the bands the ratings fall in, and, for a list with published ratings,
// how far Corvel's agree: the share of equal bands and the Spearman rank
// correlation.
//
//   rate_bench [--check] [--dump] FILE...
//
// A FILE ending in .tsv is read as "source<TAB>id<TAB>puzzle<TAB>rating" lines
// ('#' lines skipped); any other FILE as one puzzle per line (81 or 405
// characters). "generated" rates puzzles made by the generator, every board
// and level, fixed seeds (100 standard and 20 Samurai puzzles each). --check
// tests every step against the solution; --dump prints one line per puzzle
// (published rating, Corvel's, CPU time, hardest technique, label).
// "rated" times generation to each band (generate --rating): 30 seeds per band
// on the standard board, 5 on the Samurai board (CPU time, median and maximum,
// and the puzzles generated per find).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "batch_generation.h"
#include "rater.h"

namespace {

double cpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

double percentile(std::vector<double> v, double q)
{
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    auto idx = static_cast<std::size_t>(q * static_cast<double>(v.size()) + 0.999999) - 1;
    return v[std::min(idx, v.size() - 1)];
}

// Ranks with ties sharing their mean rank.
std::vector<double> ranks(const std::vector<double>& x)
{
    std::vector<std::size_t> order(x.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return x[a] < x[b]; });
    std::vector<double> r(x.size());
    for (std::size_t i = 0; i < order.size();) {
        std::size_t j = i;
        while (j < order.size() && x[order[j]] == x[order[i]]) ++j;
        for (std::size_t k = i; k < j; ++k) r[order[k]] = (static_cast<double>(i + j) - 1) / 2;
        i = j;
    }
    return r;
}

double spearman(const std::vector<double>& a, const std::vector<double>& b)
{
    const auto ra = ranks(a), rb = ranks(b);
    const double n = static_cast<double>(a.size());
    double ma = 0, mb = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        ma += ra[i] / n;
        mb += rb[i] / n;
    }
    double sab = 0, saa = 0, sbb = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        sab += (ra[i] - ma) * (rb[i] - mb);
        saa += (ra[i] - ma) * (ra[i] - ma);
        sbb += (rb[i] - mb) * (rb[i] - mb);
    }
    return sab / std::sqrt(saa * sbb);
}

struct Entry {
    std::string puzzle;
    double published = -1;
    std::string label;
};

std::vector<Entry> readList(const std::string& path)
{
    std::vector<Entry> out;
    std::ifstream in(path);
    std::string line;
    const bool tsv = path.size() > 4 && path.substr(path.size() - 4) == ".tsv";
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        Entry e;
        if (tsv) {
            std::istringstream fields(line);
            std::string source, id, rating;
            std::getline(fields, source, '\t');
            std::getline(fields, id, '\t');
            std::getline(fields, e.puzzle, '\t');
            std::getline(fields, rating, '\t');
            e.published = std::atof(rating.c_str());
            e.label = source + " " + id;
        } else {
            e.puzzle = line.substr(0, line.find_first_of(" \t"));
            for (char& c : e.puzzle)
                if (c == '0') c = '.';
        }
        out.push_back(e);
    }
    return out;
}

int unsound = 0;
bool check = false;

void rateList(const std::string& name, const std::vector<Entry>& list, bool dump)
{
    // One rater for the list with its memory mapped beforehand, as the
    // window keeps its rater.
    logic::Rater rater;
    rater.touchMemory();
    logic::ChainFinder chains;
    std::vector<double> times, mine, theirs;
    std::array<int, 5> bands{};
    std::array<std::array<int, 5>, 5> confusion{};
    std::array<int, logic::kTechniqueCount> hardest{};
    int failed = 0, agree = 0;
    for (const Entry& e : list) {
        const logic::Geometry& geo = logic::Geometry::forGrids(e.puzzle.size() == 405 ? 5 : 1);
        logic::CandidateGrid g(geo);
        if (!g.loadLine(e.puzzle)) {
            ++failed;
            continue;
        }
        logic::CandidateGrid solution(geo);
        if (check && !chains.solve(g, solution)) ++failed;
        const double t0 = cpuSeconds();
        int wrong = 0;
        const logic::Rating r = check ? rater.rate(g, [&](const logic::CandidateGrid& pos, const logic::Step& st) {
            for (int i = 0; i < st.numEliminations; ++i)
                wrong += solution.value(st.eliminations[i].cell) == st.eliminations[i].value;
            for (int i = 0; i < st.numPlacements; ++i)
                wrong += solution.value(st.placements[i].cell) != st.placements[i].value;
            if (wrong) { std::printf("WRONG %s\n", logic::describeStep(geo, st).c_str()); wrong = 0; ++unsound; }
            (void)pos;
        }) : rater.rate(g);
        times.push_back(cpuSeconds() - t0);
        if (!r.solved) {
            ++failed;
            continue;
        }
        const auto band = static_cast<int>(logic::bandOf(r.rating));
        ++bands[band];
        ++hardest[static_cast<int>(r.hardest)];
        if (e.published >= 0) {
            const auto theirBand = static_cast<int>(logic::bandOf(static_cast<int>(std::lround(e.published * 10))));
            ++confusion[theirBand][band];
            agree += theirBand == band;
            mine.push_back(r.rating / 10.0);
            theirs.push_back(e.published);
        }
        if (dump)
            std::printf("%.1f\t%.1f\t%.2f ms\t%s\t%s\n", e.published, r.rating / 10.0, times.back() * 1e3,
                        std::string(logic::techniqueName(r.hardest)).c_str(), e.label.c_str());
    }
    std::printf("%-28s n=%zu  median %.2f ms  p99 %.2f ms  max %.2f ms  total %.2f s  unrated %d\n", name.c_str(),
                list.size(), percentile(times, 0.5) * 1e3, percentile(times, 0.99) * 1e3,
                percentile(times, 1.0) * 1e3, [&] { double s = 0; for (double t : times) s += t; return s; }(), failed);
    std::printf("  bands: Easy %d  Medium %d  Hard %d  Fiendish %d  Diabolical %d\n", bands[0], bands[1], bands[2],
                bands[3], bands[4]);
    std::printf("  hardest:");
    for (int t = 0; t < logic::kTechniqueCount; ++t)
        if (hardest[t]) std::printf(" %s %d,", std::string(logic::techniqueName(static_cast<logic::Technique>(t))).c_str(), hardest[t]);
    std::printf("\n");
    if (!mine.empty()) {
        std::printf("  agreement: bands %.1f%%  Spearman %.3f\n", 100.0 * agree / static_cast<double>(mine.size()),
                    spearman(mine, theirs));
        std::printf("  published band (rows) x Corvel band (columns):\n");
        for (int i = 0; i < 5; ++i)
            std::printf("    %-10s %5d %5d %5d %5d %5d\n", std::string(logic::bandName(static_cast<logic::Band>(i))).c_str(),
                        confusion[i][0], confusion[i][1], confusion[i][2], confusion[i][3], confusion[i][4]);
    }
}

std::string lineOf(const generator::GeneratedPuzzle& p)
{
    std::string line;
    for (int g = 0; g < p.numGrids; ++g)
        for (int k = 0; k < 81; ++k) {
            const int v = p.value(g, k % 9, k / 9);
            line += v < 0 ? '.' : static_cast<char>('1' + v);
        }
    return line;
}

// Generated puzzles of every board and level, fixed seeds.
void rateGenerated(bool dump, int standardCount, int samuraiCount)
{
    const char* levels[] = {"easy", "testing", "very-difficult"};
    for (int type : {1, 2})
        for (int level = 1; level <= 3; ++level) {
            generator::BatchRequest request;
            request.puzzleType = type;
            request.rating = level;
            request.seed = 9000 + static_cast<std::uint64_t>(level);
            request.count = type == 1 ? standardCount : samuraiCount;
            std::vector<Entry> list;
            for (const auto& p : generator::generateBatch(request)) list.push_back({lineOf(p), -1, ""});
            rateList(std::string(type == 1 ? "standard " : "samurai ") + levels[level - 1], list, dump);
        }
}

// Generation to each band, both boards, fixed seeds.
void rateRated()
{
    for (int type : {1, 2})
        for (int b = 0; b < 5; ++b) {
            const int seeds = type == 1 ? 30 : 5;
            std::vector<double> times, attempts;
            int missed = 0;
            for (int s = 0; s < seeds; ++s) {
                generator::BatchRequest request;
                request.puzzleType = type;
                request.rating = 0;
                request.seed = 7000 + static_cast<std::uint64_t>(s);
                request.target = generator::bandTarget(static_cast<logic::Band>(b));
                const double t0 = cpuSeconds();
                const generator::GeneratedPuzzle p = generator::generateBatch(request).front();
                times.push_back(cpuSeconds() - t0);
                attempts.push_back(static_cast<double>(p.attempts));
                missed += !p.confirmed;
            }
            std::printf("%-8s %-10s level %d  n=%d  median %.3f s  max %.3f s  puzzles per find: median %.0f max %.0f  "
                        "not found %d\n",
                        type == 1 ? "standard" : "samurai",
                        std::string(logic::bandName(static_cast<logic::Band>(b))).c_str(),
                        generator::levelFor(type, generator::bandTarget(static_cast<logic::Band>(b))), seeds,
                        percentile(times, 0.5), percentile(times, 1.0), percentile(attempts, 0.5),
                        percentile(attempts, 1.0), missed);
            std::fflush(stdout);
        }
}

} // namespace

int main(int argc, char** argv)
{
    bool dump = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--check") == 0) {
            check = true;
            continue;
        }
        if (std::strcmp(argv[i], "--dump") == 0) {
            dump = true;
            continue;
        }
        if (std::strcmp(argv[i], "rated") == 0)
            rateRated();
        else if (std::strcmp(argv[i], "generated") == 0)
            rateGenerated(dump, 100, 20);
        else
            rateList(argv[i], readList(argv[i]), dump);
    }
    if (check) std::printf("unsound steps: %d\n", unsound);
    return 0;
}
