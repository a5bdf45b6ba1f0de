// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "generator.h"
#include "plain_board.h"
#include "rater.h"

namespace generator {

// The ratings a generated puzzle must fall in, in tenths, both ends included:
// a band (Easy 0.0-1.4, Medium 1.5-2.4, Hard 2.5-4.9, Fiendish 5.0-6.9,
// Diabolical 7.0 and up) or a range such as 4.0-6.0.
struct RatingTarget {
    int lo = 0;
    int hi = 0;
    bool contains(int rating) const { return rating >= lo && rating <= hi; }
};

// The highest rating a step can carry (the trial step), tenths.
constexpr int kMaxRating = 100;

RatingTarget bandTarget(logic::Band b);
// A band's name in any case, or "LO-HI" with ratings of at most one decimal
// (4-6, 4.0-6.0) from 0 to 20, LO not above HI. Nothing for anything else.
std::optional<RatingTarget> parseRatingTarget(std::string_view text);
// The band's name when the target is a whole band, else "LO-HI".
std::string describeTarget(const RatingTarget& t);

// The level (1 Easy, 2 Testing, 3 Very Difficult) whose puzzles of the board
// type (1 standard, 2 Samurai) fall in the target most often, from measured
// shares of each band per level.
int levelFor(int puzzleType, const RatingTarget& t);

// How long a rated generation looks before it gives up. A band that the best
// level reaches at all is found well within these (see defaultLimits).
struct RatedLimits {
    long maxAttempts = 0;
    double maxSeconds = 0;
};
RatedLimits defaultLimits(int puzzleType);

struct RatedProgress {
    long attempts = 0;   // puzzles generated and rated so far
    double seconds = 0;  // since the rated generation began
    int lastRating = -1; // the last puzzle's rating, tenths
};
using RatedProgressFn = std::function<void(const RatedProgress&)>;

enum class RatedEnd {
    Found,     // a puzzle in the target is on the board
    Stopped,   // keepGenerating was cleared
    OutOfReach // no puzzle in the target within the limits
};

struct RatedResult {
    RatedEnd end = RatedEnd::OutOfReach;
    int level = 0;           // the level the attempts used
    int rating = -1;         // the found puzzle's rating, tenths
    logic::Technique hardest = logic::Technique::FullHouse;
    int steps = 0;           // the steps of its rating
    long attempts = 0;
    double seconds = 0;
};

// Generates puzzles with the generator it is given until one's rating falls
// in the target, and writes that one onto the board. Each attempt is an
// ordinary generation and final check on a private board, so the attempts
// draw from the generator's random source one after another; the solver's
// yields (and so Stop, through keepGenerating) work as in any generation, and
// come between the steps of each rating too.
class RatedGenerator {
public:
    RatedGenerator(Generator& generator, Clock& clock);

    // level 0 lets the target choose the level (levelFor).
    RatedResult generate(GeneratorBoard& board, int puzzleType, int level, const RatingTarget& target,
                         const RatedProgressFn& progress = {}, std::optional<RatedLimits> limits = {});

private:
    int rateGivens(int numGrids, logic::Technique& hardest, int& steps);
    void writeGivens(GeneratorBoard& board, int numGrids);

    Generator& gen_;
    Clock& clock_;
    files::SymbolTable symbols_;
    engine::PlainBoard work_;
    logic::Rater rater_{logic::RaterOptions{true}};
};

} // namespace generator
