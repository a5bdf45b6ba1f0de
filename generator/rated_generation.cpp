// SPDX-License-Identifier: GPL-3.0-or-later
#include "rated_generation.h"

#include <array>
#include <atomic>
#include <cctype>
#include <charconv>

#include "plain_generator_board.h"

namespace generator {

namespace {

// Per mille of puzzles in each band (Easy .. Diabolical), per board type and
// level (Easy, Testing, Very Difficult): the generator's puzzles of one seed,
// 1000 standard and 100 Samurai per level, rated.
constexpr std::array<std::array<std::array<int, 5>, 3>, 2> kBandShares = {{
    {{{989, 10, 1, 0, 0}, {738, 239, 16, 6, 1}, {72, 697, 152, 24, 55}}},
    {{{680, 310, 10, 0, 0}, {0, 410, 400, 60, 130}, {0, 90, 340, 110, 460}}},
}};

// The least and the greatest rating of each band, tenths; Diabolical ends at
// the highest rating a step carries.
constexpr std::array<std::array<int, 2>, 5> kBandEnds = {{{0, 14}, {15, 24}, {25, 49}, {50, 69}, {70, kMaxRating}}};

bool parseTenths(std::string_view s, int& out)
{
    const std::size_t dot = s.find('.');
    const std::string_view whole = s.substr(0, dot);
    int w = 0, f = 0;
    if (whole.empty() || whole.size() > 2) return false;
    const auto [p, ec] = std::from_chars(whole.data(), whole.data() + whole.size(), w);
    if (ec != std::errc() || p != whole.data() + whole.size()) return false;
    if (dot != std::string_view::npos) {
        const std::string_view frac = s.substr(dot + 1);
        if (frac.size() != 1 || !std::isdigit(static_cast<unsigned char>(frac[0]))) return false;
        f = frac[0] - '0';
    }
    out = w * 10 + f;
    return out <= 200;
}

} // namespace

RatingTarget bandTarget(logic::Band b)
{
    const auto& e = kBandEnds[static_cast<std::size_t>(b)];
    return {e[0], e[1] == kMaxRating ? 200 : e[1]};
}

std::optional<RatingTarget> parseRatingTarget(std::string_view text)
{
    for (int b = 0; b < 5; ++b) {
        const std::string_view name = logic::bandName(static_cast<logic::Band>(b));
        if (name.size() == text.size() &&
            std::equal(name.begin(), name.end(), text.begin(), [](char x, char y) {
                return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
            }))
            return bandTarget(static_cast<logic::Band>(b));
    }
    const std::size_t dash = text.find('-');
    RatingTarget t;
    if (dash == std::string_view::npos || !parseTenths(text.substr(0, dash), t.lo) ||
        !parseTenths(text.substr(dash + 1), t.hi) || t.lo > t.hi)
        return std::nullopt;
    return t;
}

std::string describeTarget(const RatingTarget& t)
{
    for (int b = 0; b < 5; ++b) {
        const RatingTarget band = bandTarget(static_cast<logic::Band>(b));
        if (band.lo == t.lo && band.hi == t.hi) return std::string(logic::bandName(static_cast<logic::Band>(b)));
    }
    auto tenths = [](int v) { return std::to_string(v / 10) + "." + std::to_string(v % 10); };
    return tenths(t.lo) + "-" + tenths(t.hi);
}

int levelFor(int puzzleType, const RatingTarget& t)
{
    const auto& shares = kBandShares[puzzleType == 1 ? 0 : 1];
    // A level's score: each band's share times the part of the band the
    // target covers (ratings spread evenly within a band, roughly).
    int best = 3;
    double bestScore = -1;
    for (int level = 3; level >= 1; --level) {
        double score = 0;
        for (std::size_t b = 0; b < 5; ++b) {
            const int lo = std::max(t.lo, kBandEnds[b][0]);
            const int hi = std::min(t.hi, kBandEnds[b][1]);
            if (lo <= hi)
                score += shares[static_cast<std::size_t>(level - 1)][b] * (hi - lo + 1.0) /
                         (kBandEnds[b][1] - kBandEnds[b][0] + 1.0);
        }
        if (score > bestScore) {
            best = level;
            bestScore = score;
        }
    }
    return best;
}

// A standard attempt at Very Difficult takes about 40 ms and the rarest band
// (Fiendish) comes up in 2.4% of them: 2000 attempts (about 80 s) miss a band
// that common with a chance below 1e-20, so a search that ends here is after
// a range no level gives in practice. A Samurai attempt takes about 80 ms and
// every band comes up in over 10% of its best level's puzzles: 500 attempts
// (about 40 s). The time limits cover a slow or busy machine.
RatedLimits defaultLimits(int puzzleType)
{
    return puzzleType == 1 ? RatedLimits{2000, 120} : RatedLimits{500, 300};
}

RatedGenerator::RatedGenerator(Generator& generator, Clock& clock) : gen_(generator), clock_(clock) {}

int RatedGenerator::rateGivens(int numGrids, logic::Technique& hardest, int& steps)
{
    logic::CandidateGrid g(logic::Geometry::forGrids(numGrids));
    const GivensList& givens = gen_.givensList();
    for (int i = 0; i < givens.count; ++i) {
        if (givens.isEmpty(i)) continue;
        const GeneratorCell& cell = givens.cells[static_cast<std::size_t>(i)];
        const int c = g.geo().cell(cell.g, cell.c, cell.r);
        if (g.value(c) != cell.getVal() && !g.place(c, cell.getVal())) return -1;
    }
    // A hard Samurai puzzle can take a quarter of a second to rate: the rating
    // passes the solver's yield between its steps, as the generator's runs
    // do, so the window stays live and a Stop ends it at its next step.
    engine::Solver& solver = gen_.solver();
    std::atomic<bool> stop{false};
    const logic::Rating r = rater_.rate(
        g,
        [&](const logic::CandidateGrid&, const logic::Step&) {
            if (solver.yield) solver.yield();
            if (!gen_.keepGenerating) stop.store(true, std::memory_order_relaxed);
        },
        &stop);
    hardest = r.hardest;
    steps = r.steps;
    return r.solved ? r.rating : -1;
}

void RatedGenerator::writeGivens(GeneratorBoard& board, int numGrids)
{
    board.setCellEventsOn(false);
    if (numGrids == 1)
        board.showStandardBoard();
    else
        board.showSamuraiBoard();
    engine::GridSlots& grids = board.grids();
    const GivensList& givens = gen_.givensList();
    for (int i = 0; i < givens.count; ++i) {
        if (givens.isEmpty(i)) continue;
        const GeneratorCell& cell = givens.cells[static_cast<std::size_t>(i)];
        grids[static_cast<std::size_t>(cell.g)].assignValue(cell.c, cell.r,
                                                           board.symbols().indexToSymbol(cell.getVal()), false);
    }
    board.setCellEventsOn(true);
}

RatedResult RatedGenerator::generate(GeneratorBoard& board, int puzzleType, int level, const RatingTarget& target,
                                     const RatedProgressFn& progress, std::optional<RatedLimits> limits)
{
    const RatedLimits bound = limits.value_or(defaultLimits(puzzleType));
    const int numGrids = puzzleType == 1 ? 1 : engine::kSamuraiGrids;
    RatedResult out;
    out.level = level >= 1 && level <= 3 ? level : levelFor(puzzleType, target);
    const double start = clock_.seconds();
    board.generationStarted();
    // No step is rated above the trial's rating: such a target is out of
    // reach before any attempt.
    const bool reachable = target.lo <= kMaxRating;
    PlainGeneratorBoard work(work_, symbols_);
    while (reachable && out.attempts < bound.maxAttempts && clock_.seconds() - start < bound.maxSeconds) {
        if (!gen_.keepGenerating) break;
        work_.clear();
        gen_.generatePuzzle(work, puzzleType, out.level);
        const bool unique = gen_.keepGenerating && work_.numGrids == numGrids && gen_.testPuzzle(work);
        if (!gen_.keepGenerating) break;
        const int rating = unique ? rateGivens(numGrids, out.hardest, out.steps) : -1;
        if (!gen_.keepGenerating) break; // stopped during the rating
        ++out.attempts;
        out.seconds = clock_.seconds() - start;
        if (progress) progress({out.attempts, out.seconds, rating});
        if (rating >= 0 && target.contains(rating)) {
            out.end = RatedEnd::Found;
            out.rating = rating;
            writeGivens(board, numGrids);
            break;
        }
    }
    if (!gen_.keepGenerating) out.end = RatedEnd::Stopped;
    out.seconds = clock_.seconds() - start;
    board.generationEnded();
    return out;
}

} // namespace generator
