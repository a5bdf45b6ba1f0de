// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <atomic>
#include <functional>
#include <string>
#include <string_view>

#include "candidate_grid.h"
#include "chains.h"
#include "step.h"

namespace logic {

enum class Band { Easy, Medium, Hard, Fiendish, Diabolical };

// The band of a rating in tenths: Easy below 1.5, Medium below 2.5, Hard
// below 5.0, Fiendish below 7.0, Diabolical from 7.0.
Band bandOf(int rating);
std::string_view bandName(Band b);

struct RaterOptions {
    // The puzzle is known to have one solution: the uniqueness techniques
    // may be used.
    bool unique = true;
    // The trial step may be used. A puzzle with more than one solution keeps
    // them all through every step, so no trial can finish it, and the trials'
    // searches can run for minutes on a sparse Samurai board: off for those.
    bool trial = true;
};

struct Rating {
    bool solved = false;   // false when the position is broken or has no solution
    bool stopped = false;  // asked to stop before the end (then not solved)
    int rating = 0;        // the hardest step's rating, tenths
    Technique hardest = Technique::FullHouse;
    int steps = 0;
    std::array<int, kTechniqueCount> used{}; // steps per technique
};

// Rates and explains positions. Holds the chain techniques' working memory,
// so one object serves any number of puzzles on one thread.
class Rater {
public:
    explicit Rater(RaterOptions options = {}) : options_(options) {}

    // The easiest step on the position: false when none is found (a broken
    // position or a solved one).
    bool nextStep(const CandidateGrid& g, Step& step);

    using StepFn = std::function<void(const CandidateGrid&, const Step&)>;
    // Takes the easiest step until the position is solved. onStep, when set,
    // sees every step before it is applied. stop, when given, is read before
    // every step (another thread may set it): once set, the rating ends
    // there, stopped and not solved.
    Rating rate(CandidateGrid g, const StepFn& onStep = {}, const std::atomic<bool>* stop = nullptr);

    const RaterOptions& options() const { return options_; }

    // Maps the working memory now (see ChainFinder::touchMemory): for a
    // rater kept for many ratings, so that none of them pays for it.
    void touchMemory() { chains_.touchMemory(); }

private:
    RaterOptions options_;
    ChainFinder chains_;
};

// Runs the one finder of technique t (the cell and unit forcing chains share
// one finder).
bool findTechnique(Technique t, const CandidateGrid& g, Step& step, ChainFinder& chains);

// One sentence describing a step as a player reads it. Cells are written
// r<row>c<col> (1-based); on a Samurai board a grid number g1..g5 comes first.
// symbols holds the characters shown for value indices 0..8.
std::string describeStep(const Geometry& geo, const Step& step, std::string_view symbols = "123456789");

// A cell as the sentences write it.
std::string cellName(const Geometry& geo, int cell);

} // namespace logic
